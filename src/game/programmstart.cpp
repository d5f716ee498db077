#include "programmstart.h"

#include "info/hilfekontext.h"
#include "kern/meldungsfenster.h"
#include "logging.h"
#include "mainfrm.h"
#include "platform/errorguard.h"
#include "rahmen/ausgang.h"
#include "rahmen/startliste.h"
#include "startup/rahmendateien.h"

namespace findolin {

namespace {

const QString nurAusRahmen =
    QStringList{QStringLiteral("Dieses Programm kann nur aus der"),
                QStringLiteral("Spieleliste der Demoversion des"),
                QStringLiteral("OMNOR-Rahmenprogramms gestartet"), QStringLiteral("werden!")}
        .join(QChar(13));
const QString nichtKompatibel =
    QStringList{QStringLiteral("Diese Version von Findolin ist nicht"),
                QStringLiteral("kompatibel mit der installierten Version"), QStringLiteral("von OMNOR.")}
        .join(QChar(13));

// Shows why the program refuses to run, then ends it; nothing else is shown or read.
int verweigere(Dienste& d, const QString& meldungsText) {
    // Also for whoever started the game, as a run-time error is.
    rahmen::meldeLaufzeitfehler(QString(meldungsText).replace(QChar(13), u'\n'));
    MldFenster fenster(d.fenster, d.masse);
    fenster.zeigeMeldung(meldungsText, QStringLiteral("&OK"), QString(), QStringLiteral("Laufzeitfehler"));
    d.prozess.terminate(rahmen::exitCodeRefused);
    return rahmen::exitCodeRefused;
}

} // namespace

int starteFindolin(const QString& cmd, const QString& programmordner, Dienste& d, StartAnsicht& ansicht,
                   const QString& ergebnisDatei) {
    qCDebug(lcGame) << "start with" << cmd;
    if (!istRahmenAufruf(cmd))
        return verweigere(d, nurAusRahmen);
    Modulzustand modul;
    if (!leseStartParameter(cmd, modul.kontext))
        return verweigere(d, nichtKompatibel);

    modul.pfade = Pfade::ausProgrammordner(programmordner);
    modul.ergebnisDatei = ergebnisDatei;
    ansicht.zeigeHintergrund();
    leseMaxSpielDauer(d.dateien, modul.pfade, modul.kontext);
    SoundModul sound(d.ton, modul.pfade, modul.einst.einstTon);
    sound.loadSoundIni(d.dateien);
    leseUebungsTitel(d.dateien, modul.pfade, modul.kontext);
    modul.hilfeKontext = hilfeKontextFuer(modul.kontext.ubixNr, modul.hilfeKontext);
    qCDebug(lcGame) << "help context" << modul.hilfeKontext;

    MainFrm mainFrm(d, modul, sound);
    mainFrm.Form_Load();
    ansicht.zeigeHauptfenster(mainFrm);
    return 0;
}

} // namespace findolin
