#include "support/kleineplatte.h"
#include "testdata.h"
#include <accessdb/dateioeffner.h>

#include <QDirIterator>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <sys/stat.h>
#include <unistd.h>

using findolin::accessdb::DateiOeffner;

namespace {

// The computer alone: it waits out its first guess time, then plays until the fifteen minutes of play time
// are over, and its points go to the list. Under faketime, 500 times faster, a game lasts about two seconds.
// libfaketime is preloaded into the game itself, not started through the faketime program, so that killing
// the process kills the game.
const QString startliste = QStringLiteral("\"Version=4;UbixFeldName=LIP_;nSpieler=1;Computer;comp01;\"");
const QString libfaketime = QStringLiteral("/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1");
// Built with AddressSanitizer the game makes fewer moves per real second: its clock runs slower then, so that
// the computer still scores.
#if defined(__SANITIZE_ADDRESS__)
constexpr int testuhr = 200;
#elif defined(__has_feature)
constexpr int testuhr = __has_feature(address_sanitizer) ? 200 : 500;
#else
constexpr int testuhr = 500;
#endif

QByteArray inhalt(const QString& pfad) {
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void schreibe(const QString& pfad, const QByteArray& daten) {
    QFile f(pfad);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(daten) == daten.size());
}

QString echtOderDemo(const QString& datei) {
    const QString echt = testdataFile(datei == "Omnor-D.mdb" ? "access/Omnor-D.mdb" : "framework/" + datei);
    return QFileInfo::exists(echt) ? echt : QStringLiteral(FINDOLIN_DEMO_DIR "/") + datei;
}

// A framework folder for that game; `speichern`: the settings are written back at the end.
void legeRahmenAn(const QString& ordner, bool speichern = false) {
    QDir().mkpath(ordner + "/User");
    QDir().mkpath(ordner + "/Grafik");
    for (const char* datei : {"Omnor.tsp", "Omnor-D.mdb"})
        QVERIFY(QFile::copy(echtOderDemo(datei), ordner + "/" + datei));
    const QString grafik = QStringLiteral(FINDOLIN_DEMO_DIR "/Grafik/");
    for (const QString& bild : QDir(grafik).entryList(QDir::Files))
        QVERIFY(QFile::copy(grafik + bild, ordner + "/Grafik/" + bild));
    schreibe(ordner + "/Omnor.ini",
             QByteArray("[Spiele]\r\nMaximaleSpielDauer=15\r\n[Findolin]\r\nTonEinschalten=0\r\n"
                        "RatezeitBegrenzen=1\r\nGegenComputer=1\r\nEinstellungenSpeichern=") +
                 (speichern ? "1" : "0") + "\r\n");
    schreibe(ordner + "/User/comp01.tmp", "17 = OK\r\n");
    for (QDirIterator it(ordner, QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
        QFile::setPermissions(it.next(), QFile::ReadOwner | QFile::WriteOwner);
}

// A full list, ten rows of this game with the lowest at 5 and 6, and two rows of others: an SQLite list, or
// the framework's Access list with its own rows replaced by ours. A new result replaces the lowest row,
// decided on rows that must be read under the lock.
void legeListeAn(const QString& datei, const QString& art) {
    const QStringList zeilen =
        QString("Rechenmeister:Ben=990;Anna=120;Clara=75;Dora=5;Emil=6;Fritz=300;Gül=250;"
                "Hans=90;Ida=610;Jan=45;Kai=33;Buchstabenzug:Emil=12")
            .split(';');
    std::unique_ptr<findolin::accessdb::Database> db;
    if (art == "access") {
        QVERIFY(QFile::copy(testdataFile("access/Meister.mdb"), datei));
        QFile::setPermissions(datei, QFile::ReadOwner | QFile::WriteOwner);
        db = DateiOeffner().open(datei);
    } else {
        db = DateiOeffner().create(
            datei,
            {"CREATE TABLE Punkte (ID INTEGER PRIMARY KEY, Name TEXT, Programm TEXT, Datum TEXT, Punkte "
             "INTEGER)"});
    }
    db->beginTrans();
    const auto rs = db->openRecordset("Punkte");
    while (rs->recordCount() > 0) {
        rs->moveFirst();
        rs->deleteCurrent();
    }
    for (const QString& zeile : zeilen) {
        rs->addNew();
        rs->setField("Name", zeile.section(':', -1).section('=', 0, 0));
        rs->setField("Programm", zeile.contains(':') ? zeile.section(':', 0, 0) : "Findolin");
        rs->setField("Datum", "01.12.2026");
        rs->setField("Punkte", zeile.section('=', 1).toInt());
        rs->update();
    }
    db->commitTrans();
}

// The rows of a list as "Programm:Name=Punkte", sorted, or in table order.
QStringList liste(const QString& datei, bool sortiert = true) {
    const auto rs = DateiOeffner().open(datei)->openRecordset("Punkte");
    QStringList zeilen;
    for (rs->recordCount() ? rs->moveFirst() : void(); !rs->eof(); rs->moveNext())
        zeilen << rs->field("Programm").toString() + ':' + rs->field("Name").toString() + '=' +
                      rs->field("Punkte").toString();
    if (sortiert)
        zeilen.sort();
    return zeilen;
}

// The list after the rule of admission took in the computer's `neu` points one after the other: ten rows of
// this game at most, a result entering a full list only above its lowest, which then goes. Sorted.
QStringList nachRegel(QStringList zeilen, const QList<int>& neu) {
    const auto punkte = [](const QString& z) { return z.section('=', -1).toInt(); };
    for (int p : neu) {
        const QStringList eigene = zeilen.filter(QRegularExpression("^Findolin:"));
        const auto niedrigste =
            std::min_element(eigene.begin(), eigene.end(),
                             [&](const QString& a, const QString& b) { return punkte(a) < punkte(b); });
        if (eigene.size() >= 10 && punkte(*niedrigste) >= p)
            continue;
        if (eigene.size() >= 10)
            zeilen.removeAt(zeilen.indexOf(
                QRegularExpression("^Findolin:.*=" + QString::number(punkte(*niedrigste)) + "$")));
        zeilen << "Findolin:Computer=" + QString::number(p);
    }
    zeilen.sort();
    return zeilen;
}

// What a writer leaves behind when it is stopped: the lock file, work copies, journals.
QStringList reste(const QString& user) {
    return QDir(user).entryList({"*.ldb", "*.LDB", "*.neu", "*-journal"}, QDir::Files | QDir::System);
}

struct Lauf {
    std::unique_ptr<QProcess> prozess = std::make_unique<QProcess>();
    QString fehler; // standard error: the windows' texts and the log

    bool anSchranke() const { return fehler.contains("findolin: barrier"); }
    // The points the log says were written, or -1.
    int geschrieben() const {
        static const QRegularExpression muster(R"(high score for player 0: (\d+) points [^\n]*, written)");
        const auto treffer = muster.match(fehler);
        return treffer.hasMatch() ? treffer.captured(1).toInt() : -1;
    }
    // The points the game had last, by its log.
    int letztePunkte() const {
        static const QRegularExpression muster(R"(player 0 points -?\d+ \+ -?\d+ = (-?\d+))");
        int punkte = 0;
        for (auto it = muster.globalMatch(fehler); it.hasNext();)
            punkte = it.next().captured(1).toInt();
        return punkte;
    }
    // What a failed check shows: the lines about the list and the errors.
    QByteArray wesentlich() const {
        QStringList zeilen = fehler.split('\n');
        zeilen.removeIf(
            [](const QString& z) { return z.contains("findolin.scoring") || z.contains("Fenster \"\""); });
        return zeilen.join('\n').right(1500).toUtf8();
    }
    bool gesagt() const {
        return fehler.contains("Fenster \"Meisterliste\": Die Punkte konnten nicht in die Meisterliste");
    }
};

// Starts the game in the framework folder `ordner`, with `vorsatz` before it, its clock `faktor` times
// faster.
void starte(Lauf& lauf, const QString& ordner, const QStringList& env = {}, QStringList vorsatz = {},
            int faktor = testuhr) {
    QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
    umgebung.insert("LD_PRELOAD", libfaketime);
    umgebung.insert("FAKETIME", QStringLiteral("+0 x%1").arg(faktor));
    umgebung.insert("FINDOLIN_AUTOMATION", FINDOLIN_FERNSTEUERUNG);
    umgebung.insert("FINDOLIN_FRAMEWORK_DIR", ordner);
    umgebung.insert("QT_LOGGING_RULES", "findolin.highscores.debug=true;findolin.scoring.debug=true");
    for (const QString& e : env)
        umgebung.insert(e.section('=', 0, 0), e.section('=', 1));
    lauf.prozess->setProcessEnvironment(umgebung);
    vorsatz << FINDOLIN_PROGRAM << startliste;
    lauf.prozess->start(vorsatz.takeFirst(), vorsatz);
}

// Waits until the game has ended (a minute at most, then it is stopped) and returns its exit code; -1 for a
// crash or a hang.
int ende(Lauf& lauf) {
    const bool fertig = lauf.prozess->state() == QProcess::NotRunning || lauf.prozess->waitForFinished(60000);
    if (!fertig)
        lauf.prozess->kill();
    lauf.prozess->waitForFinished();
    lauf.fehler += QString::fromUtf8(lauf.prozess->readAllStandardError());
    return fertig && lauf.prozess->exitStatus() == QProcess::NormalExit ? lauf.prozess->exitCode() : -1;
}

// Collects standard error until every game has reached the barrier before its write or has ended.
bool bisZurSchranke(std::vector<Lauf>& laeufe) {
    QDeadlineTimer frist(60000);
    for (;;) {
        bool alle = true;
        for (Lauf& l : laeufe) {
            l.fehler += QString::fromUtf8(l.prozess->readAllStandardError());
            alle = alle && (l.anSchranke() || l.prozess->state() == QProcess::NotRunning);
        }
        if (alle)
            return true;
        if (frist.hasExpired())
            return false;
        for (Lauf& l : laeufe)
            l.prozess->waitForReadyRead(10);
    }
}

bool mitFaketime() {
    return QFileInfo::exists(libfaketime);
}

} // namespace

// The real program where the world around it misbehaves: games ending together on one shared list, a full
// disk, a damaged list, a fifo in place of a picture, a test clock running thousands of times faster.
class TestStoerfaelle : public QObject {
    Q_OBJECT

private slots:
    void init() {
        if (!mitFaketime())
            QSKIP("faketime is not installed");
    }

    // Two games end at the same moment (a barrier holds both right before the write) and both write their
    // points into one list, beside a lock file and a work copy that a crash left: every game's points are in
    // the list, or the game said why, and nothing is left behind. The normal run makes
    // a few pairs; FINDOLIN_PAARE chooses more, and FINDOLIN_TOETEN=1 kills one game of each pair at a random
    // moment of its write: then the list is whole, the other game's points are in it, and the next write
    // takes over the lock the killed game left and removes its work files.
    void zweiSpieleEnden_data() {
        QTest::addColumn<QString>("art");
        QTest::newRow("SQLite list") << "sqlite";
        QTest::newRow("Access list") << "access";
        QTest::newRow("no list yet") << "keine";
    }
    void zweiSpieleEnden() {
        QFETCH(QString, art);
        if (art == "access")
            REQUIRE_TESTDATA("access/Meister.mdb");
        const int paare = std::max(1, qEnvironmentVariableIntValue("FINDOLIN_PAARE") ?: 2);
        const bool toeten = qEnvironmentVariableIntValue("FINDOLIN_TOETEN") == 1;
        QTemporaryDir vorlage;
        if (art != "keine")
            legeListeAn(vorlage.filePath("Meister.mdb"), art);
        const QStringList vorher =
            art == "keine" ? QStringList() : liste(vorlage.filePath("Meister.mdb"), false);
        int beideGepunktet = 0, beideEingetragen = 0, gesagt = 0, getoetet = 0, opferEingetragen = 0,
            resteGefunden = 0;
        for (int paar = 0; paar < paare; ++paar) {
            QTemporaryDir ordner;
            legeRahmenAn(ordner.path());
            const QString datei = ordner.filePath("User/Meister.mdb");
            if (art != "keine")
                QVERIFY(QFile::copy(vorlage.filePath("Meister.mdb"), datei));
            // left over from a crash: a lock file nobody holds, a killed writer's work copy
            schreibe(ordner.filePath("User/Meister.ldb"), QByteArray("PC-03").leftJustified(64, '\0'));
            schreibe(ordner.filePath("User/Meister.mdb.4711-beef.neu"), "halb");
            std::vector<Lauf> laeufe(2);
            for (Lauf& l : laeufe)
                starte(l, ordner.path(), {"FINDOLIN_BARRIER_BEFORE_WRITE=1"});
            QVERIFY2(bisZurSchranke(laeufe),
                     (laeufe[0].wesentlich() + "\n" + laeufe[1].wesentlich()).constData());
            for (Lauf& l : laeufe)
                l.prozess->write("\n");
            for (Lauf& l : laeufe)
                l.prozess->waitForBytesWritten();
            const int opfer = toeten ? int(QRandomGenerator::global()->bounded(2)) : -1;
            if (toeten) {
                QThread::usleep(QRandomGenerator::global()->bounded(20000)); // a write takes some 5 to 50 ms
                laeufe[opfer].prozess->kill();                               // SIGKILL
                ++getoetet;
            }
            QList<int> sicher; // the points of the games that said "written"
            bool beide = true;
            for (int i = 0; i < 2; ++i) {
                Lauf& l = laeufe[i];
                const int code = ende(l);
                beide = beide && l.anSchranke();
                if (i == opfer)
                    continue;
                QVERIFY2(code == 0, l.wesentlich().constData());
                // the points are in the list, or the game said why
                QVERIFY2(l.geschrieben() > 0 || l.gesagt() || !l.anSchranke(), l.wesentlich().constData());
                gesagt += l.gesagt();
                if (l.geschrieben() > 0)
                    sicher << l.geschrieben();
            }
            beideGepunktet += beide;
            const QStringList nachher = QFileInfo::exists(datei) ? liste(datei) : QStringList();
            // in the order the games wrote, which nobody knows; a killed game's points may be in or not
            QList<QStringList> moeglich{nachRegel(vorher, sicher)};
            if (sicher.size() == 2)
                moeglich << nachRegel(vorher, {sicher[1], sicher[0]});
            if (opfer >= 0) {
                const int v = laeufe[opfer].letztePunkte();
                moeglich << nachRegel(vorher, sicher + QList<int>{v})
                         << nachRegel(vorher, QList<int>{v} + sicher);
            }
            QVERIFY2(moeglich.contains(nachher), qPrintable(nachher.join(" ")));
            if (opfer < 0) {
                if (beide) {
                    QVERIFY2(sicher.size() == 2,
                             (laeufe[0].wesentlich() + "\n" + laeufe[1].wesentlich()).constData());
                    ++beideEingetragen;
                }
                if (!sicher.isEmpty()) // else nobody wrote, and what the crash left is still there
                    QCOMPARE(reste(ordner.filePath("User")), QStringList());
                continue;
            }
            opferEingetragen += nachher != moeglich.front();
            // the next game takes over what the killed one left behind
            resteGefunden += !reste(ordner.filePath("User")).isEmpty();
            Lauf naechster;
            starte(naechster, ordner.path());
            QCOMPARE(ende(naechster), 0);
            QVERIFY2(naechster.geschrieben() > 0, naechster.wesentlich().constData());
            QCOMPARE(reste(ordner.filePath("User")), QStringList());
        }
        qInfo(
            "%s: %d pairs, %d with both scored, %d with both entered, %d said why, %d killed (%d of them had "
            "entered their points, %d left a lock file or work file that the next game removed)",
            qPrintable(art), paare, beideGepunktet, beideEingetragen, gesagt, getoetet, opferEingetragen,
            resteGefunden);
    }

    // A write that finds no room on the disk names it, with the folder, and leaves every file whole: the list
    // as it was (never an empty new one), the settings as they were (then the run-time error). The folder
    // lies on a small tmpfs. FINDOLIN_PLATTE=1 adds every amount of free room from 0 to 160 KiB in steps of 8
    // KiB for each kind of list, where the points are either in the list or the game said why.
    void volleFestplatte_data() {
        QTest::addColumn<QString>("art");
        QTest::addColumn<int>("frei");
        QTest::addColumn<bool>("speichern");
        QTest::addColumn<int>("eingetragen"); // 1 yes, 0 no, -1 either
        QTest::newRow("no list yet, 4 KiB free") << "keine" << 4096 << false << 0;
        QTest::newRow("SQLite list, nothing free") << "sqlite" << 0 << false << 0;
        QTest::newRow("Access list, less free than its copy needs") << "access" << 65536 << false << 0;
        QTest::newRow("settings, nothing free") << "sqlite" << 0 << true << 0;
        if (qEnvironmentVariableIntValue("FINDOLIN_PLATTE") == 1)
            for (const char* art : {"keine", "sqlite", "access"})
                for (int kib = 0; kib <= 160; kib += 8)
                    QTest::addRow("%s, %d KiB free", art, kib) << art << kib * 1024 << false << -1;
    }
    void volleFestplatte() {
        QFETCH(QString, art);
        QFETCH(int, frei);
        QFETCH(bool, speichern);
        QFETCH(int, eingetragen);
        if (art == "access")
            REQUIRE_TESTDATA("access/Meister.mdb");
        if (!kleinePlatteMoeglich())
            QSKIP("a small tmpfs cannot be mounted here (it needs root or user namespaces)");
        QTemporaryDir ordner, ziel;
        legeRahmenAn(ordner.path(), speichern);
        const QString datei = ordner.filePath("User/Meister.mdb");
        if (art != "keine")
            legeListeAn(datei, art);
        const QByteArray listeVorher = inhalt(datei), ini = inhalt(ordner.filePath("Omnor.ini"));
        Lauf lauf;
        starte(lauf, ordner.path(), {}, mitKleinerPlatte(ziel.path(), ordner.path(), frei));
        QCOMPARE(ende(lauf), speichern ? 2 : 0);
        QVERIFY2(lauf.letztePunkte() > 0, "the computer scored nothing, so nothing was to be written");
        const QString keinPlatz = ": Auf dem Datenträger ist kein Platz mehr";
        if (speichern) {
            const QString fenster =
                lauf.fehler.mid(lauf.fehler.indexOf("Fenster \"Laufzeitfehler\": ")).section('\n', 0, 0);
            QVERIFY2(
                fenster.contains("Die Zwischendatei Omnor.tmp kann nicht geschrieben werden" + keinPlatz) &&
                    fenster.contains("/" + ziel.path() + "/"),
                qPrintable(fenster));
        }
        QCOMPARE(inhalt(ordner.filePath("Omnor.ini")), ini);
        if (eingetragen >= 0)
            QCOMPARE(lauf.geschrieben() > 0, eingetragen == 1);
        if (lauf.geschrieben() > 0) {
            QVERIFY(liste(datei).contains("Findolin:Computer=" + QString::number(lauf.geschrieben())));
        } else {
            QVERIFY2(lauf.fehler.contains(keinPlatz + "/" + ziel.path() + "/User"),
                     lauf.wesentlich().constData());
            QCOMPARE(inhalt(datei), listeVorher); // as it was, or still none
        }
        QCOMPARE(reste(ordner.filePath("User")), QStringList());
        QVERIFY(!QFileInfo::exists(ordner.filePath("Omnor.tmp")));
        qInfo("%s: %s", QTest::currentDataTag(),
              lauf.geschrieben() > 0 ? "points entered" : "no room named, list as it was");
    }

    // A damaged list is named in the "Meisterliste" window and at program end, and left as it is.
    void beschaedigteListe_data() {
        QTest::addColumn<QString>("art");
        QTest::addColumn<QString>("grund");
        QTest::newRow("Access list cut after ten pages") << "access"
                                                         << "Die Tabelle „Punkte“ fehlt";
        QTest::newRow("SQLite list with a damaged page") << "sqlite"
                                                         << "database disk image is malformed";
    }
    void beschaedigteListe() {
        QFETCH(QString, art);
        QFETCH(QString, grund);
        QTemporaryDir ordner;
        legeRahmenAn(ordner.path());
        const QString datei = ordner.filePath("User/Meister.mdb");
        if (art == "access") {
            REQUIRE_TESTDATA("access/Meister.mdb");
            schreibe(datei, inhalt(testdataFile("access/Meister.mdb")).left(10 * 4096));
        } else {
            legeListeAn(datei, "sqlite");
            QByteArray liste = inhalt(datei);
            liste.replace(4096, 8, QByteArray(8, '\xff')); // the table's first page
            schreibe(datei, liste);
        }
        const QByteArray vorher = inhalt(datei);
        Lauf lauf;
        starte(lauf, ordner.path(), {"FINDOLIN_MENUS=mnuDateiMeisterliste"});
        QCOMPARE(ende(lauf), 0);
        QVERIFY2(lauf.letztePunkte() > 0, "the computer scored nothing, so nothing was to be written");
        const QString fenster =
            "Fenster \"Meisterliste\": Name|Datum|Punkte|Die Meisterliste kann nicht gelesen "
            "werden:/Die ";
        const QString amEnde =
            "Fenster \"Meisterliste\": Die Punkte konnten nicht in die Meisterliste eingetragen werden./Die ";
        for (const QString& meldung : {fenster, amEnde}) {
            const qsizetype stelle = lauf.fehler.indexOf(meldung);
            const QString zeile = lauf.fehler.mid(stelle).section('\n', 0, 0);
            QVERIFY2(stelle >= 0 && zeile.contains("beschädigt") && zeile.contains(grund) &&
                         zeile.endsWith("/" + datei),
                     lauf.wesentlich().constData());
        }
        QCOMPARE(inhalt(datei), vorher);
        QCOMPARE(reste(ordner.filePath("User")), QStringList());
    }

    // A fifo (which blocks whoever opens it) in place of a picture is a run-time error naming it, whenever
    // the game would read the picture: at the start, when a window first shows it, or at the first joker.
    void fifoStattBild_data() {
        QTest::addColumn<QString>("bild");
        for (const QString& bild : QDir(FINDOLIN_DEMO_DIR "/Grafik").entryList(QDir::Files))
            if (!bild.startsWith("BST_") || bild == "BST_LIP.GIF") // the only practice focus read
                QTest::newRow(qPrintable(bild)) << bild;
    }
    void fifoStattBild() {
        QFETCH(QString, bild);
        QTemporaryDir ordner;
        legeRahmenAn(ordner.path());
        const QString pfad = ordner.filePath("Grafik/" + bild);
        QFile::remove(pfad);
        QCOMPARE(::mkfifo(QFile::encodeName(pfad).constData(), 0600), 0);
        Lauf lauf;
        starte(lauf, ordner.path(), {"FINDOLIN_MENUS=mnuHilfeInfo"});
        QCOMPARE(ende(lauf), 2);
        QVERIFY2(lauf.fehler.contains("Laufzeitfehler: Das ist keine gewöhnliche Datei") &&
                     lauf.fehler.contains(pfad),
                 lauf.wesentlich().constData());
        QVERIFY(!QFileInfo::exists(ordner.filePath("User/Meister.mdb"))); // nothing written
    }

    // The limits on reading an Access file hold in real time: a healthy spelling database is read whole with
    // the program's clock running ten thousand times faster.
    void schnelleTestuhr() {
        REQUIRE_TESTDATA("access/Omnor-D.mdb");
        QTemporaryDir ordner;
        legeRahmenAn(ordner.path());
        schreibe(ordner.filePath("Omnor.ini"), "[Findolin]\r\nTonEinschalten=0\r\n"); // no play-time limit
        Lauf lauf;
        starte(lauf, ordner.path(), {"FINDOLIN_EXIT_WHEN_SHOWN=1"}, {}, 10000);
        QCOMPARE(ende(lauf), 0);
        QVERIFY2(lauf.prozess->readAllStandardOutput().contains("shown"), lauf.wesentlich().constData());
    }
};

QTEST_GUILESS_MAIN(TestStoerfaelle)
#include "tst_stoerfaelle.moc"
