#include "platform/cp1252.h"
#include "platform/files.h"
#include "platform/laufzeitfehler.h"
#include "settings/omnorini.h"
#include "startup/startkontext.h"
#include "testdata.h"

#include <QTemporaryDir>
#include <QTest>

using namespace findolin;

namespace {

QByteArray ini(const QStringList& zeilen) {
    QByteArray bytes;
    for (const QString& z : zeilen)
        bytes += nachWindows1252(z) + "\r\n";
    return bytes;
}

// A file system whose replacement fails after writing the temporary file, as a full disk or a crash would.
class AbbrechendesDateisystem : public platform::QtFileSystem {
public:
    void replaceVia(const QString&, const QString& tempPath, const QByteArray& content) override {
        QFile tmp(tempPath);
        tmp.open(QIODevice::WriteOnly);
        tmp.write(content.left(content.size() / 2));
        throw Laufzeitfehler("Die Datei kann nicht ersetzt werden", tempPath);
    }
};

} // namespace

// The section "[Findolin]" of the framework's configuration file: read at start, written at program end.
class TestOmnorIni : public QObject {
    Q_OBJECT

    QTemporaryDir ordner_;
    platform::QtFileSystem dateien_;
    Pfade pfade_ = Pfade::ausProgrammordner(ordner_.path());

    void schreibe(const QByteArray& inhalt) {
        QFile f(pfade_.imProgrammordner("Omnor.ini"));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(inhalt);
    }
    QByteArray gelesen() const { return dateien_.readAll(pfade_.imProgrammordner("Omnor.ini")); }

private slots:
    void laden_data() {
        QTest::addColumn<QStringList>("zeilen");
        QTest::addColumn<int>("nSpieler");
        QTest::addColumn<QList<int>>("werte");
        QTest::addColumn<bool>("computerWaehlbar");
        const QStringList alle = {
            "[Findolin]",      "TonEinschalten=1",      "RatezeitBegrenzen=1",     "FeldMarkierung=1",
            "GegenComputer=1", "ComputerSpielStärke=1", "EinstellungenSpeichern=1"};
        QTest::newRow("all on") << alle << 2 << QList<int>{1, 1, 1, 1, 1, 1} << true;
        QTest::newRow("four players: no computer") << alle << 4 << QList<int>{1, 1, 1, 0, 1, 1} << false;
        QTest::newRow("order, comments, blanks")
            << QStringList{"[Findolin]", "; c", "", "EinstellungenSpeichern=1", " ", "TonEinschalten= 1 "}
            << 2 << QList<int>{1, 0, 0, 0, 0, 1} << true;
        QTest::newRow("blank before =")
            << QStringList{"[Findolin]", "TonEinschalten =1"} << 1 << QList<int>{0, 0, 0, 0, 0, 0} << true;
        QTest::newRow("case of key") << QStringList{"[Findolin]", "tonEinschalten=1"} << 1
                                     << QList<int>{0, 0, 0, 0, 0, 0} << true;
        QTest::newRow("commented entry")
            << QStringList{"[Findolin]", ";TonEinschalten=1"} << 1 << QList<int>{0, 0, 0, 0, 0, 0} << true;
        QTest::newRow("later line wins") << QStringList{"[Findolin]", "TonEinschalten=1", "TonEinschalten=0"}
                                         << 1 << QList<int>{0, 0, 0, 0, 0, 0} << true;
        QTest::newRow("next section ends") << QStringList{"[Findolin]", "[Andere]", "TonEinschalten=1"} << 1
                                           << QList<int>{0, 0, 0, 0, 0, 0} << true;
        QTest::newRow("no section") << QStringList{"[Andere]", "TonEinschalten=1"} << 1
                                    << QList<int>{0, 0, 0, 0, 0, 0} << true;
        QTest::newRow("header case matters")
            << QStringList{"[findolin]", "TonEinschalten=1"} << 1 << QList<int>{0, 0, 0, 0, 0, 0} << true;
    }
    void laden() {
        QFETCH(QStringList, zeilen);
        QFETCH(int, nSpieler);
        QFETCH(QList<int>, werte);
        schreibe(ini(zeilen));
        Einstellungen e;
        EinstellFormular f;
        loadOmnorIni(dateien_, pfade_, nSpieler, e, f);
        QCOMPARE((QList<int>{e.einstTon, e.einstRatezeit, e.einstFeldMarkierung, e.einstGegenComputer,
                             e.einstSpielStaerke, e.einstSpeichern}),
                 werte);
        QCOMPARE((QList<int>{f.tonEin, f.rateZeitEin, f.feldMarkEin, f.gegenComp, f.spSt, f.einstSaveOpt}),
                 werte);
        QTEST(f.gegenCompEnabled, "computerWaehlbar");
        QCOMPARE(f.spStEnabled, f.gegenCompEnabled);
    }

    void unzulaessigerWert() {
        schreibe(ini({"[Findolin]", "TonEinschalten=7"}));
        Einstellungen e;
        EinstellFormular f;
        QVERIFY_THROWS_EXCEPTION(Laufzeitfehler, loadOmnorIni(dateien_, pfade_, 1, e, f));
    }

    void schreiben_data() {
        QTest::addColumn<QStringList>("vorher");
        QTest::addColumn<QStringList>("nachher");
        const QStringList eintraege = {"TonEinschalten=1",
                                       "RatezeitBegrenzen=0",
                                       "FeldMarkierung=1",
                                       "GegenComputer=0",
                                       "ComputerSpielStärke=1",
                                       "EinstellungenSpeichern=1",
                                       " "};
        QTest::newRow("comments kept, entries and blanks dropped")
            << QStringList{"[A]", "x=1",    "[Findolin]", "; eins", "TonEinschalten=0",
                           "",    "; zwei", "Fremd=3",    "[B]",    "y=2"}
            << QStringList{"[A]", "x=1", "[Findolin]"} + eintraege +
                   QStringList{"; eins", "; zwei", "[B]", "y=2"};
        QTest::newRow("last section") << QStringList{"[Findolin]", "; c", "TonEinschalten =1"}
                                      << QStringList{"[Findolin]"} + eintraege + QStringList{"; c"};
        QTest::newRow("no section: appended with header")
            << QStringList{"[A]", "x=1"} << QStringList{"[A]", "x=1", "[Findolin]"} + eintraege;
    }
    void schreiben() {
        QFETCH(QStringList, vorher);
        QFETCH(QStringList, nachher);
        schreibe(ini(vorher));
        Einstellungen e{1, 0, 1, 0, 1, 1};
        EinstellFormular f;
        f.einstSaveOpt = 1;
        saveOmnorIni(dateien_, pfade_, e, f);
        QCOMPARE(gelesen(), ini(nachher));
        QVERIFY(!QFile::exists(pfade_.imProgrammordner("Omnor.tmp")));
    }

    void nichtSpeichernLaesstDieDateiInRuhe() {
        const QByteArray vorher = ini({"[Findolin]", "TonEinschalten=0", "EinstellungenSpeichern=1"});
        schreibe(vorher);
        Einstellungen e{1, 1, 1, 1, 1, 0};
        EinstellFormular f; // the box is not checked
        saveOmnorIni(dateien_, pfade_, e, f);
        QCOMPARE(gelesen(), vorher);
    }

    void abbruchLaesstDieAlteDateiGanz() {
        const QByteArray vorher = ini({"[Findolin]", "TonEinschalten=0"});
        schreibe(vorher);
        AbbrechendesDateisystem abbrechend;
        EinstellFormular f;
        f.einstSaveOpt = 1;
        QVERIFY_THROWS_EXCEPTION(Laufzeitfehler,
                                 saveOmnorIni(abbrechend, pfade_, Einstellungen{1, 1, 1, 1, 1, 1}, f));
        QCOMPARE(gelesen(), vorher);
    }

    void echteDateiByteGenau() {
        REQUIRE_TESTDATA("framework/Omnor.ini");
        QFile::remove(pfade_.imProgrammordner("Omnor.ini"));
        QVERIFY(QFile::copy(testdataFile("framework/Omnor.ini"), pfade_.imProgrammordner("Omnor.ini")));
        QFile::setPermissions(pfade_.imProgrammordner("Omnor.ini"), QFile::ReadOwner | QFile::WriteOwner);
        const QByteArray original = gelesen();

        Einstellungen e;
        EinstellFormular f;
        loadOmnorIni(dateien_, pfade_, 2, e, f);
        QCOMPARE(e.einstSpielStaerke, 1); // "ComputerSpielStärke" in the Windows code page
        QCOMPARE(e.einstFeldMarkierung, 1);
        saveOmnorIni(dateien_, pfade_, e, f);

        // Everything outside the section is unchanged, byte for byte.
        const QByteArray neu = gelesen();
        const qsizetype anfang = original.indexOf("[Findolin]\r\n");
        const qsizetype rest = original.indexOf("[Rechenmeister]");
        QCOMPARE(neu.left(anfang), original.left(anfang));
        QVERIFY(neu.endsWith(original.mid(rest)));
        QCOMPARE(neu.mid(anfang, neu.size() - anfang - (original.size() - rest)),
                 QByteArray("[Findolin]\r\nTonEinschalten=1\r\nRatezeitBegrenzen=0\r\nFeldMarkierung=1\r\n"
                            "GegenComputer=0\r\nComputerSpielSt\xe4rke=1\r\nEinstellungenSpeichern=1\r\n \r\n"
                            "; Einstellungen von Findolin\r\n; St\xe4rke: 0 = stark, 1 = schwach\r\n"));
    }
};

QTEST_APPLESS_MAIN(TestOmnorIni)
#include "tst_omnorini.moc"
