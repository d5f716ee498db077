// The launcher's window offscreen, driven with the keyboard only, starting the real game in the real game
// folder; and what it says about controls that cannot be chosen.
#include "highscores/meisterliste.h"
#include "launcher/spielordner.h"
#include "launcher/view/startfenster.h"
#include "platform/files.h"
#include "platform/qt/deutsch.h"
#include "support/virtualeventloop.h"
#include "testordner.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

using namespace findolin;
using namespace findolin::launcher;

namespace {

// The launcher's window. Offscreen no window manager gives it back the focus after a game or a question, as
// one does on a desktop: the keys below do.
QWidget* hauptfenster = nullptr;

// A key as the user presses it: to whatever has the keyboard focus in the active window.
void taste(int taste, Qt::KeyboardModifiers mit = Qt::NoModifier) {
    if (!QApplication::activeWindow() && hauptfenster && hauptfenster->isVisible())
        QApplication::setActiveWindow(hauptfenster);
    QWidget* ziel = QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
    QVERIFY(ziel);
    QTest::keyClick(ziel, Qt::Key(taste), mit);
}
void tippe(const QString& text) {
    QTest::keyClicks(QApplication::focusWidget(), text);
}

// The letters after "&" in the texts of the window's visible controls.
QStringList zugriffstasten(const QWidget& fenster) {
    QStringList tasten;
    const auto nimm = [&](const QString& text) {
        const qsizetype i = text.indexOf(QRegularExpression("&[^&]"));
        if (i >= 0)
            tasten.append(text.mid(i + 1, 1).toLower());
    };
    for (const QAbstractButton* b : fenster.findChildren<QAbstractButton*>())
        if (b->isVisibleTo(&fenster))
            nimm(b->text());
    for (const QLabel* l : fenster.findChildren<QLabel*>())
        if (l->isVisibleTo(&fenster) && l->buddy())
            nimm(l->text());
    for (const QGroupBox* g : fenster.findChildren<QGroupBox*>())
        nimm(g->title());
    return tasten;
}

} // namespace

class TestStartfenster : public QObject {
    Q_OBJECT

    QTemporaryDir heim_;
    QTemporaryDir schule_;
    const QString karg_ = heim_.filePath("karg");
    const Installation installation_ =
        Installation::neben(QFileInfo(QStringLiteral(FINDOLIN_DEMO_DIR)).path());

    template <class T> static T* kind(const QWidget& fenster, const char* name) {
        T* w = fenster.findChild<T*>(name);
        if (!w)
            qFatal("no %s", name);
        return w;
    }

    // Presses an access key whose button opens a modal window (a button clicks a moment after its key), and
    // deals with that window once it is there.
    template <class Fenster> static void imFensterVon(int zugriffstaste, std::function<void(Fenster*)> tue) {
        bool fertig = false;
        QTimer suche;
        QObject::connect(&suche, &QTimer::timeout, [&] {
            if (auto* f = qobject_cast<Fenster*>(QApplication::activeModalWidget())) {
                suche.stop();
                QApplication::setActiveWindow(f);
                tue(f);
                fertig = true;
            }
        });
        suche.start(10);
        taste(zugriffstaste, Qt::AltModifier);
        QVERIFY(QTest::qWaitFor([&] { return fertig; }, 5000));
    }

    // Opens the question of an action with its access key and answers it with a key; returns its text.
    static QString frageUndAntworte(int aktion, int antwort, Qt::KeyboardModifiers mit) {
        QString gesehen;
        imFensterVon<QMessageBox>(aktion, [&](QMessageBox* frage) {
            gesehen = frage->windowTitle() + ": " + frage->text();
            QTest::keyClick(frage, Qt::Key(antwort), mit);
        });
        return gesehen;
    }

    QStringList meisterliste() const {
        platform::VirtualEventLoop uhr;
        accessdb::DateiOeffner oeffner;
        const auto rs = oeffner.open(standardSpielordner() + "/User/Meister.mdb")->openRecordset("Punkte");
        QStringList zeilen;
        for (rs->recordCount() ? rs->moveFirst() : void(); !rs->eof(); rs->moveNext())
            zeilen.append(rs->field("Programm").toString() + ":" + rs->field("Name").toString());
        return zeilen;
    }

private slots:
    void initTestCase() {
        qputenv("XDG_DATA_HOME", heim_.filePath("daten").toUtf8());
        qputenv("USER", "ida");
        qputenv("HOME", heim_.path().toUtf8());
        platform::sprichDeutsch(*QCoreApplication::instance());
        legeKargenOrdnerAn(karg_, installation_.vorlage);
        if (QFileInfo::exists(testdataFile("access/Omnor-D.mdb")))
            legeSchuleAn(schule_.path(), installation_.vorlage);
    }
    // Each case starts without a game folder (on Windows it is the one of the test's Windows user).
    void init() { QDir(standardSpielordner()).removeRecursively(); }

    // A family's evening, keys only: Enter plays from the first start on and again after a game, the points
    // are shown best first, a name given twice is refused, the chosen focus is what the game gets, the list
    // is emptied of strangers after a question and the demo restored after one; Esc closes.
    void mitDerTastatur() {
        const QString g = standardSpielordner();
        QDir().mkpath(g + "/User");
        {
            const auto liste = accessdb::DateiOeffner().create(
                g + "/User/Meister.mdb",
                {"CREATE TABLE Punkte (ID INTEGER PRIMARY KEY, Name TEXT, Programm TEXT, Datum TEXT, Punkte "
                 "INTEGER)"});
            const auto rs = liste->openRecordset("Punkte");
            for (const auto& [name, programm] : QList<std::pair<QString, QString>>{
                     {"Anna", "Findolin"}, {"Ben", "Rechenmeister"}, {"Clara", "Findolin"}}) {
                rs->addNew();
                rs->setField("Name", name);
                rs->setField("Programm", programm);
                rs->setField("Punkte", 100);
                rs->update();
            }
        }
        QSettings einstellungen(heim_.filePath("start.conf"), QSettings::IniFormat);
        StartFenster fenster(installation_, einstellungen, ladeWahl(einstellungen));
        hauptfenster = &fenster;
        fenster.show();
        QApplication::setActiveWindow(&fenster);
        QVERIFY(QTest::qWaitForWindowActive(&fenster));

        // The first start: the user's name is filled in, the next field waits, Enter will play.
        QCOMPARE(kind<QLineEdit>(fenster, "name1")->text(), "Ida");
        QCOMPARE(QApplication::focusWidget(), kind<QLineEdit>(fenster, "name2"));
        QVERIFY(kind<QPushButton>(fenster, "spielen")->isDefault());
        tippe("Ben");
        taste(Qt::Key_Tab);
        tippe("ben");
        QCOMPARE(kind<QLabel>(fenster, "computerGrund")->text(),
                 "Bei drei Kindern kommt der Computer erst im Spiel dazu: Bearbeiten – Einstellungen.");
        QVERIFY(!kind<QCheckBox>(fenster, "computer")->isEnabled());
        taste(Qt::Key_Return);
        QVERIFY(fenster.isVisible());
        QVERIFY(kind<QLabel>(fenster, "meldung")->text().startsWith("Zwei Kinder heißen „ben“."));
        taste(Qt::Key_A, Qt::ControlModifier);
        taste(Qt::Key_Backspace);
        QVERIFY(kind<QCheckBox>(fenster, "computer")->isEnabled());
        QVERIFY(kind<QLabel>(fenster, "computerGrund")->isHidden());

        // Wörter mit ck, two up from ie past the group heading, and the computer.
        taste(Qt::Key_U, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), kind<QComboBox>(fenster, "schwerpunkt"));
        taste(Qt::Key_Up);
        taste(Qt::Key_Up);
        QCOMPARE(kind<QComboBox>(fenster, "schwerpunkt")->currentText(), "Wörter mit ck");
        taste(Qt::Key_C, Qt::AltModifier);
        QVERIFY(QTest::qWaitFor([&] { return kind<QCheckBox>(fenster, "computer")->isChecked(); }, 5000));

        qputenv("FINDOLIN_AUTOMATION", FINDOLIN_FERNSTEUERUNG);
        qputenv("FINDOLIN_QUIT_AFTER_MS", "100");
        QSignalSpy ende(&fenster, &StartFenster::spielBeendet);
        for (int spiel = 1; spiel <= 2; ++spiel) {
            taste(Qt::Key_Return);
            QVERIFY(!fenster.isVisible());
            QVERIFY(ende.wait(30000));
            QCOMPARE(ende.takeFirst().at(0).value<Spielende>().exitCode, 0);
            QVERIFY(fenster.isVisible());
            QCOMPARE(kind<QLabel>(fenster, "ergebnis")->text(),
                     "Gleichstand auf dem ersten Platz: Ida, Ben und Computer!\nIda: 0 Punkte\nBen: 0 "
                     "Punkte\nComputer: 0 Punkte");
            QVERIFY(kind<QPushButton>(fenster, "spielen")->isDefault());
            QCOMPARE(fenster.focusWidget(), kind<QLineEdit>(fenster, "name3"));
        }
        QVERIFY(ausWindows1252(platform::QtFileSystem().readAll(g + "/Omnor.tsp"))
                    .contains("Wörter mit ck,LIP_\r\n"));

        // Under "Weitere Einstellungen": the list loses Findolin's strangers, only after "Leeren".
        taste(Qt::Key_W, Qt::AltModifier);
        QVERIFY(QTest::qWaitFor([&] { return kind<QWidget>(fenster, "weitereBereich")->isVisible(); }, 5000));
        QCOMPARE(
            frageUndAntworte(Qt::Key_M, Qt::Key_Escape, Qt::NoModifier),
            "Meisterliste leeren: Alle Einträge von Findolin in der Meisterliste werden gelöscht.\nDas lässt "
            "sich nicht rückgängig machen.");
        QCOMPARE(meisterliste(), (QStringList{"Findolin:Anna", "Rechenmeister:Ben", "Findolin:Clara"}));
        frageUndAntworte(Qt::Key_M, Qt::Key_L, Qt::AltModifier);
        QCOMPARE(meisterliste(), QStringList{"Rechenmeister:Ben"});
        QCOMPARE(kind<QLabel>(fenster, "meldung")->text(),
                 "Die Meisterliste ist leer: 2 Einträge wurden gelöscht.");

        // The demo comes back whole; the family's list and result files stay.
        QVERIFY(QFile::remove(g + "/Sound/Start.WAV"));
        frageUndAntworte(Qt::Key_D, Qt::Key_W, Qt::AltModifier);
        QVERIFY(QFileInfo::exists(g + "/Sound/Start.WAV"));
        QCOMPARE(meisterliste(), QStringList{"Rechenmeister:Ben"});
        QVERIFY(QFileInfo::exists(g + "/User/ben.tmp"));

        // Every access key once.
        QStringList tasten = zugriffstasten(fenster);
        tasten.sort();
        QCOMPARE(tasten.join(""), "12345bcdglmnosuw");

        taste(Qt::Key_Escape);
        QVERIFY(!fenster.isVisible());
        hauptfenster = nullptr;
        const Startwahl gemerkt = ladeWahl(einstellungen);
        QCOMPARE(gemerkt.spieler, (QStringList{"Ida", "Ben", "", "", ""}));
        QCOMPARE(gemerkt.schwerpunkt, "Wörter mit ck");
        QVERIFY(gemerkt.computer);
    }

    // In another framework folder, what cannot be chosen is greyed and says why in the window.
    void gruende_data() {
        QTest::addColumn<QString>("ordner");
        QTest::addColumn<QString>("schwerpunkt");
        QTest::addColumn<QStringList>("liste"); // the foci as listed; greyed ones in brackets
        QTest::addColumn<QString>("lupe"); // why the magnifier, and the basic vocabulary, cannot be chosen
        QTest::addColumn<QString>("grundwortschatz");
        QTest::newRow("a school's folder")
            << schule_.path() << "Wörter mit ck"
            << QStringList{"[Klasse 2]",          "[Wörter mit ie (das Bild Grafik/BST_IE_.GIF fehlt)]",
                           "Wörter mit ck",       "[Klasse 3]",
                           "Lernwörter mit Lupe", "Wörter mit tz"}
            << ""
            << "";
        QTest::newRow("a sparse folder")
            << karg_ << "Wörter mit xy"
            << QStringList{"Wörter mit xy", "[Gibt es nicht (keine Wörter dafür in Omnor-D.mdb)]"}
            << "Zu diesem Schwerpunkt sind keine Lupenstellen eingetragen."
            << "Die Wortdatenbank kennt keinen Grundwortschatz.";
    }
    void gruende() {
        QFETCH(QString, ordner);
        QFETCH(QString, schwerpunkt);
        if (ordner == schule_.path())
            REQUIRE_TESTDATA("access/Omnor-D.mdb");
        QSettings einstellungen(heim_.filePath("gruende.conf"), QSettings::IniFormat);
        StartFenster fenster(installation_, einstellungen,
                             {{"Mia"}, schwerpunkt, true, true, false, false, ordner});
        fenster.show();
        auto* auswahl = kind<QComboBox>(fenster, "schwerpunkt");
        QStringList liste;
        for (int i = 0; i < auswahl->count(); ++i) {
            const bool aus = !qobject_cast<QStandardItemModel*>(auswahl->model())->item(i)->isEnabled();
            liste.append(aus ? "[" + auswahl->itemText(i) + "]" : auswahl->itemText(i));
        }
        QTEST(liste, "liste");
        QCOMPARE(auswahl->currentText(), schwerpunkt);
        QFETCH(QString, lupe);
        QFETCH(QString, grundwortschatz);
        for (const auto& [name, grund] : {std::pair{"lupe", lupe}, {"grundwortschatz", grundwortschatz}}) {
            QCOMPARE(kind<QCheckBox>(fenster, name)->isEnabled(), grund.isEmpty());
            const QLabel* label = kind<QLabel>(fenster, qPrintable(QString(name) + "Grund"));
            QCOMPARE(label->isVisible(), !grund.isEmpty());
            QCOMPARE(label->text(), grund);
        }
    }

    // "Ändern ..." opens Qt's folder chooser in German; a folder typed there brings its foci.
    void anderenOrdnerWaehlen() {
        QSettings einstellungen(heim_.filePath("ordner.conf"), QSettings::IniFormat);
        StartFenster fenster(installation_, einstellungen, {{"Mia"}, {}, true, false, false, false, {}});
        fenster.show();
        QApplication::setActiveWindow(&fenster);
        QVERIFY(QTest::qWaitForWindowActive(&fenster));
        taste(Qt::Key_W, Qt::AltModifier);
        QVERIFY(QTest::qWaitFor([&] { return kind<QWidget>(fenster, "weitereBereich")->isVisible(); }, 5000));
        QString titel, knopf;
        imFensterVon<QFileDialog>(Qt::Key_N, [&](QFileDialog* waehler) {
            titel = waehler->windowTitle();
            for (const QPushButton* b : waehler->findChildren<QPushButton*>())
                knopf += b->text() + "|";
            // The whole path: the chooser opens in the home folder, which on Windows is not the test's.
            QTest::keyClicks(waehler->findChild<QLineEdit*>("fileNameEdit"), QDir::toNativeSeparators(karg_));
            QTest::keyClick(waehler->findChild<QLineEdit*>("fileNameEdit"), Qt::Key_Return);
        });
        QCOMPARE(titel, "Ordner des Rahmenprogramms wählen");
        QVERIFY2(knopf.contains("&Auswählen|") && knopf.contains("Abbrechen|"), qPrintable(knopf));
        QCOMPARE(kind<QLineEdit>(fenster, "ordner")->text(), QDir::toNativeSeparators(karg_));
        QCOMPARE(kind<QComboBox>(fenster, "schwerpunkt")->currentText(), "Wörter mit xy");
        QCOMPARE(fenster.wahl().rahmenordner, karg_);
    }
};

QTEST_MAIN(TestStartfenster)
#include "tst_startfenster.moc"
