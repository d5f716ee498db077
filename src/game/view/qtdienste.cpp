#include "qtdienste.h"

#include "computer/view/compzugdialog.h"
#include "highscores/view/meisterdialog.h"
#include "info/view/infodialoge.h"
#include "settings/view/einstelldialog.h"
#include "startup/view/meldungsdialoge.h"

#include <cstdio>

namespace findolin::view {

void SchrankenOeffner::warte() {
    if (gewartet_ || !platform::Automation::active() ||
        !qEnvironmentVariableIsSet("FINDOLIN_BARRIER_BEFORE_WRITE"))
        return;
    gewartet_ = true;
    std::fputs("findolin: barrier\n", stderr);
    std::fflush(stderr);
    char zeile[16];
    (void)!std::fgets(zeile, sizeof zeile, stdin);
}

std::unique_ptr<accessdb::Database> SchrankenOeffner::open(const QString& path) {
    warte();
    return oeffner_.open(path);
}

std::unique_ptr<accessdb::Database> SchrankenOeffner::create(const QString& path,
                                                                 const QStringList& schema) {
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
