#include "db_hilfen.h"
#include "db_sqlite_hilfen.h"
#include "platform/db/dateioeffner.h"
#include "platform/laufzeitfehler.h"
#include "testdata.h"

#include <QTemporaryDir>
#include <QTest>

using namespace findolin;
using namespace findolin::platform::db;

// The SQLite spelling database behaves as the Access one does, and SQLite files take changes.
class SqliteTest : public QObject {
    Q_OBJECT

    QTemporaryDir ordner;
    QString wortDatei;

    QString neueMeisterDatei(const QString& name) {
        const QString pfad = ordner.filePath(name);
        SqliteDatei datei(pfad);
        datei.sql("CREATE TABLE Punkte (ID INTEGER PRIMARY KEY, Name TEXT, Programm TEXT, Datum TEXT, Punkte "
                  "INTEGER)");
        datei.sql(
            "INSERT INTO Punkte (Name, Programm, Datum, Punkte) VALUES ('Anna', 'Findolin', '1.2.2026', 420),"
            "('Otto', 'Rechenmeister', '1.2.2026', 10), ('Fritz', 'Findolin', '2.2.2026', 50),"
            "('Hannes', 'Findolin', '3.2.2026', 50)");
        return pfad;
    }

private slots:
    void initTestCase() {
        REQUIRE_TESTDATA("access/Omnor-D.mdb");
        // the same spelling database, copied row by row from the Access file
        wortDatei = ordner.filePath("Omnor-D.mdb");
        auto access = DateiOeffner().open(testdataFile("access/Omnor-D.mdb"));
        SqliteDatei datei(wortDatei);
        datei.sql(wortListeSchema);
        datei.sql(lupenStellenSchema);
        datei.kopiere(*access->openRecordset("WortListe"), "WortListe");
        datei.kopiere(*access->openRecordset("LupenStellen"), "LupenStellen");
    }

    void beide_formate_geben_dasselbe_data() {
        QTest::addColumn<QString>("quelle");
        QTest::addColumn<QString>("filter");
        QTest::newRow("words") << "WortListe"
                               << "";
        QTest::newRow("practice focus") << "WortListe"
                                        << "LIP_=TRUE";
        QTest::newRow("basic vocabulary") << "WortListe"
                                          << "GWS=TRUE AND LIP_=TRUE";
        QTest::newRow("not basic vocabulary") << "WortListe"
                                              << "NOT GWS AND (IE__=TRUE OR CK__=TRUE)";
        QTest::newRow("magnifier spots") << "LupenStellen"
                                         << "";
        QTest::newRow("spots of a focus") << "lupenstellen"
                                          << "ubix=3 AND vonPos < 4";
        QTest::newRow("query") << "SELECT * FROM WortListe WHERE Kontext='die' ORDER BY Wort DESC"
                               << "";
    }
    void beide_formate_geben_dasselbe() {
        QFETCH(QString, quelle);
        QFETCH(QString, filter);
        auto access = DateiOeffner().open(testdataFile("access/Omnor-D.mdb"))->openRecordset(quelle);
        auto sqlite = DateiOeffner().open(wortDatei)->openRecordset(quelle);
        if (!filter.isEmpty()) {
            access = access->openFiltered(filter);
            sqlite = sqlite->openFiltered(filter);
        }
        QVERIFY(sqlite->recordCount() > 0);
        QCOMPARE(sqlite->fieldNames(), access->fieldNames());
        QCOMPARE(alleZeilen(*sqlite), alleZeilen(*access));
    }

    void neue_zeile_kommt_ans_ende_und_bleibt() {
        const QString pfad = neueMeisterDatei("neu.mdb");
        {
            auto rs = DateiOeffner().open(pfad)->openRecordset("Punkte");
            QVERIFY(!DateiOeffner().open(pfad)->isReadOnly());
            rs->addNew();
            rs->setField("name", "Zoë");
            rs->setField("Programm", "Findolin");
            rs->setField("Datum", "6.12.2026");
            rs->setField("Punkte", 77);
            rs->update();
            QCOMPARE(rs->absolutePosition(), 0); // the current row stays where it was
            QCOMPARE(rs->recordCount(), 5);
            rs->moveLast();
            QCOMPARE(rs->field("Name").toString(), QStringLiteral("Zoë"));
        }
        auto wieder = DateiOeffner().open(pfad)->openRecordset("Punkte");
        QCOMPARE(wieder->recordCount(), 5);
        wieder->moveLast();
        QCOMPARE(wieder->field("Punkte").toLongLong(), 77);
        QCOMPARE(wieder->field("Name").toString(), QStringLiteral("Zoë"));
    }

    void loeschen_nimmt_nur_die_aktuelle_zeile() {
        const QString pfad = neueMeisterDatei("loeschen.mdb");
        {
            auto rs = DateiOeffner().open(pfad)->openRecordset("Punkte");
            rs->findFirst("Programm='Findolin' AND Punkte=50");
            QCOMPARE(rs->field("Name").toString(), QStringLiteral("Fritz"));
            rs->deleteCurrent();
            QCOMPARE(rs->absolutePosition(), -1);
            QVERIFY_THROWS_EXCEPTION(Laufzeitfehler, rs->field("Name"));
            rs->moveNext();
            QCOMPARE(rs->field("Name").toString(), QStringLiteral("Hannes"));
            QCOMPARE(rs->recordCount(), 3);
        }
        auto wieder = DateiOeffner().open(pfad)->openRecordset("Punkte");
        QCOMPARE(alleZeilen(*wieder).size(), 3);
        wieder->findFirst("Name='Fritz'");
        QVERIFY(wieder->noMatch());
    }

    void aendern_schreibt_die_zeile_zurueck() {
        const QString pfad = neueMeisterDatei("aendern.mdb");
        {
            auto rs = DateiOeffner().open(pfad)->openRecordset("Punkte");
            rs->move(1);
            rs->edit();
            rs->setField("Punkte", 11);
            rs->setField("Datum", QVariant());
            rs->update();
            rs->edit();
            rs->setField("Punkte", 999);
            rs->cancelUpdate();
            QCOMPARE(rs->field("Punkte").toLongLong(), 11);
        }
        auto wieder = DateiOeffner().open(pfad)->openRecordset("Punkte");
        wieder->findFirst("Name='Otto'");
        QCOMPARE(wieder->field("Punkte").toLongLong(), 11);
        QVERIFY(wieder->field("Datum").isNull());
        QVERIFY_THROWS_EXCEPTION(Laufzeitfehler, wieder->setField("Punkte", 1)); // no edit pending
    }

    void leere_tabelle_steht_vor_dem_anfang_und_am_ende() {
        const QString pfad = ordner.filePath("leer.mdb");
        {
            SqliteDatei datei(pfad);
            datei.sql("CREATE TABLE Punkte (Name TEXT, Punkte INTEGER)");
        }
        auto rs = DateiOeffner().open(pfad)->openRecordset("Punkte");
        QVERIFY(rs->bof());
        QVERIFY(rs->eof());
        QCOMPARE(rs->recordCount(), 0);
        QCOMPARE(rs->absolutePosition(), -1);
        QVERIFY_THROWS_EXCEPTION(Laufzeitfehler, rs->moveFirst());
        rs->addNew();
        rs->setField("Name", "Eva");
        rs->update();
        QCOMPARE(rs->recordCount(), 1);
        rs->moveFirst();
        QCOMPARE(rs->field("Name").toString(), QStringLiteral("Eva"));
    }
};

QTEST_GUILESS_MAIN(SqliteTest)
#include "db_sqlite_test.moc"
