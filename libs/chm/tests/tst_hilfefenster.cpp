#include "testdata.h"
#include "view/hilfefenster.h"

#include <chm/hilfedatei.h>
#include <chm/qthelpviewer.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolBar>
#include <QTreeWidget>

using namespace findolin;
using namespace findolin::chm;

namespace {

const QString demoHilfe = QStringLiteral(FINDOLIN_DEMO_DIR "/Findolin.chm");

} // namespace

class TstHilfeFenster : public QObject {
    Q_OBJECT
private slots:
    void oeffnen_data() {
        QTest::addColumn<QString>("datei");
        QTest::addColumn<int>("id"); // 0: the default topic
        QTest::addColumn<QString>("seite");
        QTest::addColumn<QString>("titel");
        QTest::newRow("default topic") << demoHilfe << 0 << "/bedienung.htm"
                                       << "Findolin-Hilfe";
        QTest::newRow("rules") << demoHilfe << 2000 << "/spielregeln.htm"
                               << "Findolin-Hilfe";
        QTest::newRow("unknown id") << demoHilfe << 4711 << "/bedienung.htm"
                                    << "Findolin-Hilfe";
        QTest::newRow("shared file") << testdataFile("chm/ShkollaManagerVB_Help.chm") << 5
                                     << "/Gjeneralitete.htm"
                                     << "NDIHMA";
        QTest::newRow("shared, untitled") << testdataFile("chm/connect-four_Help.chm") << 0 << "/Overview.htm"
                                          << "connect-four_Help.chm";
    }
    // Each call shows its page in the file's one window; asking again brings that window back.
    void oeffnen() {
        QFETCH(QString, datei);
        QFETCH(int, id);
        QFETCH(QString, seite);
        QFETCH(QString, titel);
        if (!QFileInfo::exists(datei))
            QSKIP("help file not found");
        QtHelpViewer hilfe;
        id ? hilfe.helpContext(datei, id) : hilfe.displayTopic(datei);
        HilfeFenster* f = hilfe.fenster(datei);
        QVERIFY(f && f->isVisible());
        QCOMPARE(f->seite(), seite);
        QCOMPARE(f->windowTitle(), titel);
        QVERIFY(f->findChild<QTextBrowser*>()->toPlainText().size() > 20);
        hilfe.displayTopic(datei);
        QCOMPARE(hilfe.fenster(datei), f);
        QCOMPARE(f->seite(), hilfe.fenster(datei)->hilfe()->standardThema());
    }

    // Contents, index, search, back and forward as a user works them; closing removes the window.
    void bedienen() {
        QtHelpViewer hilfe;
        hilfe.displayTopic(demoHilfe);
        QPointer<HilfeFenster> f = hilfe.fenster(demoHilfe);
        QVERIFY(f);
        QVERIFY(f->findChild<QTabWidget*>()->isTabVisible(1));
        auto* index = f->findChild<QTreeWidget*>(QStringLiteral("index"));
        const auto lampen = index->findItems(QStringLiteral("Lampen"), Qt::MatchExactly);
        QCOMPARE(lampen.size(), 1);
        f->findChild<QTabWidget*>()->setCurrentIndex(1);
        QTest::mouseClick(index->viewport(), Qt::LeftButton, {}, index->visualItemRect(lampen[0]).center());
        QCOMPARE(f->seite(), QStringLiteral("/bedienung.htm"));
        f->findChild<QTabWidget*>()->setCurrentIndex(0);
        auto* inhalt = f->findChild<QTreeWidget*>(QStringLiteral("inhalt"));
        const auto regeln = inhalt->findItems(QStringLiteral("Spielregeln"), Qt::MatchExactly);
        QTest::mouseClick(inhalt->viewport(), Qt::LeftButton, {}, inhalt->visualItemRect(regeln[0]).center());
        QCOMPARE(f->seite(), QStringLiteral("/spielregeln.htm"));

        auto* begriff = f->findChild<QLineEdit*>(QStringLiteral("suchbegriff"));
        auto* treffer = f->findChild<QListWidget*>(QStringLiteral("treffer"));
        f->findChild<QTabWidget*>()->setCurrentIndex(2);
        const QList<std::pair<QString, QStringList>> suchen = {
            {"stylesheet", {"Nichts gefunden."}}, // tags are not text
            {"gedächtnisspiel", {"Spielregeln"}},
            {"SPIELZEIT", {"Bedienungshinweise", "Neues Spiel", "Spielregeln"}}};
        for (const auto& [wort, titel] : suchen) {
            begriff->setText(wort);
            QTest::keyClick(begriff, Qt::Key_Return);
            QStringList gefunden;
            for (int i = 0; i < treffer->count(); ++i)
                gefunden.append(treffer->item(i)->text());
            gefunden.sort();
            QCOMPARE(gefunden, titel);
        }
        const auto neu = treffer->findItems(QStringLiteral("Neues Spiel"), Qt::MatchExactly);
        QTest::mouseClick(treffer->viewport(), Qt::LeftButton, {}, treffer->visualItemRect(neu[0]).center());
        QCOMPARE(f->seite(), QStringLiteral("/neu.htm"));

        auto* leiste = f->findChild<QToolBar*>();
        auto knopf = [&](const char* name) {
            QTest::mouseClick(leiste->widgetForAction(f->findChild<QAction*>(QLatin1String(name))),
                              Qt::LeftButton);
        };
        knopf("zurueck");
        QCOMPARE(f->seite(), QStringLiteral("/spielregeln.htm"));
        knopf("zurueck");
        knopf("vorwaerts");
        QCOMPARE(f->seite(), QStringLiteral("/spielregeln.htm"));

        hilfe.closeAll(demoHilfe);
        QVERIFY(!f && !hilfe.fenster(demoHilfe));
    }

    // Esc and Ctrl+W close the window, from the page and from the search field alike.
    void schliessenMitTaste_data() {
        QTest::addColumn<QKeySequence>("taste");
        QTest::addColumn<QString>("fokus");
        QTest::newRow("Esc on the page") << QKeySequence(Qt::Key_Escape) << "seite";
        QTest::newRow("Ctrl+W on the page") << QKeySequence(QKeySequence::Close) << "seite";
        QTest::newRow("Esc in the search field") << QKeySequence(Qt::Key_Escape) << "suchbegriff";
    }
    void schliessenMitTaste() {
        QFETCH(QKeySequence, taste);
        QFETCH(QString, fokus);
        QtHelpViewer hilfe;
        hilfe.displayTopic(demoHilfe);
        QPointer<HilfeFenster> f = hilfe.fenster(demoHilfe);
        QApplication::setActiveWindow(f);
        QVERIFY(QTest::qWaitForWindowActive(f));
        f->findChild<QTabWidget*>()->setCurrentIndex(2);
        QWidget* ziel = f->findChild<QWidget*>(fokus);
        ziel->setFocus();
        QTest::keySequence(ziel, taste);
        QVERIFY(QTest::qWaitFor([&] { return !f; }, 5000));
        QVERIFY(!hilfe.fenster(demoHilfe));
    }

    void verweise_data() {
        QTest::addColumn<QString>("verweis");
        QTest::addColumn<QString>("seite"); // empty: the page stays
        QTest::addColumn<QString>("text");  // a part of what the page then says
        const char* const zeilen[][4] = {
            {"relative", "neu.htm", "/neu.htm", "Neues Spiel"},
            {"this file", "Findolin.chm::/neu.htm", "/neu.htm", "Neues Spiel"},
            {"web", "https://example.org/", "/bedienung.htm", "Bedienungshinweise"},
            {"mail", "mailto:a@b.de", "/bedienung.htm", "Bedienungshinweise"},
            {"local file", "file:///etc/passwd", "", "führt aus der Hilfedatei hinaus"},
            {"other file", "Ubix.chm::/ck.htm", "", "führt aus der Hilfedatei hinaus"},
            {"missing page", "fehlt.htm", "/fehlt.htm", "ist nicht in der Hilfedatei"}};
        for (const auto& z : zeilen)
            QTest::newRow(z[0]) << QString::fromUtf8(z[1]) << QString::fromUtf8(z[2])
                                << QString::fromUtf8(z[3]);
    }
    // Links inside the file are followed; web and mail go outside; others are refused in words.
    void verweise() {
        QFETCH(QString, verweis);
        QFETCH(QString, seite);
        QFETCH(QString, text);
        QList<QUrl> aussen;
        QtHelpViewer hilfe([&aussen](const QUrl& url) { aussen.append(url); });
        hilfe.displayTopic(demoHilfe);
        auto* browser = hilfe.fenster(demoHilfe)->findChild<QTextBrowser*>();
        emit browser->anchorClicked(browser->source().resolved(QUrl(verweis)));
        QCOMPARE(hilfe.fenster(demoHilfe)->seite(), seite);
        QVERIFY2(browser->toPlainText().contains(text), qPrintable(browser->toPlainText()));
        QCOMPARE(aussen.size(),
                 verweis.contains(QLatin1String("ps:")) || verweis.startsWith(QLatin1String("mailto")));
    }

    void beschaedigt_data() {
        QTest::addColumn<qint64>("laenge"); // -1: no file at all
        QTest::newRow("cut") << qint64(3000);
        QTest::newRow("empty") << qint64(0);
        QTest::newRow("missing") << qint64(-1);
    }
    // An unreadable file opens an empty window that names it.
    void beschaedigt() {
        QFETCH(qint64, laenge);
        QTemporaryDir dir;
        const QString kopie = dir.filePath(QStringLiteral("Kaputt.chm"));
        QFile quelle(demoHilfe);
        QFile ziel(kopie);
        if (laenge >= 0) {
            QVERIFY(quelle.open(QIODevice::ReadOnly) && ziel.open(QIODevice::WriteOnly));
            ziel.write(quelle.read(laenge));
            ziel.close();
        }
        QtHelpViewer hilfe;
        hilfe.helpContext(kopie, 2000);
        HilfeFenster* f = hilfe.fenster(kopie);
        QVERIFY(f && f->isVisible() && !f->hilfe());
        QCOMPARE(f->seite(), QString());
        const QString text = f->findChild<QTextBrowser*>()->toPlainText();
        QVERIFY2(text.contains(QStringLiteral("Kaputt.chm“ kann nicht gelesen werden.")), qPrintable(text));
    }
};

QTEST_MAIN(TstHilfeFenster)
#include "tst_hilfefenster.moc"
