#include "platform/files.h"
#include "platform/laufzeitfehler.h"
#include "platform/virtualeventloop.h"
#include "startup/hilfsfunktionen.h"
#include "startup/rahmendateien.h"
#include "testdata.h"

#include <QTemporaryDir>
#include <QTest>

using namespace findolin;

// The framework's files as real installations hold them, and the shared helpers around them.
class TestRahmendateien : public QObject {
    Q_OBJECT

    QTemporaryDir ordner_;
    platform::QtFileSystem dateien_;

    Pfade pfade() const { return Pfade::ausProgrammordner(ordner_.path()); }
    void schreibe(const QString& name, const QByteArray& inhalt) {
        QDir().mkpath(QFileInfo(ordner_.filePath(name)).path());
        QFile f(ordner_.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(inhalt);
    }

private slots:
    void echteRahmendateien() {
        REQUIRE_TESTDATA("framework/Omnor.ini");
        const Pfade echt = Pfade::ausProgrammordner(testdataFile("framework"));
        StartKontext k;
        k.ubixFeldName = "LIP_";
        k.nSpieler = 2;
        k.spielerKennung = {"anna01", "ben02"};
        leseUebungsTitel(dateien_, echt, k);
        QCOMPARE(k.ubixNr, 3);
        QCOMPARE(k.uebungsTitel, QString("Lernwörter mit Lupe"));
        leseMaxSpielDauer(dateien_, echt, k);
        QCOMPARE(k.energieFaktor, 3);
        leseFehlerWorte(dateien_, echt, k);
        QCOMPARE(k.fehlerWorte.eintraege(), (QList<qint16>{23, 4, 5}));
    }

    void uebungsTitel_data() {
        QTest::addColumn<QByteArray>("tsp");
        QTest::addColumn<QString>("feldName");
        QTest::addColumn<int>("ubixNr");
        QTest::addColumn<QString>("titel");
        QTest::newRow("heading, other, match")
            << QByteArray(">>> Kopf,\r\nAndere,XX__\r\nGesucht,LIP_\r\n") << "LIP_" << 2 << "Gesucht";
        QTest::newRow("no match counts all")
            << QByteArray(">>> K,\r\nA,AA__\r\nB,BB__\r\n") << "LIP_" << 2 << "";
        QTest::newRow("empty name matches first empty")
            << QByteArray("A,AA__\r\nB,\r\nC,\r\n") << "" << 2 << "B";
        QTest::newRow("case matters") << QByteArray("A,lip_\r\nB,LIP_\r\n") << "LIP_" << 2 << "B";
        QTest::newRow("windows code page") << QByteArray("W\xf6rter,LIP_\r\n") << "LIP_" << 1 << "Wörter";
    }
    void uebungsTitel() {
        QFETCH(QByteArray, tsp);
        QFETCH(QString, feldName);
        schreibe("Omnor.tsp", tsp);
        StartKontext k;
        k.ubixFeldName = feldName;
        leseUebungsTitel(dateien_, pfade(), k);
        QTEST(int(k.ubixNr), "ubixNr");
        QTEST(k.uebungsTitel, "titel");
    }
    void uebungsListeEndetMittenImEintrag() {
        schreibe("Omnor.tsp", "Nur ein Titel\r\n");
        StartKontext k;
        k.ubixFeldName = "LIP_";
        QVERIFY_THROWS_EXCEPTION(Laufzeitfehler, leseUebungsTitel(dateien_, pfade(), k));
    }

    void spielDauer_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<int>("faktor");
        QTest::newRow("missing") << QByteArray("[Spiele]\r\nAnderes=1\r\n") << 0;
        QTest::newRow("3 minutes") << QByteArray("[Spiele]\r\nMaximaleSpielDauer=3\r\n") << 15;
        QTest::newRow("6") << QByteArray("[Spiele]\r\nMaximaleSpielDauer=6\r\n") << 12;
        QTest::newRow("8") << QByteArray("[Spiele]\r\nMaximaleSpielDauer=8\r\n") << 9;
        QTest::newRow("30 with blanks") << QByteArray("[Spiele]\r\nMaximaleSpielDauer= 30 \r\n") << 2;
        QTest::newRow("40") << QByteArray("[Spiele]\r\nMaximaleSpielDauer=40\r\n") << 1;
        QTest::newRow("in a later section")
            << QByteArray("[Spiele]\r\n[Sound]\r\nMaximaleSpielDauer=15\r\n") << 5;
        QTest::newRow("before the section") << QByteArray("MaximaleSpielDauer=15\r\n[Spiele]\r\n") << 0;
        QTest::newRow("commented out") << QByteArray("[Spiele]\r\n;MaximaleSpielDauer=15\r\n") << 0;
    }
    void spielDauer() {
        QFETCH(QByteArray, ini);
        schreibe("Omnor.ini", ini);
        StartKontext k;
        leseMaxSpielDauer(dateien_, pfade(), k);
        QTEST(int(k.energieFaktor), "faktor");
    }

    void fehlerWorte() {
        schreibe("User/a.tmp", "17 = OK\r\n23 = falsch\r\n23 = nochmal\r\n");
        schreibe("User/b.tmp", "23 = falsch\r\n5=\r\n");
        StartKontext k;
        k.nSpieler = 2;
        k.spielerKennung = {"a", "b"};
        leseFehlerWorte(dateien_, pfade(), k);
        QCOMPARE(k.fehlerWorte.eintraege(), (QList<qint16>{23, 5}));
    }
    void fehlerhafteErgebnisdatei() {
        schreibe("User/c.tmp", "17 = OK\r\nkaputt\r\n");
        StartKontext k;
        k.nSpieler = 1;
        k.spielerKennung = {"c"};
        QVERIFY_THROWS_EXCEPTION(Laufzeitfehler, leseFehlerWorte(dateien_, pfade(), k));
        k.spielerKennung = {"fehlt"};
        QVERIFY_THROWS_EXCEPTION(Laufzeitfehler, leseFehlerWorte(dateien_, pfade(), k));
    }

    void zufallsZahlen() {
        platform::SeededRandom zufall(7);
        QSet<int> gesehen;
        for (int i = 0; i < 1000; ++i) {
            const int z = zufallsZahl(zufall, 0, 9);
            QVERIFY(z >= 0 && z <= 9);
            gesehen.insert(z);
        }
        QCOMPARE(gesehen.size(), 10);
        QCOMPARE(zufallsZahl(zufall, 1, 1), 1);
        QCOMPARE(zufallsZahl(zufall, 5, 3), 5);
        QCOMPARE(zufallsZahl(zufall, 0, -1), 0);
        QVERIFY_THROWS_EXCEPTION(Laufzeitfehler, zufallsZahl(zufall, -20000, 20000));
    }

    void wartenInGanzenSekunden_data() {
        QTest::addColumn<double>("start");
        QTest::addColumn<int>("mindestens");
        QTest::addColumn<int>("hoechstens");
        QTest::newRow("just after a second") << 100.05 << 1400 << 1500;
        QTest::newRow("just before a second") << 100.45 << 1000 << 1100;
        QTest::newRow("just past half") << 100.55 << 1900 << 2000;
        QTest::newRow("across midnight") << 86399.7 << 1700 << 1900;
    }
    void wartenInGanzenSekunden() {
        QFETCH(double, start);
        platform::VirtualEventLoop schleife(start);
        int ticks = 0;
        auto timer = schleife.createTimer(100, [&] { ++ticks; });
        timer->setEnabled(true);
        warteSekunden(schleife, schleife, 2);
        QFETCH(int, mindestens);
        QFETCH(int, hoechstens);
        QVERIFY2(schleife.nowMs() >= mindestens && schleife.nowMs() <= hoechstens,
                 qPrintable(QString::number(schleife.nowMs())));
        QCOMPARE(ticks, 0); // nothing is served during the pause
        schleife.processPending();
        QCOMPARE(ticks, 1); // what fell due meanwhile comes once, afterwards
    }
};

QTEST_APPLESS_MAIN(TestRahmendateien)
#include "tst_rahmendateien.moc"
