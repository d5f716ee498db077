#include "spielordner.h"

#include "dateizugriff.h"
#include "highscores/meisterliste.h"
#include "kern/lesehilfen.h"
#include "kern/startkontext.h"
#include "logging.h"
#include "platform/cp1252.h"
#include "platform/dateisystem.h"
#include "platform/files.h"
#include "platform/laufzeitfehler.h"
#include "rahmen/dateinamen.h"
#include "rahmen/startliste.h"
#include "settings/omnorini.h"
#include "words/bausteinbild.h"
#include <accessdb/dateioeffner.h>

#include <QDir>
#include <QFile>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QTime>

namespace findolin::launcher {

using platform::imOrdner;

QString standardSpielordner() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .absoluteFilePath(QStringLiteral("findolin/omnor"));
}

namespace {

// The framework folder the game folder was filled from is noted beside its files.
const QString herkunftDatei = QStringLiteral(".herkunft");
using rahmen::omnorIni;

[[noreturn]] void nichtSchreibbar(const QString& ordner) {
    throw Laufzeitfehler(
        QStringLiteral("Findolin kann in diesem Ordner nicht schreiben, braucht ihn aber für "
                       "seine Einstellungen, die Meisterliste und die Ergebnisse"),
        QDir::toNativeSeparators(ordner));
}

void pruefeOrdner(const QString& ordner) {
    if (!QDir().mkpath(ordner))
        nichtSchreibbar(ordner);
    QTemporaryFile probe(imOrdner(ordner, QStringLiteral(".probe-XXXXXX")));
    if (!probe.open())
        nichtSchreibbar(ordner);
}

// What the game reads of a framework folder beside the files made ready for each start, as pairs of source
// and name in the game folder.
QList<std::pair<QString, QString>> rahmendateien(const QString& quelle) {
    QList<std::pair<QString, QString>> dateien;
    for (const QString& hilfe : {QStringLiteral("Findolin.chm"), QStringLiteral("Ubix.chm")})
        if (const QString da = findeDatei(imOrdner(quelle, hilfe)); !da.isEmpty())
            dateien.append({da, hilfe});
    for (const QString& unterordner : {QStringLiteral("Sound"), QStringLiteral("Grafik")}) {
        const QString da = findeOrdner(imOrdner(quelle, unterordner));
        if (da.isEmpty())
            continue;
        for (const QString& name : QDir(da).entryList(QDir::Files))
            dateien.append({imOrdner(da, name), unterordner + u'/' + name});
    }
    return dateien;
}

// The framework folder's "Omnor.ini", with the family's settings where the game folder has them.
void uebernimmOmnorIni(const QString& spielordner, const QString& quelle, bool mitEigenen) {
    const QString von = findeDatei(imOrdner(quelle, omnorIni));
    if (von.isEmpty())
        throw Laufzeitfehler(QStringLiteral("Der Ordner enthält keine Konfigurationsdatei"),
                             QDir::toNativeSeparators(imOrdner(quelle, omnorIni)));
    QString text = ausWindows1252(liesDatei(von));
    const QString eigene = imOrdner(spielordner, omnorIni);
    if (mitEigenen && QFileInfo(eigene).isFile() &&
        zeilenVon(ausWindows1252(liesDatei(eigene))).contains(QStringLiteral("[Findolin]"))) {
        Einstellungen einst;
        EinstellFormular formular;
        loadOmnorIni(dateisystem(), Pfade::ausProgrammordner(spielordner), 0, einst, formular);
        text = mitEinstellungen(text, einst);
    }
    schreibeDatei(eigene, nachWindows1252(text));
}

} // namespace

void pruefeSchreibbar(const QString& spielordner) {
    pruefeOrdner(spielordner);
    const QString user = imOrdner(spielordner, rahmen::userOrdner);
    pruefeOrdner(user);
    for (const QString& datei :
         {imOrdner(spielordner, omnorIni), imOrdner(user, QStringLiteral("Meister.mdb"))}) {
        QFile f(datei);
        if (f.exists() && !f.open(QIODevice::ReadWrite))
            nichtSchreibbar(datei);
    }
}

void gleicheAb(const QString& spielordner, const QString& quelle, bool erneuern) {
    const QString herkunft = imOrdner(spielordner, herkunftDatei);
    const QString quellPfad = QDir(quelle).absolutePath();
    const bool vonAnderswo =
        erneuern || !QFileInfo(herkunft).isFile() || QString::fromUtf8(liesDatei(herkunft)) != quellPfad;
    if (vonAnderswo || !QFileInfo(imOrdner(spielordner, omnorIni)).isFile())
        uebernimmOmnorIni(spielordner, quelle, !erneuern);
    int kopiert = 0;
    for (const auto& [von, name] : rahmendateien(quelle)) {
        const QString nach = imOrdner(spielordner, name);
        if (!vonAnderswo && QFileInfo(nach).isFile())
            continue;
        QDir().mkpath(QFileInfo(nach).path());
        kopiereDatei(von, nach);
        ++kopiert;
    }
    if (vonAnderswo)
        schreibeDatei(herkunft, quellPfad.toUtf8());
    qCDebug(lcLauncher) << "game folder" << spielordner << "filled from" << quelle << ":" << kopiert
                        << "files";
}

namespace {

// The practice-focus list with the field names of the chosen record and of the record the game reads
// swapped, written as the framework writes it.
QByteArray listeFuer(const Angebot& angebot, const Schwerpunkt& gewaehlt) {
    QString text;
    for (const Schwerpunkt& s : angebot.schwerpunkte) {
        QString feld = s.feldName;
        if (!s.istUeberschrift() && s.nummer == gewaehlt.nummer)
            feld = gefiltertesFeld;
        else if (feld == gefiltertesFeld)
            feld = gewaehlt.feldName;
        // A title with a comma is quoted, as the field-wise reading expects.
        const QString titel = s.titel.contains(u',') ? u'"' + s.titel + u'"' : s.titel;
        text += titel + u',' + feld + QStringLiteral("\r\n");
    }
    return nachWindows1252(text);
}

// The words of the chosen focus, in the order of the framework's table, with the column LIP_ set, and the
// magnifier spots of the focus.
void schreibeWoerter(const QString& ziel, const Angebot& angebot, const Schwerpunkt& gewaehlt) {
    const auto quelle = oeffneDatenbank(findeDatei(imOrdner(angebot.ordner, QStringLiteral("Omnor-D.mdb"))));
    const QStringList schema{
        QStringLiteral(
            "CREATE TABLE WortListe (RefNr INTEGER, Wort TEXT NOT NULL, Kontext TEXT, GWS BOOLEAN, "
            "%1 BOOLEAN)")
            .arg(gefiltertesFeld),
        QStringLiteral(
            "CREATE TABLE LupenStellen (RefNr INTEGER, ubix INTEGER, vonPos INTEGER, bisPos INTEGER)")};
    legeDatenbankAn(ziel, schema, [&](accessdb::Database& db) {
        const auto woerter = quelle->openRecordset(QStringLiteral("WortListe"))
                                 ->openFiltered(QStringLiteral("[%1]=TRUE").arg(gewaehlt.feldName));
        const auto neueWoerter = db.openRecordset(QStringLiteral("WortListe"));
        QSet<qint64> nummern;
        for (woerter->moveFirst(); !woerter->eof(); woerter->moveNext()) {
            neueWoerter->addNew();
            for (const QString& feld :
                 {QStringLiteral("RefNr"), QStringLiteral("Wort"), QStringLiteral("Kontext")})
                neueWoerter->setField(feld, woerter->field(feld));
            neueWoerter->setField(QStringLiteral("GWS"), angebot.hatGrundwortschatz &&
                                                             woerter->field(QStringLiteral("GWS")).toBool());
            neueWoerter->setField(gefiltertesFeld, true);
            neueWoerter->update();
            nummern.insert(woerter->field(QStringLiteral("RefNr")).toLongLong());
        }
        if (gewaehlt.lupenStellen == 0)
            return;
        const auto stellen = quelle->openRecordset(QStringLiteral("LupenStellen"));
        const auto neueStellen = db.openRecordset(QStringLiteral("LupenStellen"));
        for (stellen->moveFirst(); !stellen->eof(); stellen->moveNext()) {
            if (stellen->field(QStringLiteral("ubix")).toLongLong() != gewaehlt.nummer ||
                !nummern.contains(stellen->field(QStringLiteral("RefNr")).toLongLong()))
                continue;
            neueStellen->addNew();
            for (const QString& feld : {QStringLiteral("RefNr"), QStringLiteral("ubix"),
                                        QStringLiteral("vonPos"), QStringLiteral("bisPos")})
                neueStellen->setField(feld, stellen->field(feld));
            neueStellen->update();
        }
    });
}

} // namespace

void bereiteSchwerpunktVor(const QString& spielordner, const Angebot& angebot,
                           const Schwerpunkt& schwerpunkt) {
    schreibeDatei(imOrdner(spielordner, rahmen::uebungsliste), listeFuer(angebot, schwerpunkt));
    schreibeWoerter(imOrdner(spielordner, QStringLiteral("Omnor-D.mdb")), angebot, schwerpunkt);
    const QString bild = QStringLiteral("Grafik/");
    QDir().mkpath(imOrdner(spielordner, bild));
    kopiereDatei(findeDatei(imOrdner(angebot.ordner, bild + bausteinBildName(schwerpunkt.feldName))),
                 imOrdner(spielordner, bild + bausteinBildName(gefiltertesFeld)));
    qCDebug(lcLauncher).noquote() << "practice focus" << schwerpunkt.titel << "(" << schwerpunkt.feldName
                                  << "number" << schwerpunkt.nummer << schwerpunkt.woerter
                                  << "words) made ready in" << spielordner;
}

void setzeComputer(const QString& spielordner, bool computer) {
    const QString pfad = imOrdner(spielordner, omnorIni);
    Einstellungen einst;
    EinstellFormular formular;
    loadOmnorIni(dateisystem(), Pfade::ausProgrammordner(spielordner), 0, einst, formular);
    if (einst.einstGegenComputer == (computer ? 1 : 0))
        return;
    einst.einstGegenComputer = computer ? 1 : 0;
    schreibeDatei(pfad, nachWindows1252(mitEinstellungen(ausWindows1252(liesDatei(pfad)), einst)));
}

int leereMeisterliste(const QString& spielordner) {
    struct Systemuhr : platform::Clock {
        double secondsSinceMidnight() const override {
            return QTime::currentTime().msecsSinceStartOfDay() / 1e3;
        }
        QDate today() const override { return QDate::currentDate(); }
    } uhr;
    accessdb::DateiOeffner oeffner;
    return MeisterListe(oeffner, uhr, imOrdner(spielordner, QStringLiteral("User/Meister.mdb"))).leere();
}

void legeErgebnisdateienAn(const QString& spielordner, const QStringList& kennungen) {
    const QString user = imOrdner(spielordner, rahmen::userOrdner);
    QDir().mkpath(user);
    for (const QString& kennung : kennungen) {
        const QString datei = imOrdner(user, rahmen::ergebnisDatei(kennung));
        if (QFileInfo::exists(datei))
            continue;
        // made only where none is, and a full disk named
        platform::dateisystem::legeLeerAn(datei,
                                          QStringLiteral("Die Ergebnisdatei lässt sich nicht anlegen"));
        qCDebug(lcLauncher) << "new result file" << datei;
    }
}

} // namespace findolin::launcher
