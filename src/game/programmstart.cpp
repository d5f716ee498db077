#include "programmstart.h"

#include "info/hilfekontext.h"
#include "logging.h"
#include "mainfrm.h"
#include "platform/errorguard.h"
#include "startup/meldungsfenster.h"
#include "startup/rahmendateien.h"
#include "startup/startparameter.h"

namespace findolin {

namespace {

const QString nurAusRahmen = QStringList{QStringLiteral("Dieses Programm kann nur aus der"),
                                         QStringLiteral("Spieleliste der Demoversion des"),
                                         QStringLiteral("OMNOR-Rahmenprogramms gestartet"), QStringLiteral("werden!")}
                                 .join(QChar(13));
const QString nichtKompatibel = QStringList{QStringLiteral("Diese Version von Findolin ist nicht"),
                                            QStringLiteral("kompatibel mit der installierten Version"),
                                            QStringLiteral("von OMNOR.")}
                                    .join(QChar(13));

// Shows why the program refuses to run, then ends it; nothing else is shown or read.
int verweigere(Dienste& d, const QString& meldungsText) {
    MldFenster fenster(d.fenster, d.masse);
    fenster.zeigeMeldung(meldungsText, QStringLiteral("&OK"), QString(), QStringLiteral("Laufzeitfehler"));
    d.prozess.terminate(platform::exitCodeRefused);
    return platform::exitCodeRefused;
}

} // namespace

int starteFindolin(const QString& cmd, const QString& programmordner, Dienste& d, StartAnsicht& ansicht) {
    qCDebug(lcGame) << "start with" << cmd;
    if (!istRahmenAufruf(cmd))
        return verweigere(d, nurAusRahmen);
    StartKontext kontext;
    if (!leseStartParameter(cmd, kontext))
        return verweigere(d, nichtKompatibel);

    const Pfade pfade = Pfade::ausProgrammordner(programmordner);
    ansicht.zeigeHintergrund();
    leseMaxSpielDauer(d.dateien, pfade, kontext);
    leseUebungsTitel(d.dateien, pfade, kontext);
    const qint32 hilfeKontext = hilfeKontextFuer(kontext.ubixNr, 0);
    qCDebug(lcGame) << "help context" << hilfeKontext;

    MainFrm mainFrm(d, kontext, pfade);
    mainFrm.Form_Load();
    ansicht.zeigeHauptfenster(mainFrm);
    return 0;
}

} // namespace findolin
