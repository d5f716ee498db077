#include "startliste.h"

#include "kern/lesehilfen.h"
#include "logging.h"
#include "platform/laufzeitfehler.h"

namespace findolin {

bool istRahmenAufruf(const QString& cmd) {
    return !cmd.isEmpty() && cmd.mid(1, 7) == QLatin1String("Version");
}

namespace {

// The protocol version the game speaks, and the keys of the items before the names.
const QString protokollVersion = QStringLiteral("4");
const QString keyVersion = QStringLiteral("Version=");
const QString keyUbix = QStringLiteral("UbixFeldName=");
const QString keyLupe = QStringLiteral("LupenFlag=");
const QString keyGws = QStringLiteral("GwsFlag=");
const QString keySpieler = QStringLiteral("nSpieler=");

// Takes the next item, ended by ";", off the rest of the list.
QString naechsterEintrag(QString& rest, const QString& was, int nummer) {
    const qsizetype p = rest.indexOf(QLatin1Char(';'));
    if (p < 0)
        throw Laufzeitfehler(
            QStringLiteral("Die Startparameterliste des Rahmenprogramms ist unvollständig"),
            QStringLiteral("Es fehlt %1 %2 (jeder Eintrag endet mit \";\")").arg(was).arg(nummer));
    QString eintrag = rest.left(p);
    rest = rest.mid(p + 1);
    return eintrag;
}

// The text without the blanks at both ends; other white space (a tab, a no-break space) stays.
QString ohneRandBlanks(const QString& text) {
    qsizetype von = 0, bis = text.size();
    while (von < bis && text[von] == u' ')
        ++von;
    while (bis > von && text[bis - 1] == u' ')
        --bis;
    return text.mid(von, bis - von);
}

} // namespace

bool leseStartParameter(const QString& cmd, StartKontext& kontext) {
    QString rest = cmd.mid(1, cmd.size() - 2);

    // Keyed items, up to and including "nSpieler=".
    for (;;) {
        const qsizetype p = rest.indexOf(QLatin1Char(';'));
        if (p < 0)
            break;
        const QString eintrag = rest.left(p);
        rest = rest.mid(p + 1);
        const QString wert = ohneRandBlanks(wertNachGleich(eintrag));
        if (eintrag.startsWith(keyVersion)) {
            if (wert != protokollVersion) {
                qCDebug(lcRahmen) << "incompatible list version" << wert;
                return false;
            }
        } else if (eintrag.startsWith(keyUbix)) {
            kontext.ubixFeldName = gefiltertesFeld;
        } else if (eintrag.startsWith(keyLupe)) {
            kontext.lupenFlag = wert == QLatin1String("0") ? falsch : wahr;
        } else if (eintrag.startsWith(keyGws)) {
            kontext.gwsFlag = wahr;
        } else if (eintrag.startsWith(keySpieler)) {
            kontext.nSpieler = leseGanzzahl(wert, QStringLiteral("nSpieler"));
            break;
        }
        if (rest.isEmpty())
            break;
    }

    if (kontext.nSpieler > maxSpieler)
        throw Laufzeitfehler(QStringLiteral("Zu viele Spieler: Findolin hat Platz für höchstens fünf"),
                             QStringLiteral("nSpieler = %1").arg(kontext.nSpieler));
    if (kontext.nSpieler < 0)
        throw Laufzeitfehler(QStringLiteral("Die Spielerzahl darf nicht negativ sein"),
                             QStringLiteral("nSpieler = %1").arg(kontext.nSpieler));

    for (int i = 0; i < kontext.nSpieler; ++i) {
        kontext.spielerName[i] = naechsterEintrag(rest, QStringLiteral("der Name von Spieler"), i + 1);
        kontext.spielerPunkte[i] = 0;
    }
    for (int i = 0; i < kontext.nSpieler; ++i) {
        const QString kennung = naechsterEintrag(rest, QStringLiteral("die Kennung von Spieler"), i + 1);
        // The key names the player's result file in the user folder: it must not lead anywhere else.
        if (kennung.contains(u'/') || kennung.contains(u'\\') || kennung.contains(u':') ||
            kennung.contains(QLatin1String("..")))
            throw Laufzeitfehler(
                QStringLiteral("Die Kennung von Spieler %1 ist kein Dateiname im Benutzerordner").arg(i + 1),
                kennung);
        kontext.spielerKennung[i] = kennung;
    }

    qCDebug(lcRahmen) << "launch list:" << kontext.nSpieler << "players, focus" << kontext.ubixFeldName
                      << "magnifier" << kontext.lupenFlag << "basic vocabulary" << kontext.gwsFlag;
    return true;
}

QString schreibeStartParameter(const StartKontext& kontext) {
    QStringList eintraege{keyVersion + protokollVersion, keyUbix + gefiltertesFeld,
                          keyLupe + (kontext.lupenFlag == falsch ? u'0' : u'1')};
    // The game reads any "GwsFlag=" item as "yes", so "no" is the missing item.
    if (kontext.gwsFlag != falsch)
        eintraege.append(keyGws + u'1');
    eintraege.append(keySpieler + QString::number(kontext.nSpieler));
    for (int i = 0; i < kontext.nSpieler; ++i)
        eintraege.append(kontext.spielerName[i]);
    for (int i = 0; i < kontext.nSpieler; ++i)
        eintraege.append(kontext.spielerKennung[i]);
    return u'"' + eintraege.join(u';') + QStringLiteral(";\"");
}

} // namespace findolin
