#include "omnor_d_testdaten.h"
#include "platform/db/dateioeffner.h"
#include "platform/laufzeitfehler.h"
#include "platform/virtualeventloop.h"
#include "skriptzufall.h"
#include "testdata.h"
#include "words/rdbmanager.h"

#include <QTest>

using namespace findolin;

Q_DECLARE_METATYPE(QList<int>)

namespace {} // namespace

// Choosing the searched word on the framework's Access spelling database.
class WortwahlTest : public QObject {
    Q_OBJECT

    platform::db::DateiOeffner oeffner;
    StartKontext kontext;
    SkriptZufall zufall;

    std::unique_ptr<RdbManager> bereit(const QString& feld = "LIP_", qint16 gws = falsch) {
        kontext.ubixFeldName = feld;
        kontext.ubixNr = 3;
        kontext.gwsFlag = gws;
        auto rdb = std::make_unique<RdbManager>(kontext, zufall, oeffner);
        rdb->oeffneDatenbank(testdataFile("access/Omnor-D.mdb"));
        rdb->setzeWortFilter();
        rdb->leereBenutzteWorte();
        return rdb;
    }

private slots:
    void init() {
        REQUIRE_TESTDATA("access/Omnor-D.mdb");
        kontext = StartKontext{};
        zufall = SkriptZufall{};
    }

    void filter_und_anzahl_data() {
        QTest::addColumn<qint16>("gws");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<int>("anzahl");
        QTest::addColumn<QString>("gwsText");
        QTest::newRow("practice focus") << falsch << "LIP_=TRUE" << 15 << "nein";
        QTest::newRow("basic vocabulary") << wahr << "GWS=TRUE AND LIP_=TRUE" << 9 << "ja";
    }
    void filter_und_anzahl() {
        QFETCH(qint16, gws);
        QFETCH(QString, filter);
        QFETCH(int, anzahl);
        QFETCH(QString, gwsText);
        auto rdb = bereit("LIP_", gws);
        QCOMPARE(rdb->wortFilter(), filter);
        QCOMPARE(rdb->wortAnzahl(), anzahl);
        QCOMPARE(rdb->datInfLbl()[0], QString::number(anzahl));
        QCOMPARE(rdb->datInfLbl()[1], gwsText);
    }

    void wortdatensatz_data() {
        QTest::addColumn<int>("refNr");
        QTest::addColumn<QString>("wort");
        QTest::addColumn<QString>("kontextText");
        QTest::addColumn<int>("von");
        QTest::addColumn<int>("bis");
        QTest::newRow("spots for two foci") << 1 << "Biene"
                                            << "die" << 2 << 3;
        QTest::newRow("rows, none for the focus") << 5 << "Katze"
                                                  << "die" << 0 << 0;
        QTest::newRow("no rows, Kontext Null") << 6 << "Mama"
                                               << "" << 0 << 0;
        QTest::newRow("sharp s counts as one letter") << 8 << "Straße"
                                                      << "die" << 5 << 5;
        QTest::newRow("long word") << 12 << "Donaudampfschifffahrt"
                                   << "die" << 15 << 17;
        QTest::newRow("two rows for the focus, the first counts") << 14 << "Igel"
                                                                  << "der" << 2 << 2;
        QTest::newRow("last row of the table, another focus") << 16 << "Uhr"
                                                              << "die" << 0 << 0;
    }
    void wortdatensatz() {
        QFETCH(int, refNr);
        QFETCH(QString, wort);
        QFETCH(QString, kontextText);
        QFETCH(int, von);
        QFETCH(int, bis);
        kontext.fehlerWorte.merke(qint16(refNr));
        auto rdb = bereit();
        zufall.gib(76, 1, 100); // the error-word list is tried
        zufall.gib(0, 0, 0);
        rdb->waehleWort();
        QCOMPARE(rdb->aktWort(), wort);
        QCOMPARE(rdb->wortLaenge(), wort.size());
        QCOMPARE(rdb->aktKontext(), kontextText);
        QCOMPARE(rdb->vonPos(), von);
        QCOMPARE(rdb->bisPos(), bis);
        QCOMPARE(rdb->benutzteWorte().eintraege(), QList<qint16>{qint16(refNr)});
        QCOMPARE(zufall.ziehungen, 2);
    }

    void zufallswort_und_benutzte_data() {
        QTest::addColumn<QList<int>>("benutzt");
        QTest::addColumn<int>("t");
        QTest::addColumn<QString>("wort");
        QTest::newRow("unused word") << QList<int>{} << 9 << "Spiegel";
        QTest::newRow("used words are skipped") << QList<int>{7, 8} << 7 << "Spiegel";
        QTest::newRow("after the last row the scan goes on with the first")
            << QList<int>{18} << 15 << "Biene";
        QList<int> alleAusserErstem = lipNummern.mid(1);
        QTest::newRow("the only unused word is the first row") << alleAusserErstem << 7 << "Biene";
        QTest::newRow("all used: the drawn word is taken again") << lipNummern << 4 << "Zucker";
    }
    void zufallswort_und_benutzte() {
        QFETCH(QList<int>, benutzt);
        QFETCH(int, t);
        QFETCH(QString, wort);
        auto rdb = bereit();
        for (int k : benutzt)
            rdb->merkeWortBenutzt(qint16(k));
        zufall.gib(t, 1, 15);
        rdb->waehleWort();
        QCOMPARE(rdb->aktWort(), wort);
        QCOMPARE(rdb->nBenutzt(), benutzt.size());
        QCOMPARE(rdb->benutzteWorte()[benutzt.size()], lipNummern[lipWorte.indexOf(wort)]);
        QCOMPARE(zufall.ziehungen, 1); // no error words: no draw from 1 to 100
    }

    void fehlerwort_versuch_data() {
        QTest::addColumn<QList<int>>("fehlerWorte");
        QTest::addColumn<QList<int>>("benutzt");
        QTest::addColumn<int>("r");
        QTest::addColumn<QString>("wort");
        QTest::addColumn<int>("ziehungen");
        // fehlerWorte index 1 is drawn; the random draw gives the 3rd row (Decke)
        QTest::newRow("error word chosen") << QList<int>{2, 11} << QList<int>{} << 100 << "Schiff" << 2;
        QTest::newRow("75 in 100: no try") << QList<int>{2, 11} << QList<int>{} << 75 << "Decke" << 2;
        QTest::newRow("error word used: random draw, no second try")
            << QList<int>{2, 11} << QList<int>{11} << 76 << "Decke" << 3;
        QTest::newRow("error word outside the set: random draw")
            << QList<int>{2, 9} << QList<int>{} << 90 << "Decke" << 3;
        QTest::newRow("error word unknown: random draw")
            << QList<int>{2, 300} << QList<int>{} << 90 << "Decke" << 3;
    }
    void fehlerwort_versuch() {
        QFETCH(QList<int>, fehlerWorte);
        QFETCH(QList<int>, benutzt);
        QFETCH(int, r);
        QFETCH(QString, wort);
        QFETCH(int, ziehungen);
        for (int k : fehlerWorte)
            kontext.fehlerWorte.merke(qint16(k));
        auto rdb = bereit();
        for (int k : benutzt)
            rdb->merkeWortBenutzt(qint16(k));
        zufall.gib(r, 1, 100);
        if (r > 75)
            zufall.gib(1, 0, fehlerWorte.size() - 1);
        zufall.gib(3, 1, 15);
        rdb->waehleWort();
        QCOMPARE(rdb->aktWort(), wort);
        QCOMPARE(zufall.ziehungen, ziehungen);
    }

    void einzeiliger_wortbestand() {
        auto rdb = bereit("CK__", wahr); // only Decke is a basic-vocabulary ck word
        QCOMPARE(rdb->wortAnzahl(), 1);
        platform::SeededRandom seeded(7);
        RdbManager mitSeed(kontext, seeded, oeffner);
        mitSeed.oeffneDatenbank(testdataFile("access/Omnor-D.mdb"));
        mitSeed.setzeWortFilter();
        for (int i = 0; i < 4; ++i) {
            mitSeed.waehleWort();
            QCOMPARE(mitSeed.aktWort(), QStringLiteral("Decke"));
        }
        QCOMPARE(mitSeed.benutzteWorte().eintraege(), QList<qint16>({3, 3, 3, 3}));
    }

    void jedes_wort_einmal_dann_wiederholungen() {
        kontext.fehlerWorte.merke(7);
        kontext.fehlerWorte.merke(9);
        kontext.ubixFeldName = "LIP_";
        kontext.ubixNr = 3;
        platform::SeededRandom seeded(2026);
        RdbManager rdb(kontext, seeded, oeffner);
        rdb.oeffneDatenbank(testdataFile("access/Omnor-D.mdb"));
        rdb.setzeWortFilter();
        QStringList gewaehlt;
        for (int i = 0; i < 15; ++i) {
            rdb.waehleWort();
            gewaehlt.append(rdb.aktWort());
        }
        QStringList sortiert = gewaehlt;
        sortiert.sort();
        QStringList erwartet = lipWorte;
        erwartet.sort();
        QCOMPARE(sortiert, erwartet);
        for (int i = 0; i < 5; ++i)
            rdb.waehleWort();
        QCOMPARE(rdb.nBenutzt(), 19);
    }

    void unbekanntes_schwerpunktfeld() {
        kontext.ubixFeldName = "SZ__";
        RdbManager rdb(kontext, zufall, oeffner);
        rdb.oeffneDatenbank(testdataFile("access/Omnor-D.mdb"));
        QVERIFY_THROWS_EXCEPTION(Laufzeitfehler, rdb.setzeWortFilter());
    }

    void fehlende_datenbank() {
        RdbManager rdb(kontext, zufall, oeffner);
        try {
            rdb.oeffneDatenbank("/nirgends/Omnor-D.mdb");
            QFAIL("no error");
        } catch (const Laufzeitfehler& e) {
            QCOMPARE(e.betroffen(), QStringLiteral("/nirgends/Omnor-D.mdb"));
        }
        QVERIFY_THROWS_EXCEPTION(Laufzeitfehler, rdb.waehleWort());
    }
};

QTEST_GUILESS_MAIN(WortwahlTest)
#include "wortwahl_test.moc"
