#include "qtdienste.h"

#include "computer/view/compzugdialog.h"
#include "highscores/view/meisterdialog.h"
#include "info/view/infodialoge.h"
#include "kern/view/meldungsdialoge.h"
#include "settings/view/einstelldialog.h"

#include "platform/qt/fernsteuerung.h"

namespace findolin::view {

void SchrankenOeffner::warte() {
    if (gewartet_)
        return;
    gewartet_ = true;
    if (platform::Fernsteuerung* fern = platform::fernsteuerung())
        fern->vorDemErstenSchreiben();
}

std::unique_ptr<accessdb::Database> SchrankenOeffner::open(const QString& path) {
    warte();
    return oeffner_.open(path);
}

std::unique_ptr<accessdb::Database> SchrankenOeffner::create(const QString& path, const QStringList& schema) {
    warte();
    return oeffner_.create(path, schema);
}

QtDienste::QtDienste(platform::SoundPlayer& ton, const QString& appPfad)
    : dienste{uhr, timer, pause, zufall, dateien, masse, fenster, prozess, ton, schranke, hilfe} {
    const QString bild = platform::imOrdner(appPfad, QStringLiteral("Grafik/MELDUNG.GIF"));
    registriereMeldungsdialoge(fenster, bild);
    registriereCompZugDialog(fenster, bild);
    registriereEinstellDialog(fenster);
    registriereMeisterDialog(fenster);
    registriereInfoDialoge(fenster, platform::imOrdner(appPfad, QStringLiteral("Grafik/LOGO.GIF")));
}

} // namespace findolin::view
