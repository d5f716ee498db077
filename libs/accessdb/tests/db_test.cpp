#include "accesstage.h"
#include "ausdruck.h"
#include "db_sqlite_hilfen.h"
#include "jetleser.h"
#include "platform/laufzeitfehler.h"
#include "testdata.h"
#include <accessdb/dateioeffner.h>

#include <QDateTime>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QtEndian>
#include <cmath>

using namespace findolin;
using namespace findolin::accessdb;

namespace {

// A field value as `mdb-export -Q -0 ~ -b strip` writes it, yes/no fields as J and N, dates as ISO 8601.
QString text(const Wert& w) {
    return w.isNull()                            ? QStringLiteral("~")
           : w.typeId() == QMetaType::Bool       ? QString(w.toBool() ? u'J' : u'N')
           : w.typeId() == QMetaType::QDateTime  ? w.toDateTime().toString(Qt::ISODate)
           : w.typeId() == QMetaType::QByteArray ? QString()
                                                 : w.toString();
}

// Every row of a cursor from its first one: the texts of `felder` (all fields when empty), joined by commas.
QStringList zeilen(Recordset& rs, QStringList felder = {}) {
    if (felder.isEmpty())
        felder = rs.fieldNames();
    QStringList ergebnis;
    for (rs.recordCount() > 0 ? rs.moveFirst() : void(); !rs.eof(); rs.moveNext()) {
        QStringList werte;
        for (const QString& feld : felder)
            werte.append(text(rs.field(feld)));
        ergebnis.append(werte.join(u','));
    }
    return ergebnis;
}

QString laufe(const QString& programm, const QStringList& argumente) {
    QProcess p;
    p.start(programm, argumente);
    return p.waitForFinished(60000) && p.exitCode() == 0 ? QString::fromUtf8(p.readAllStandardOutput())
                                                         : QString();
}

// The run-time error `tue` ends in: its problem and the file it names; empty when there is none.
template <typename Tue> QStringList fehlerVon(Tue tue) {
    try {
        tue();
    } catch (const Laufzeitfehler& e) {
        return {e.problem(), e.betroffen()};
    }
    return {};
}

} // namespace

// The database layer: the expression evaluator, the Access files of a framework, public Access files against
// mdb-export, SQLite files, and broken files, which are run-time errors naming the problem and the file.
class DbTest : public QObject {
    Q_OBJECT

    QTemporaryDir ordner;
    const QString omnor = testdataFile("access/Omnor-D.mdb");
    const QString sqliteWorte = ordner.filePath("Worte.sqlite"); // 300 made-up words, made by fehler_data

    QString schreibe(const QString& name, const QByteArray& inhalt) {
        QFile f(ordner.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write(inhalt);
        return f.fileName();
    }

    static QByteArray inhalt(const QString& pfad) {
        QFile f(pfad);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private slots:
    // Filters and criteria as the game and the high-score list write them, evaluated on one row.
    void ausdruck_data() {
        QTest::addColumn<bool>("trifftZu");
        QTest::newRow("GWS=FALSE") << true;
        QTest::newRow("not gws=true") << true;
        QTest::newRow("NOT LIP_") << false;
        QTest::newRow("RefNr>-5") << true;
        QTest::newRow("Punkte>=1.5 AND Punkte<=2") << true;
        QTest::newRow("Wort=\"Biene\"") << true;
        QTest::newRow("Wort='Bie''ne'") << false;
        QTest::newRow("[Wort] = 'Biene'") << true;
        QTest::newRow("(LIP_=TRUE OR GWS=TRUE) AND GWS=TRUE") << false;
        QTest::newRow("LIP_=TRUE OR LIP_=TRUE AND GWS=TRUE") << true;
        // A comparison with Null is neither true nor false.
        QTest::newRow("NOT Kontext='die'") << false;
        QTest::newRow("Kontext='die' OR LIP_") << true;
        QTest::newRow("GWS or RefNr<>57 or Kontext='die'") << false;
        QTest::newRow("Kontext IS NULL") << true;
        QTest::newRow("Wort IS NOT NULL AND Kontext IS NOT NULL") << false;
        // Dates count as days since 30 December 1899, also where a cursor looks a value up.
        QTest::newRow("Datum=45352.5") << true;
        QTest::newRow("Datum>45352 AND Datum<45353") << true;
    }
    // Evaluated on one row, and found by a cursor over a table of that row.
    void ausdruck() {
        QFETCH(bool, trifftZu);
        const QStringList felder{"RefNr", "Wort", "Kontext", "GWS", "LIP_", "Punkte", "Datum"};
        const QDateTime datum(QDate(2024, 3, 1), QTime(12, 0));
        const QList<Wert> zeile{qint64(57), QStringLiteral("Biene"), Wert(), false, true, 1.5, datum};
        QCOMPARE(Ausdruck::uebersetze(QTest::currentDataTag(), felder, "x.mdb").trifftZu(zeile), trifftZu);
        const QString pfad = ordner.filePath("Zeile.sqlite");
        if (!QFileInfo::exists(pfad))
            SqliteDatei(pfad).sql("CREATE TABLE Zeile (RefNr INTEGER, Wort TEXT, Kontext TEXT, GWS BOOLEAN, "
                                  "LIP_ BOOLEAN, Punkte REAL, Datum DATETIME); INSERT INTO Zeile VALUES "
                                  "(57, 'Biene', NULL, 0, 1, 1.5, '" +
                                  datum.toString(Qt::ISODate) + "')");
        auto rs = DateiOeffner().open(pfad)->openRecordset("Zeile");
        rs->findFirst(QTest::currentDataTag());
        QCOMPARE(!rs->noMatch(), trifftZu);
    }
    // Access's day numbers both ways; a number that is no date (a damaged file) gives no date.
    void accessTage_data() {
        QTest::addColumn<double>("tage");
        QTest::addColumn<QDateTime>("datum");
        QTest::newRow("the zero day") << 0.0 << QDateTime(QDate(1899, 12, 30), QTime(0, 0));
        QTest::newRow("before it, time forward") << -1.25 << QDateTime(QDate(1899, 12, 29), QTime(6, 0));
        QTest::newRow("noon") << 45352.5 << QDateTime(QDate(2024, 3, 1), QTime(12, 0));
        QTest::newRow("far away") << -3.05631e+33 << QDateTime();
        QTest::newRow("not a number") << std::nan("") << QDateTime();
    }
    void accessTage() {
        QFETCH(double, tage);
        QFETCH(QDateTime, datum);
        QCOMPARE(ausAccessTagen(tage), datum);
        if (datum.isValid())
            QCOMPARE(alsAccessTage(datum), tage);
    }
    // Chains as long as the length limit allows, and nesting up to its limit, are evaluated, even on a stack
    // of a Windows main thread's size.
    void ausdruck_lange_ketten() {
        QList<bool> ergebnisse;
        std::unique_ptr<QThread> faden(QThread::create([&] {
            for (const QString& text :
                 {QString("A AND ").repeated(10600) + "A", QString("A AND ").repeated(10600) + "B",
                  QString("B OR ").repeated(12000) + "NOT B",
                  QString("(").repeated(50) + QString("NOT ").repeated(50) + "A" + QString(")").repeated(50)})
                ergebnisse << Ausdruck::uebersetze(text, {"A", "B"}, "x.mdb").trifftZu({true, false});
        }));
        faden->setStackSize(1024 * 1024);
        faden->start();
        faden->wait();
        QCOMPARE(ergebnisse, (QList<bool>{true, false, true, true}));
    }

    // The spelling database as a real framework installation holds it, an Access 2000 file, and the
    // high-score list's query: one program's entries, the highest first, equal points in table order. Access
    // files marked read-only, as the shared test files are, are only read.
    void access_dateien() {
        REQUIRE_TESTDATA("access/Omnor-D.mdb");
        REQUIRE_TESTDATA("access/Meister.mdb");
        auto omnorD = DateiOeffner().open(omnor);
        auto rs = omnorD->openRecordset("WortListe");
        QCOMPARE(rs->fieldNames().join(u','), QStringLiteral("RefNr,Wort,Kontext,GWS,IE__,CK__,LIP_,TZ12"));
        const QStringList woerter{
            "1,Biene,die,J,J,N,J,N",    "2,Brief,der,J,J,N,J,N",   "3,Decke,die,J,N,J,J,N",
            "4,Zucker,der,N,N,J,J,N",   "5,Katze,die,J,N,N,J,J",   "6,Mama,~,J,N,N,J,N",
            "7,rennen,~,N,N,N,J,N",     "8,Straße,die,N,N,N,J,N",  "9,Haus,das,J,N,N,N,N",
            "10,Spiegel,der,N,J,N,J,N", "11,Schiff,das,J,N,N,J,N", "12,Donaudampfschifffahrt,die,N,N,N,J,N",
            "13,Fenster,das,J,N,N,N,N", "14,Igel,der,J,N,N,J,N",   "15,Stück,das,N,N,J,J,N",
            "16,Uhr,die,J,N,N,J,N",     "17,Mütze,die,J,N,N,N,J",  "18,Käse,der,J,N,N,J,N"};
        QCOMPARE(zeilen(*rs), woerter);
        // Texts sort without regard to case.
        rs = omnorD->openRecordset("SELECT * FROM WortListe WHERE RefNr < 9 ORDER BY Wort");
        QCOMPARE(zeilen(*rs, {"Wort"}),
                 QStringList({"Biene", "Brief", "Decke", "Katze", "Mama", "rennen", "Straße", "Zucker"}));
        auto meister = DateiOeffner().open(testdataFile("access/Meister.mdb"));
        rs = meister->openRecordset("SELECT * FROM Punkte WHERE Programm='Findolin' ORDER BY [Punkte] DESC");
        QCOMPARE(zeilen(*rs, {"Punkte", "Name"}),
                 QStringList({"1210,Anna", "610,Ida-Marie von Hohenstein", "420,Anna", "380,Clara Sophie",
                              "300,Gül", "150,Ben", "75,Dominik", "50,Fritz", "50,Hannes"}));
        for (const auto schreibt : {&Recordset::addNew, &Recordset::edit, &Recordset::deleteCurrent}) {
            const QStringList f = fehlerVon([&] { (rs.get()->*schreibt)(); });
            QVERIFY2(f.value(0).contains("nur gelesen") && f.value(1) == meister->fileName(),
                     qPrintable(f.join(" | ")));
        }
        QCOMPARE(rs->recordCount(), 9);
    }

    // A cursor moves, finds, adds and deletes as a data control does, and stops with a run-time error where
    // that one does; a SQLite file keeps what was written.
    void cursor() {
        const QString pfad = ordner.filePath("Meister.sqlite");
        SqliteDatei(pfad).sql("CREATE TABLE Punkte (Name TEXT, Punkte INTEGER, Neu BOOLEAN)");
        {
            auto db = DateiOeffner().open(pfad);
            QVERIFY(!db->isReadOnly());
            auto rs = db->openRecordset("punkte");
            QVERIFY(rs->bof() && rs->eof());
            QVERIFY_THROWS_EXCEPTION(Laufzeitfehler, rs->moveFirst());
            for (const auto& [name, punkte] : std::initializer_list<std::pair<const char*, int>>{
                     {"Zoë", 77}, {"Otto", 10}, {"Fritz", 50}, {"Hannes", 50}, {"Ida", 610}}) {
                rs->addNew();
                rs->setField("name", name);
                rs->setField("Punkte", punkte);
                rs->setField("neu", punkte < 50);
                rs->update();
                if (rs->recordCount() == 1)
                    rs->moveFirst();
            }
            QCOMPARE(rs->absolutePosition(), 0); // new rows go to the end, the current row stays
            QVERIFY_THROWS_EXCEPTION(Laufzeitfehler, rs->field("Namen"));
            QVERIFY_THROWS_EXCEPTION(Laufzeitfehler, rs->setField("Punkte", 1)); // nothing added or edited
            auto f = rs->openFiltered("Punkte >= 50");
            QCOMPARE(f->absolutePosition(), 0);
            QCOMPARE(zeilen(*f, {"name"}), QStringList({"Zoë", "Fritz", "Hannes", "Ida"}));
            QCOMPARE(f->absolutePosition(), -1);
            QVERIFY_THROWS_EXCEPTION(Laufzeitfehler, f->field("Name"));
            QVERIFY_THROWS_EXCEPTION(Laufzeitfehler, f->moveNext());
            f->moveFirst();
            f->move(3); // the 4th row: t = 4 from position 0 moves by 4 - 0 - 1
            QCOMPARE(f->field("Name").toString(), QStringLiteral("Ida"));
            f->findFirst("punkte= 50"); // looked up in an index of the cursor's rows: the first of two
            QCOMPARE(f->absolutePosition(), 1);
            for (const char* kriterium : {"Punkte=10", "Punkte=50 AND Neu", "Name='Otto'"}) {
                f->findFirst(kriterium); // none among these rows: the cursor stays
                QVERIFY(f->noMatch() && f->absolutePosition() == 1);
            }
            f->findFirst("Name='ida'");
            QCOMPARE(f->absolutePosition(), 3);
            QVERIFY(fehlerVon([&] { f->findFirst("Nummer=3"); }).value(0).contains("Unbekanntes Feld"));
            f->move(-5);
            QVERIFY(f->bof());
            QVERIFY_THROWS_EXCEPTION(Laufzeitfehler, f->move(1));
            QVERIFY_THROWS_EXCEPTION(Laufzeitfehler, f->movePrevious());
            f->moveLast();
            f->movePrevious();
            QCOMPARE(f->field("Name").toString(), QStringLiteral("Hannes"));
            f->move(100);
            QVERIFY(f->eof());
            rs->move(1);
            rs->edit();
            rs->setField("Punkte", QVariant());
            rs->update();
            rs->edit();
            rs->setField("Punkte", 999);
            rs->cancelUpdate();
            QVERIFY(rs->field("Punkte").isNull());
            rs->findFirst("Punkte=50 AND NOT Neu"); // the first of two, row by row
            rs->deleteCurrent();
            QCOMPARE(rs->absolutePosition(), -1);
            QVERIFY_THROWS_EXCEPTION(Laufzeitfehler, rs->field("Name"));
            rs->moveNext();
            QCOMPARE(rs->field("Name").toString(), QStringLiteral("Hannes"));
        }
        QCOMPARE(zeilen(*DateiOeffner().open(pfad)->openRecordset("Punkte")),
                 QStringList({"Zoë,77,N", "Otto,~,J", "Hannes,50,N", "Ida,610,N"}));
    }

    // A row of an Access file carries its place in the file as its key, (data page << 8) | row index, so a
    // writer can go back to it: there, the page's row offset table leads to the row's bytes.
    void access_zeilenschluessel() {
        REQUIRE_TESTDATA("access/Omnor-D.mdb");
        struct Puffer : jet::Ausgabe {
            QByteArray strom;
            void schreibe(const void* d, size_t n) override { strom.append(static_cast<const char*>(d), n); }
        } puffer;
        jet::spielLeser()(QFile::encodeName(omnor).constData(), "WortListe", puffer);
        const auto tabelle = jet::tabelleAus(puffer.strom, "WortListe", omnor);
        const QByteArray mdb = inhalt(omnor);
        QCOMPARE(tabelle->zeilen.size(), size_t(18));
        for (const ZeilePtr z : tabelle->zeilen) {
            const QByteArray seite = mdb.mid((tabelle->schluessel(z) >> 8) * 4096, 4096);
            const int index = int(tabelle->schluessel(z) & 0xff);
            QCOMPARE(seite.at(0), '\1'); // a data page
            const auto versatz = [&](int i) {
                return qFromLittleEndian<quint16>(seite.constData() + 14 + 2 * i) & 0x1fff;
            };
            const QByteArray zeile =
                seite.mid(versatz(index), (index == 0 ? 4096 : versatz(index - 1)) - versatz(index));
            const QString wort = tabelle->wert(z, 1).toString();
            QVERIFY2(zeile.contains(QByteArray(reinterpret_cast<const char*>(wort.utf16()), wort.size() * 2)),
                     qPrintable(wort));
        }
    }

    // Reading the source whole ends in a run-time error that names the file.
    void fehler_data() {
        QTest::addColumn<QString>("pfad");
        QTest::addColumn<QString>("quelle");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("problem");
        const auto zeile = [](const char* name, const QString& pfad, const char* problem,
                              const char* quelle = "WortListe", const char* filter = "") {
            QTest::newRow(name) << pfad << quelle << filter << problem;
        };
        const auto jet = [](char version) {
            return QByteArray("\0\1\0\0Standard Jet DB\0", 20) + version + QByteArray(3 * 4096 - 21, '\0');
        };
        SqliteDatei(sqliteWorte)
            .sql(QString(wortListeSchema) +
                 "; WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 300) "
                 "INSERT INTO WortListe SELECT i, 'Wort' || i, NULL, 1, 0, 0, 1, 0 FROM n");
        const QByteArray mdb = inhalt(omnor), sqlite = inhalt(sqliteWorte);
        zeile("missing", ordner.filePath("fehlt.mdb"), "fehlt");
        zeile("empty", schreibe("leer.mdb", {}), "keine Datenbank");
        zeile("future Jet version", schreibe("jet5.mdb", jet(3)), "keine Datenbank");
        zeile("Jet file cut inside a page", schreibe("halb.mdb", jet(1).chopped(100)), "unvollständig");
        zeile("Jet file of one page", schreibe("seite.mdb", jet(1).left(4096)), "unvollständig");
        zeile("SQLite cut inside a page", schreibe("s2.mdb", sqlite.left(sqlite.size() / 2 + 7)), "");
        zeile("missing SQLite table", sqliteWorte, "Tabelle „Woerter“ fehlt", "Woerter");
        if (!mdb.isEmpty())
            zeile("missing Access table", omnor, "Tabelle „Woerter“ fehlt", "Woerter");
        zeile("query ordered by a missing field", sqliteWorte, "Unbekanntes Feld „Punkte“",
              "SELECT * FROM WortListe ORDER BY Punkte");
        zeile("query not understood", sqliteWorte, "Abfrage", "SELECT Wort FROM WortListe");
        // Filters the game cannot use, named by the filter itself.
        for (const auto& [filter, problem] : std::initializer_list<std::pair<const char*, const char*>>{
                 {"  ", "Leerer Ausdruck"},
                 {"RefNr=", "Wert erwartet"},
                 {"AND LIP_=TRUE", "Wert erwartet"},
                 {"(LIP_=TRUE", "Klammer"},
                 {"Wort='Bie", "abgeschlossener Text"},
                 {"LIP_=TRUE GWS", "Unerwartetes"},
                 {"LIP_ ? TRUE", "Unerwartetes Zeichen"},
                 {"Wort=5", "Unverträgliche Datentypen"}})
            zeile(filter, sqliteWorte, problem, "WortListe", filter);
        // Nesting that would exhaust the stack is refused by name, at any depth beyond the limit.
        static const QByteArray klammern = QByteArray(3000, '(') + "LIP_" + QByteArray(3000, ')');
        static const QByteArray nots = QByteArray("NOT ").repeated(10000) + "LIP_";
        static const QByteArray lang = QByteArray("LIP_ AND ").repeated(8000) + "LIP_";
        zeile("3000 parentheses", sqliteWorte, "zu tief", "WortListe", klammern.constData());
        zeile("10000 NOTs", sqliteWorte, "zu tief", "WortListe", nots.constData());
        zeile("72000 characters", sqliteWorte, "zu lang", "WortListe", lang.constData());
    }
    void fehler() {
        QFETCH(QString, pfad);
        QFETCH(QString, quelle);
        QFETCH(QString, filter);
        QFETCH(QString, problem);
        const QStringList f = fehlerVon([&] {
            auto rs = DateiOeffner().open(pfad)->openRecordset(quelle);
            zeilen(filter.isEmpty() ? *rs : *rs->openFiltered(filter));
        });
        QVERIFY2(f.value(0).contains(problem) && f.value(1) == pfad, qPrintable(f.join(" | ")));
    }

    // Cut at a page boundary, a file may still hold every page a table needs; then it reads whole, otherwise
    // it is a run-time error, never a crash and never a part of the rows.
    void access_an_jeder_seitengrenze_abgeschnitten() {
        REQUIRE_TESTDATA("access/Omnor-D.mdb");
        const QByteArray mdb = inhalt(omnor);
        int fehler = 0;
        for (qsizetype laenge = 2 * 4096; laenge < mdb.size(); laenge += 4096) {
            const QString pfad = schreibe(QStringLiteral("cut%1.mdb").arg(laenge), mdb.left(laenge));
            const QStringList f = fehlerVon([&] {
                auto db = DateiOeffner().open(pfad);
                QCOMPARE(zeilen(*db->openRecordset("WortListe")).size(), 18);
                QCOMPARE(zeilen(*db->openRecordset("LupenStellen")).size(), 22);
            });
            QVERIFY2(f.isEmpty() || f.value(1) == pfad, qPrintable(f.join(" | ")));
            fehler += !f.isEmpty();
        }
        QVERIFY(fehler > 0);
    }

    // A damaged catalog sends libmdb round in circles; the reading ends within its limits in a run-time error
    // naming the file, and what libmdb writes meanwhile is logged once instead of reaching the terminal.
    void access_verzeichnis_beschaedigt_data() {
        QTest::addColumn<quint16>("art");
        QTest::addColumn<int>("sekunden");
        QTest::addColumn<QString>("problem");
        // the memory limit is reached long before the time limit
        QTest::newRow("property record of length 0: memory grows")
            << quint16(0) << 30 << "als 64 MiB Speicher";
        QTest::newRow("unknown record of length 0: endless warnings")
            << quint16(5) << 1 << "mehr als 1 Sekunden Rechenzeit";
    }
    void access_verzeichnis_beschaedigt() {
        QFETCH(quint16, art);
        QFETCH(int, sekunden);
        QFETCH(QString, problem);
        REQUIRE_TESTDATA("access/Omnor-D.mdb");
        if (!jet::libmdbLeser)
            QSKIP("the damage lies where libmdb reads and our own page reader does not (the catalog's "
                  "properties); without fork() there is no child process to limit");
        // the second record of the first property block in the catalog gets the length 0
        QByteArray mdb = inhalt(omnor);
        const qsizetype block = mdb.indexOf(QByteArray("MR2\0", 4));
        QVERIFY(block > 0);
        const qsizetype zweiter = block + 4 + qFromLittleEndian<quint32>(mdb.constData() + block + 4);
        qToLittleEndian<quint32>(0, mdb.data() + zweiter);
        qToLittleEndian<quint16>(art, mdb.data() + zweiter + 4);
        const QString pfad = schreibe(QStringLiteral("katalog%1.mdb").arg(art), mdb);
        if (art != 0)
            QTest::ignoreMessage(QtWarningMsg,
                                 QRegularExpression("^libmdb wrote \\d+ lines .*Unknown record"));
        const QStringList f = fehlerVon([&] { DateiOeffner(Lesegrenzen{sekunden, 64}).open(pfad); });
        QVERIFY2(f.value(0).contains("beschädigt") && f.value(0).contains(problem) && f.value(1) == pfad,
                 qPrintable(f.join(" | ")));
    }

    // Our own page reader, which reads Access files where libmdb is not at hand (Windows), gives every real
    // file exactly as libmdb does: the same tables, fields, kinds, row keys and values. Text, memos spread
    // over several pages, currency, dates, deleted rows and both Jet versions are among them.
    void seitenleser_wie_libmdb_data() {
        QTest::addColumn<QString>("datei");
        REQUIRE_TESTDATA("mdb-public");
        for (const char* ordner : {"mdb-public", "access"}) {
            const QDir dir(testdataFile(ordner));
            for (const QString& name : dir.entryList({"*.mdb"}, QDir::Files, QDir::Name))
                QTest::newRow(qPrintable(name)) << dir.filePath(name);
        }
    }
    void seitenleser_wie_libmdb() {
        QFETCH(QString, datei);
        if (!jet::libmdbLeser)
            QSKIP("this build has no libmdb to compare with: its own page reader is the one it uses");
        struct Puffer : jet::Ausgabe {
            QByteArray strom;
            void schreibe(const void* d, size_t n) override { strom.append(static_cast<const char*>(d), n); }
        };
        const QByteArray pfad = QFile::encodeName(datei);
        const auto strom = [&](jet::Lesefunktion lies, const char* tabelle) {
            Puffer p;
            lies(pfad.constData(), tabelle, p);
            return p.strom;
        };
        const QStringList tabellen = jet::tabellenAus(strom(jet::libmdbLeser, nullptr), datei);
        QCOMPARE(jet::tabellenAus(strom(jet::liesSeiten, nullptr), datei), tabellen);
        for (const QString& name : tabellen) {
            const QByteArray n = name.toUtf8();
            const auto soll = jet::tabelleAus(strom(jet::libmdbLeser, n.constData()), name, datei);
            const auto ist = jet::tabelleAus(strom(jet::liesSeiten, n.constData()), name, datei);
            QCOMPARE(ist->felder, soll->felder);
            QCOMPARE(ist->arten, soll->arten);
            QCOMPARE(ist->zeilen.size(), soll->zeilen.size());
            for (size_t z = 0; z < soll->zeilen.size(); ++z) {
                const Zeile a = ist->zeile(ist->zeilen[z]), b = soll->zeile(soll->zeilen[z]);
                QCOMPARE(a.schluessel, b.schluessel);
                for (int f = 0; f < b.werte.size(); ++f)
                    QVERIFY2(a.werte[f] == b.werte[f],
                             qPrintable(QStringLiteral("%1, row %2, %3: %4 instead of %5")
                                            .arg(name)
                                            .arg(z)
                                            .arg(soll->felder[f], text(a.werte[f]), text(b.werte[f]))));
            }
        }
    }

    void mdb_export_data() {
        QTest::addColumn<QString>("datei");
        REQUIRE_TESTDATA("mdb-public");
        const QDir mdb(testdataFile("mdb-public"));
        for (const QString& name : mdb.entryList({"*.mdb"}, QDir::Files, QDir::Name))
            QTest::newRow(qPrintable(name)) << mdb.filePath(name);
    }
    // Every table of the public Access files reads without error and gives what mdb-tables and mdb-export
    // give: the same fields, rows and values, numbers compared as numbers, OLE objects (which the cursor
    // holds only the start of) left out.
    void mdb_export() {
        QFETCH(QString, datei);
        if (QStandardPaths::findExecutable("mdb-export").isEmpty())
            QSKIP("mdbtools are not installed (under Wine no Linux program can be started)");
        // Yes/no fields as J and N, numbers as numbers.
        const auto vergleichbar = [](QStringList zeilen) {
            for (QString& zeile : zeilen) {
                QStringList felder = zeile.replace("TRUE", "J").replace("FALSE", "N").split(u',');
                for (QString& feld : felder) {
                    bool zahl = false;
                    if (const double wert = feld.toDouble(&zahl); zahl)
                        feld = QString::number(wert, 'g', 15);
                }
                zeile = felder.join(u',');
            }
            return zeilen;
        };
        auto db = DateiOeffner().open(datei);
        QCOMPARE(db->tableNames(), laufe("mdb-tables", {"-1", datei}).split(u'\n', Qt::SkipEmptyParts));
        const QString format = QStringLiteral("%Y-%m-%dT%H:%M:%S");
        for (const QString& tabelle : db->tableNames()) {
            // Rows end in a character no value holds.
            QStringList export_ = laufe("mdb-export", {"-B", "-Q", "-0", "~", "-b", "strip", "-R", "\x1e",
                                                       "-D", format, "-T", format, datei, tabelle})
                                      .split(u'\x1e');
            export_.removeLast();
            auto rs = db->openRecordset(tabelle);
            QCOMPARE(rs->recordCount(), export_.size() - 1);
            QCOMPARE(vergleichbar(QStringList{rs->fieldNames().join(u',')} + zeilen(*rs)),
                     vergleichbar(export_));
        }
    }
};

QTEST_GUILESS_MAIN(DbTest)
#include "db_test.moc"
