#include "startwahl.h"

#include "kern/startkontext.h"
#include "platform/laufzeitfehler.h"
#include "rahmen/startliste.h"

#include <QSettings>

namespace findolin::launcher {

QStringList mitspieler(const Startwahl& wahl) {
    QStringList namen;
    for (const QString& name : wahl.spieler)
        if (!name.trimmed().isEmpty())
            namen.append(name.trimmed());
    return namen;
}

QString computerGrund(int kinder) {
    if (kinder > maxKinderMitComputer + 1)
        return QStringLiteral("Bei vier oder mehr Kindern hat der Computer keinen Platz.");
    if (kinder > maxKinderMitComputer)
        return QStringLiteral("Bei drei Kindern kommt der Computer erst im Spiel dazu: Bearbeiten – "
                              "Einstellungen.");
    return {};
}

QStringList spielerliste(const Startwahl& wahl) {
    QStringList namen = mitspieler(wahl);
    if (wahl.computer && computerGrund(int(namen.size())).isEmpty())
        namen.append(computerName);
    return namen;
}

QString pruefeWahl(const Startwahl& wahl) {
    const QStringList namen = mitspieler(wahl);
    if (namen.isEmpty())
        return QStringLiteral("Bitte gib mindestens einen Namen ein.");
    if (namen.size() > maxSpieler)
        return QStringLiteral("Es können höchstens fünf Kinder mitspielen.");
    for (int i = 0; i < namen.size(); ++i) {
        // Every item of the launch list ends with ";", so a name must not hold one.
        if (namen[i].contains(u';'))
            return QStringLiteral("Ein Name darf kein „;“ enthalten: %1").arg(namen[i]);
        for (int j = 0; j < i; ++j)
            if (namen[j].compare(namen[i], Qt::CaseInsensitive) == 0)
                return QStringLiteral("Zwei Kinder heißen „%1“. Bitte gib ihnen verschiedene Namen, zum "
                                      "Beispiel mit dem ersten Buchstaben des Nachnamens.")
                    .arg(namen[i]);
        if (namen[i].compare(computerName, Qt::CaseInsensitive) == 0)
            return QStringLiteral("„Computer“ heißt im Spiel der Computer. Bitte wähle einen anderen Namen.");
    }
    return {};
}

namespace {

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

} // namespace

QStringList spielerKennungen(const QStringList& namen) {
    QStringList kennungen;
    for (int i = 0; i < namen.size(); ++i) {
        const QString kennung = spielerKennung(namen[i], i + 1);
        QString frei = kennung;
        for (int n = 2; kennungen.contains(frei); ++n)
            frei = kennung + QStringLiteral("_%1").arg(n);
        kennungen.append(frei);
    }
    return kennungen;
}

QString baueStartliste(const Startwahl& wahl) {
    if (const QString fehler = pruefeWahl(wahl); !fehler.isEmpty())
        throw Laufzeitfehler(fehler);
    const QStringList namen = spielerliste(wahl);
    const QStringList kennungen = spielerKennungen(namen);
    StartKontext kontext;
    kontext.nSpieler = qint16(namen.size());
    for (int i = 0; i < namen.size(); ++i) {
        kontext.spielerName[i] = namen[i];
        kontext.spielerKennung[i] = kennungen[i];
    }
    kontext.lupenFlag = wahl.lupe ? wahr : falsch;
    kontext.gwsFlag = wahl.grundwortschatz ? wahr : falsch;
    return schreibeStartParameter(kontext);
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
    wahl.computer = einstellungen.value(QStringLiteral("computer"), false).toBool();
    wahl.originalgroesse = einstellungen.value(QStringLiteral("originalgroesse"), false).toBool();
    wahl.rahmenordner = einstellungen.value(QStringLiteral("rahmenordner")).toString();
    return wahl;
}

void merkeWahl(QSettings& einstellungen, const Startwahl& wahl) {
    einstellungen.setValue(QStringLiteral("spieler"), wahl.spieler);
    einstellungen.setValue(QStringLiteral("schwerpunkt"), wahl.schwerpunkt);
    einstellungen.setValue(QStringLiteral("lupe"), wahl.lupe);
    einstellungen.setValue(QStringLiteral("grundwortschatz"), wahl.grundwortschatz);
    einstellungen.setValue(QStringLiteral("computer"), wahl.computer);
    einstellungen.setValue(QStringLiteral("originalgroesse"), wahl.originalgroesse);
    einstellungen.setValue(QStringLiteral("rahmenordner"), wahl.rahmenordner);
    einstellungen.sync();
}

} // namespace findolin::launcher
