// The settings dialog as the teacher meets it: the real dialog offscreen, clicked and keyed with QTest. What
// "&OK" changes in the game goes to a stand-in for the main form that writes it down.
#include "kern/startkontext.h"
#include "settings/einstellfrm.h"
#include "settings/view/einstelldialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTest>
#include <QTimer>

using namespace findolin;

// The test stands in for the main form and writes down what the dialog changes there.
class TestEinstellungen : public QObject, public EinstellWirkung {
    Q_OBJECT

    bool laeuft_ = false;
    QStringList wirkung_;
    bool rateZeitLaeuft() const override { return laeuft_; }
    void switchVuRestZeit(bool an) override { wirkung_ << QString("Ratezeit %1").arg(int(an)); }
    void zeigeFeldCursor(bool an) override { wirkung_ << QString("Cursor %1").arg(int(an)); }
    void zeigeSpielerZeile(int i, bool an) override {
        wirkung_ << QString("Zeile %1 %2").arg(i).arg(int(an));
    }

    platform::QtModalPresenter presenter_;
    Einstellungen einst_;
    EinstellFormular formular_;
    StartKontext kontext_;
    EinstellFrm frm_{presenter_, einst_, formular_, kontext_, *this};

    // Opens the dialog and runs `imDialog` in it; a dialog still open afterwards is cancelled.
    QString oeffne(const std::function<void(QDialog*)>& imDialog) {
        QTimer::singleShot(0, this, [=] {
            auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            imDialog(d);
            if (d->isVisible())
                d->reject();
        });
        return frm_.zeigeModal();
    }

private slots:
    void initTestCase() { view::registriereEinstellDialog(presenter_); }

    // One control a row: caption | place in the tab order. (Whether each caption fits its place, in the font
    // drawn, is checked with every other window's in tst_darstellung.)
    void layout_data() {
        QTest::addColumn<QString>("zeile");
        QTest::newRow("OptFrame1") << "Verschiedenes|-"; // frames take no focus
        QTest::newRow("TonEin") << "&Ton einschalten|0";
        QTest::newRow("RateZeitEin") << "&Ratezeit begrenzen|1";
        QTest::newRow("FeldMarkEin") << "Feldmarkierung anzeigen|2";
        QTest::newRow("EinstSaveOpt") << "Einstellungen s&peichern|3";
        QTest::newRow("OptFrame2") << "Computer|-";
        QTest::newRow("gegenComp") << "&als Gegenspieler|4";
        QTest::newRow("SpSt0") << "&stark|5";
        QTest::newRow("SpSt1") << "sch&wach|6";
        QTest::newRow("okBtn") << "&OK|7";
        QTest::newRow("abbrBtn") << "&abbrechen|8";
    }
    void layout() {
        QFETCH(QString, zeile);
        const QStringList s = zeile.split('|');
        oeffne([&](QDialog* d) {
            QCOMPARE(d->windowTitle(), "Einstellungen");
            QWidget* w = d->findChild<QWidget*>(QTest::currentDataTag());
            const QVariant titel = w->property("title");
            QCOMPARE((titel.isValid() ? titel : w->property("text")).toString(), s[0]);
            int platz = 0;
            for (QWidget* v = d->findChild<QWidget*>("TonEin"); v != w && platz < 20;
                 v = v->nextInFocusChain())
                platz += bool(v->focusPolicy() & Qt::TabFocus);
            QCOMPARE(w->focusPolicy() & Qt::TabFocus ? QString::number(platz) : "-", s[1]);
        });
    }

    // players | record and controls before (sound, guess time, cursor, computer, strength, saving) | guess
    // time running | clicks and keys | effects in the game | number and last of the players after | record
    // after | message.
    void bestaetigen_data() {
        QTest::addColumn<QString>("zeile");
        QTest::newRow("three effects") << "A B|100001|0|RateZeitEin FeldMarkEin gegenComp okBtn|"
                                          "Ratezeit 1,Cursor 1,Zeile 2 1|3 Computer:0|111101|";
        QTest::newRow("Enter; guess time runs on") << "A|110001|1|SpSt1 Enter|Cursor 0|1 A:7|110011|";
        QTest::newRow("no second computer")
            << "A Computer|000100|0|okBtn|Ratezeit 0,Cursor 0|2 Computer:7|000100|";
        QTest::newRow("computer leaves")
            << "A Computer|000100|0|gegenComp okBtn|Ratezeit 0,Cursor 0,Zeile 1 0|1 A:7|000000|";
        QTest::newRow("five players")
            << "A B C D E|000000|0|gegenComp okBtn|Ratezeit 0,Cursor 0|5 E:7|000000|kein Platz";
        QTest::newRow("abbrechen") << "A|000000|0|TonEin RateZeitEin SpSt1 gegenComp abbrBtn||1 A:7|000000|";
        QTest::newRow("Esc") << "A|111111|0|EinstSaveOpt FeldMarkEin Esc||1 A:7|111111|";
        QTest::newRow("close box") << "A|010000|1|RateZeitEin close||1 A:7|010000|";
    }
    void bestaetigen() {
        QFETCH(QString, zeile);
        const QStringList s = zeile.split('|');
        kontext_ = {};
        kontext_.spielerPunkte.fill(7); // the computer's row must start at 0
        for (const QString& name : s[0].split(' '))
            kontext_.spielerName[kontext_.nSpieler++] = name;
        const auto z = [&](int i) { return qint16(s[1][i].digitValue()); };
        einst_ = {z(0), z(1), z(2), z(3), z(4), z(5)};
        formular_ = {z(0), z(1), z(2), z(3), true, z(4), true, z(5)};
        wirkung_.clear();
        laeuft_ = s[2] == "1";
        const QString hinweis = oeffne([&](QDialog* d) {
            for (const QString& aktion : s[3].split(' ')) {
                if (auto* knopf = d->findChild<QAbstractButton*>(aktion))
                    QTest::mouseClick(knopf, Qt::LeftButton, {}, QPoint(6, knopf->height() / 2));
                else if (aktion == "close")
                    d->close();
                else
                    QTest::keyClick(d->focusWidget(), aktion == "Esc" ? Qt::Key_Escape : Qt::Key_Return);
            }
        });
        const qint16 n = kontext_.nSpieler;
        const QString letzter =
            QString("%1 %2:%3").arg(n).arg(kontext_.spielerName[n - 1]).arg(kontext_.spielerPunkte[n - 1]);
        const Einstellungen& e = einst_;
        const QString werte =
            QString::asprintf("%d%d%d%d%d%d", e.einstTon, e.einstRatezeit, e.einstFeldMarkierung,
                              e.einstGegenComputer, e.einstSpielStaerke, e.einstSpeichern);
        QCOMPARE(QStringList({wirkung_.join(','), letzter, werte,
                              QString(hinweis).replace(EinstellFrm::keinPlatzText, "kein Platz")}),
                 s.mid(4));
        // The next opening shows the record, whatever was clicked before.
        oeffne([&](QDialog* d) {
            QString gezeigt;
            for (const char* name :
                 {"TonEin", "RateZeitEin", "FeldMarkEin", "gegenComp", "SpSt1", "EinstSaveOpt"})
                gezeigt += d->findChild<QAbstractButton*>(name)->isChecked() ? '1' : '0';
            QCOMPARE(gezeigt, werte);
        });
    }
};

QTEST_MAIN(TestEinstellungen)
#include "tst_einstellungen.moc"
