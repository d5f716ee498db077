#include "platform/db/ausdruck.h"
#include "platform/laufzeitfehler.h"

#include <QTest>

using namespace findolin;
using namespace findolin::platform::db;

// Filters and criteria as the game and the high-score list write them, evaluated on one row.
class AusdruckTest : public QObject {
    Q_OBJECT

    const QStringList felder{QStringLiteral("RefNr"), QStringLiteral("Wort"), QStringLiteral("Kontext"),
                             QStringLiteral("GWS"),   QStringLiteral("LIP_"), QStringLiteral("Punkte")};
    // RefNr 57, "Biene", Kontext Null, GWS no, LIP_ yes, Punkte 1.5
    const QList<Wert> zeile{qint64(57), QStringLiteral("Biene"), Wert(), false, true, 1.5};

private slots:
    void wertet_aus_data() {
        QTest::addColumn<QString>("ausdruck");
        QTest::addColumn<bool>("erwartet");
        QTest::newRow("yes/no field = TRUE") << "LIP_=TRUE" << true;
        QTest::newRow("yes/no field = FALSE") << "GWS=FALSE" << true;
        QTest::newRow("AND with a false side") << "GWS=TRUE AND LIP_=TRUE" << false;
        QTest::newRow("OR") << "GWS=TRUE OR LIP_=TRUE" << true;
        QTest::newRow("NOT") << "NOT GWS=TRUE" << true;
        QTest::newRow("keywords and names in any case") << "gws=true or lip_=True" << true;
        QTest::newRow("criterion of the word choice") << "RefNr=57" << true;
        QTest::newRow("criterion with a blank before the number") << "refNr= 57" << true;
        QTest::newRow("other number") << "RefNr=123" << false;
        QTest::newRow("negative number") << "RefNr>-5" << true;
        QTest::newRow("fraction") << "Punkte>=1.5 AND Punkte<2" << true;
        QTest::newRow("not equal") << "RefNr<>57" << false;
        QTest::newRow("text in single quotes, case ignored") << "Wort='biene'" << true;
        QTest::newRow("text in double quotes") << "Wort=\"Biene\"" << true;
        QTest::newRow("doubled quote inside a text") << "Wort='Bie''ne'" << false;
        QTest::newRow("text order") << "Wort<'Brief'" << true;
        QTest::newRow("bracketed field name") << "[Wort] = 'Biene'" << true;
        QTest::newRow("parentheses change the binding") << "(GWS=TRUE OR LIP_=TRUE) AND RefNr=57" << true;
        QTest::newRow("AND binds tighter than OR") << "LIP_=TRUE OR LIP_=TRUE AND GWS=TRUE" << true;
        QTest::newRow("comparison with Null is not true") << "Kontext='die'" << false;
        QTest::newRow("NOT of a Null comparison is not true either") << "NOT Kontext='die'" << false;
        QTest::newRow("Null or true is true") << "Kontext='die' OR LIP_=TRUE" << true;
        QTest::newRow("IS NULL") << "Kontext IS NULL" << true;
        QTest::newRow("IS NOT NULL") << "Wort IS NOT NULL AND Kontext IS NOT NULL" << false;
        QTest::newRow("a yes/no field alone") << "LIP_" << true;
    }
    void wertet_aus() {
        QFETCH(QString, ausdruck);
        QFETCH(bool, erwartet);
        QCOMPARE(Ausdruck::uebersetze(ausdruck, felder, "x.mdb").trifftZu(zeile), erwartet);
    }

    void fehler_nennen_ausdruck_und_datei_data() {
        QTest::addColumn<QString>("ausdruck");
        QTest::addColumn<QString>("imText");
        QTest::newRow("unknown field") << "UBIX=TRUE"
                                       << "Unbekanntes Feld „UBIX“";
        QTest::newRow("empty") << "  "
                               << "Leerer Ausdruck";
        QTest::newRow("missing right side") << "RefNr="
                                            << "Wert erwartet";
        QTest::newRow("open parenthesis") << "(LIP_=TRUE"
                                          << "Klammer";
        QTest::newRow("open text") << "Wort='Bie"
                                   << "Text";
        QTest::newRow("stray word") << "LIP_=TRUE GWS"
                                    << "Unerwartetes";
        QTest::newRow("bad character") << "LIP_ ? TRUE"
                                       << "Unerwartetes Zeichen";
        QTest::newRow("AND without left side") << "AND LIP_=TRUE"
                                               << "Wert erwartet";
    }
    void fehler_nennen_ausdruck_und_datei() {
        QFETCH(QString, ausdruck);
        QFETCH(QString, imText);
        try {
            Ausdruck::uebersetze(ausdruck, felder, "x.mdb");
            QFAIL("no error");
        } catch (const Laufzeitfehler& e) {
            QVERIFY2(e.problem().contains(imText), qPrintable(e.problem()));
            QCOMPARE(e.betroffen(), QStringLiteral("x.mdb"));
        }
    }

    void text_gegen_zahl_ist_ein_laufzeitfehler() {
        const Ausdruck a = Ausdruck::uebersetze("Wort=5", felder, "x.mdb");
        QVERIFY_THROWS_EXCEPTION(Laufzeitfehler, a.trifftZu(zeile));
    }

    void gleichheit_mit_zahl_wird_erkannt() {
        const auto g = Ausdruck::uebersetze("refNr= 57", felder, "x.mdb").alsGleichheit();
        QVERIFY(g);
        QCOMPARE(g->feld, 0);
        QCOMPARE(g->zahl, 57.0);
        QVERIFY(!Ausdruck::uebersetze("RefNr=57 AND LIP_", felder, "x.mdb").alsGleichheit());
    }
};

QTEST_APPLESS_MAIN(AusdruckTest)
#include "db_ausdruck_test.moc"
