// Start-up from the framework: its launch list, its files as real installations hold them, and the settings
// in
// "[Findolin]" of "Omnor.ini" (read at start, written at the end).
#include "platform/cp1252.h"
#include "platform/files.h"
#include "platform/laufzeitfehler.h"
#include "platform/qt/qtservices.h"
#include "rahmen/startliste.h"
#include "settings/omnorini.h"
#include "startup/rahmendateien.h"
#include "testdata.h"

#include <QTemporaryDir>
#include <QTest>

using namespace findolin;

namespace {

// One row of a data table.
template <typename... T> void zeile(const char* name, const T&... spalten) {
    (QTest::newRow(name) << ... << spalten);
}

// A file as the framework writes it, Windows code page and CR LF; "|" separates its lines here.
QByteArray ini(QString zeilen) {
    return nachWindows1252(zeilen.replace('|', "\r\n") + "\r\n");
}

QString werte(const Einstellungen& e) {
    return QString::asprintf("%d%d%d%d%d%d", e.einstTon, e.einstRatezeit, e.einstFeldMarkierung,
                             e.einstGegenComputer, e.einstSpielStaerke, e.einstSpeichern);
}

} // namespace

class TestStart : public QObject {
    Q_OBJECT

    QTemporaryDir ordner_;
    platform::QtFileSystem dateien_;
    const Pfade pfade_ = Pfade::ausProgrammordner(ordner_.path());

    void schreibe(const QString& name, const QByteArray& inhalt) {
        QDir().mkpath(QFileInfo(ordner_.filePath(name)).path());
        QFile f(ordner_.filePath(name));
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(inhalt) != inhalt.size())
            qFatal("cannot write %s", qPrintable(f.fileName()));
    }
    QByteArray omnorIni() const { return dateien_.readAll(pfade_.imProgrammordner("Omnor.ini")); }

    // Checks a row of a reading table: what `lies` makes of its text ("|" separates the lines of a file); a
    // run-time error gives "Fehler: " and what it names, without the test's folder.
    void pruefe(const std::function<QString(const QString&)>& lies) {
        QFETCH(QString, text);
        try {
            QTEST(lies(text), "befund");
        } catch (const Laufzeitfehler& e) {
            QTEST("Fehler: " + QDir::fromNativeSeparators(e.betroffen()).remove(ordner_.path()), "befund");
        }
    }

private slots:
    // The launch list as the program meets it: refused unless the framework sent it, then read.
    void startliste_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("befund"); // focus, magnifier, basic vocabulary, players: name/key
        zeile("empty", "", "refused");
        zeile("no delimiter", "Version=4;nSpieler=1;A;a;", "refused");
        zeile("lower case", "\"version=4;\"", "refused");
        zeile("other version", "\"Version=5;nSpieler=1;A;a;\"", "other version");
        zeile("a tab is no blank", "\"Version=\t4;nSpieler=1;A;a;\"", "other version");
        zeile("two players, blanks kept in names", "\"Version=4;nSpieler=2; Anna Maria ;Ben;a1;b2;\"",
              " 0 0 2:  Anna Maria /a1 Ben/b2");
        zeile("any focus is LIP_, any GwsFlag is on",
              "\"Version= 4 ;UbixFeldName=XYZ;LupenFlag=1;GwsFlag=0;nSpieler=1;A;a;\"", "LIP_ -1 -1 1: A/a");
        zeile("magnifier off; blank key", "\"Version=4;LupenFlag= 0 ; LupenFlag=1;nSpieler=0;\"", " 0 0 0:");
        zeile("names are never keys", "\"Version=4;nSpieler=1;GwsFlag=1;k;\"", " 0 0 1: GwsFlag=1/k");
        zeile("five players, counted as \"5e\"", "\"Version=4;nSpieler=5e;A;B;C;D;E;a;b;c;d;e;\"",
              " 0 0 5: A/a B/b C/c D/d E/e");
        zeile("sixth player", "\"Version=4;nSpieler=6;a;b;c;d;e;f;1;2;3;4;5;6;\"", "Fehler: nSpieler = 6");
        zeile("too few names", "\"Version=4;nSpieler=3;A;B;\"",
              "Fehler: Es fehlt der Name von Spieler 3 (jeder Eintrag endet mit \";\")");
        zeile("too few keys", "\"Version=4;nSpieler=2;A;B;a;\"",
              "Fehler: Es fehlt die Kennung von Spieler 2 (jeder Eintrag endet mit \";\")");
        zeile("not a number", "\"Version=4;nSpieler=zwei;A;a;\"", " 0 0 0:");
        zeile("overflow", "\"Version=4;nSpieler=32768;\"", "Fehler: nSpieler = 32768");
        zeile("a key leading out of the user folder", "\"Version=4;nSpieler=1;A;../a;\"", "Fehler: ../a");
    }
    void startliste() {
        pruefe([](const QString& cmd) {
            StartKontext k;
            if (!istRahmenAufruf(cmd))
                return QStringLiteral("refused");
            if (!leseStartParameter(cmd, k))
                return QStringLiteral("other version");
            QString b = k.ubixFeldName + QString::asprintf(" %d %d %d:", k.lupenFlag, k.gwsFlag, k.nSpieler);
            for (int i = 0; i < k.nSpieler; ++i)
                b += " " + k.spielerName[i] + "/" + k.spielerKennung[i];
            return b;
        });
    }

    // The real framework files: the practice focus, the play time, the players' result files (and a broken
    // one), and the settings written back byte for byte, comments kept.
    void echteRahmendateien() {
        REQUIRE_TESTDATA("framework/Omnor.ini");
        const Pfade echt = Pfade::ausProgrammordner(testdataFile("framework"));
        StartKontext k;
        QVERIFY(leseStartParameter("\"Version=4;UbixFeldName=;nSpieler=2;Anna;Ben;anna01;ben02;\"", k));
        leseUebungsTitel(dateien_, echt, k);
        leseMaxSpielDauer(dateien_, echt, k);
        leseFehlerWorte(dateien_, echt, k);
        QCOMPARE(QStringLiteral("%1 %2 %3").arg(k.ubixNr).arg(k.uebungsTitel).arg(k.energieFaktor),
                 QString("3 Lernwörter mit Lupe 3"));
        QCOMPARE(k.fehlerWorte.eintraege(), (QList<qint16>{23, 4, 5}));
        schreibe("User/c.tmp", "17 = OK\r\nkaputt\r\n"); // a line without "="
        k.spielerKennung = {"c"};
        QVERIFY_THROWS_EXCEPTION(Laufzeitfehler, leseFehlerWorte(dateien_, pfade_, k));

        const QByteArray original = dateien_.readAll(echt.imProgrammordner("Omnor.ini"));
        schreibe("Omnor.ini", original);
        Einstellungen e;
        EinstellFormular f;
        loadOmnorIni(dateien_, pfade_, 2, e, f);
        QCOMPARE(werte(e), QString("101011")); // "ComputerSpielStärke" in the Windows code page
        saveOmnorIni(dateien_, pfade_, e, f);
        QCOMPARE(omnorIni(), original.left(original.indexOf("[Findolin]")) +
                                 ini("[Findolin]|TonEinschalten=1|RatezeitBegrenzen=0|FeldMarkierung=1|"
                                     "GegenComputer=0|ComputerSpielStärke=1|EinstellungenSpeichern=1| |"
                                     "; Einstellungen von Findolin|; Stärke: 0 = stark, 1 = schwach") +
                                 original.mid(original.indexOf("[Rechenmeister]")));
    }

    // The practice focus from "Omnor.tsp", read field by field.
    void uebungsTitel_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("befund");
        zeile("no match counts all", ">>> K,|A,AA__|B,BB__", "2 ");
        zeile("case matters", "A,lip_|B,LIP_", "2 B");
        zeile("blanks dropped, quotes keep a comma", "  A  , AA__ |\"B, C\",LIP_", "2 B, C");
        zeile("ends within an entry", "Nur ein Titel", "Fehler: /Omnor.tsp");
    }
    void uebungsTitel() {
        pruefe([&](const QString& tsp) {
            schreibe("Omnor.tsp", ini(tsp));
            StartKontext k;
            k.ubixFeldName = "LIP_";
            leseUebungsTitel(dateien_, pfade_, k);
            return QStringLiteral("%1 %2").arg(k.ubixNr).arg(k.uebungsTitel);
        });
    }

    // "Omnor.ini" as read at start: the play-time factor from "[Spiele]", then the six settings from
    // "[Findolin]" as the record holds them.
    void omnorIniLesen_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("befund");
        QTest::addColumn<int>("nSpieler");
        const QString alle =
            "[Findolin]|TonEinschalten=1|RatezeitBegrenzen=1|FeldMarkierung=1|GegenComputer=1|"
            "ComputerSpielStärke=1|EinstellungenSpeichern=1";
        zeile("no play time", "[Spiele]|Anderes=1", "0 000000", 2);
        zeile("play time under 5 counts as 5", "[Spiele]|MaximaleSpielDauer=3", "15 000000", 2);
        zeile("play-time factor rounded down", "[Spiele]|MaximaleSpielDauer=40", "1 000000", 2);
        zeile("factor at least 1; blanks in a number", "[Spiele]|MaximaleSpielDauer= 1 00 ", "1 000000", 2);
        zeile("play time in a later section", "[Spiele]|[Sound]|MaximaleSpielDauer=15", "5 000000", 2);
        zeile("play time before the section or commented out",
              "MaximaleSpielDauer=15|[Spiele]|;MaximaleSpielDauer=15", "0 000000", 2);
        zeile("all on", alle, "0 111111", 2);
        zeile("four players: no computer", alle, "0 111011 ohne Computer", 4);
        zeile("order, comments, blanks", "[Findolin]|; c||EinstellungenSpeichern=1| |TonEinschalten= 1 ",
              "0 100001", 2);
        zeile("later line wins; blank before =, key in other case, comment: no entries",
              "[Findolin]|TonEinschalten=1|TonEinschalten=0|"
              "TonEinschalten =1|tonEinschalten=1|;TonEinschalten=1",
              "0 000000", 1);
        zeile("header case matters", "[findolin]|TonEinschalten=1", "0 000000", 1);
        // Numbers are read leniently: their leading part, rounded half to even.
        zeile("text after, exponent", "[Findolin]|TonEinschalten=1 ; an|FeldMarkierung=1e0", "0 101000", 1);
        zeile("half to even", "[Findolin]|TonEinschalten=0.5|FeldMarkierung=0.7", "0 001000", 1);
        zeile("1.5 is 2", "[Findolin]|TonEinschalten=1.5", "Fehler: /Omnor.ini: TonEinschalten=1.5", 1);
        zeile("only 0 and 1", "[Findolin]|TonEinschalten=7", "Fehler: /Omnor.ini: TonEinschalten=7", 1);
    }
    void omnorIniLesen() {
        Einstellungen e;
        EinstellFormular f{0, 0, 0, 0, true, 0, true, 0}; // as the record starts, to see what loading sets
        pruefe([&](const QString& datei) {
            QFETCH(int, nSpieler);
            schreibe("Omnor.ini", ini(datei));
            StartKontext k;
            leseMaxSpielDauer(dateien_, pfade_, k);
            loadOmnorIni(dateien_, pfade_, nSpieler, e, f);
            return QString::number(k.energieFaktor) + " " + werte(e) +
                   (f.gegenCompEnabled ? "" : " ohne Computer");
        });
        // The dialog shows what the record holds.
        QCOMPARE(werte({f.tonEin, f.rateZeitEin, f.feldMarkEin, f.gegenComp, f.spSt, f.einstSaveOpt}),
                 werte(e));
        QCOMPARE(f.spStEnabled, f.gegenCompEnabled);
    }

    void einstellungenSchreiben_data() {
        QTest::addColumn<QString>("vorher");
        QTest::addColumn<bool>("speichern"); // the dialog's box
        QTest::addColumn<QString>("nachher");
        const QString neu =
            "[Findolin]|TonEinschalten=1|RatezeitBegrenzen=0|FeldMarkierung=1|GegenComputer=0|"
            "ComputerSpielStärke=1|EinstellungenSpeichern=1| ";
        zeile("comments kept, entries and blanks dropped",
              "[A]|x=1|[Findolin]|; eins|TonEinschalten=0||; zwei|Fremd=3|[B]|y=2", true,
              "[A]|x=1|" + neu + "|; eins|; zwei|[B]|y=2");
        zeile("no section: appended with header", "[A]|x=1", true, "[A]|x=1|" + neu);
        zeile("box not checked: file left alone", "[A]|x=1", false, "[A]|x=1");
        // Lines end at a lone CR or LF too: the section is replaced in place, every line keeps its end.
        for (const QString ende : {"\r", "\n"})
            zeile(ende == "\r" ? "CR, last line CR LF" : "LF, last line CR LF",
                  QString("[A]|x=1|[Findolin]|; c|TonEinschalten=0|[B]|y=2").replace('|', ende), true,
                  QString("[A]|x=1|" + neu + "|; c|[B]|y=2").replace('|', ende));
    }
    void einstellungenSchreiben() {
        QFETCH(QString, vorher);
        QFETCH(bool, speichern);
        QFETCH(QString, nachher);
        schreibe("Omnor.ini", ini(vorher));
        EinstellFormular f;
        f.einstSaveOpt = speichern;
        saveOmnorIni(dateien_, pfade_, Einstellungen{1, 0, 1, 0, 1, 1}, f);
        QCOMPARE(omnorIni(), ini(nachher));
        Einstellungen gelesen;
        loadOmnorIni(dateien_, pfade_, 1, gelesen, f);
        QCOMPARE(werte(gelesen), speichern ? "101011" : "000000");
        // When the temporary file cannot be written, the old file stays whole.
        QVERIFY(QDir().mkpath(pfade_.imProgrammordner("Omnor.tmp")));
        f.einstSaveOpt = 1;
        QVERIFY_THROWS_EXCEPTION(Laufzeitfehler, saveOmnorIni(dateien_, pfade_, Einstellungen{}, f));
        QCOMPARE(omnorIni(), ini(nachher));
        QVERIFY(QDir().rmdir(pfade_.imProgrammordner("Omnor.tmp")));
    }
};

QTEST_MAIN(TestStart)
#include "tst_start.moc"
