#include "platform/laufzeitfehler.h"
#include "startup/lesehilfen.h"
#include "startup/startparameter.h"

#include <QTest>

using namespace findolin;

// The launch list, the lenient number reading and the field-wise reading of framework files.
class TestStartparameter : public QObject {
    Q_OBJECT

private slots:
    void rahmenAufruf_data() {
        QTest::addColumn<QString>("cmd");
        QTest::addColumn<bool>("vomRahmen");
        QTest::newRow("empty") << "" << false;
        QTest::newRow("no delimiter") << "Version=4;nSpieler=1;A;a;" << false;
        QTest::newRow("lower case") << "\"version=4;\"" << false;
        QTest::newRow("short") << "\"Vers" << false;
        QTest::newRow("quoted list") << "\"Version=4;nSpieler=1;A;a;\"" << true;
        QTest::newRow("other version") << "(Version=5;)" << true;
    }
    void rahmenAufruf() {
        QFETCH(QString, cmd);
        QFETCH(bool, vomRahmen);
        QCOMPARE(istRahmenAufruf(cmd), vomRahmen);
    }

    void liste_data() {
        QTest::addColumn<QString>("cmd");
        QTest::addColumn<bool>("ergebnis");
        QTest::addColumn<int>("nSpieler");
        QTest::addColumn<QStringList>("namen");
        QTest::addColumn<QStringList>("kennungen");
        QTest::addColumn<QString>("ubix");
        QTest::addColumn<int>("lupe");
        QTest::addColumn<int>("gws");

        QTest::newRow("two players") << "\"Version=4;nSpieler=2;Anna;Ben;a1;b2;\"" << true << 2
                                     << QStringList{"Anna", "Ben"} << QStringList{"a1", "b2"} << "" << 0 << 0;
        QTest::newRow("version with blanks") << "\"Version= 4 ;nSpieler=1;A;a;\"" << true << 1
                                             << QStringList{"A"} << QStringList{"a"} << "" << 0 << 0;
        QTest::newRow("version 5 reads no player") << "\"Version=5;nSpieler=1;A;a;\"" << false << 0
                                                   << QStringList{} << QStringList{} << "" << 0 << 0;
        QTest::newRow("blank before key is skipped") << "\" Version=5;nSpieler=1;A;a;\"" << true << 1
                                                     << QStringList{"A"} << QStringList{"a"} << "" << 0 << 0;
        QTest::newRow("flags and focus")
            << "\"Version=4;UbixFeldName=XYZ;LupenFlag=1;GwsFlag=0;nSpieler=1;A;a;\"" << true << 1
            << QStringList{"A"} << QStringList{"a"} << "LIP_" << -1 << -1;
        QTest::newRow("magnifier off") << "\"Version=4;LupenFlag= 0 ;nSpieler=1;A;a;\"" << true << 1
                                       << QStringList{"A"} << QStringList{"a"} << "" << 0 << 0;
        QTest::newRow("magnifier empty value") << "\"Version=4;LupenFlag=;nSpieler=0;\"" << true << 0
                                               << QStringList{} << QStringList{} << "" << -1 << 0;
        QTest::newRow("names are never keys") << "\"Version=4;nSpieler=1;GwsFlag=1;k;\"" << true << 1
                                              << QStringList{"GwsFlag=1"} << QStringList{"k"} << "" << 0 << 0;
        QTest::newRow("blanks kept in names")
            << "\"Version=4;nSpieler=1; Anna Maria ;am;\"" << true << 1 << QStringList{" Anna Maria "}
            << QStringList{"am"} << "" << 0 << 0;
        QTest::newRow("no player item")
            << "\"Version=4;LupenFlag=1;\"" << true << 0 << QStringList{} << QStringList{} << "" << -1 << 0;
        QTest::newRow("not a number") << "\"Version=4;nSpieler=zwei;A;a;\"" << true << 0 << QStringList{}
                                      << QStringList{} << "" << 0 << 0;
        QTest::newRow("rest ignored") << "\"Version=4;nSpieler=1;A;a;mehr;\"" << true << 1 << QStringList{"A"}
                                      << QStringList{"a"} << "" << 0 << 0;
    }
    void liste() {
        QFETCH(QString, cmd);
        QFETCH(bool, ergebnis);
        QFETCH(int, nSpieler);
        QFETCH(QStringList, namen);
        QFETCH(QStringList, kennungen);
        StartKontext k;
        QCOMPARE(leseStartParameter(cmd, k), ergebnis);
        QCOMPARE(k.nSpieler, nSpieler);
        for (int i = 0; i < namen.size(); ++i) {
            QCOMPARE(k.spielerName[i], namen[i]);
            QCOMPARE(k.spielerKennung[i], kennungen[i]);
            QCOMPARE(k.spielerPunkte[i], 0);
        }
        QTEST(k.ubixFeldName, "ubix");
        QTEST(int(k.lupenFlag), "lupe");
        QTEST(int(k.gwsFlag), "gws");
    }

    void fehlerhafteListe_data() {
        QTest::addColumn<QString>("cmd");
        QTest::addColumn<QString>("nennt");
        QTest::newRow("sixth player") << "\"Version=4;nSpieler=6;a;b;c;d;e;f;1;2;3;4;5;6;\""
                                      << "nSpieler = 6";
        QTest::newRow("too few names") << "\"Version=4;nSpieler=3;A;B;\""
                                       << "Spieler 3";
        QTest::newRow("too few keys") << "\"Version=4;nSpieler=2;A;B;a;\""
                                      << "Kennung von Spieler 2";
        QTest::newRow("overflow") << "\"Version=4;nSpieler=40000;\""
                                  << "40000";
    }
    void fehlerhafteListe() {
        QFETCH(QString, cmd);
        QFETCH(QString, nennt);
        StartKontext k;
        try {
            leseStartParameter(cmd, k);
            QFAIL("a malformed list must be a run-time error");
        } catch (const Laufzeitfehler& e) {
            QVERIFY2(e.betroffen().contains(nennt), qPrintable(e.meldung()));
        }
    }

    void zahlen_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("wert");
        QTest::newRow("plain") << "30" << 30;
        QTest::newRow("blanks around") << "  7 " << 7;
        QTest::newRow("blanks inside") << "1 2" << 12;
        QTest::newRow("not a number") << "abc" << 0;
        QTest::newRow("trailing text") << "12abc" << 12;
        QTest::newRow("negative") << "-3" << -3;
        QTest::newRow("half to even down") << "2.5" << 2;
        QTest::newRow("half to even up") << "3.5" << 4;
        QTest::newRow("exponent") << "1e3" << 1000;
        QTest::newRow("limit") << "32767" << 32767;
        QTest::newRow("lower limit") << "-32768" << -32768;
    }
    void zahlen() {
        QFETCH(QString, text);
        QTEST(int(leseGanzzahl(text, "x")), "wert");
    }
    void zahlUeberlauf() { QVERIFY_THROWS_EXCEPTION(Laufzeitfehler, leseGanzzahl("32768", "x")); }

    void felder_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("felder");
        QTest::newRow("line is a field") << "a b\r\nc\r\n" << QStringList{"a b", "c"};
        QTest::newRow("comma splits") << "Titel,LIP_\r\n" << QStringList{"Titel", "LIP_"};
        QTest::newRow("comma at line end")
            << ">>> Klasse 2,\r\nx,y" << QStringList{">>> Klasse 2", "", "x", "y"};
        QTest::newRow("blanks dropped") << "  a  ,  b  \n" << QStringList{"a", "b"};
        QTest::newRow("quoted keeps comma") << "\"a, b\",c\r\n" << QStringList{"a, b", "c"};
        QTest::newRow("empty line") << "a\r\n\r\nb" << QStringList{"a", "", "b"};
    }
    void felder() {
        QFETCH(QString, text);
        QFETCH(QStringList, felder);
        FeldLeser leser(text, "t");
        QStringList gelesen;
        while (!leser.amEnde())
            gelesen.append(leser.naechstesFeld());
        QCOMPARE(gelesen, felder);
        QVERIFY_THROWS_EXCEPTION(Laufzeitfehler, leser.naechstesFeld());
    }

    void textHelfer() {
        QCOMPARE(wertNachGleich("a=b=c"), QString("b=c"));
        QCOMPARE(wertNachGleich("ohne"), QString());
        QCOMPARE(vorname("Anna Maria Schulz"), QString("Anna"));
        QCOMPARE(vorname("Computer"), QString("Computer"));
        QCOMPARE(vorname(" Anna"), QString());
    }
};

QTEST_APPLESS_MAIN(TestStartparameter)
#include "tst_startparameter.moc"
