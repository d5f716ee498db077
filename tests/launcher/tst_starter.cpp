#include "launcher/view/startfenster.h"
#include "platform/laufzeitfehler.h"
#include "startup/startparameter.h"
#include "testdata.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTest>

using namespace findolin;
using namespace findolin::launcher;

// The launcher in the build tree: the real game and the demo folder beside it.
class TestStarter : public QObject {
    Q_OBJECT

    QTemporaryDir daten_;
    const Installation installation_ =
        Installation::neben(QFileInfo(QStringLiteral(FINDOLIN_DEMO_DIR)).path());

private slots:
    void initTestCase() { qputenv("XDG_DATA_HOME", daten_.path().toUtf8()); }

    // The list the launcher builds is the one the game's own reader takes, item for item.
    void startliste_data() {
        QTest::addColumn<QStringList>("namen");
        QTest::addColumn<QString>("schwerpunkt");
        QTest::addColumn<bool>("lupe");
        QTest::addColumn<bool>("gws");
        QTest::addColumn<QString>("liste"); // empty: the choice is refused
        QTest::addColumn<QStringList>("kennungen");
        QTest::newRow("one child") << QStringList{"Anna"} << "Wörter mit ie" << true << false
                                   << "\"Version=4;UbixFeldName=LIP_;LupenFlag=1;nSpieler=1;Anna;anna;\""
                                   << QStringList{"anna"};
        QTest::newRow("five, empty row, umlauts and blanks, a focus the game does not practise")
            << QStringList{" Jürgen M. ", "", "Zoë", "Ömer", "(Renée)", "?!"} << "Wörter mit ck" << false
            << true
            << "\"Version=4;UbixFeldName=LIP_;LupenFlag=0;GwsFlag=1;nSpieler=5;Jürgen M.;Zoë;Ömer;(Renée);?!;"
               "juergen_m;zoe;oemer;renee;spieler5;\""
            << QStringList{"juergen_m", "zoe", "oemer", "renee", "spieler5"};
        QTest::newRow("unknown focus: the one the game filters by")
            << QStringList{"Ben"} << "weg" << true << false
            << "\"Version=4;UbixFeldName=LIP_;LupenFlag=1;nSpieler=1;Ben;ben;\"" << QStringList{"ben"};
        QTest::newRow("no name") << QStringList{"  ", ""} << "" << true << false << "" << QStringList{};
        QTest::newRow("six names") << QStringList{"a", "b", "c", "d", "e", "f"} << "" << true << false << ""
                                   << QStringList{};
        QTest::newRow("item end in a name")
            << QStringList{"A;B"} << "" << true << false << "" << QStringList{};
    }
    void startliste() {
        QFETCH(QStringList, namen);
        QFETCH(QString, liste);
        QFETCH(QStringList, kennungen);
        QFETCH(QString, schwerpunkt);
        QFETCH(bool, lupe);
        QFETCH(bool, gws);
        const Startwahl wahl{namen, schwerpunkt, lupe, gws, {}};
        const Schwerpunkt s = waehleSchwerpunkt(leseSchwerpunkte(installation_.vorlage), schwerpunkt);
        if (liste.isEmpty()) {
            QVERIFY(!pruefeWahl(wahl).isEmpty());
            QVERIFY_THROWS_EXCEPTION(Laufzeitfehler, baueStartliste(wahl, s));
            return;
        }
        QCOMPARE(baueStartliste(wahl, s), liste);
        StartKontext k;
        QVERIFY(leseStartParameter(liste, k));
        QCOMPARE(k.nSpieler, kennungen.size());
        for (int i = 0; i < k.nSpieler; ++i) {
            QCOMPARE(k.spielerName[i], mitspieler(wahl)[i]);
            QCOMPARE(k.spielerKennung[i], kennungen[i]);
        }
        QCOMPARE(k.lupenFlag, lupe ? wahr : falsch);
        QCOMPARE(k.gwsFlag, gws ? wahr : falsch);
    }

    // A start gives every player a result file under the key the launch list names, also the player whose
    // name has no Latin letter; a file that is there keeps what it holds (the child's wrong words).
    void ergebnisdateien() {
        QTemporaryDir ordner;
        QVERIFY(QFile::copy(installation_.vorlage + "/Omnor.tsp", ordner.filePath("Omnor.tsp")));
        QVERIFY(QDir(ordner.path()).mkpath("User"));
        const QByteArray fehlerworte = "3,7,12\r\n";
        QFile anna(ordner.filePath("User/anna.tmp"));
        QVERIFY(anna.open(QIODevice::WriteOnly) && anna.write(fehlerworte) == fehlerworte.size());
        anna.close();
        const Startbereit start =
            bereiteStartVor({{"Anna", "", "?!", "Ben"}, "", true, false, ordner.path()}, installation_);
        StartKontext k;
        QVERIFY(leseStartParameter(start.startliste, k));
        QStringList dateien;
        for (int i = 0; i < k.nSpieler; ++i)
            dateien.append(k.spielerKennung[i] + ".tmp");
        QCOMPARE(dateien, (QStringList{"anna.tmp", "spieler2.tmp", "ben.tmp"}));
        dateien.sort();
        QCOMPARE(QDir(ordner.filePath("User")).entryList(QDir::Files, QDir::Name), dateien);
        QVERIFY(anna.open(QIODevice::ReadOnly));
        QCOMPARE(anna.readAll(), fehlerworte);
    }

    // A game that cannot be started ends like a run-time error, with a German message that says so.
    void spielFehlt() {
        Spielstart start;
        QSignalSpy ende(&start, &Spielstart::beendet);
        start.starte(daten_.filePath("fehlt/findolin"), daten_.path(), "\"Version=4;\"");
        QVERIFY(!ende.isEmpty() || ende.wait(10000));
        const Spielende e = ende.first().at(0).value<Spielende>();
        QCOMPARE(e.exitCode, 2);
        QVERIFY2(e.meldung.startsWith("Findolin lässt sich nicht starten"), qPrintable(e.meldung));
    }

    // The window offscreen: the choice is typed and clicked, the real game started and quit through it, the
    // choice remembered; then a game that stops with a run-time error, whose words the window shows.
    void fensterStartetSpiel() {
        QSettings einstellungen(daten_.filePath("start.conf"), QSettings::IniFormat);
        StartFenster fenster(installation_, einstellungen);
        fenster.show();
        const QString ordner = standardRahmenordner();
        QVERIFY(QFile::exists(ordner + "/Omnor-D.mdb"));
        QVERIFY(!QFile::exists(ordner + "/findolin")); // the programs stay where they are installed

        auto* schwerpunkt = fenster.findChild<QComboBox*>("schwerpunkt");
        const auto* modell = qobject_cast<QStandardItemModel*>(schwerpunkt->model());
        QCOMPARE(schwerpunkt->currentText(), "Wörter mit ie");
        QCOMPARE(schwerpunkt->itemText(0), "Klasse 2");
        QVERIFY(!modell->item(0)->isEnabled());
        // the game practises only the "ie" words: the other foci are greyed
        QVERIFY(!modell->item(schwerpunkt->findText("Wörter mit tz"))->isEnabled());
        fenster.findChild<QLineEdit*>("name1")->clear();
        QTest::keyClicks(fenster.findChild<QLineEdit*>("name1"), "Anna");
        QTest::keyClicks(fenster.findChild<QLineEdit*>("name3"), "Mia Sophie");
        auto* grundwortschatz = fenster.findChild<QCheckBox*>("grundwortschatz");
        QTest::mouseClick(grundwortschatz, Qt::LeftButton, {}, QPoint(8, grundwortschatz->height() / 2));

        qputenv("FINDOLIN_AUTOMATION", "1");
        qputenv("FINDOLIN_QUIT_AFTER_MS", "200");
        QSignalSpy ende(&fenster, &StartFenster::spielBeendet);
        QTest::mouseClick(fenster.findChild<QPushButton*>("spielen"), Qt::LeftButton);
        QVERIFY(!fenster.isVisible());
        QVERIFY(ende.wait(30000));
        QCOMPARE(ende.takeFirst().at(0).value<Spielende>().exitCode, 0);
        QVERIFY(fenster.isVisible());
        QVERIFY(QFile::exists(ordner + "/User/mia_sophie.tmp"));

        const Startwahl erwartet{{"Anna", "", "Mia Sophie", "", ""}, "Wörter mit ie", true, true, {}};
        QCOMPARE(fenster.wahl(), erwartet);
        QCOMPARE(StartFenster(installation_, einstellungen).wahl(), erwartet);

        QVERIFY(QFile::remove(ordner + "/Omnor-D.mdb"));
        QTest::mouseClick(fenster.findChild<QPushButton*>("spielen"), Qt::LeftButton);
        QVERIFY(ende.wait(30000));
        QCOMPARE(ende.takeFirst().at(0).value<Spielende>().exitCode, 2);
        const QString meldung = fenster.findChild<QLabel*>("meldung")->text();
        QVERIFY2(meldung.startsWith("Findolin hat gemeldet:\n") && meldung.contains("Omnor-D.mdb"),
                 qPrintable(meldung));
        // The copy is made once: what the user's folder holds now stays.
        QCOMPARE(bereiteRahmenordnerVor({}, installation_), ordner);
        QVERIFY(!QFile::exists(ordner + "/Omnor-D.mdb"));
    }
};

QTEST_MAIN(TestStarter)
#include "tst_starter.moc"
