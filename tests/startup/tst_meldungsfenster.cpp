#include "platform/qt/qtservices.h"
#include "platform/qt/twips.h"
#include "startup/meldungsfenster.h"
#include "startup/view/meldungsdialoge.h"

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace findolin;

// The message window and the quit question as real dialogs, offscreen, pressed with mouse and keys.
class TestMeldungsfenster : public QObject {
    Q_OBJECT

    platform::QtTextMeasure masse_;
    platform::QtModalPresenter presenter_;
    MldFenster fenster_{presenter_, masse_};
    EndeFrm ende_{presenter_};

    // While the modal dialog runs, `handlung` gets the shown dialog.
    void waehrendModal(std::function<void(QDialog*)> handlung) {
        QTimer::singleShot(0, this, [handlung] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            handlung(dialog);
            if (dialog->isVisible()) // a failed check must not leave the test waiting in the dialog
                dialog->done(0);
        });
    }
    static QPushButton* knopf(QDialog* dialog, const QString& text) {
        for (auto* b : dialog->findChildren<QPushButton*>())
            if (b->text() == text && b->isVisible())
                return b;
        return nullptr;
    }

private slots:
    void initTestCase() { view::registriereMeldungsdialoge(presenter_, {}); }

    void antwortJeKnopf_data() {
        QTest::addColumn<QString>("knopf1");
        QTest::addColumn<QString>("knopf2");
        QTest::addColumn<int>("taste");
        QTest::addColumn<QString>("antwort");
        QTest::newRow("click OK") << "&OK"
                                  << "" << 0 << "OK";
        QTest::newRow("Enter presses the first") << "&ja"
                                                 << "&nein" << int(Qt::Key_Return) << "ja";
        QTest::newRow("Esc presses the second") << "&ja"
                                                << "&nein" << int(Qt::Key_Escape) << "nein";
    }
    void antwortJeKnopf() {
        QFETCH(QString, knopf1);
        QFETCH(QString, knopf2);
        QFETCH(int, taste);
        waehrendModal([&](QDialog* d) {
            if (taste == 0)
                QTest::mouseClick(knopf(d, knopf1), Qt::LeftButton);
            else
                QTest::keyClick(d, Qt::Key(taste));
        });
        fenster_.zeigeMeldung("Eine Zeile", knopf1, knopf2, "Titel");
        QTEST(fenster_.antwort(), "antwort");
    }

    void escOhneZweitenKnopfTutNichts() {
        waehrendModal([&](QDialog* d) {
            QTest::keyClick(d, Qt::Key_Escape);
            QVERIFY(d->isVisible());
            QTest::keyClick(d, Qt::Key_Return);
        });
        fenster_.zeigeMeldung("Text", "&OK", "", "Titel");
        QCOMPARE(fenster_.antwort(), QString("OK"));
    }

    void layoutEinKnopfMittig() {
        waehrendModal([&](QDialog* d) {
            QCOMPARE(d->windowTitle(), QString("Laufzeitfehler"));
            QCOMPARE(d->size(), platform::twips::groesse(fenster_.breite, fenster_.hoehe));
            QPushButton* ok = knopf(d, "&OK");
            QCOMPARE(ok->geometry(), platform::twips::rechteck(fenster_.btn1.rahmen.left,
                                                               fenster_.btn1.rahmen.top, 1215, 405));
            QVERIFY(!knopf(d, "&nein"));
            QTest::mouseClick(ok, Qt::LeftButton);
        });
        fenster_.zeigeMeldung("Dieses Programm kann nur aus der\rSpieleliste der Demoversion des\rOMNOR-"
                              "Rahmenprogramms gestartet\rwerden!",
                              "&OK", "", "Laufzeitfehler");
        QCOMPARE(fenster_.btn1.rahmen.left, (fenster_.breite - 1215) / 2);
        QCOMPARE(fenster_.breite, fenster_.mldFrame.left + fenster_.mldFrame.width + 200);
        QCOMPARE(fenster_.btn1.rahmen.top, fenster_.mldFrame.top + fenster_.mldFrame.height + 100);
        QCOMPARE(fenster_.hoehe, fenster_.btn1.rahmen.top + 405 + 500);
    }

    void layoutZweiKnoepfeUndHoehe() {
        fenster_.btn2.visible = false;
        const auto zeige = [&](const QString& text) {
            waehrendModal([](QDialog* d) { QTest::keyClick(d, Qt::Key_Return); });
            fenster_.zeigeMeldung(text, "&ja", "&nein", "Neues Spiel");
            return fenster_.hoehe;
        };
        const double eineZeile = zeige("Eine Zeile");
        QCOMPARE(fenster_.btn1.rahmen.left, 120.0);
        QCOMPARE(fenster_.btn2.rahmen.left + 1215, fenster_.mldFrame.left + fenster_.mldFrame.width);
        const double vierZeilen = zeige("eins\rzwei\rdrei\rvier");
        QVERIFY(vierZeilen > eineZeile);
        QCOMPARE(fenster_.btn1.rahmen.top, fenster_.mldFrame.top + fenster_.mldFrame.height + 100);
    }

    void danachNurEinKnopf() {
        waehrendModal([](QDialog* d) { QTest::keyClick(d, Qt::Key_Return); });
        fenster_.zeigeMeldung("Frage", "&ja", "&nein", "Neues Spiel");
        waehrendModal([](QDialog* d) {
            QVERIFY(knopf(d, "&OK"));
            QVERIFY(!knopf(d, "&nein"));
            QTest::keyClick(d, Qt::Key_Return);
        });
        fenster_.zeigeMeldung("Info", "&OK", "", "Ende der Ratezeit");
        QCOMPARE(fenster_.antwort(), QString("OK"));
    }

    void beendenFrage_data() {
        QTest::addColumn<int>("nSpieler");
        QTest::addColumn<int>("gegenComputer");
        QTest::addColumn<bool>("mehrzahl");
        QTest::newRow("one player") << 1 << 0 << false;
        QTest::newRow("one player and the computer") << 2 << 1 << false;
        QTest::newRow("three players") << 3 << 0 << true;
        QTest::newRow("four with the computer") << 4 << 1 << true;
    }
    void beendenFrage() {
        QFETCH(int, nSpieler);
        QFETCH(int, gegenComputer);
        QFETCH(bool, mehrzahl);
        waehrendModal([](QDialog* d) {
            QCOMPARE(d->windowTitle(), QString("Findolin beenden"));
            QTest::mouseClick(knopf(d, "&nein"), Qt::LeftButton);
        });
        ende_.frageBeenden(nSpieler, gegenComputer);
        QCOMPARE(ende_.meldung.startsWith("Seid ihr"), mehrzahl);
        QCOMPARE(ende_.antwort(), QString("nein"));
        waehrendModal([](QDialog* d) { QTest::keyClick(d, Qt::Key_Return); });
        ende_.frageBeenden(nSpieler, gegenComputer);
        QCOMPARE(ende_.antwort(), QString("ja"));
    }
};

QTEST_MAIN(TestMeldungsfenster)
#include "tst_meldungsfenster.moc"
