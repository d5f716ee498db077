#include "game/view/brettansicht.h"
#include "game/view/mainfrmview.h"
#include "platform/qt/twips.h"
#include "spielfixture.h"

#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>

using namespace findolin;
using findolin::test::SpielFixture;
namespace tw = findolin::platform::twips;

// The real main window, offscreen, clicked and typed at, over the game on the virtual clock.
class TestHauptfenster : public QObject {
    Q_OBJECT

    // Runs `pruefe` with the main window shown over a freshly started game.
    static void mitFenster(quint32 seed,
                           const std::function<void(SpielFixture&, MainFrm&, view::MainFrmView&)>& pruefe,
                           bool gegenComputer = false) {
        SPIEL_IM_RAHMEN(s, seed);
        if (gegenComputer)
            s.aendereIni("GegenComputer=0", "GegenComputer=1");
        const QString cmd = gegenComputer
                                ? "\"Version=4;UbixFeldName=;nSpieler=2;Anna;Computer;anna01;ben02;\""
                                : test::zweiSpieler;
        s.spiele(cmd, [&](MainFrm& frm) {
            view::MainFrmView fenster(frm, s.ordner.path());
            fenster.show();
            QVERIFY(QTest::qWaitForWindowExposed(&fenster));
            pruefe(s, frm, fenster);
        });
    }
    static QString text(const view::MainFrmView& f, const char* name) {
        return f.findChild<QLabel*>(QLatin1String(name))->text();
    }
    static QStringList gesperrteMenues(const view::MainFrmView& f) {
        QStringList namen;
        for (const QAction* a : f.menuBar()->findChildren<QAction*>())
            if (!a->objectName().isEmpty() && !a->isEnabled())
                namen << a->objectName();
        namen.sort();
        return namen;
    }

private slots:
    // The window as the game starts: the first word shown to fit its frame.
    void startbild() {
        mitFenster(1, [](SpielFixture& s, MainFrm& frm, view::MainFrmView& f) {
            QVERIFY(s.hintergrundGezeigt);
            QVERIFY(s.ton.played.value(0).endsWith("/Sound/Fanfare.WAV"));
            QCOMPARE(f.windowTitle(), QString("Omnor - Findolin"));
            QVERIFY(!f.findChild<QWidget*>("RisikoBtn")->isEnabled());
            QCOMPARE(text(f, "UebTitelLabel"), QString("Lernwörter mit Lupe"));
            QVERIFY(frm.uebBausteinBild.endsWith("Grafik/BST_LIP.GIF"));
            QCOMPARE(InfoFrm::relLbl(), QString("4.0.6"));
            QCOMPARE(text(f, "SpNameLbl"), QString("Anna"));

            const QString aktWort = frm.woerter().aktWort();
            const QLabel* wort = f.findChild<QLabel*>("SuchWortLbl");
            QCOMPARE(wort->text(), aktWort);
            // The word starts 50 twips after the context, and its real width fits into the frame.
            QCOMPARE(wort->x(), tw::px(frm.brett().anzeige.suchWortLbl.left));
            QVERIFY(QFontMetrics(wort->font()).horizontalAdvance(wort->text()) + wort->x() <= tw::px(3255));
            QCOMPARE(f.findChild<QLabel*>("SuchKontLbl")->font().pointSizeF(),
                     frm.brett().anzeige.suchKontLbl.punkte);
            QCOMPARE(f.findChild<QLabel*>("FundWortLbl")->x(), wort->x());
            // Frames stand at their places with the caption in the top border line; the word labels hold
            // their text at the top, as form labels do.
            QWidget* such = f.findChild<QWidget*>("SuchWortFrame");
            const QImage bild = such->grab().toImage();
            const int linie = QFontMetrics(such->font()).height() / 2, x = bild.width() - 20;
            QVERIFY(qGray(bild.pixel(x, linie)) < qGray(bild.pixel(x, linie + 4)));
            QCOMPARE(wort->alignment(), Qt::AlignLeft | Qt::AlignTop);
        });
    }

    void klickAufFelder() {
        mitFenster(3, [](SpielFixture& s, MainFrm& frm, view::MainFrmView& f) {
            const QString erster = frm.woerter().aktWort().left(1).toUpper();
            const qint16 richtig = SpielFixture::feldMit(frm, erster);
            QTest::mouseClick(f.brett()->feldWidget(richtig), Qt::RightButton);
            s.schleife.advance(10);
            QCOMPARE(frm.brett().feld.feld(richtig).feldGesehen, false); // the right button does nothing
            QTest::mouseClick(f.brett()->feldWidget(richtig), Qt::LeftButton);
            QVERIFY(frm.brett().feld.feld(richtig).buchstabeSichtbar); // shown at once, before the evaluation
            s.schleife.advance(10);
            f.aktualisiere();
            QCOMPARE(text(f, "FundWortLbl"), frm.woerter().aktWort().left(1));
            QCOMPARE(frm.modul().kontext.spielerPunkte[0], 20);
            QWidget* leer = f.brett()->feldWidget(24);
            QTest::mouseClick(leer, Qt::LeftButton);
            s.schleife.advance(10);
            // Qt hands a widget the second press of a double-click only as a double-click event: no move.
            QMouseEvent zweiter(QEvent::MouseButtonDblClick, QPointF(5, 5), leer->mapToGlobal(QPointF(5, 5)),
                                Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(leer, &zweiter);
            QVERIFY(!frm.brett().zuege.auswertungAnstehend());
            f.aktualisiere();
            QCOMPARE(text(f, "SpNameLbl"), QString("Ben"));
        });
    }

    void menuesWaehrendDesComputerzugs() {
        mitFenster(
            2,
            [](SpielFixture& s, MainFrm& frm, view::MainFrmView& f) {
                QStringList gesperrt;
                s.fenster.onNext(CompZugFrm::name, [&](platform::ModalForm&) {
                    gesperrt = gesperrteMenues(f);
                    s.schleife.runWhile([&] { return frm.compZugFrm().sichtbar(); });
                });
                QTest::mouseClick(f.brett()->feldWidget(24), Qt::LeftButton);
                s.schleife.advance(10);
                QCOMPARE(gesperrt, (QStringList{"mnuBearbEinstell", "mnuDateiEnde", "mnuDateiInfo",
                                                "mnuDateiMeisterliste", "mnuDateiNeu", "mnuHilfeAktKat",
                                                "mnuHilfeInfo", "mnuHilfeSpielregeln"}));
                while (frm.spieler().aktSpieler != 0)
                    s.schleife.advance(1000);
                f.aktualisiere();
                QCOMPARE(gesperrteMenues(f), QStringList());
            },
            true);
    }

    // A window that hides itself ends its modal display; its dialog goes with the main window.
    void dialogGehtMitDemHauptfenster() {
        struct Probe : platform::ModalForm {
            QString formName() const override { return "Probe"; }
            void pressButton(const QString&) override {}
            bool closesItself() const override { return true; }
        } probe;
        auto* hauptfenster = new QWidget;
        platform::QtModalPresenter presenter(hauptfenster);
        presenter.registerView("Probe", {[](platform::ModalForm&, QWidget* p) { return new QDialog(p); },
                                         [](QDialog*, platform::ModalForm&) {}});
        QTimer::singleShot(0, [&] { presenter.endModal(probe); });
        presenter.showModal(probe);
        delete hauptfenster; // the presenter must not delete the dialog a second time
    }

    // F1 on a highlighted menu item opens the help at that item's topic.
    void f1AufDemMenue() {
        mitFenster(1, [](SpielFixture& s, MainFrm&, view::MainFrmView& f) {
            QMenu* datei = f.findChild<QMenu*>("mnuDatei");
            datei->popup(QPoint(0, 0));
            datei->setActiveAction(f.aktion("mnuDateiNeu"));
            QTest::keyClick(datei, Qt::Key_F1);
            QCOMPARE(s.hilfe.aufrufe, QStringList{"context 3006 Findolin.chm"});
            QVERIFY(!datei->isVisible());
        });
    }

    void tastaturBewegtDenCursor() {
        mitFenster(1, [](SpielFixture& s, MainFrm& frm, view::MainFrmView& f) {
            QWidget* cursor = f.findChild<QWidget*>("FldCurs");
            QVERIFY(cursor->isVisible());
            QTest::keyClick(&f, Qt::Key_Left); // at the left edge: nothing
            QTest::keyClick(&f, Qt::Key_Up);
            QCOMPARE(frm.brett().zuege.cursorFeld(), 0);
            QTest::keyClick(&f, Qt::Key_Right);
            QTest::keyClick(&f, Qt::Key_Down);
            QCOMPARE(frm.brett().zuege.cursorFeld(), 6);
            QCOMPARE(cursor->geometry(), tw::rechteck(150 + 900, 240 + 900, 915, 915));
            QTest::keyClick(&f, Qt::Key_Return);
            QVERIFY(frm.brett().feld.feld(6).feldGesehen);
            s.schleife.advance(10);
        });
    }
};

QTEST_MAIN(TestHauptfenster)
#include "tst_hauptfenster.moc"
