#include "qtdienste.h"

#include "computer/view/compzugdialog.h"
#include "highscores/view/meisterdialog.h"
#include "info/view/infodialoge.h"
#include "kern/view/meldungsdialoge.h"
#include "settings/view/einstelldialog.h"

namespace findolin::view {

QtDienste::QtDienste(platform::SoundPlayer& ton, const QString& appPfad)
    : dienste{uhr, timer, pause, zufall, dateien, masse, fenster, prozess, ton, datenbanken, hilfe} {
    const QString bild = platform::imOrdner(appPfad, QStringLiteral("Grafik/MELDUNG.GIF"));
    registriereMeldungsdialoge(fenster, bild);
    registriereCompZugDialog(fenster, bild);
    registriereEinstellDialog(fenster);
    registriereMeisterDialog(fenster);
    registriereInfoDialoge(fenster, platform::imOrdner(appPfad, QStringLiteral("Grafik/LOGO.GIF")));
}

} // namespace findolin::view
