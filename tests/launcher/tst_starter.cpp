// The launcher with real parts: the demo folder the build makes, a school's framework folder from the real
// framework files and Access database, the game's own readers on what the launcher made ready, and the real
// findolin-start.
#include "info/hilfekontext.h"
#include "launcher/befehlszeile.h"
#include "launcher/einzelstart.h"
#include "launcher/spielordner.h"
#include "launcher/spielstart.h"
#include "launcher/startvorbereitung.h"
#include "platform/cp1252.h"
#include "platform/files.h"
#include "platform/laufzeitfehler.h"
#include "platform/qt/deutsch.h"
#include "rahmen/startliste.h"
#include "startup/rahmendateien.h"
#include "support/virtualeventloop.h"
#include "testdata.h"
#include "testordner.h"
#include "words/rdbmanager.h"
#include <accessdb/dateioeffner.h>

#include <chm/hilfedatei.h>

#include <QApplication>
#include <QProcess>
#include <QScopeGuard>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#ifndef Q_OS_WIN
#include "support/kleineplatte.h"
#include <sys/stat.h>
#endif

using namespace findolin;
using namespace findolin::launcher;

namespace {

template <typename... T> void zeile(const char* name, const T&... spalten) {
    (QTest::newRow(name) << ... << spalten);
}

// What the game makes of the game folder and the launch list, read with its own code: the title and number
// of the focus, then every word of the word set with its magnifier spot, "Decke 3-4", sorted.
struct Gespielt {
    QString titel;
    qint16 nummer = 0;
    QStringList woerter;
};
Gespielt spieleDurch(const QString& spielordner, const QString& startliste) {
    StartKontext k;
    leseStartParameter(startliste, k);
    platform::QtFileSystem dateien;
    leseUebungsTitel(dateien, Pfade::ausProgrammordner(spielordner), k);
    platform::SeededRandom zufall(7);
    accessdb::DateiOeffner oeffner;
    RdbManager rdb(k, zufall, oeffner);
    rdb.oeffneDatenbank(spielordner + "/Omnor-D.mdb");
    rdb.setzeWortFilter();
    rdb.leereBenutzteWorte();
    Gespielt g{k.uebungsTitel, k.ubixNr, {}};
    for (int i = 0; i < rdb.wortAnzahl(); ++i) {
        rdb.waehleWort();
        g.woerter.append(QString("%1 %2-%3").arg(rdb.aktWort()).arg(rdb.vonPos()).arg(rdb.bisPos()));
    }
    g.woerter.sort();
    return g;
}

} // namespace

class TestStarter : public QObject {
    Q_OBJECT

    QTemporaryDir heim_;
    QTemporaryDir schule_;
    QTemporaryDir karg_;
    const Installation installation_ =
        Installation::neben(QFileInfo(QStringLiteral(FINDOLIN_DEMO_DIR)).path());

private slots:
    void initTestCase() {
        qputenv("XDG_DATA_HOME", heim_.filePath("daten").toUtf8());
        qputenv("XDG_CONFIG_HOME", heim_.filePath("konfiguration").toUtf8());
        // On Windows the folders stay where Windows keeps them (under Wine: in the build's own prefix), the
        // same for this test and the real findolin-start it starts.
        legeKargenOrdnerAn(karg_.path(), installation_.vorlage);
        if (QFileInfo::exists(testdataFile("access/Omnor-D.mdb")))
            legeSchuleAn(schule_.path(), installation_.vorlage);
    }
    void init() { QDir(standardSpielordner()).removeRecursively(); }

    // The list the launcher builds is the one the game's own reader takes, item for item.
    void startliste_data() {
        QTest::addColumn<QStringList>("namen");
        QTest::addColumn<bool>("computer");
        QTest::addColumn<QString>("liste"); // empty: the choice is refused, for the reason `grund`
        QTest::addColumn<QString>("grund");
        zeile("one child", QStringList{"Anna"}, false,
              QString("\"Version=4;UbixFeldName=LIP_;LupenFlag=1;nSpieler=1;Anna;anna;\""), QString());
        zeile("five, an empty row, umlauts, blanks, signs, keys that meet",
              QStringList{" Jürgen M. ", "", "Zoë", "Zoe", "(Renée)", "?!"}, true,
              QString("\"Version=4;UbixFeldName=LIP_;LupenFlag=1;nSpieler=5;Jürgen M.;Zoë;Zoe;(Renée);?!;"
                      "juergen_m;zoe;zoe_2;renee;spieler5;\""),
              QString());
        zeile(
            "two children and the computer", QStringList{"Mia", "Tom"}, true,
            QString(
                "\"Version=4;UbixFeldName=LIP_;LupenFlag=1;nSpieler=3;Mia;Tom;Computer;mia;tom;computer;\""),
            QString());
        zeile("three children: the computer joins in the game", QStringList{"A", "B", "C"}, true,
              QString("\"Version=4;UbixFeldName=LIP_;LupenFlag=1;nSpieler=3;A;B;C;a;b;c;\""), QString());
        zeile("no name", QStringList{"  ", ""}, false, QString(), QString("mindestens einen Namen"));
        zeile("six names", QStringList{"a", "b", "c", "d", "e", "f"}, false, QString(),
              QString("höchstens fünf"));
        zeile("item end in a name", QStringList{"A;B"}, false, QString(), QString("kein „;“"));
        zeile("one name in two cases", QStringList{"Ben", "Mia", "ben"}, false, QString(),
              QString("Zwei Kinder heißen „ben“"));
        zeile("a child called Computer", QStringList{"computer"}, false, QString(), QString("anderen Namen"));
    }
    void startliste() {
        QFETCH(QStringList, namen);
        QFETCH(bool, computer);
        QFETCH(QString, liste);
        Startwahl wahl;
        wahl.spieler = namen;
        wahl.computer = computer;
        if (liste.isEmpty()) {
            QFETCH(QString, grund);
            QVERIFY2(pruefeWahl(wahl).contains(grund), qPrintable(pruefeWahl(wahl)));
            QVERIFY_THROWS_EXCEPTION(Laufzeitfehler, baueStartliste(wahl));
            return;
        }
        QCOMPARE(baueStartliste(wahl), liste);
        StartKontext k;
        QVERIFY(leseStartParameter(liste, k));
        QCOMPARE(k.nSpieler, spielerliste(wahl).size());
        QCOMPARE(k.spielerName[k.nSpieler - 1], spielerliste(wahl).last());
    }

    // What a folder offers, worked out by hand from its files: words, basic-vocabulary words and magnifier
    // spots of each focus, and why a focus cannot be played.
    void angebot_data() {
        QTest::addColumn<QString>("ordner");
        QTest::addColumn<QString>("titel");
        QTest::addColumn<QList<int>>("zahlen"); // number, words, basic-vocabulary words, spots
        QTest::addColumn<QString>("grund");
        const QString schule = schule_.path(), karg = karg_.path();
        zeile("school: ie has no picture", schule, QString("Wörter mit ie"), QList<int>{1, 3, 2, 4},
              QString("das Bild Grafik/BST_IE_.GIF fehlt"));
        zeile("school: ck", schule, QString("Wörter mit ck"), QList<int>{2, 3, 1, 4}, QString());
        zeile("school: the focus the game filters by", schule, QString("Lernwörter mit Lupe"),
              QList<int>{3, 15, 9, 12}, QString());
        zeile("school: tz with digits in its field name", schule, QString("Wörter mit tz"),
              QList<int>{4, 2, 2, 2}, QString());
        zeile("sparse: no basic vocabulary, no spots", karg, QString("Wörter mit xy"), QList<int>{1, 2, 0, 0},
              QString());
        zeile("sparse: no column", karg, QString("Gibt es nicht"), QList<int>{2, 0, 0, 0},
              QString("keine Wörter dafür in Omnor-D.mdb"));
    }
    void angebot() {
        QFETCH(QString, ordner);
        QFETCH(QString, titel);
        QFETCH(QList<int>, zahlen);
        if (ordner == schule_.path())
            REQUIRE_TESTDATA("access/Omnor-D.mdb");
        const Angebot angebot = leseAngebot(ordner);
        const auto s = std::find_if(angebot.schwerpunkte.begin(), angebot.schwerpunkte.end(),
                                    [&](const Schwerpunkt& s) { return s.titel == titel; });
        QVERIFY(s != angebot.schwerpunkte.end());
        QCOMPARE((QList<int>{s->nummer, s->woerter, s->gwsWoerter, s->lupenStellen}), zahlen);
        QTEST(s->grund, "grund");
        QCOMPARE(angebot.spielbarer(titel.toUpper()) != nullptr, s->grund.isEmpty());
    }

    // A start with each focus: the game, reading with its own code, gets that focus's words with their
    // magnifier spots, its title and number (and with it the help topic), and its picture, while it still
    // filters by LIP_.
    void schwerpunktSpielt_data() {
        QTest::addColumn<QString>("ordner");
        QTest::addColumn<QString>("titel");
        QTest::addColumn<int>("nummer");
        QTest::addColumn<QString>("bild");    // the focus's picture in the framework folder
        QTest::addColumn<QString>("woerter"); // a letter pattern every word shows at its spot, or the words
        QTest::addColumn<QString>("hilfe");   // the help page of the focus in Ubix.chm
        const QString demo = QString(), schule = schule_.path();
        zeile("demo: ck", demo, QString("Wörter mit ck"), 1, QString("Grafik/BST_CK_.GIF"), QString("ck"),
              QString("/ck.htm"));
        zeile("demo: tz", demo, QString("Wörter mit tz"), 2, QString("Grafik/BST_TZ_.GIF"), QString("tz"),
              QString("/tz.htm"));
        zeile("demo: ie", demo, QString("Wörter mit ie"), 3, QString("Grafik/BST_LIP.GIF"), QString("ie"),
              QString("/ie.htm"));
        zeile("demo: double consonant", demo, QString("Wörter mit doppeltem Mitlaut"), 4,
              QString("Grafik/BST_DM_.GIF"), QString("([b-df-hj-np-tv-z])\\1"), QString("/doppelt.htm"));
        zeile("demo: ß", demo, QString("Wörter mit ß"), 5, QString("Grafik/BST_SZ_.GIF"), QString("ß"),
              QString("/sz.htm"));
        zeile("school's Access file: ck", schule, QString("Wörter mit ck"), 2, QString("grafik/bst_ck_.gif"),
              QString("Decke 3-4,Stück 4-5,Zucker 2-3"), QString());
        zeile("school's Access file: tz", schule, QString("Wörter mit tz"), 4, QString("grafik/bst_tz_.gif"),
              QString("Katze 3-4,Mütze 3-4"), QString());
    }
    void schwerpunktSpielt() {
        QFETCH(QString, ordner);
        QFETCH(QString, titel);
        QFETCH(QString, woerter);
        QFETCH(QString, hilfe);
        if (!ordner.isEmpty())
            REQUIRE_TESTDATA("access/Omnor-D.mdb");
        Startwahl wahl{{"Mia"}, titel, true, false, false, false, ordner};
        const Startbereit bereit = bereiteStartVor(wahl, installation_);
        QCOMPARE(bereit.spielordner, standardSpielordner());
        QVERIFY(bereit.startliste.contains("UbixFeldName=LIP_;LupenFlag=1;"));

        const Gespielt g = spieleDurch(bereit.spielordner, bereit.startliste);
        QCOMPARE(g.titel, titel);
        QTEST(int(g.nummer), "nummer");
        QVERIFY(!g.woerter.isEmpty());
        if (woerter.contains(' ')) {
            QCOMPARE(g.woerter.join(','), woerter);
        } else {
            const QRegularExpression muster("^(?:" + woerter + ")$",
                                            QRegularExpression::CaseInsensitiveOption);
            for (const QString& w : g.woerter) {
                const QStringList teile = w.split(QRegularExpression("[ -]"));
                const QString stelle =
                    teile[0].mid(teile[1].toInt() - 1, teile[2].toInt() - teile[1].toInt() + 1);
                QVERIFY2(muster.match(stelle).hasMatch(), qPrintable(w));
            }
        }
        QFETCH(QString, bild);
        QFile gezeigt(bereit.spielordner + "/Grafik/BST_LIP.GIF"),
            vorlage(QDir(ordner.isEmpty() ? installation_.vorlage : ordner).filePath(bild));
        QVERIFY(gezeigt.open(QIODevice::ReadOnly) && vorlage.open(QIODevice::ReadOnly));
        QCOMPARE(gezeigt.readAll(), vorlage.readAll());
        if (!hilfe.isEmpty())
            QCOMPARE(chm::HilfeDatei(bereit.spielordner + "/Ubix.chm")
                         .seiteFuerKontext(hilfeKontextFuer(g.nummer, 0)),
                     hilfe);
        // The framework folder is only read.
        if (!ordner.isEmpty())
            QVERIFY(!QFileInfo::exists(ordner + "/User"));
    }

    // Magnifier and basic vocabulary are only asked for where the focus has spots and such words.
    void kargerSchwerpunkt() {
        const Startwahl wahl{{"Mia"}, "Wörter mit xy", true, true, false, false, karg_.path()};
        const Startbereit bereit = bereiteStartVor(wahl, installation_);
        QVERIFY(bereit.startliste.contains("LupenFlag=0;nSpieler=1;"));
        const Gespielt g = spieleDurch(bereit.spielordner, bereit.startliste);
        QCOMPARE(g.woerter, (QStringList{"Taxi 0-0", "Yak 0-0"}));
        const Angebot angebot = leseAngebot(karg_.path());
        QVERIFY(grundwortschatzGrund(angebot, *angebot.spielbarer("Wörter mit xy"))
                    .contains("keinen Grundwortschatz"));
        QVERIFY(lupenGrund(*angebot.spielbarer("Wörter mit xy")).contains("keine Lupenstellen"));
    }

    // The family's settings, high-score list and result files stay when the words come from elsewhere, and
    // when the demo is restored; the demo's files come back then.
    void familieBehaeltIhres() {
        REQUIRE_TESTDATA("access/Omnor-D.mdb");
        Startwahl wahl{{"Mia"}, "Wörter mit ie", true, false, true, false, {}};
        const QString g = bereiteStartVor(wahl, installation_).spielordner;
        const auto schreibe = [](const QString& pfad, const QByteArray& inhalt) {
            QFile f(pfad);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(inhalt);
        };
        schreibe(g + "/User/Meister.mdb", "die Liste der Familie");
        schreibe(g + "/User/mia.tmp", "7 = falsch\r\n");
        const QByteArray demoIni = platform::QtFileSystem().readAll(g + "/Omnor.ini");
        QVERIFY(demoIni.contains("GegenComputer=1\r\nComputerSpiel"));
        wahl.rahmenordner = schule_.path();
        wahl.schwerpunkt = "Wörter mit ck";
        bereiteStartVor(wahl, installation_);
        const QByteArray schulIni = platform::QtFileSystem().readAll(g + "/Omnor.ini");
        QVERIFY2(schulIni.contains("[Rechenmeister]") && schulIni.contains("GegenComputer=1\r\n"), schulIni);
        QVERIFY(QFile::remove(g + "/Sound/Start.WAV"));
        gleicheAb(g, installation_.vorlage, true);
        QCOMPARE(platform::QtFileSystem().readAll(g + "/Omnor.ini"),
                 platform::QtFileSystem().readAll(installation_.vorlage + "/Omnor.ini"));
        QVERIFY(QFileInfo::exists(g + "/Sound/Start.WAV"));
        QCOMPARE(platform::QtFileSystem().readAll(g + "/User/Meister.mdb"), "die Liste der Familie");
        QCOMPARE(platform::QtFileSystem().readAll(g + "/User/mia.tmp"), "7 = falsch\r\n");
    }

    // Before anything starts, a game folder that cannot be written is named.
    void nichtSchreibbar_data() {
        QTest::addColumn<QString>("sperre"); // what stands in the way, relative to the game folder
        zeile("the data folder is a file", QString(".."));
        zeile("the user folder is a file", QString("User"));
        zeile("the settings are a folder", QString("Omnor.ini/"));
        zeile("the high-score list is a folder", QString("User/Meister.mdb/"));
    }
    void nichtSchreibbar() {
        QFETCH(QString, sperre);
        const QString g = standardSpielordner();
        const QString weg = QDir::cleanPath(g + "/" + sperre);
        if (sperre == "..")
            QDir(weg).removeRecursively();
        QDir().mkpath(QFileInfo(weg).path());
        if (sperre.endsWith('/'))
            QDir().mkpath(weg);
        else
            QVERIFY(QFile(weg).open(QIODevice::WriteOnly));
        const Startwahl wahl{{"Mia"}, {}, true, false, false, false, {}};
        try {
            bereiteStartVor(wahl, installation_);
            QFAIL("started");
        } catch (const Laufzeitfehler& fehler) {
            QVERIFY2(fehler.problem().startsWith("Findolin kann in diesem Ordner nicht schreiben"),
                     qPrintable(fehler.problem()));
            QVERIFY(fehler.betroffen().startsWith(QDir::toNativeSeparators(g)));
        }
        if (sperre == "..")
            QFile::remove(weg);
    }

    // The real findolin-start under LANG=C: German help and errors, exit code 2 for a command line it cannot
    // follow, and a group's shortcut that starts exactly what it names.
    void befehlszeile_data() {
        QTest::addColumn<QStringList>("argumente");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("ausgabe"); // in standard output and error together
        zeile("help", QStringList{"--help"}, 0, QString("Aufruf: "));
        zeile("help with every option", QStringList{"--help"}, 0,
              QString("--schwerpunkt <Titel>  Der Übungsschwerpunkt, wie er im Startfenster heißt"));
        zeile("unknown option", QStringList{"--farbe", "rot"}, 2, QString("Unbekannte Option 'farbe'."));
        zeile("unknown focus", QStringList{"--spieler", "Mia", "--schwerpunkt", "Wörter mit x"}, 2,
              QString(
                  "Den Übungsschwerpunkt \"Wörter mit x\" gibt es hier nicht. Zur Wahl stehen: \"Wörter mit "
                  "ck\", \"Wörter mit tz\""));
        zeile("six names", QStringList{"--spieler", "a,b,c,d,e,f", "--sofort"}, 2,
              QString("höchstens fünf Kinder mitspielen, genannt sind 6"));
        zeile("the computer beside three", QStringList{"--spieler", "a,b,c", "--computer", "--sofort"}, 2,
              QString("Bei drei Kindern kommt der Computer erst im Spiel dazu"));
        zeile("one name twice", QStringList{"--spieler", "Ben, ben", "--sofort"}, 2,
              QString("Zwei Kinder heißen"));
        zeile("a data folder that cannot be written", QStringList{"--sofort"}, 2,
              QString(
                  "Findolin kann in diesem Ordner nicht schreiben, braucht ihn aber für seine Einstellungen, "
                  "die Meisterliste und die Ergebnisse\n%1\n")
                  .arg(QDir::toNativeSeparators(standardSpielordner())));
        zeile("a group's shortcut",
              QStringList{"--spieler", "Mia,Tom", "--schwerpunkt", "wörter mit CK", "--computer", "--sofort"},
              0,
              QString("Gleichstand auf dem ersten Platz: Mia, Tom und Computer!\nMia: 0 Punkte\nTom: 0 "
                      "Punkte\nComputer: 0 Punkte\n"));
    }
    void befehlszeile() {
        QFETCH(QStringList, argumente);
        QFETCH(int, exitCode);
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LANG", "C");
        env.insert("LC_ALL", "C");
        env.insert("FINDOLIN_AUTOMATION", FINDOLIN_FERNSTEUERUNG);
        env.insert("FINDOLIN_QUIT_AFTER_MS", "1");
        p.setProcessEnvironment(env);
        // A file where the folder of the game folder should be.
        const QString datenordner = QFileInfo(standardSpielordner()).path();
        const bool versperrt = QByteArray(QTest::currentDataTag()).contains("cannot be written");
        const auto aufraeumen = qScopeGuard([&] {
            if (versperrt)
                QFile::remove(datenordner);
        });
        if (versperrt) {
            QDir(datenordner).removeRecursively();
            QVERIFY(QFile(datenordner).open(QIODevice::WriteOnly));
        }
        p.start(QFileInfo(QStringLiteral(FINDOLIN_DEMO_DIR)).path() + "/findolin-start", argumente);
        QVERIFY(p.waitForFinished(60000));
        // Windows' console ends lines with CR LF.
        const QString text = QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError())
                                 .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        QCOMPARE(p.exitCode(), exitCode);
        QFETCH(QString, ausgabe);
        QVERIFY2(text.contains(ausgabe), qPrintable(text));
        if (exitCode == 0 && argumente.contains("--sofort"))
            QVERIFY(ausWindows1252(platform::QtFileSystem().readAll(standardSpielordner() + "/Omnor.tsp"))
                        .contains("Wörter mit ck,LIP_\r\n"));
    }

    // A fifo in place of a file the launcher reads from the framework folder: the real findolin-start names
    // it and ends instead of waiting for a writer that never comes.
    void keineGewoehnlicheDatei_data() {
        QTest::addColumn<QString>("datei");
        for (const char* datei : {"Omnor.tsp", "Omnor.ini", "Omnor-D.mdb", "Grafik/BST_XY_.GIF"})
            zeile(datei, QString(datei));
    }
    void keineGewoehnlicheDatei() {
#ifdef Q_OS_WIN
        QSKIP("Windows has no fifos");
#else
        QFETCH(QString, datei);
        QTemporaryDir rahmen;
        legeKargenOrdnerAn(rahmen.path(), installation_.vorlage);
        const QString fifo = rahmen.filePath(datei);
        QVERIFY(QFile::remove(fifo) && ::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        const QString konfiguration = heim_.filePath("konfiguration/findolin/findolin-start.conf");
        const auto aufraeumen = qScopeGuard([&] { QFile::remove(konfiguration); });
        QSettings(konfiguration, QSettings::IniFormat).setValue("rahmenordner", rahmen.path());
        QProcess p;
        p.start(QFileInfo(QStringLiteral(FINDOLIN_DEMO_DIR)).path() + "/findolin-start", {"--sofort"});
        if (!p.waitForFinished(30000)) {
            p.kill();
            p.waitForFinished();
            QFAIL("findolin-start waits on the fifo");
        }
        const QString fehler = QString::fromUtf8(p.readAllStandardError());
        QCOMPARE(p.exitCode(), 2);
        QVERIFY2(fehler.contains("keine gewöhnliche Datei") && fehler.contains("\n" + fifo + "\n"),
                 qPrintable(fehler));
#endif
    }

    // Every key of the launch list has its result file, also the fallback key of a name without a letter.
    void ergebnisdateien() {
        REQUIRE_TESTDATA("access/Omnor-D.mdb");
        const Startbereit start = bereiteStartVor(
            {{"Mia", "?!", "Tom"}, "Wörter mit ie", true, false, false, false, {}}, installation_);
        StartKontext k;
        QVERIFY(leseStartParameter(start.startliste, k));
        QStringList dateien;
        for (int i = 0; i < k.nSpieler; ++i)
            dateien.append(k.spielerKennung[i] + ".tmp");
        QCOMPARE(dateien, (QStringList{"mia.tmp", "spieler2.tmp", "tom.tmp"}));
        for (const QString& datei : dateien)
            QVERIFY2(QFileInfo::exists(start.spielordner + "/User/" + datei), qPrintable(datei));
    }

    // The user folder on a small disk with room for one more file, two new children: the second result file
    // cannot be made, the launcher says the disk is full, names the folder and starts no game.
    void ergebnisdateiOhnePlatz() {
#ifdef Q_OS_WIN
        QSKIP("the small disk is a tmpfs");
#else
        if (!kleinePlatteMoeglich())
            QSKIP("a small tmpfs cannot be mounted here (it needs root or user namespaces)");
        const QString user = standardSpielordner() + "/User";
        QTemporaryDir vorher;
        QVERIFY(QDir().mkpath(user));
        QStringList befehl = mitKleinerPlatte(user, vorher.path(), 1 << 20, 1);
        befehl << QFileInfo(QStringLiteral(FINDOLIN_DEMO_DIR)).path() + "/findolin-start"
               << QStringList{"--spieler", "Mia,Tom", "--sofort"};
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("FINDOLIN_AUTOMATION", FINDOLIN_FERNSTEUERUNG); // should a game start, it ends at once
        env.insert("FINDOLIN_QUIT_AFTER_MS", "1");
        p.setProcessEnvironment(env);
        p.start(befehl.takeFirst(), befehl);
        QVERIFY(p.waitForFinished(60000));
        const QString fehler = QString::fromUtf8(p.readAllStandardError());
        QCOMPARE(p.exitCode(), 2);
        QVERIFY2(fehler.contains("Die Ergebnisdatei lässt sich nicht anlegen: Auf dem Datenträger ist kein "
                                 "Platz mehr\n" +
                                 user + "\n"),
                 qPrintable(fehler));
        // What the small disk held afterwards: at most the first child's result file, empty.
        const QFileInfoList reste =
            QDir(vorher.path())
                .entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
        QVERIFY(reste.size() <= 1);
        for (const QFileInfo& rest : reste)
            QVERIFY2(rest.fileName() == "mia.tmp" && rest.size() == 0, qPrintable(rest.fileName()));
#endif
    }

    // A game that cannot be started ends like a run-time error, with a German message that says so.
    void spielFehlt() {
        QTemporaryDir ordner;
        Spielstart start;
        QSignalSpy ende(&start, &Spielstart::beendet);
        start.starte(ordner.filePath("fehlt/findolin"), ordner.path(), "\"Version=4;\"");
        QVERIFY(!ende.isEmpty() || ende.wait(10000));
        const Spielende e = ende.first().at(0).value<Spielende>();
        QCOMPARE(e.exitCode, 2);
        QVERIFY2(e.meldung.startsWith("Findolin lässt sich nicht starten"), qPrintable(e.meldung));
    }

    // A second launcher for the same game folder brings the first to the front, or says that a game runs,
    // instead of starting a second game there. The first is this test; the second the real findolin-start.
    void einzelstart_data() {
        QTest::addColumn<bool>("spielt");
        QTest::addColumn<QStringList>("argumente");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<bool>("nachVorn");
        QTest::addColumn<QString>("meldung");
        zeile("the window comes to the front", false, QStringList{}, 0, true, QString());
        zeile("a game runs", true, QStringList{"--sofort"}, 1, false, QString("Gerade wird gespielt"));
        zeile("the window is open", false, QStringList{"--sofort"}, 1, true,
              QString("Startfenster ist offen"));
    }
    void einzelstart() {
        QFETCH(bool, spielt);
        QFETCH(QStringList, argumente);
        Einzelstart erster(standardSpielordner());
        QVERIFY(erster.werdeEinziger());
        QVERIFY(!Einzelstart(standardSpielordner()).werdeEinziger());
        erster.spieltGerade = [spielt] { return spielt; };
        QSignalSpy vorn(&erster, &Einzelstart::nachVornGebeten);
        QProcess zweiter;
        QSignalSpy ende(&zweiter, &QProcess::finished);
        zweiter.start(QFileInfo(QStringLiteral(FINDOLIN_DEMO_DIR)).path() + "/findolin-start", argumente);
        QVERIFY(ende.wait(30000));
        QTEST(zweiter.exitCode(), "exitCode");
        QTEST(vorn.size() == 1, "nachVorn");
        QFETCH(QString, meldung);
        QVERIFY(QString::fromUtf8(zweiter.readAllStandardError()).contains(meldung));
        QVERIFY(!QFileInfo::exists(standardSpielordner() + "/Omnor.tsp")); // nothing was made ready
    }

    // What the launcher shows after a game that did not end normally: the game's message after the last
    // marker that starts a line of its error output, else a sentence of its own.
    void meldungDesSpiels_data() {
        QTest::addColumn<QByteArray>("fehlerausgabe");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<bool>("abgestuerzt");
        QTest::addColumn<QString>("meldung");
        zeile("normal end, whatever was said", QByteArray("Laufzeitfehler: alt\n"), 0, false, QString());
        zeile("message after log lines", QByteArray("qt.log: x\nLaufzeitfehler: Datei fehlt\n\nc:\\a.tmp\n"),
              2, false, QString("Datei fehlt\n\nc:\\a.tmp"));
        zeile("the last marker counts", QByteArray("Laufzeitfehler: eins\nLaufzeitfehler: zwei\n"), 2, false,
              QString("zwei"));
        zeile("a marker inside a line is none", QByteArray("log Laufzeitfehler: nein\n"), 2, false,
              QString("Findolin wurde mit dem Code 2 beendet."));
        zeile("an empty message stays empty", QByteArray("Laufzeitfehler: \n"), 1, false, QString());
        zeile("a crash without a word", QByteArray(), 0, true,
              QString("Findolin ist unerwartet beendet worden."));
    }
    void meldungDesSpiels() {
        QFETCH(QByteArray, fehlerausgabe);
        QFETCH(int, exitCode);
        QFETCH(bool, abgestuerzt);
        QTEST(launcher::meldungDesSpiels(fehlerausgabe, exitCode, abgestuerzt), "meldung");
    }

    // The points after a game, best first.
    void ergebnis_data() {
        QTest::addColumn<QList<Spielergebnis>>("ergebnisse");
        QTest::addColumn<QString>("text");
        zeile("one child", QList<Spielergebnis>{{"Mia", 175}}, QString("Mia: 175 Punkte"));
        zeile("a winner", QList<Spielergebnis>{{"Tom", 120}, {"Mia", 175}, {"Computer", 1}},
              QString("Gewonnen hat Mia!\nMia: 175 Punkte\nTom: 120 Punkte\nComputer: 1 Punkt"));
        zeile(
            "two share the first place", QList<Spielergebnis>{{"A", 50}, {"B", 80}, {"C", 80}},
            QString("Gleichstand auf dem ersten Platz: B und C!\nB: 80 Punkte\nC: 80 Punkte\nA: 50 Punkte"));
    }
    void ergebnis() {
        QFETCH(QList<Spielergebnis>, ergebnisse);
        QTEST(ergebnisText(ergebnisse), "text");
        QCOMPARE(leseErgebnisbericht("x;kaputt\n" +
                                     [&] {
                                         StartKontext k;
                                         for (const Spielergebnis& e : ergebnisse) {
                                             k.spielerName[k.nSpieler] = e.name;
                                             k.spielerPunkte[k.nSpieler++] = e.punkte;
                                         }
                                         return ergebnisbericht(k);
                                     }()),
                 ergebnisse);
    }

    // Qt's own texts in German whatever the locale (the tests run under LC_ALL=C.UTF-8).
    void deutsch_data() {
        QTest::addColumn<QString>("kontext");
        QTest::addColumn<QString>("englisch");
        QTest::addColumn<QString>("deutsch");
        zeile("context menu of a text field", QString("QLineEdit"), QString("&Undo"), QString("&Rückgängig"));
        zeile("file dialog", QString("QFileDialog"), QString("&Choose"), QString("&Auswählen"));
        zeile("command line", QString("QCommandLineParser"), QString("Displays version information."),
              QString("Zeigt Versionsinformation an."));
    }
    void deutsch() {
        platform::sprichDeutsch(*QCoreApplication::instance());
        QFETCH(QString, kontext);
        QFETCH(QString, englisch);
        QTEST(QCoreApplication::translate(qPrintable(kontext), qPrintable(englisch)), "deutsch");
        QCOMPARE(QLocale().toString(QDate(2026, 12, 6), QLocale::LongFormat), "Sonntag, 6. Dezember 2026");
    }
};

QTEST_MAIN(TestStarter)
#include "tst_starter.moc"
