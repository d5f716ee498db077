#include "rahmenordner.h"

#include "dateizugriff.h"
#include "logging.h"
#include "platform/cp1252.h"
#include "platform/files.h"
#include "platform/laufzeitfehler.h"
#include "rahmen/dateinamen.h"
#include "rahmen/startliste.h"
#include "rahmen/uebungsliste.h"
#include "words/bausteinbild.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

namespace findolin::launcher {

Installation Installation::neben(const QString& launcherOrdner) {
    const QDir ordner(launcherOrdner);
    const QString installiert = ordner.absoluteFilePath(QStringLiteral("../libexec/findolin/findolin"));
    if (QFileInfo::exists(installiert))
        return {QDir::cleanPath(installiert),
                QDir::cleanPath(ordner.absoluteFilePath(QStringLiteral("../share/findolin/omnor")))};
#ifdef Q_OS_WIN
    // Unpacked from the Windows zip, the game lies beside the launcher and the demo folder below it.
    if (const QString daneben = ordner.absoluteFilePath(QStringLiteral("findolin.exe"));
        QFileInfo::exists(daneben))
        return {daneben, ordner.absoluteFilePath(QStringLiteral("omnor"))};
    const QString spiel = QStringLiteral("omnor/findolin.exe");
#else
    const QString spiel = QStringLiteral("omnor/findolin");
#endif
    return {ordner.absoluteFilePath(spiel), ordner.absoluteFilePath(QStringLiteral("omnor"))};
}

namespace {

QList<Schwerpunkt> leseListe(const QString& ordner) {
    const QString pfad = platform::imOrdner(ordner, rahmen::uebungsliste);
    const QString datei = findeDatei(pfad);
    if (datei.isEmpty())
        throw Laufzeitfehler(QStringLiteral("Der Ordner enthält keine Liste der Übungsschwerpunkte"),
                             QDir::toNativeSeparators(pfad));
    Uebungsliste liste(ausWindows1252(liesDatei(datei)), QDir::toNativeSeparators(datei));
    QList<Schwerpunkt> schwerpunkte;
    while (!liste.amEnde()) {
        const Uebungseintrag eintrag = liste.naechster();
        Schwerpunkt s;
        s.titel = eintrag.titel;
        s.feldName = eintrag.feldName;
        s.nummer = eintrag.nummer;
        schwerpunkte.append(s);
    }
    return schwerpunkte;
}

// How many magnifier spots each focus has, by its number.
QHash<qint64, int> zaehleLupenStellen(accessdb::Database& db) {
    QHash<qint64, int> anzahl;
    if (!db.tableNames().contains(QStringLiteral("LupenStellen"), Qt::CaseInsensitive))
        return anzahl;
    const auto stellen = db.openRecordset(QStringLiteral("LupenStellen"));
    if (stellen->recordCount() == 0)
        return anzahl;
    for (stellen->moveFirst(); !stellen->eof(); stellen->moveNext())
        ++anzahl[stellen->field(QStringLiteral("ubix")).toLongLong()];
    return anzahl;
}

void zaehleWoerter(const Angebot& angebot, accessdb::Recordset& woerter, const QStringList& felder,
                   Schwerpunkt& s) {
    const bool hatSpalte = !s.feldName.isEmpty() && felder.contains(s.feldName, Qt::CaseInsensitive);
    if (!hatSpalte)
        return;
    const QString filter = QStringLiteral("[%1]=TRUE").arg(s.feldName);
    s.woerter = woerter.openFiltered(filter)->recordCount();
    if (angebot.hatGrundwortschatz)
        s.gwsWoerter = woerter.openFiltered(QStringLiteral("GWS=TRUE AND ") + filter)->recordCount();
}

} // namespace

Angebot leseAngebot(const QString& ordner) {
    Angebot angebot{ordner, leseListe(ordner), false};
    const QString pfad = platform::imOrdner(ordner, QStringLiteral("Omnor-D.mdb"));
    const QString datei = findeDatei(pfad);
    if (datei.isEmpty())
        throw Laufzeitfehler(QStringLiteral("Der Ordner enthält keine Wortdatenbank"),
                             QDir::toNativeSeparators(pfad));
    const auto db = oeffneDatenbank(datei);
    const auto woerter = db->openRecordset(QStringLiteral("WortListe"));
    const QStringList felder = woerter->fieldNames();
    angebot.hatGrundwortschatz = felder.contains(QStringLiteral("GWS"), Qt::CaseInsensitive);
    const QHash<qint64, int> lupen = zaehleLupenStellen(*db);
    for (Schwerpunkt& s : angebot.schwerpunkte) {
        if (s.istUeberschrift())
            continue;
        zaehleWoerter(angebot, *woerter, felder, s);
        s.lupenStellen = lupen.value(s.nummer);
        const QString bild = QStringLiteral("Grafik/") + bausteinBildName(s.feldName);
        if (s.woerter == 0)
            s.grund = QStringLiteral("keine Wörter dafür in Omnor-D.mdb");
        else if (findeDatei(platform::imOrdner(ordner, bild)).isEmpty())
            s.grund = QStringLiteral("das Bild %1 fehlt").arg(bild);
    }
    qCDebug(lcLauncher) << "practice foci of" << ordner << "read";
    return angebot;
}

const Schwerpunkt* Angebot::spielbarer(const QString& titel) const {
    for (const Schwerpunkt& s : schwerpunkte)
        if (s.spielbar() && s.titel.compare(titel.trimmed(), Qt::CaseInsensitive) == 0)
            return &s;
    return nullptr;
}

const Schwerpunkt* Angebot::waehle(const QString& titel) const {
    if (const Schwerpunkt* s = spielbarer(titel))
        return s;
    const Schwerpunkt* erster = nullptr;
    for (const Schwerpunkt& s : schwerpunkte) {
        if (!s.spielbar())
            continue;
        if (s.feldName == gefiltertesFeld)
            return &s;
        if (!erster)
            erster = &s;
    }
    return erster;
}

QString grundwortschatzGrund(const Angebot& angebot, const Schwerpunkt& schwerpunkt) {
    if (!angebot.hatGrundwortschatz)
        return QStringLiteral("Die Wortdatenbank kennt keinen Grundwortschatz.");
    if (schwerpunkt.gwsWoerter == 0)
        return QStringLiteral("Zu diesem Schwerpunkt gibt es keine Wörter aus dem Grundwortschatz.");
    return {};
}

QString lupenGrund(const Schwerpunkt& schwerpunkt) {
    if (schwerpunkt.lupenStellen == 0)
        return QStringLiteral("Zu diesem Schwerpunkt sind keine Lupenstellen eingetragen.");
    return {};
}

} // namespace findolin::launcher
