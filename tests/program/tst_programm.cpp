#include "highscores/meisterliste.h"
#include "platform/commandline.h"
#include "platform/qt/qtservices.h"
#include "testdata.h"
#include <accessdb/dateioeffner.h>

#include <QCryptographicHash>
#include <QDirIterator>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// The real program, started in a framework folder of its own, as the framework starts it.
class TestProgramm : public QObject {
    Q_OBJECT

    struct Lauf {
        int exitCode;
        QString fenster; // what the windows showed
    };

    // The program's file name, "findolin" or "findolin.exe".
    static QString programm() { return QFileInfo(QStringLiteral(FINDOLIN_PROGRAM)).fileName(); }

    // A framework folder with the program and the framework's files: the real ones where they exist.
    static void legeRahmenAn(const QString& ordner) {
        const bool echt = QFileInfo::exists(testdataFile("access/Omnor-D.mdb"));
        const QString demo = QStringLiteral(FINDOLIN_DEMO_DIR "/");
        QDir().mkpath(ordner + "/User");
        QDir().mkpath(ordner + "/Grafik");
        QList<std::pair<QString, QString>> dateien{
            {FINDOLIN_PROGRAM, programm()},
            {echt ? testdataFile("framework/Omnor.ini") : demo + "Omnor.ini", "Omnor.ini"},
            {echt ? testdataFile("framework/Omnor.tsp") : demo + "Omnor.tsp", "Omnor.tsp"},
            {echt ? testdataFile("access/Omnor-D.mdb") : demo + "Omnor-D.mdb", "Omnor-D.mdb"}};
        dateien.append({{demo + "Findolin.chm", "Findolin.chm"}, {demo + "Ubix.chm", "Ubix.chm"}});
        for (const QString& bild : QDir(demo + "Grafik").entryList(QDir::Files))
            dateien.append({demo + "Grafik/" + bild, "Grafik/" + bild});
        for (const auto& [quelle, ziel] : dateien) {
            QVERIFY(QFile::copy(quelle, ordner + "/" + ziel));
            QFile::setPermissions(ordner + "/" + ziel,
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        for (const char* spieler : {"anna01", "ben02"}) {
            QFile f(ordner + "/User/" + spieler + ".tmp");
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("17 = OK\r\n23 = falsch\r\n");
        }
    }

    // Name and checksum of every file, to see that nothing was touched.
    static QMap<QString, QByteArray> bestand(const QString& ordner) {
        QMap<QString, QByteArray> dateien;
        QDirIterator it(ordner, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString pfad = it.next();
            QFile f(pfad);
            f.open(QIODevice::ReadOnly);
            dateien.insert(QDir(ordner).relativeFilePath(pfad),
                           QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1));
        }
        return dateien;
    }

    // Starts the program with the launch list as the framework hands it over (none when empty); `vorsatz` is
    // a command that runs it (faketime), with its own arguments.
    static Lauf starte(const QString& ordner, const QString& startliste, int endeNachMs = 0,
                       QStringList vorsatz = {}, const QString& menues = {}, const QString& klicks = {}) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("FINDOLIN_AUTOMATION", FINDOLIN_FERNSTEUERUNG);
        env.insert("FINDOLIN_QUIT_AFTER_MS", QString::number(endeNachMs));
        env.insert("QT_LOGGING_RULES", "findolin.computer.debug=true;findolin.scoring.debug=true;"
                                       "findolin.info.debug=true;findolin.board.debug=true");
        env.insert("FINDOLIN_MENUS", menues);
        env.insert("FINDOLIN_CLICKS", klicks);
        env.insert("QT_FORCE_STDERR_LOGGING", "1"); // a Windows program without a console logs elsewhere
        p.setProcessEnvironment(env);
        const QString datei = ordner + "/" + programm();
        if (vorsatz.isEmpty()) {
            p.setProgram(datei);
            if (!startliste.isEmpty())
                findolin::platform::setzeStartliste(p, startliste);
        } else {
            p.setProgram(vorsatz.takeFirst());
            p.setArguments(vorsatz << datei << startliste);
        }
        p.start();
        if (!p.waitForFinished(60000)) {
            p.kill();
            return {-1, QString::fromUtf8(p.readAllStandardError())};
        }
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2,
                QString::fromUtf8(p.readAllStandardError())};
    }

private slots:
    void abgelehnterStart_data() {
        QTest::addColumn<QString>("startliste");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("meldung");
        const QString nurRahmen =
            "Fenster \"Laufzeitfehler\": Dieses Programm kann nur aus der/Spieleliste der "
            "Demoversion des/OMNOR-Rahmenprogramms gestartet/werden!";
        QTest::newRow("no list") << QString() << 1 << nurRahmen;
        QTest::newRow("other version")
            << "\"Version=5;nSpieler=1;A;a;\"" << 1
            << "Fenster \"Laufzeitfehler\": Diese Version von Findolin ist nicht/kompatibel "
               "mit der installierten Version/von OMNOR.";
        QTest::newRow("missing result file") << "\"Version=4;nSpieler=1;Cleo;cleo03;\"" << 2 << "cleo03.tmp";
    }
    void abgelehnterStart() {
        QFETCH(QString, startliste);
        QFETCH(QString, meldung);
        QTemporaryDir ordner;
        legeRahmenAn(ordner.path());
        const auto vorher = bestand(ordner.path());
        const Lauf lauf = starte(ordner.path(), startliste);
        QTEST(lauf.exitCode, "exitCode");
        QVERIFY2(lauf.fenster.contains(meldung), qPrintable(lauf.fenster));
        QCOMPARE(bestand(ordner.path()), vorher);
    }

    void kaputteRahmendatei_data() {
        QTest::addColumn<QString>("datei");
        QTest::addColumn<QByteArray>("inhalt"); // empty: the file is missing
        QTest::newRow("no practice foci") << "Omnor.tsp" << QByteArray();
        QTest::newRow("no spelling database") << "Omnor-D.mdb" << QByteArray();
        QTest::newRow("database of another kind")
            << "Omnor-D.mdb" << QByteArray("Das ist keine Datenbank.\r\n");
        QTest::newRow("no practice-focus picture") << "Grafik/BST_LIP.GIF" << QByteArray();
        QTest::newRow("settings value out of range")
            << "Omnor.ini" << QByteArray("[Spiele]\r\n[Findolin]\r\nTonEinschalten=7\r\n");
    }
    void kaputteRahmendatei() {
        QFETCH(QString, datei);
        QFETCH(QByteArray, inhalt);
        QTemporaryDir ordner;
        legeRahmenAn(ordner.path());
        QFile::remove(ordner.path() + "/" + datei);
        if (!inhalt.isEmpty()) {
            QFile f(ordner.path() + "/" + datei);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(inhalt);
        }
        const auto vorher = bestand(ordner.path());
        const Lauf lauf = starte(ordner.path(), "\"Version=4;UbixFeldName=;nSpieler=1;Anna;anna01;\"");
        QCOMPARE(lauf.exitCode, 2);
        QVERIFY2(lauf.fenster.contains("Laufzeitfehler") &&
                     QDir::fromNativeSeparators(lauf.fenster).contains(datei),
                 qPrintable(lauf.fenster));
        QCOMPARE(bestand(ordner.path()), vorher);
    }

    // Anna lets her guess time run out, the computer takes its turns, and the game is quit normally: the
    // computer's points enter the high-score list and only the settings section is rewritten. The program's
    // clock and timers run fifty times faster.
    void gegenDenComputer() {
        if (QStandardPaths::findExecutable("faketime").isEmpty())
            QSKIP("faketime is not installed (nor can it reach the clock of a Windows program under Wine)");
        QTemporaryDir ordner;
        legeRahmenAn(ordner.path());
        QFile ini(ordner.path() + "/Omnor.ini");
        QVERIFY(ini.open(QIODevice::ReadWrite));
        const QByteArray vorher = ini.readAll()
                                      .replace("RatezeitBegrenzen=0", "RatezeitBegrenzen=1")
                                      .replace("GegenComputer=0", "GegenComputer=1");
        ini.resize(0);
        ini.write(vorher);
        ini.close();
        const QString meister = ordner.path() + "/User/Meister.mdb";
        QStringList vorherListe;
        if (QFile::copy(testdataFile("access/Meister.mdb"), meister)) {
            QFile::setPermissions(meister, QFile::ReadOwner | QFile::WriteOwner);
            vorherListe = QStringList{"Anna 420", "Clara Sophie 380", "Dominik 75",
                                      "Ben 150",  "Anna 1210",        "Fritz 50",
                                      "Gül 300",  "Hannes 50",        "Ida-Marie von Hohenstein 610"};
        }

        const Lauf lauf =
            starte(ordner.path(), "\"Version=4;UbixFeldName=;nSpieler=2;Anna;Computer;anna01;ben02;\"",
                   400'000, {"faketime", "-f", "+0 x50"});
        QCOMPARE(lauf.exitCode, 0);
        for (const char* erwartet :
             {"Fenster \"Ende der Ratezeit\": Die Ratezeit ist leider/abgelaufen, Anna.",
              "turn passes to player 1 \"Computer\"",
              "Fenster \"\": Bitte warten!|Jetzt darf ich raten, wo sich der n\u00e4chste Buchstabe "
              "versteckt hat.",
              "computer choice:", "turn passes to player 0 \"Anna\"",
              "Fenster \"Findolin beenden\": Bist du wirklich sicher"})
            QVERIFY2(lauf.fenster.contains(QString::fromUtf8(erwartet)), qPrintable(lauf.fenster));

        QVERIFY(ini.open(QIODevice::ReadOnly));
        const QByteArray nachher = ini.readAll();
        QVERIFY(!QFile::exists(ordner.path() + "/Omnor.tmp"));
        const qsizetype anfang = vorher.indexOf("[Findolin]\r\n");
        QCOMPARE(nachher.left(anfang), vorher.left(anfang));
        QVERIFY(nachher.mid(anfang).startsWith("[Findolin]\r\nTonEinschalten="));
        QVERIFY(nachher.contains("EinstellungenSpeichern=1\r\n \r\n"));

        // The computer is in the list with its last points, Anna with none is not: in the framework's Access
        // list beside its nine rows, or in a list made at the end.
        const qsizetype stand = lauf.fenster.lastIndexOf("player 1 points");
        const int punkte = lauf.fenster.mid(stand).section('=', 1, 1).section('\n', 0, 0).trimmed().toInt();
        findolin::accessdb::DateiOeffner oeffner;
        findolin::platform::QtClock uhr;
        QStringList liste, erwartet = vorherListe;
        for (const auto& z :
             findolin::MeisterListe(oeffner, uhr, ordner.path() + "/User/Meister.mdb").zeilen())
            liste << z.name + " " + QString::number(z.punkte);
        if (punkte > 0)
            erwartet << "Computer " + QString::number(punkte);
        liste.sort();
        erwartet.sort();
        QCOMPARE(liste, erwartet);
    }

    // The framework's start of a game, a move and the end through the quit question, with the launch list on
    // the command line as the framework passes it (on Windows the raw command line): the program ends with 0,
    // and the configuration file holds exactly the bytes the rules give, in the Windows code page with CR LF,
    // on every platform.
    void zugUndEnde_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QByteArray>("danach");
        const QByteArray vor =
            "; OMNOR\r\n[Spiele]\r\nMaximaleSpielDauer=20\r\n[Sound]\r\nAchtung=Glocke\r\n";
        const QByteArray nach = "[Rechenmeister]\r\nStufe=3\r\n";
        const QByteArray alt = "[Findolin]\r\n; Einstellungen der Schule\r\nComputerSpielSt\xe4rke=1\r\n\r\n"
                               "TonEinschalten = 0\r\nFeldMarkierung=1\r\n";
        // the six entries in their order, the single blank, the old comment, the next section as it was
        QTest::newRow("settings saved")
            << vor + alt + "EinstellungenSpeichern=1\r\n" + nach
            << vor +
                   "[Findolin]\r\nTonEinschalten=0\r\nRatezeitBegrenzen=0\r\nFeldMarkierung=1\r\n"
                   "GegenComputer=0\r\nComputerSpielSt\xe4rke=1\r\nEinstellungenSpeichern=1\r\n \r\n"
                   "; Einstellungen der Schule\r\n" +
                   nach;
        const QByteArray ungespeichert = vor + alt + "EinstellungenSpeichern=0\r\n" + nach;
        QTest::newRow("not to be saved: untouched") << ungespeichert << ungespeichert;
    }
    void zugUndEnde() {
        QFETCH(QByteArray, ini);
        QTemporaryDir ordner;
        legeRahmenAn(ordner.path());
        QFile datei(ordner.path() + "/Omnor.ini");
        QVERIFY(datei.open(QIODevice::WriteOnly | QIODevice::Truncate) && datei.write(ini) == ini.size());
        datei.close();
        const Lauf lauf = starte(
            ordner.path(), "\"Version=4;UbixFeldName=LIP_;LupenFlag=1;nSpieler=2;Anna;Ben;anna01;ben02;\"",
            200, {}, {}, "FldPic12");
        QCOMPARE(lauf.exitCode, 0);
        for (const char* erwartet :
             {"player 0 uncovers field 12", "Fenster \"Findolin beenden\": Seid ihr wirklich sicher"})
            QVERIFY2(lauf.fenster.contains(QString::fromUtf8(erwartet)), qPrintable(lauf.fenster));
        QVERIFY(datei.open(QIODevice::ReadOnly));
        QTEST(datei.readAll(), "danach");
        QVERIFY(!QFile::exists(ordner.path() + "/Omnor.tmp"));
    }

    // The three help commands open their help files' windows at their pages; the program end closes them.
    void hilfe() {
        QTemporaryDir ordner;
        legeRahmenAn(ordner.path());
        const Lauf lauf =
            starte(ordner.path(), "\"Version=4;UbixFeldName=LIP_;nSpieler=2;Anna;Ben;anna01;ben02;\"", 300,
                   {}, "mnuHilfeBedienung,mnuHilfeSpielregeln,mnuHilfeAktKat");
        QCOMPARE(lauf.exitCode, 0);
        qsizetype bisher = 0;
        for (const char* erwartet : {"display topic in \"%1/Findolin.chm\": \"/bedienung.htm\"",
                                     "help context 2000 in \"%1/Findolin.chm\": \"/spielregeln.htm\"",
                                     "help context 1003 in \"%1/Ubix.chm\": \"/ie.htm\"",
                                     "close all in \"%1/Ubix.chm\": window closed",
                                     "close all in \"%1/Findolin.chm\": window closed"}) {
            const qsizetype stelle = lauf.fenster.indexOf(QString(erwartet).arg(ordner.path()), bisher);
            QVERIFY2(stelle >= 0, qPrintable(QString(erwartet) + "\n" + lauf.fenster));
            bisher = stelle;
        }
    }
};

QTEST_GUILESS_MAIN(TestProgramm)
#include "tst_programm.moc"
