// Word data: choosing the searched word on the framework's Access spelling database and on an SQLite copy of
// it, the name of the practice focus's picture, and the demo spelling database the build makes from its list.
#include "db_sqlite_hilfen.h"
#include "omnor_d_testdaten.h"
#include "platform/laufzeitfehler.h"
#include "support/virtualeventloop.h"
#include "testdata.h"
#include "words/bausteinbild.h"
#include "words/rdbmanager.h"
#include "wortdatenbank.h"
#include <accessdb/dateioeffner.h>

#include <QTemporaryDir>
#include <QTest>

using namespace findolin;
using L = QList<int>;

namespace {

// One row of a data table.
template <typename... T> void zeile(const char* name, const T&... spalten) {
    (QTest::newRow(name) << ... << spalten);
}

// A random source that returns given values, so a test decides every draw; it counts the draws made.
class SkriptZufall : public platform::RandomSource {
public:
    float nextUnit() override {
        ++ziehungen;
        return werte.isEmpty() ? 0.0f : werte.takeFirst();
    }
    // The value that makes zufallsZahl(von, bis) return `zahl`.
    void gib(int zahl, int von, int bis) { werte.append((float(zahl - von) + 0.5f) / float(bis - von + 1)); }

    QList<float> werte;
    int ziehungen = 0;
};

} // namespace

class WoerterTest : public QObject {
    Q_OBJECT

    accessdb::DateiOeffner oeffner_;
    QTemporaryDir ordner_;
    const QString omnorD = testdataFile("access/Omnor-D.mdb");

    // The word record as the board shows it: context, word and magnifier spot; and its length, if wrong.
    static QString wortDatensatz(const RdbManager& rdb) {
        return rdb.aktKontext() + " " + rdb.aktWort() +
               QString::asprintf(" %d-%d", rdb.vonPos(), rdb.bisPos()) +
               (rdb.wortLaenge() == rdb.aktWort().size() ? "" : " of wrong length");
    }

    // The filter, the word count and the basic-vocabulary label, then as many words as the set has and three
    // more, chosen with a seeded random source; among the error words one is in the set, one outside, one
    // unknown. A run-time error ends the list, naming its file.
    QStringList spiele(const QString& pfad, const QString& feld, qint16 gws) {
        StartKontext k;
        k.ubixFeldName = feld;
        k.ubixNr = 3;
        k.gwsFlag = gws;
        for (qint16 n : {7, 9, 300})
            k.fehlerWorte.merke(n);
        platform::SeededRandom zufall(2026);
        RdbManager rdb(k, zufall, oeffner_);
        QStringList liste{QString()};
        try {
            rdb.oeffneDatenbank(pfad);
            rdb.setzeWortFilter();
            liste[0] = rdb.wortFilter() + " " + rdb.datInfLbl()[0] + " " + rdb.datInfLbl()[1];
            for (int i = 0; i < rdb.wortAnzahl() + 3; ++i) {
                rdb.waehleWort();
                liste << wortDatensatz(rdb);
            }
            liste[0] += QString::asprintf(": %d chosen, %d early repeats", int(liste.size() - 1),
                                          int(liste.mid(1, rdb.wortAnzahl()).removeDuplicates()));
        } catch (const Laufzeitfehler& e) {
            liste[0] += e.betroffen() == pfad ? " Fehler in der Datei" : " Fehler: " + e.betroffen();
        }
        return liste;
    }

private slots:
    void initTestCase() {
        if (!QFileInfo::exists(omnorD))
            return; // the tests on it skip
        auto access = oeffner_.open(omnorD);
        SqliteDatei kopie(ordner_.filePath("kopie.mdb"));
        SqliteDatei leer(ordner_.filePath("leer.mdb")); // its only word is in no practice focus
        for (SqliteDatei* datei : {&kopie, &leer}) {
            datei->sql(wortListeSchema);
            datei->sql(lupenStellenSchema);
        }
        kopie.kopiere(*access->openRecordset("WortListe"), "WortListe");
        kopie.kopiere(*access->openRecordset("LupenStellen"), "LupenStellen");
        leer.sql("INSERT INTO WortListe VALUES (1, 'Haus', 'das', 1, 0, 0, 0, 0)");
    }

    // Each word of the set once, then repeats; the SQLite copy plays the same words as the Access file.
    void wortbestand_data() {
        QTest::addColumn<QString>("datei"); // empty: the Access file and its copy
        QTest::addColumn<QString>("feld");
        QTest::addColumn<int>("gws");
        QTest::addColumn<QString>("befund");
        zeile("practice focus", "", "LIP_", 0, "LIP_=TRUE 15 nein: 18 chosen, 0 early repeats");
        zeile("basic vocabulary", "", "LIP_", -1, "GWS=TRUE AND LIP_=TRUE 9 ja: 12 chosen, 0 early repeats");
        zeile("one word", "", "CK__", -1, "GWS=TRUE AND CK__=TRUE 1 ja: 4 chosen, 0 early repeats");
        zeile("no such focus", "", "SZ__", 0, " Fehler in der Datei");
        zeile("no word in the set", "leer.mdb", "LIP_", 0, "LIP_=TRUE 0 nein Fehler in der Datei");
    }
    void wortbestand() {
        REQUIRE_TESTDATA("access/Omnor-D.mdb");
        QFETCH(QString, datei);
        QFETCH(QString, feld);
        QFETCH(int, gws);
        const QStringList gespielt = spiele(datei.isEmpty() ? omnorD : ordner_.filePath(datei), feld, gws);
        if (datei.isEmpty())
            QCOMPARE(spiele(ordner_.filePath("kopie.mdb"), feld, gws), gespielt);
        QTEST(gespielt.first(), "befund");
    }

    // Scripted draws on the practice focus LIP_: now and then (above 75 in 100) the last error word, if it is
    // unused and in the set; otherwise the t-th word of the set, or the next unused one after it.
    void wortwahl_data() {
        QTest::addColumn<L>("fehler");
        QTest::addColumn<L>("benutzt");
        QTest::addColumn<int>("r");
        QTest::addColumn<int>("t");
        QTest::addColumn<QString>("befund");
        zeile("spots for two foci", L{1}, L{}, 76, 1, "die Biene 2-3, 2 draws");
        zeile("spot rows, none for the focus", L{5}, L{}, 76, 1, "die Katze 0-0, 2 draws");
        zeile("no spot rows, Kontext Null", L{6}, L{}, 76, 1, " Mama 0-0, 2 draws");
        zeile("sharp s counts as one letter", L{8}, L{}, 76, 1, "die Straße 5-5, 2 draws");
        zeile("two rows for the focus, the first counts", L{14}, L{}, 76, 1, "der Igel 2-2, 2 draws");
        zeile("last row of the table, another focus", L{16}, L{}, 76, 1, "die Uhr 0-0, 2 draws");
        zeile("unused word", L{}, L{}, 0, 9, "der Spiegel 4-5, 1 draws");
        zeile("used words are skipped", L{}, L{7, 8}, 0, 7, "der Spiegel 4-5, 1 draws");
        zeile("after the last row the first", L{}, L{18}, 0, 15, "die Biene 2-3, 1 draws");
        zeile("only the first row unused", L{}, lipNummern.mid(1), 0, 7, "die Biene 2-3, 1 draws");
        zeile("all used: the drawn word again", L{}, lipNummern, 0, 4, "der Zucker 2-3, 1 draws");
        zeile("error word chosen", L{2, 11}, L{}, 100, 3, "das Schiff 4-5, 2 draws");
        zeile("75 in 100: no error word", L{2, 11}, L{}, 75, 3, "die Decke 3-4, 2 draws");
        zeile("error word used: no second try", L{2, 11}, L{11}, 76, 3, "die Decke 3-4, 3 draws");
        zeile("error word outside the set", L{2, 9}, L{}, 90, 3, "die Decke 3-4, 3 draws");
    }
    void wortwahl() {
        REQUIRE_TESTDATA("access/Omnor-D.mdb");
        QFETCH(L, fehler);
        QFETCH(L, benutzt);
        QFETCH(int, r);
        StartKontext k;
        k.ubixFeldName = "LIP_";
        k.ubixNr = 3;
        for (int n : fehler)
            k.fehlerWorte.merke(qint16(n));
        SkriptZufall zufall;
        if (!fehler.isEmpty())
            zufall.gib(r, 1, 100);
        if (r > 75)
            zufall.gib(int(fehler.size()) - 1, 0, int(fehler.size()) - 1);
        QFETCH(int, t);
        zufall.gib(t, 1, 15);
        RdbManager rdb(k, zufall, oeffner_);
        rdb.oeffneDatenbank(omnorD);
        rdb.setzeWortFilter();
        for (int n : benutzt)
            rdb.merkeWortBenutzt(qint16(n));
        rdb.waehleWort();
        QTEST(wortDatensatz(rdb) + QString::asprintf(", %d draws", zufall.ziehungen), "befund");
        QCOMPARE(rdb.benutzteWorte().eintraege(), QList<qint16>(benutzt.begin(), benutzt.end())
                                                      << qint16(lipNummern[lipWorte.indexOf(rdb.aktWort())]));
    }

    // The picture of the practice focus, named from its column.
    void bausteinBild_data() {
        QTest::addColumn<QString>("feld");
        QTest::addColumn<QString>("bild");
        zeile("letters", "LIP_", "BST_LIP.GIF");
        zeile("two digits", "AB12", "BST_AB_.GIF");
        zeile("digit, letter", "AB1c", "BST_ABc.GIF");
        zeile("digit last", "AB1", "BST_AB.GIF");
        zeile("a digit comes before LT", "LT7x", "BST_LTx.GIF");
        zeile("LT with letters", "LTxy", "BST_LT_.GIF");
        zeile("empty", "", "BST_.GIF");
    }
    void bausteinBild() {
        QFETCH(QString, feld);
        QTEST(bausteinBildName(feld), "bild");
    }

    // The rules by which the demo's word list gets its practice foci and magnifier spots.
    void demoRegeln_data() {
        QTest::addColumn<QString>("wort");
        QTest::addColumn<QString>("feld");
        QTest::addColumn<QString>("stelle");
        zeile("ie", "Biene", "LIP_", "2-3");
        zeile("ie at the end", "Energie", "LIP_", "6-7");
        zeile("i and e apart", "Birne", "LIP_", "");
        zeile("ck, first of two", "Rucksack", "CK__", "3-4");
        zeile("tz", "Katze", "TZ__", "3-4");
        zeile("double consonant", "Schiff", "DM__", "5-6");
        zeile("triple consonant", "Schifffahrt", "DM__", "5-6");
        zeile("double vowel", "Schnee", "DM__", "");
        zeile("ck is no double consonant", "Decke", "DM__", "");
        zeile("sharp s, one letter", "Straße", "SZ__", "5-5");
    }
    void demoRegeln() {
        QFETCH(QString, wort);
        QFETCH(QString, feld);
        const auto& alle = wortdb::schwerpunkte();
        const auto s = std::find_if(alle.begin(), alle.end(), [&](const auto& x) { return x.feld == feld; });
        QVERIFY(s != alle.end());
        const auto stelle = s->stelle(wort);
        QTEST(stelle ? QStringLiteral("%1-%2").arg(stelle->vonPos).arg(stelle->bisPos) : QString(), "stelle");
    }

    // The demo's word list as the build reads it: context, word, "*" for the basic vocabulary; a list it
    // cannot take stops the build.
    void demoWortliste() {
        QStringList gelesen;
        for (const auto& e : wortdb::leseWortliste("# c\n\ndie Biene *\n  rennen  \r\nder Brief"))
            gelesen << (e.kontext.isNull() ? QString() : e.kontext + " ") + e.wort + (e.gws ? " *" : "");
        QCOMPARE(gelesen, (QStringList{"die Biene *", "rennen", "der Brief"}));
        // too long, twice, two words, only a star
        for (auto liste : {"Donaudampfschifffahrtskapitän", "die Biene\ndie Biene *", "die Biene Maja", "*"})
            QVERIFY_THROWS_EXCEPTION(std::runtime_error, wortdb::leseWortliste(liste));
    }

    // The demo database the build makes fits the demo players: the words their result files name as still
    // to practise (7, 12 and 21) are in the focus, and every word of the focus fits the board and has its
    // spot on "ie".
    void demoDatenbank() {
        const QString datei = QStringLiteral(FINDOLIN_DEMO_DIR "/Omnor-D.mdb");
        QVERIFY2(QFileInfo::exists(datei), "the demo database is built with this test");
        auto db = oeffner_.open(datei);
        auto woerter = db->openRecordset("WortListe");
        for (int k : {7, 12, 21}) {
            woerter->findFirst(QStringLiteral("RefNr=%1").arg(k));
            QVERIFY(!woerter->noMatch() && woerter->field("LIP_").toBool());
        }
        auto ie = woerter->openFiltered("LIP_=TRUE");
        auto lupe = db->openRecordset("LupenStellen");
        for (int i = 0; i < ie->recordCount(); ++i, ie->moveNext()) {
            const QString wort = ie->field("Wort").toString();
            lupe->findFirst(QStringLiteral("RefNr=%1 AND ubix=3").arg(ie->field("RefNr").toLongLong()));
            QVERIFY2(wort.size() <= 24 && !lupe->noMatch(), qPrintable(wort));
            QCOMPARE(wort.mid(lupe->field("vonPos").toLongLong() - 1, 2).toLower(), QStringLiteral("ie"));
        }
    }
};

QTEST_GUILESS_MAIN(WoerterTest)
#include "tst_woerter.moc"
