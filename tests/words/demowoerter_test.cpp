#include "platform/db/dateioeffner.h"
#include "testdata.h"
#include "wortdatenbank.h"

#include <QDir>
#include <QTest>

using namespace findolin;
using namespace findolin::wortdb;

// The demo spelling database: the rules that mark the practice foci and their magnifier spots, and the file
// the build makes from the word list.
class DemowoerterTest : public QObject {
    Q_OBJECT

    const QString demoDatei = QDir(QStringLiteral(FINDOLIN_DEMO_DIR)).filePath("Omnor-D.mdb");

private slots:
    void regeln_der_schwerpunkte_data() {
        QTest::addColumn<QString>("wort");
        QTest::addColumn<QString>("feld");
        QTest::addColumn<int>("von"); // 0: the word is not in the focus
        QTest::addColumn<int>("bis");
        QTest::newRow("ie") << "Biene"
                            << "LIP_" << 2 << 3;
        QTest::newRow("ie at the end") << "Energie"
                                       << "LIP_" << 6 << 7;
        QTest::newRow("i and e apart") << "Birne"
                                       << "LIP_" << 0 << 0;
        QTest::newRow("ck, first of two") << "Rucksack"
                                          << "CK__" << 3 << 4;
        QTest::newRow("tz") << "Katze"
                            << "TZ__" << 3 << 4;
        QTest::newRow("double consonant") << "Schiff"
                                          << "DM__" << 5 << 6;
        QTest::newRow("triple consonant") << "Schifffahrt"
                                          << "DM__" << 5 << 6;
        QTest::newRow("double vowel is no double consonant") << "Schnee"
                                                             << "DM__" << 0 << 0;
        QTest::newRow("ck is no double consonant") << "Decke"
                                                   << "DM__" << 0 << 0;
        QTest::newRow("sharp s, one letter") << "Straße"
                                             << "SZ__" << 5 << 5;
        QTest::newRow("capital letter") << "Ziege"
                                        << "TZ__" << 0 << 0;
    }
    void regeln_der_schwerpunkte() {
        QFETCH(QString, wort);
        QFETCH(QString, feld);
        QFETCH(int, von);
        QFETCH(int, bis);
        const auto s = std::find_if(schwerpunkte().begin(), schwerpunkte().end(),
                                    [&](const Schwerpunkt& x) { return x.feld == feld; });
        QVERIFY(s != schwerpunkte().end());
        const std::optional<Stelle> stelle = s->stelle(wort);
        QCOMPARE(stelle.has_value(), von > 0);
        if (stelle) {
            QCOMPARE(stelle->vonPos, von);
            QCOMPARE(stelle->bisPos, bis);
        }
    }

    void wortliste_wird_geprueft_data() {
        QTest::addColumn<QString>("liste");
        QTest::newRow("too long") << "das Donaudampfschifffahrtskapitänsmütze\n";
        QTest::newRow("twice") << "die Biene\nder Brief\ndie Biene *\n";
        QTest::newRow("two words") << "die Biene Maja\n";
        QTest::newRow("only a star") << "*\n";
    }
    void wortliste_wird_geprueft() {
        QFETCH(QString, liste);
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, leseWortliste(liste));
    }

    void wortliste_liest_kontext_und_grundwortschatz() {
        const auto worte = leseWortliste("# comment\n\ndie Biene *\n  rennen  \r\nder Brief\n");
        QCOMPARE(worte.size(), 3);
        QCOMPARE(worte[0].kontext, QStringLiteral("die"));
        QVERIFY(worte[0].gws);
        QVERIFY(worte[1].kontext.isNull());
        QCOMPARE(worte[1].wort, QStringLiteral("rennen"));
        QVERIFY(!worte[2].gws);
    }

    void demo_datenbank_passt_zu_den_spielern() {
        if (!QFileInfo::exists(demoDatei))
            QSKIP("the demo database has not been built");
        auto db = platform::db::DateiOeffner().open(demoDatei);
        auto woerter = db->openRecordset("WortListe");
        QVERIFY(woerter->recordCount() >= 300);
        // the demo players' result files name the words 3, 5, 7, 12 and 21; 7, 12 and 21 are to practise
        for (int k : {7, 12, 21}) {
            woerter->findFirst(QStringLiteral("RefNr=%1").arg(k));
            QVERIFY(!woerter->noMatch());
            QVERIFY(woerter->field("LIP_").toBool());
        }
        auto ie = woerter->openFiltered("LIP_=TRUE");
        auto lupe = db->openRecordset("LupenStellen");
        for (int i = 0; i < ie->recordCount(); ++i, ie->moveNext()) {
            const QString wort = ie->field("Wort").toString();
            QVERIFY(wort.size() <= 24);
            lupe->findFirst(QStringLiteral("RefNr=%1 AND ubix=3").arg(ie->field("RefNr").toLongLong()));
            QVERIFY2(!lupe->noMatch(), qPrintable(wort));
            const int von = int(lupe->field("vonPos").toLongLong());
            QCOMPARE(wort.mid(von - 1, 2).toLower(), QStringLiteral("ie"));
        }
    }
};

QTEST_APPLESS_MAIN(DemowoerterTest)
#include "demowoerter_test.moc"
