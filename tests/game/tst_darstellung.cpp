// What a child sees, checked on what is drawn: every text of every window whole in its box, in the font the
// forms were laid out for, at the original size and at the sizes the game takes on a screen; names too long
// for their place; the window on the screen, full screen and the background behind it.
#include "computer/compzugfrm.h"
#include "db_sqlite_hilfen.h"
#include "game/view/brettansicht.h"
#include "game/view/hintergrund.h"
#include "game/view/mainfrmview.h"
#include "game/view/qtdienste.h"
#include "game/view/qtprogramm.h"
#include "highscores/meisterfrm.h"
#include "info/infodialoge.h"
#include "launcher/view/startfenster.h"
#include "platform/qt/namenslabel.h"
#include "platform/qt/rahmenwidget.h"
#include "platform/qt/twips.h"
#include "settings/einstellfrm.h"
#include "settings/einstellwirkung.h"
#include "spielfixture.h"
#include "support/recordingsoundplayer.h"

#include <QCheckBox>
#include <QDialog>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace findolin;
namespace tw = findolin::platform::twips;

namespace {

const QString annaLena = QStringLiteral("Anna-Lena O'Brien");
const QStringList fuenfLangeNamen = {
    annaLena, QStringLiteral("Maximilian Schneider-Wolff"), QStringLiteral("Wilhelmine von Wolkenstein"),
    QStringLiteral("Mohammed Al-Khwarizmi"), QStringLiteral("Zoë Müller-Lüdenscheidt")};

// The box a control draws its text in, the text and how it is drawn; nothing for a control without text.
struct Kasten {
    QRect rect;
    QString text;
    int flags = 0;
};

std::optional<Kasten> textKasten(QWidget* w) {
    if (auto* l = qobject_cast<QLabel*>(w)) {
        if (l->text().isEmpty())
            return {};
        const int mnemonic = l->buddy() ? Qt::TextShowMnemonic : 0;
        return Kasten{l->contentsRect(), l->text(), (l->wordWrap() ? Qt::TextWordWrap : 0) | mnemonic};
    }
    if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        QStyleOptionButton opt;
        opt.initFrom(b);
        opt.text = b->text();
        const QStyle::SubElement inhalt = qobject_cast<QCheckBox*>(b)      ? QStyle::SE_CheckBoxContents
                                          : qobject_cast<QRadioButton*>(b) ? QStyle::SE_RadioButtonContents
                                                                           : QStyle::SE_PushButtonContents;
        return Kasten{b->style()->subElementRect(inhalt, &opt, b), b->text(), Qt::TextShowMnemonic};
    }
    if (auto* r = qobject_cast<platform::RahmenWidget*>(w)) {
        // The caption stands in the top border line, beginning 120 twips in; the line goes on after it.
        if (r->titel().isEmpty())
            return {};
        const int rand = tw::px(120);
        return Kasten{QRect(rand, 0, r->width() - 2 * rand, r->height()), r->titel(), 0};
    }
    return {};
}

// Why the text of a control is not whole in its box as drawn (wrapped where the control wraps); empty when it
// is, or when the control shows no text.
QString passtNicht(QWidget* w) {
    const auto k = textKasten(w);
    if (!k)
        return {};
    const QSize noetig =
        w->fontMetrics().boundingRect(QRect(0, 0, k->rect.width(), 100000), k->flags, k->text).size();
    if (noetig.width() <= k->rect.width() && noetig.height() <= k->rect.height())
        return {};
    return QStringLiteral("\"%1\" needs %2x%3, has %4x%5")
        .arg(k->text)
        .arg(noetig.width())
        .arg(noetig.height())
        .arg(k->rect.width())
        .arg(k->rect.height());
}

// Every text of the window that is not whole in its box, every control that reaches out of its container,
// and with `formSchrift` every text not drawn in the forms' font.
QStringList befunde(QWidget* fenster, bool formSchrift) {
    QStringList fehler;
    for (QWidget* w : fenster->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(fenster) || w->isWindow())
            continue;
        const QString wer = QStringLiteral("%1 %2 ").arg(w->metaObject()->className(), w->objectName());
        if (!QRect(QPoint(), w->parentWidget()->size()).contains(w->geometry()))
            fehler << wer + QStringLiteral("outside its container");
        if (const QString warum = passtNicht(w); !warum.isEmpty())
            fehler << wer + warum;
        const QFontInfo gezeichnet(w->font());
        if (formSchrift && textKasten(w) &&
            (gezeichnet.family() != QLatin1String("Liberation Sans") ||
             gezeichnet.bold() != w->font().bold()))
            fehler << wer + QStringLiteral("drawn in ") + gezeichnet.family();
    }
    return fehler;
}

// The owl of the desktop entry: blue between its ears.
bool zeigtEule(const QWidget* fenster) {
    const QImage bild = fenster->windowIcon().pixmap(32, 32).toImage();
    return !bild.isNull() && bild.pixelColor(16, 3) == QColor(0x3c, 0x6e, 0xd2);
}

} // namespace

class TestDarstellung : public QObject, public EinstellWirkung {
    Q_OBJECT

    QTemporaryDir ordner_;
    platform::RecordingSoundPlayer ton_;
    QStringList namen_ = fuenfLangeNamen; // the players, the game info's rows and the high-score list's names

    bool rateZeitLaeuft() const override { return false; }
    void switchVuRestZeit(bool) override {}
    void zeigeFeldCursor(bool) override {}
    void zeigeSpielerZeile(int, bool) override {}

    // The game's look for a screen of this size, as the program sets it up; no size: the original size, as
    // the launcher asks for it.
    static void fuerBildschirm(QSize bildschirm) {
        if (bildschirm.isEmpty())
            qputenv("FINDOLIN_ORIGINALGROESSE", "1");
        else
            qunsetenv("FINDOLIN_ORIGINALGROESSE");
        view::richteFensterEin(bildschirm.isEmpty() ? QSize(1920, 1080) : bildschirm);
    }

    // Opens a window modally through `zeige` and hands it to `pruefe`; it is closed whatever `pruefe` found.
    void imFenster(const std::function<void()>& zeige, const std::function<void(QWidget*)>& pruefe) {
        bool gesehen = false;
        QTimer::singleShot(0, this, [&] {
            auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!d)
                return;
            gesehen = true;
            pruefe(d);
            d->done(0);
        });
        zeige();
        QVERIFY(gesehen);
    }

    // A high-score list of this game with `zeilen` rows.
    QString meisterListe(int zeilen) {
        const QString pfad = ordner_.filePath(QStringLiteral("Meister%1.mdb").arg(zeilen));
        SqliteDatei datei(pfad);
        datei.sql("CREATE TABLE Punkte (ID INTEGER PRIMARY KEY, Name TEXT, Programm TEXT, Datum TEXT, "
                  "Punkte INTEGER)");
        for (int i = 0; i < zeilen; ++i)
            datei.sql(QStringLiteral("INSERT INTO Punkte (Name, Programm, Datum, Punkte) VALUES "
                                     "('%1','Findolin','30.12.2026',%2)")
                          .arg(QString(namen_[i % namen_.size()]).replace(u'\'', QStringLiteral("''")))
                          .arg(99999 - i));
        return pfad;
    }

    void meldung(view::QtDienste& qt, const QString& text, const QString& knopf2, const QString& titel,
                 const std::function<void(QWidget*)>& pruefe) {
        MldFenster mld(qt.fenster, qt.masse);
        imFenster([&] { mld.zeigeMeldung(text, knopf2.isEmpty() ? "&OK" : "&ja", knopf2, titel); }, pruefe);
    }

    // Builds the window of a row with the real Qt services and checks it in `pruefe`.
    void baue(const QString& fenster, const std::function<void(QWidget*)>& pruefe) {
        view::QtDienste qt(ton_, QStringLiteral(FINDOLIN_DEMO_DIR));
        const auto name = [this](int i) { return namen_[i % namen_.size()]; };
        if (fenster == "Hauptfenster") {
            SPIEL_IM_RAHMEN(s, 1);
            s.spiele("\"Version=4;UbixFeldName=;LupenFlag=1;nSpieler=2;" + name(0) + ";" + name(1) +
                         ";anna01;ben02;\"",
                     [&](MainFrm& frm) {
                         view::MainFrmView f(frm, s.ordner.path());
                         f.show();
                         pruefe(&f);
                     });
        } else if (fenster == "Einstellungen") {
            Einstellungen einst;
            EinstellFormular formular;
            StartKontext kontext;
            EinstellFrm frm(qt.fenster, einst, formular, kontext, *this);
            imFenster([&] { frm.zeigeModal(); }, pruefe);
        } else if (fenster == "Datei-Info") {
            DateiInfoFrm frm(qt.fenster);
            StartKontext kontext;
            kontext.nSpieler = 5;
            for (qint16 i = 0; i < 5; ++i) {
                frm.zeigeSpieler(i, name(i));
                kontext.spielerPunkte[i] = 99999 - i;
            }
            imFenster([&] { frm.mnuDateiInfo_Click(kontext, {"32767", "nein"}); }, pruefe);
        } else if (fenster == "Info über") {
            InfoFrm frm(qt.fenster);
            imFenster([&] { frm.mnuHilfeInfo_Click(); }, pruefe);
        } else if (fenster.startsWith("Meisterliste")) {
            MeisterListe liste(qt.datenbanken, qt.uhr, meisterListe(fenster.section(' ', 1).toInt()));
            MeisterFrm frm(qt.fenster, liste);
            imFenster([&] { frm.zeige(); }, pruefe);
        } else if (fenster == "Meldung 1") {
            meldung(qt, "Die Hilfedatei fehlt.", {}, "Hilfe", pruefe);
        } else if (fenster == "Meldung 2") {
            meldung(qt, "Die Ratezeit ist leider\rabgelaufen, Anna-Lena.", {}, "Ende der Ratezeit", pruefe);
        } else if (fenster == "Meldung 3") {
            meldung(qt, EinstellFrm::keinPlatzText, {}, EinstellFrm::keinPlatzTitel, pruefe);
        } else if (fenster == "Meldung 4") {
            meldung(
                qt,
                "Dieses Programm kann nur aus der\rSpieleliste der Demoversion des\rOMNOR-Rahmenprogramms "
                "gestartet\rwerden!",
                {}, "Laufzeitfehler", pruefe);
        } else if (fenster.startsWith("Neues Spiel")) {
            meldung(qt,
                    fenster.endsWith("ihr") ? "Wenn ihr das Spiel neu beginnt,\rgehen alle Punkte verloren.\r"
                                              "Seid ihr sicher, dass ihr das\rwirklich wollt?"
                                            : "Wenn du das Spiel neu beginnst,\rgehen alle Punkte verloren.\r"
                                              "Bist du sicher, dass du das\rwirklich willst?",
                    "&nein", "Neues Spiel", pruefe);
        } else if (fenster.startsWith("Beenden")) {
            EndeFrm frm(qt.fenster);
            imFenster([&] { frm.frageBeenden(fenster.endsWith("ihr") ? 3 : 1, 0); }, pruefe);
        } else if (fenster == "Computer am Zug") {
            platform::VirtualEventLoop steht; // its timer never ticks: the window stays until closed
            CompZugFrm frm(qt.fenster, steht, [] { return true; });
            imFenster([&] { frm.zeigeModal(); }, pruefe);
        } else if (fenster.startsWith("Starter")) {
            QSettings einstellungen(ordner_.filePath("start.conf"), QSettings::IniFormat);
            launcher::StartFenster f(launcher::Installation::neben(QFileInfo(FINDOLIN_DEMO_DIR).path()),
                                     einstellungen, launcher::ladeWahl(einstellungen));
            f.show();
            if (fenster.endsWith("weitere")) { // three names, the computer's reason, the section opened
                for (const char* name : {"name1", "name2", "name3"})
                    f.findChild<QLineEdit*>(name)->setText(QStringLiteral("Maximiliane-Sophie %1").arg(name));
                f.findChild<QToolButton*>("weitere")->click();
            }
            pruefe(&f);
        }
    }

    // The main window of a game for two players, shown.
    void mitHauptfenster(const std::function<void(view::MainFrmView&)>& pruefe) {
        SPIEL_IM_RAHMEN(s, 1);
        s.spiele(test::zweiSpieler, [&](MainFrm& frm) {
            view::MainFrmView f(frm, s.ordner.path());
            f.show();
            QVERIFY(QTest::qWaitForWindowExposed(&f));
            pruefe(f);
        });
    }

private slots:
    void initTestCase() { qputenv("XDG_DATA_HOME", ordner_.filePath("daten").toUtf8()); }
    void init() { fuerBildschirm({}); }
    void cleanup() {
        namen_ = fuenfLangeNamen;
        fuerBildschirm({});
    }

    // Whatever Windows font a form names is drawn in Liberation Sans, with Arial's metrics, bold where
    // asked, at its size in points on a screen of 96 logical DPI, times the scale.
    void schrift_data() {
        QTest::addColumn<QString>("familie");
        QTest::addColumn<double>("punkte");
        QTest::addColumn<bool>("fett");
        QTest::addColumn<double>("massstab");
        QTest::addColumn<int>("pixel");
        QTest::newRow("MS Sans Serif, the dialogs") << "MS Sans Serif" << 8.25 << false << 1.0 << 11;
        QTest::newRow("MS Sans Serif bold, the messages") << "MS Sans Serif" << 9.75 << true << 1.0 << 13;
        QTest::newRow("Arial bold, the fields' letters") << "Arial" << 24.0 << true << 1.0 << 32;
        QTest::newRow("a Windows font not on this system") << "Comic Sans MS" << 12.0 << false << 1.0 << 16;
        QTest::newRow("twice the size") << "MS Sans Serif" << 9.75 << true << 2.0 << 26;
    }
    void schrift() {
        QFETCH(QString, familie);
        QFETCH(double, punkte);
        QFETCH(bool, fett);
        QFETCH(double, massstab);
        tw::setzeMassstab(massstab);
        const QFontInfo gezeichnet(tw::schrift({familie, punkte, fett}));
        QCOMPARE(gezeichnet.family(), "Liberation Sans");
        QCOMPARE(gezeichnet.bold(), fett);
        QTEST(gezeichnet.pixelSize(), "pixel");
    }

    // Every window of the game and the launcher, built with the real Qt services at the original size and
    // at the sizes the game takes on small and large screens: every text whole in its box, in the forms'
    // font, and the owl as every window's icon.
    void textPasst_data() {
        QTest::addColumn<QString>("fenster");
        QTest::addColumn<QSize>("bildschirm");
        for (const char* fenster :
             {"Hauptfenster", "Einstellungen", "Datei-Info", "Info über", "Meisterliste 10",
              "Meisterliste 12", "Meldung 1", "Meldung 2", "Meldung 3", "Meldung 4", "Neues Spiel du",
              "Neues Spiel ihr", "Beenden du", "Beenden ihr", "Computer am Zug"})
            for (QSize bildschirm : {QSize(), QSize(800, 600), QSize(1920, 1080)})
                QTest::addRow(
                    "%s, %s", fenster,
                    bildschirm.isEmpty()
                        ? "original size"
                        : qPrintable(
                              QStringLiteral("%1x%2").arg(bildschirm.width()).arg(bildschirm.height())))
                    << QString(fenster) << bildschirm;
        QTest::newRow("Starter") << "Starter" << QSize();
        QTest::newRow("Starter, three long names, more settings") << "Starter weitere" << QSize();
    }
    void textPasst() {
        QFETCH(QString, fenster);
        QFETCH(QSize, bildschirm);
        if (fenster == "Hauptfenster")
            REQUIRE_TESTDATA("access/Omnor-D.mdb");
        fuerBildschirm(bildschirm);
        // The launcher draws in the desktop's font.
        const bool spiel = !fenster.startsWith("Starter");
        bool gesehen = false;
        baue(fenster, [&](QWidget* f) {
            gesehen = true;
            const QStringList fehler = befunde(f, spiel);
            QVERIFY2(fehler.isEmpty(), qPrintable(fehler.join('\n')));
            QVERIFY(zeigtEule(f));
        });
        QVERIFY(gesehen);
    }

    // A name too wide for its place is shown whole in a smaller size of the same font (down to seven
    // tenths), or cut at its end with "…"; never cut at its beginning.
    void namen_data() {
        QTest::addColumn<QString>("fenster");
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("pixel"); // of the place's own font
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("gezeigt"); // "ganz", "kleiner" or "gekürzt"
        QTest::newRow("main window, short") << "Hauptfenster"
                                            << "SpNameLbl" << 13 << "Anna"
                                            << "ganz";
        QTest::newRow("main window, long") << "Hauptfenster"
                                           << "SpNameLbl" << 13 << annaLena << "kleiner";
        QTest::newRow("main window, too long") << "Hauptfenster"
                                               << "SpNameLbl" << 13 << "Maximilian-Alexander Schneider"
                                               << "gekürzt";
        QTest::newRow("game info, long") << "Datei-Info"
                                         << "SpName0" << 11 << annaLena << "ganz";
        QTest::newRow("game info, too long")
            << "Datei-Info"
            << "SpName0" << 11 << "Maximilian-Alexander von Wolkenstein-Trostburg"
            << "gekürzt";
        QTest::newRow("high-score list, long") << "Meisterliste 1"
                                               << "NameLbl" << 16 << annaLena << "ganz";
        QTest::newRow("high-score list, 18 wide letters") << "Meisterliste 1"
                                                          << "NameLbl" << 16 << "WWWWWWWWWWWWWWWWWWWWW"
                                                          << "gekürzt";
    }
    void namen() {
        QFETCH(QString, fenster);
        QFETCH(QString, label);
        QFETCH(int, pixel);
        QFETCH(QString, name);
        QFETCH(QString, gezeigt);
        if (fenster == "Hauptfenster")
            REQUIRE_TESTDATA("access/Omnor-D.mdb");
        namen_ = QStringList{name};
        bool gesehen = false;
        baue(fenster, [&](QWidget* f) {
            auto* l = f->findChild<QLabel*>(label);
            QVERIFY(l);
            gesehen = true;
            QCOMPARE(passtNicht(l), QString());
            const QString text = l->text().section(u'\n', 0, 0);
            const QFontInfo schrift(l->font());
            QCOMPARE(schrift.family(), "Liberation Sans");
            QVERIFY(schrift.pixelSize() >= int(pixel * 0.7)); // seven tenths, to the whole pixel
            if (gezeigt == "gekürzt") {
                QVERIFY2(text.endsWith(u'…') && text.size() > 3 && name.startsWith(text.chopped(1)),
                         qPrintable(text));
            } else {
                QCOMPARE(text, name);
                QCOMPARE(schrift.pixelSize() < pixel, gezeigt == "kleiner");
            }
        });
        QVERIFY(gesehen);
    }

    // The main window on screens of several sizes: as large as the screen allows, whole on it with the
    // window system's title bar and edges (40 pixels); at the original size when the launcher asks for it.
    void fensterAufDemBildschirm_data() {
        QTest::addColumn<QSize>("bildschirm");
        QTest::addColumn<bool>("original");
        QTest::addColumn<double>("hoehenAnteil"); // the least part of the screen's height it takes
        QTest::newRow("full HD") << QSize(1920, 1080) << false << 0.6;
        QTest::newRow("800x600") << QSize(800, 600) << false << 0.6;
        QTest::newRow("laptop 1366x768") << QSize(1366, 768) << false << 0.6;
        QTest::newRow("netbook 1024x600") << QSize(1024, 600) << false << 0.6;
        QTest::newRow("4K") << QSize(3840, 2160) << false << 0.6;
        QTest::newRow("original size on full HD") << QSize(1920, 1080) << true << 0.0;
    }
    void fensterAufDemBildschirm() {
        QFETCH(QSize, bildschirm);
        QFETCH(bool, original);
        QFETCH(double, hoehenAnteil);
        fuerBildschirm(original ? QSize() : bildschirm);
        mitHauptfenster([&](view::MainFrmView& f) {
            const QSize aussen = f.frameGeometry().size() + QSize(0, 40);
            QVERIFY2(aussen.width() <= bildschirm.width() && aussen.height() <= bildschirm.height(),
                     qPrintable(QStringLiteral("%1x%2").arg(aussen.width()).arg(aussen.height())));
            QVERIFY(aussen.height() >= hoehenAnteil * bildschirm.height());
            if (original) // the form's 9600 x 6630 twips at 15 twips a pixel
                QCOMPARE(f.centralWidget()->size(), QSize(640, 442));
        });
    }

    // F11 shows the main window on the whole screen, the form at its size in the middle under the menu bar;
    // F11 again brings the window back as it was.
    void vollbild() {
        mitHauptfenster([](view::MainFrmView& f) {
            const QRect vorher = f.geometry();
            QTest::keyClick(f.brett(), Qt::Key_F11);
            QCoreApplication::processEvents(); // the window system's answer
            QVERIFY(f.isFullScreen());
            QCOMPARE(f.geometry(), f.screen()->geometry());
            const QWidget* flaeche = f.brett()->parentWidget();
            const QPoint mitte = flaeche->mapToGlobal(flaeche->rect().center());
            const QWidget* unterMenue = f.centralWidget();
            QVERIFY((mitte - unterMenue->mapToGlobal(unterMenue->rect().center())).manhattanLength() <= 2);
            QCOMPARE(unterMenue->size(), f.size() - QSize(0, f.menuBar()->height()));
            QCOMPARE(flaeche->size(), tw::groesse(9600, 6630));
            QTest::keyClick(f.brett(), Qt::Key_F11);
            QCoreApplication::processEvents();
            QVERIFY(!f.isFullScreen());
            QCOMPARE(f.size(), vorher.size());
        });
    }

    // The framework's window behind the game covers the screen with its picture, cut rather than stretched.
    void hintergrund() {
        view::HintergrundFenster h;
        h.zeige();
        QCOMPARE(h.geometry(), h.screen()->geometry());
        h.setzeBild(QStringLiteral(FINDOLIN_DEMO_DIR "/Grafik/HINTERGRUND.GIF"));
        const QImage bild = h.grab().toImage();
        const QColor ohneBild(0xdf, 0xee, 0xf8);
        for (QPoint ecke : {QPoint(0, 0), QPoint(bild.width() - 1, bild.height() - 1)})
            QVERIFY(bild.pixelColor(ecke) != ohneBild);
    }
};

QTEST_MAIN(TestDarstellung)
#include "tst_darstellung.moc"
