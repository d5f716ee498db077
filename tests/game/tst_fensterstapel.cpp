#include "game/view/mainfrmview.h"
#include "kern/view/meldungsdialoge.h"
#include "platform/laufzeitfehler.h"
#include "spielfixture.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace findolin;
using findolin::test::SpielFixture;

// Timers go on behind modal windows, so a message can come while another window is open: it opens on top, in
// a window of its own, and the window below keeps its text, its buttons and its answer. The real dialogs,
// offscreen, over the game on the virtual clock.
class TestFensterstapel : public QObject {
    Q_OBJECT

    // What a message window shows: its caption, its texts and its visible buttons.
    static QString beschreibe(const QDialog* d) {
        QStringList teile{d->windowTitle()};
        for (const QLabel* label : d->findChildren<QLabel*>())
            if (!label->text().isEmpty())
                teile << label->text();
        for (const QPushButton* knopf : d->findChildren<QPushButton*>())
            if (knopf->isVisible())
                teile << knopf->text();
        return teile.join('|');
    }
    static void klicke(QDialog* d, const QString& caption) {
        for (QPushButton* knopf : d->findChildren<QPushButton*>())
            if (knopf->isVisible() && knopf->text() == caption)
                return QTest::mouseClick(knopf, Qt::LeftButton);
        QFAIL(qPrintable("no button " + caption + " in " + beschreibe(d)));
    }
    // Runs `schritt` as soon as the event loop of the topmost modal window runs, unless `zeile` (one row of
    // a test) is over. A window the step leaves open (after a failed check) is closed, so that the test never
    // waits for a click.
    static void sobaldOffen(QObject& zeile, const std::function<void(QDialog*)>& schritt) {
        QTimer::singleShot(0, &zeile, [schritt] {
            QPointer<QDialog> d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(d);
            schritt(d);
            if (d && d->isVisible())
                d->done(0);
        });
    }

private slots:
    // A message comes while a question is open: the question stays below, unchanged, and gets its own
    // answer once the message is confirmed (or the program ends after it).
    void meldungUeberFrage_data() {
        QTest::addColumn<QByteArray>("ini"); // the setting in Omnor.ini
        QTest::addColumn<QByteArray>("iniNeu");
        QTest::addColumn<QString>("menue");
        QTest::addColumn<int>("wartenMs"); // while the question is open
        QTest::addColumn<QString>("oben");
        QTest::addColumn<QString>("unten");
        QTest::addColumn<bool>("endet");
        const QString neuesSpiel =
            "Neues Spiel|Wenn ihr das Spiel neu beginnt,\ngehen alle Punkte verloren.\n"
            "Seid ihr sicher, dass ihr das\nwirklich wollt?|&ja|&nein";
        const QString spielEnde =
            "Ende des Spiels|Die Höchstspielzeit ist abgelaufen!\nFindolin wird jetzt beendet.|&OK";
        const QByteArray dauer = "MaximaleSpielDauer=20", fuenfMinuten = "MaximaleSpielDauer=5";
        QTest::newRow("guess time over behind \"Neues Spiel\", then \"nein\"")
            << QByteArray("RatezeitBegrenzen=0") << QByteArray("RatezeitBegrenzen=1") << "mnuDateiNeu"
            << 20'000 << "Ende der Ratezeit|Die Ratezeit ist leider\nabgelaufen, Anna.|&OK" << neuesSpiel
            << false;
        QTest::newRow("play time over behind the quit question")
            << dauer << fuenfMinuten << "mnuDateiEnde" << 310'000 << spielEnde
            << "Findolin beenden|Seid ihr wirklich sicher, dass ihr Findolin beenden wollt?|&ja|&nein"
            << true;
        QTest::newRow("play time over behind \"Neues Spiel\"")
            << dauer << fuenfMinuten << "mnuDateiNeu" << 310'000 << spielEnde << neuesSpiel << true;
    }
    void meldungUeberFrage() {
        QFETCH(QByteArray, ini);
        QFETCH(QByteArray, iniNeu);
        QFETCH(QString, menue);
        QFETCH(int, wartenMs);
        QFETCH(QString, unten);
        QFETCH(bool, endet);
        platform::QtModalPresenter presenter;
        SPIEL_IM_RAHMEN(s, 1, 36000.2, &presenter);
        view::registriereMeldungsdialoge(presenter, s.ordner.filePath("Grafik/MELDUNG.GIF"));
        s.aendereIni(ini, iniNeu);

        QObject zeile;
        QStringList ablauf; // what was pressed and how the program ended, in order
        QString untenDabei, untenDanach;
        s.spiele(test::zweiSpieler, [&](MainFrm& frm) {
            view::MainFrmView fenster(frm, s.ordner.path());
            presenter.setParent(&fenster);
            fenster.show();
            // Anna finds the first letter; it is still her turn.
            const QString wort = frm.woerter().aktWort();
            s.klicke(frm, SpielFixture::feldMit(frm, frm.brett().feld.gesuchterBuchstabe()));
            QCOMPARE(frm.modul().kontext.spielerPunkte[0], 20);

            sobaldOffen(zeile, [&](QDialog* frage) {
                QCOMPARE(beschreibe(frage), unten);
                sobaldOffen(zeile, [&](QDialog* meldung) {
                    QTEST(beschreibe(meldung), "oben");
                    untenDabei = (frage->isVisible() ? "" : "hidden ") + beschreibe(frage);
                    klicke(meldung, "&OK");
                    ablauf << meldung->windowTitle() + ": OK";
                });
                try {
                    s.schleife.advance(wartenMs);
                } catch (const platform::ProcessTerminated& ende) {
                    ablauf << QStringLiteral("program end %1").arg(ende.exitCode);
                }
                untenDanach = (frage->isVisible() ? "" : "hidden ") + beschreibe(frage);
                klicke(frage, "&nein"); // after the end only to leave the test's event loop
                ablauf << frage->windowTitle() + ": nein";
            });
            fenster.aktion(menue)->trigger();
            presenter.setParent(nullptr);
            if (endet)
                return;
            // "nein" changed nothing; the guess time only passed the turn to Ben.
            QCOMPARE(frm.modul().kontext.spielerPunkte[0], 20);
            QCOMPARE(frm.woerter().aktWort(), wort);
            QCOMPARE(frm.brett().anzeige.fundWortLbl.caption, wort.left(1));
            QCOMPARE(frm.spieler().aktSpieler, 1);
        });
        QFETCH(QString, oben);
        const QString oberer = oben.left(oben.indexOf('|'));
        const QString unterer = unten.left(unten.indexOf('|'));
        QCOMPARE(ablauf, endet ? QStringList({oberer + ": OK", "program end 0", unterer + ": nein"})
                               : QStringList({oberer + ": OK", unterer + ": nein"}));
        QCOMPARE(untenDabei, unten);
        QCOMPARE(untenDanach, unten);
    }

    // A form shown while it is still open would lose what its window shows: the real presenter refuses it,
    // and so does the script the game's tests run on.
    void gleichesFensterZweimal_data() {
        QTest::addColumn<bool>("qt");
        QTest::newRow("Qt dialogs") << true;
        QTest::newRow("scripted") << false;
    }
    void gleichesFensterZweimal() {
        QFETCH(bool, qt);
        struct Probe : platform::ModalForm {
            QString formName() const override { return "Probe"; }
            void pressButton(const QString&) override {}
        } probe;
        platform::QtModalPresenter echt;
        echt.registerView("Probe", {[](platform::ModalForm&, QWidget* p) { return new QDialog(p); },
                                    [](QDialog*, platform::ModalForm&) {}});
        platform::ScriptedPresenter skript;
        skript.always("Probe", [](platform::ModalForm&) {});
        platform::ModalPresenter& presenter = qt ? static_cast<platform::ModalPresenter&>(echt) : skript;
        QObject zeile;
        QString abgelehnt;
        const auto nochmal = [&] {
            try {
                presenter.showModal(probe);
            } catch (const Laufzeitfehler& fehler) {
                abgelehnt = fehler.problem() + ": " + fehler.betroffen();
            }
        };
        if (qt)
            sobaldOffen(zeile, [&](QDialog*) { nochmal(); });
        else
            skript.onNext("Probe", [&](platform::ModalForm&) { nochmal(); });
        presenter.showModal(probe);
        QCOMPARE(abgelehnt, QString("Dieses Fenster ist schon offen: Probe"));
    }
};

QTEST_MAIN(TestFensterstapel)
#include "tst_fensterstapel.moc"
