#include "../platform/db_sqlite_hilfen.h"
#include "platform/db/dateioeffner.h"
#include "platform/laufzeitfehler.h"
#include "platform/virtualeventloop.h"
#include "testdata.h"
#include "words/rdbmanager.h"

#include <QTemporaryDir>
#include <QTest>

using namespace findolin;

// The word choice plays the same on the Access file and on an SQLite copy of it, and an empty word set stops
// with a run-time error.
class WortformateTest : public QObject {
    Q_OBJECT

    QTemporaryDir ordner;
    platform::db::DateiOeffner oeffner;

    // The first `anzahl` word records chosen with a seeded random source.
    QStringList spiele(const QString& datei, qint16 gws, int anzahl) {
        StartKontext kontext;
        kontext.ubixFeldName = "LIP_";
        kontext.ubixNr = 3;
        kontext.gwsFlag = gws;
        for (qint16 k : {7, 9, 12, 14, 300})
            kontext.fehlerWorte.merke(k);
        platform::SeededRandom zufall(4711);
        RdbManager rdb(kontext, zufall, oeffner);
        rdb.oeffneDatenbank(datei);
        rdb.setzeWortFilter();
        rdb.leereBenutzteWorte();
        QStringList worte;
        for (int i = 0; i < anzahl; ++i) {
            rdb.waehleWort();
            worte.append(QStringLiteral("%1 %2 %3-%4")
                             .arg(rdb.aktKontext(), rdb.aktWort())
                             .arg(rdb.vonPos())
                             .arg(rdb.bisPos()));
        }
        return worte;
    }

private slots:
    void beide_formate_spielen_gleich_data() {
        QTest::addColumn<qint16>("gws");
        QTest::newRow("practice focus") << falsch;
        QTest::newRow("basic vocabulary") << wahr;
    }
    void beide_formate_spielen_gleich() {
        QFETCH(qint16, gws);
        REQUIRE_TESTDATA("access/Omnor-D.mdb");
        const QString kopie = ordner.filePath("Omnor-D.mdb");
        if (!QFileInfo::exists(kopie)) {
            auto access = oeffner.open(testdataFile("access/Omnor-D.mdb"));
            SqliteDatei datei(kopie);
            datei.sql(wortListeSchema);
            datei.sql(lupenStellenSchema);
            datei.kopiere(*access->openRecordset("WortListe"), "WortListe");
            datei.kopiere(*access->openRecordset("LupenStellen"), "LupenStellen");
        }
        const QStringList ausAccess = spiele(testdataFile("access/Omnor-D.mdb"), gws, 40);
        QCOMPARE(spiele(kopie, gws, 40), ausAccess);
        QVERIFY(ausAccess.contains("die Biene 2-3"));
    }

    void leerer_wortbestand() {
        const QString pfad = ordner.filePath("leer.mdb");
        {
            SqliteDatei datei(pfad);
            datei.sql(wortListeSchema);
            datei.sql(lupenStellenSchema);
            datei.sql("INSERT INTO WortListe VALUES (1, 'Haus', 'das', 1, 0, 0, 0, 0)");
        }
        StartKontext kontext;
        kontext.ubixFeldName = "LIP_";
        platform::SeededRandom zufall(1);
        RdbManager rdb(kontext, zufall, oeffner);
        rdb.oeffneDatenbank(pfad);
        rdb.setzeWortFilter();
        QCOMPARE(rdb.wortAnzahl(), 0);
        QCOMPARE(rdb.datInfLbl()[0], QStringLiteral("0"));
        try {
            rdb.waehleWort();
            QFAIL("no error");
        } catch (const Laufzeitfehler& e) {
            QVERIFY(e.problem().contains(QStringLiteral("LIP_=TRUE")));
            QCOMPARE(e.betroffen(), pfad);
        }
        QCOMPARE(rdb.nBenutzt(), -1);
        QCOMPARE(rdb.aktWort(), QString());
    }
};

QTEST_GUILESS_MAIN(WortformateTest)
#include "wortformate_test.moc"
