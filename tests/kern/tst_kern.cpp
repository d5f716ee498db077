// The core every part of the game uses: random numbers, the busy pause on the virtual clock, and the message
// windows as real dialogs, offscreen, pressed with mouse and keys.
#include "kern/hilfsfunktionen.h"
#include "kern/meldungsfenster.h"
#include "kern/view/meldungsdialoge.h"
#include "platform/laufzeitfehler.h"
#include "platform/qt/qtservices.h"
#include "support/virtualeventloop.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace findolin;

namespace {

// One row of a data table.
template <typename... T> void zeile(const char* name, const T&... spalten) {
    (QTest::newRow(name) << ... << spalten);
}

} // namespace

class TestKern : public QObject {
    Q_OBJECT

    platform::QtTextMeasure masse_;
    platform::QtModalPresenter presenter_;
    MldFenster fenster_{presenter_, masse_};
    EndeFrm ende_{presenter_};

    // While the modal dialog runs, `pruefe` looks at it, then `tasten` are pressed: -1 and -2 click the first
    // and second button, other values are keys.
    void waehrendModal(const QList<int>& tasten, const std::function<void(QDialog*)>& pruefe) {
        QTimer::singleShot(0, this, [=] {
            auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(d);
            pruefe(d);
            for (int taste : tasten)
                taste < 0 ? QTest::mouseClick(d->findChildren<QPushButton*>().at(-taste - 1), Qt::LeftButton)
                          : QTest::keyClick(d, Qt::Key(taste));
            if (d->isVisible()) // a failed check must not leave the test waiting in the dialog
                d->done(0);
        });
    }

private slots:
    void initTestCase() { view::registriereMeldungsdialoge(presenter_, {}); }

    // A random number from von to bis: von when bis is smaller, an error when the range does not fit into 16
    // bits. The word choice's tests check the draws themselves.
    void zufallsZahlen() {
        platform::SeededRandom zufall(7);
        QCOMPARE(zufallsZahl(zufall, 5, 3), 5);
        QVERIFY_THROWS_EXCEPTION(Laufzeitfehler, zufallsZahl(zufall, -20000, 20000));
    }

    // The busy pause counts whole seconds of the time of day; what falls due meanwhile comes once,
    // afterwards.
    void wartenInGanzenSekunden_data() {
        QTest::addColumn<double>("start");
        QTest::addColumn<int>("mindestens");
        QTest::addColumn<int>("hoechstens");
        zeile("just before half a second", 100.45, 1000, 1100);
        zeile("just after half a second", 100.55, 1900, 2000);
        zeile("across midnight", 86399.7, 1700, 1900);
    }
    void wartenInGanzenSekunden() {
        QFETCH(double, start);
        QFETCH(int, mindestens);
        QFETCH(int, hoechstens);
        platform::VirtualEventLoop schleife(start);
        int ticks = 0;
        auto timer = schleife.createTimer(100, [&] { ++ticks; });
        timer->setEnabled(true);
        warteSekunden(schleife, schleife, 2);
        QVERIFY(schleife.nowMs() >= mindestens && schleife.nowMs() <= hoechstens && ticks == 0);
        schleife.processPending();
        QCOMPARE(ticks, 1);
    }

    // The rows run in order on one window: right after a message with two buttons, one with a single button
    // shows only that one, and Esc does nothing.
    void meldung_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("knopf2");
        QTest::addColumn<QList<int>>("tasten");
        QTest::addColumn<QString>("antwort");
        zeile("click OK", "Ende der Ratezeit", "", QList<int>{-1}, "OK");
        zeile("Enter presses the first", "Eine Zeile", "&nein", QList<int>{Qt::Key_Return}, "ja");
        zeile("Esc presses the second", "eins\rzwei\rdrei", "&nein", QList<int>{Qt::Key_Escape}, "nein");
        zeile("then Esc, no second button", "Info", "", QList<int>{Qt::Key_Escape, Qt::Key_Return}, "OK");
    }
    void meldung() {
        QFETCH(QString, text);
        QFETCH(QString, knopf2);
        QFETCH(QList<int>, tasten);
        const QString knopf1 = knopf2.isEmpty() ? "&OK" : "&ja";
        waehrendModal(tasten, [&](QDialog* d) {
            const auto b = d->findChildren<QPushButton*>();
            const QLabel* label = d->findChildren<QLabel*>().last(); // after the picture
            const QRect rahmen = label->parentWidget()->geometry();
            QCOMPARE(QStringList({d->windowTitle(), b[0]->text(), b[1]->isVisible() ? b[1]->text() : ""}),
                     QStringList({"Titel", knopf1, knopf2}));
            // The text inside its frame; the buttons below it, inside the window: one in the middle, or the
            // first under the picture and the second flush with the frame's right edge.
            QVERIFY(QRect(QPoint(), rahmen.size()).contains(label->geometry()));
            QVERIFY(d->rect().contains(b[0]->geometry()) && b[0]->y() > rahmen.bottom());
            if (b[1]->isVisible())
                QVERIFY(b[0]->x() < rahmen.left() && b[1]->geometry().right() == rahmen.right());
            else
                QVERIFY(qAbs(b[0]->geometry().center().x() - d->rect().center().x()) <= 1);
        });
        fenster_.zeigeMeldung(text, knopf1, knopf2, "Titel");
        QTEST(fenster_.antwort(), "antwort");
    }

    // The quit question addresses one player or several; the computer is not addressed. Each answer differs
    // from the one before, so a key that does nothing shows.
    void beendenFrage_data() {
        QTest::addColumn<int>("nSpieler");
        QTest::addColumn<int>("gegenComputer");
        QTest::addColumn<QList<int>>("tasten");
        QTest::addColumn<QString>("antwort");
        QTest::addColumn<QString>("anrede");
        zeile("two players, Esc", 2, 0, QList<int>{Qt::Key_Escape}, "nein", "Seid ihr");
        zeile("one player, Enter", 1, 0, QList<int>{Qt::Key_Return}, "ja", "Bist du");
        zeile("one player and the computer, click", 2, 1, QList<int>{-2}, "nein", "Bist du");
    }
    void beendenFrage() {
        QFETCH(int, nSpieler);
        QFETCH(int, gegenComputer);
        QFETCH(QList<int>, tasten);
        waehrendModal(tasten, [](QDialog* d) { QCOMPARE(d->windowTitle(), QString("Findolin beenden")); });
        ende_.frageBeenden(nSpieler, gegenComputer);
        QTEST(ende_.antwort(), "antwort");
        QTEST(ende_.meldung.left(ende_.meldung.indexOf(" wirklich")), "anrede");
    }
};

QTEST_MAIN(TestKern)
#include "tst_kern.moc"
