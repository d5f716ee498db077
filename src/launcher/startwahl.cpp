#include "startwahl.h"

#include "platform/laufzeitfehler.h"
#include "startup/startkontext.h"

#include <QSettings>

namespace findolin::launcher {

QStringList mitspieler(const Startwahl& wahl) {
    QStringList namen;
    for (const QString& name : wahl.spieler)
        if (!name.trimmed().isEmpty())
            namen.append(name.trimmed());
    return namen;
}

QString pruefeWahl(const Startwahl& wahl) {
    const QStringList namen = mitspieler(wahl);
    if (namen.isEmpty())
        return QStringLiteral("Bitte gib mindestens einen Namen ein.");
    if (namen.size() > maxSpieler)
        return QStringLiteral("Es können höchstens fünf Kinder mitspielen.");
    // Every item of the launch list ends with ";", so a name must not hold one.
    for (const QString& name : namen)
        if (name.contains(u';'))
            return QStringLiteral("Ein Name darf kein \";\" enthalten: %1").arg(name);
    return {};
}

QString spielerKennung(const QString& name, int nummer) {
    QString aufgeloest;
    for (const QChar c : name.toLower()) {
        if (c == u'ä')
            aufgeloest += QStringLiteral("ae");
        else if (c == u'ö')
            aufgeloest += QStringLiteral("oe");
        else if (c == u'ü')
            aufgeloest += QStringLiteral("ue");
        else if (c == u'ß')
            aufgeloest += QStringLiteral("ss");
        else
            aufgeloest += c;
    }
    // "é" becomes "e" and its accent, which is then dropped like every other sign.
    QString kennung;
    for (const QChar c : aufgeloest.normalized(QString::NormalizationForm_KD)) {
        if ((c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9'))
            kennung += c;
        else if (!c.isMark() && !kennung.isEmpty() && !kennung.endsWith(u'_'))
            kennung += u'_';
    }
    while (kennung.endsWith(u'_'))
        kennung.chop(1);
    return kennung.isEmpty() ? QStringLiteral("spieler%1").arg(nummer) : kennung;
}

Schwerpunkt waehleSchwerpunkt(const QList<Schwerpunkt>& liste, const QString& titel) {
    const Schwerpunkt* erster = nullptr;
    const Schwerpunkt* wortfilter = nullptr;
    for (const Schwerpunkt& s : liste) {
        if (s.istUeberschrift())
            continue;
        if (s.titel == titel && s.wirdGeuebt())
            return s;
        if (!erster)
            erster = &s;
        if (!wortfilter && s.wirdGeuebt())
            wortfilter = &s;
    }
    return wortfilter ? *wortfilter : erster ? *erster : Schwerpunkt{};
}

QString baueStartliste(const Startwahl& wahl, const Schwerpunkt& schwerpunkt) {
    if (const QString fehler = pruefeWahl(wahl); !fehler.isEmpty())
        throw Laufzeitfehler(fehler);
    const QStringList namen = mitspieler(wahl);
    QString feldName = schwerpunkt.feldName;
    feldName.remove(u';');
    QStringList eintraege{QStringLiteral("Version=4"), QStringLiteral("UbixFeldName=") + feldName,
                          QStringLiteral("LupenFlag=%1").arg(wahl.lupe ? 1 : 0)};
    // The game reads any "GwsFlag=" item as "yes", so "no" is the missing item.
    if (wahl.grundwortschatz)
        eintraege.append(QStringLiteral("GwsFlag=1"));
    eintraege.append(QStringLiteral("nSpieler=%1").arg(namen.size()));
    eintraege.append(namen);
    for (int i = 0; i < namen.size(); ++i)
        eintraege.append(spielerKennung(namen[i], i + 1));
    return u'"' + eintraege.join(u';') + QStringLiteral(";\"");
}

namespace {
QString vorgabeName() {
    QString name = qEnvironmentVariable("USER", qEnvironmentVariable("USERNAME"));
    if (name.isEmpty())
        return QStringLiteral("Spieler");
    name[0] = name[0].toUpper();
    return name;
}
} // namespace

Startwahl ladeWahl(const QSettings& einstellungen) {
    Startwahl wahl;
    wahl.spieler = einstellungen.value(QStringLiteral("spieler"), QStringList{vorgabeName()}).toStringList();
    wahl.schwerpunkt = einstellungen.value(QStringLiteral("schwerpunkt")).toString();
    wahl.lupe = einstellungen.value(QStringLiteral("lupe"), true).toBool();
    wahl.grundwortschatz = einstellungen.value(QStringLiteral("grundwortschatz"), false).toBool();
    wahl.rahmenordner = einstellungen.value(QStringLiteral("rahmenordner")).toString();
    return wahl;
}

void merkeWahl(QSettings& einstellungen, const Startwahl& wahl) {
    einstellungen.setValue(QStringLiteral("spieler"), wahl.spieler);
    einstellungen.setValue(QStringLiteral("schwerpunkt"), wahl.schwerpunkt);
    einstellungen.setValue(QStringLiteral("lupe"), wahl.lupe);
    einstellungen.setValue(QStringLiteral("grundwortschatz"), wahl.grundwortschatz);
    einstellungen.setValue(QStringLiteral("rahmenordner"), wahl.rahmenordner);
    einstellungen.sync();
}

} // namespace findolin::launcher
