#include "qtdienste.h"

#include "computer/view/compzugdialog.h"
#include "info/view/infodialoge.h"
#include "startup/view/meldungsdialoge.h"

namespace findolin::view {

QtDienste::QtDienste(platform::SoundPlayer& ton, const QString& appPfad)
    : dienste{uhr, timer, pause, zufall, dateien, masse, fenster, prozess, ton, datenbanken} {
    const QString bild = platform::imOrdner(appPfad, QStringLiteral("Grafik/MELDUNG.GIF"));
    registriereMeldungsdialoge(fenster, bild);
    registriereCompZugDialog(fenster, bild);
    registriereInfoDialoge(fenster, platform::imOrdner(appPfad, QStringLiteral("Grafik/LOGO.GIF")));
}

} // namespace findolin::view
