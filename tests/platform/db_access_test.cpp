#include "db_hilfen.h"
#include "omnor_d_testdaten.h"
#include "platform/db/dateioeffner.h"
#include "platform/laufzeitfehler.h"
#include "testdata.h"

#include <QTest>

using namespace findolin;
using namespace findolin::platform::db;

// The spelling database as a real framework installation holds it: an Access 2000 file.
class AccessTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Database> db;

    std::unique_ptr<Database> oeffne() { return DateiOeffner().open(testdataFile("access/Omnor-D.mdb")); }

private slots:
    void init() {
        REQUIRE_TESTDATA("access/Omnor-D.mdb");
        db = oeffne();
    }

    void wortliste_hat_alle_zeilen_in_tabellenordnung() {
        auto rs = db->openRecordset("WortListe");
        QCOMPARE(rs->fieldNames(),
                 QStringList({"RefNr", "Wort", "Kontext", "GWS", "IE__", "CK__", "LIP_", "TZ12"}));
        const QList<QVariantList> erwartet = {
            {1, "Biene", "die", 1, 1, 0, 1, 0},       {2, "Brief", "der", 1, 1, 0, 1, 0},
            {3, "Decke", "die", 1, 0, 1, 1, 0},       {4, "Zucker", "der", 0, 0, 1, 1, 0},
            {5, "Katze", "die", 1, 0, 0, 1, 1},       {6, "Mama", QVariant(), 1, 0, 0, 1, 0},
            {7, "rennen", QVariant(), 0, 0, 0, 1, 0}, {8, "Straße", "die", 0, 0, 0, 1, 0},
            {9, "Haus", "das", 1, 0, 0, 0, 0},        {10, "Spiegel", "der", 0, 1, 0, 1, 0},
            {11, "Schiff", "das", 1, 0, 0, 1, 0},     {12, "Donaudampfschifffahrt", "die", 0, 0, 0, 1, 0},
            {13, "Fenster", "das", 1, 0, 0, 0, 0},    {14, "Igel", "der", 1, 0, 0, 1, 0},
            {15, "Stück", "das", 0, 0, 1, 1, 0},      {16, "Uhr", "die", 1, 0, 0, 1, 0},
            {17, "Mütze", "die", 1, 0, 0, 0, 1},      {18, "Käse", "der", 1, 0, 0, 1, 0}};
        const QList<QVariantList> gelesen = alleZeilen(*rs);
        QCOMPARE(gelesen.size(), erwartet.size());
        for (int i = 0; i < erwartet.size(); ++i) {
            const QVariantList& z = gelesen[i];
            const QVariantList& e = erwartet[i];
            QCOMPARE(z[0].toLongLong(), e[0].toLongLong());
            QCOMPARE(z[1].toString(), e[1].toString());
            QCOMPARE(z[2].isNull(), e[2].isNull());
            QCOMPARE(z[2].toString(), e[2].toString());
            for (int f = 3; f < 8; ++f) {
                QCOMPARE(z[f].typeId(), QMetaType::Bool);
                QCOMPARE(z[f].toBool(), e[f].toInt() == 1);
            }
        }
    }

    void filter_waehlen_die_worte_des_schwerpunkts_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("worte");
        QTest::newRow("practice focus") << "LIP_=TRUE" << lipWorte;
        QTest::newRow("basic vocabulary too")
            << "GWS=TRUE AND LIP_=TRUE"
            << QStringList{"Biene", "Brief", "Decke", "Katze", "Mama", "Schiff", "Igel", "Uhr", "Käse"};
        QTest::newRow("nothing") << "TZ12=TRUE AND IE__=TRUE" << QStringList{};
    }
    void filter_waehlen_die_worte_des_schwerpunkts() {
        QFETCH(QString, filter);
        QFETCH(QStringList, worte);
        auto rs = db->openRecordset("WortListe")->openFiltered(filter);
        QCOMPARE(rs->recordCount(), worte.size());
        QCOMPARE(rs->bof(), worte.isEmpty());
        QCOMPARE(alleWorte(*rs), worte);
    }

    void cursor_bewegt_sich_wie_ein_datensteuerelement() {
        auto rs = db->openRecordset("WortListe")->openFiltered("GWS=TRUE AND LIP_=TRUE");
        QCOMPARE(rs->absolutePosition(), 0);
        rs->moveLast();
        QCOMPARE(rs->field("wort").toString(), QStringLiteral("Käse"));
        rs->moveNext();
        QVERIFY(rs->eof());
        QCOMPARE(rs->absolutePosition(), -1);
        QVERIFY_THROWS_EXCEPTION(Laufzeitfehler, rs->field("Wort"));
        QVERIFY_THROWS_EXCEPTION(Laufzeitfehler, rs->moveNext());
        rs->moveFirst();
        rs->move(4); // the 5th row: t = 5 from position 0 moves by 5 - 0 - 1
        QCOMPARE(rs->field("Wort").toString(), QStringLiteral("Mama"));
        QVERIFY(rs->field("Kontext").isNull());
        rs->move(-2);
        QCOMPARE(rs->absolutePosition(), 2);
        rs->move(-3);
        QVERIFY(rs->bof());
        rs->moveFirst();
        rs->move(100);
        QVERIFY(rs->eof());
    }

    void suchen_findet_die_erste_passende_zeile_data() {
        QTest::addColumn<QString>("kriterium");
        QTest::addColumn<int>("position"); // -1: no match
        QTest::newRow("word number") << "RefNr=11" << 5;
        QTest::newRow("blank after the equals sign") << "refNr= 14" << 6;
        QTest::newRow("word outside the filtered set") << "RefNr=4" << -1;
        QTest::newRow("unknown word") << "RefNr=123" << -1;
        QTest::newRow("text criterion") << "Wort='uhr'" << 7;
    }
    void suchen_findet_die_erste_passende_zeile() {
        QFETCH(QString, kriterium);
        QFETCH(int, position);
        auto rs = db->openRecordset("WortListe")->openFiltered("GWS=TRUE AND LIP_=TRUE");
        rs->move(2);
        rs->findFirst(kriterium);
        QCOMPARE(rs->noMatch(), position < 0);
        QCOMPARE(rs->absolutePosition(), position < 0 ? 2 : position);
    }

    void lupenstellen_gehoeren_zusammen() {
        auto lup = db->openRecordset("LupenStellen");
        QCOMPARE(lup->recordCount(), 22);
        lup->findFirst("refNr= 14");
        QCOMPARE(lup->absolutePosition(), 15);
        QCOMPARE(lup->field("UBIX").toLongLong(), 1);
        lup->moveNext();
        QCOMPARE(lup->field("vonPos").toLongLong(), 2);
        QCOMPARE(lup->field("bisPos").toLongLong(), 2);
        lup->moveLast();
        QCOMPARE(lup->field("RefNr").toLongLong(), 16);
        lup->findFirst("refNr= 6");
        QVERIFY(lup->noMatch());
    }

    void abfrage_sortiert_und_filtert() {
        REQUIRE_TESTDATA("access/Meister.mdb");
        auto meister = DateiOeffner().open(testdataFile("access/Meister.mdb"));
        auto rs =
            meister->openRecordset("SELECT * FROM Punkte WHERE Programm='Findolin' ORDER BY [Punkte] DESC");
        QList<qint64> punkte;
        QStringList namen;
        for (const QVariantList& z : alleZeilen(*rs)) {
            punkte.append(z[rs->fieldNames().indexOf("Punkte")].toLongLong());
            namen.append(z[rs->fieldNames().indexOf("Name")].toString());
        }
        QCOMPARE(punkte, QList<qint64>({1210, 610, 420, 380, 300, 150, 75, 50, 50}));
        QCOMPARE(namen.mid(7), QStringList({"Fritz", "Hannes"})); // equal points keep table order
    }

    void access_dateien_koennen_nur_gelesen_werden() {
        QVERIFY(db->isReadOnly());
        auto rs = db->openRecordset("WortListe");
        try {
            rs->addNew();
            QFAIL("writing was allowed");
        } catch (const Laufzeitfehler& e) {
            QVERIFY(e.problem().contains(QStringLiteral("nur gelesen")));
            QCOMPARE(e.betroffen(), testdataFile("access/Omnor-D.mdb"));
        }
        QVERIFY_THROWS_EXCEPTION(Laufzeitfehler, rs->deleteCurrent());
        QVERIFY_THROWS_EXCEPTION(Laufzeitfehler, rs->edit());
        QCOMPARE(rs->recordCount(), 18);
    }
};

QTEST_GUILESS_MAIN(AccessTest)
#include "db_access_test.moc"
