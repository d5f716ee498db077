// Time from a help command to its page on screen, for a help file of about 1 MB: the first call (the file
// opened, its window made) and a later one (the page turned), against showing the same page from a plain HTML
// file in a fresh browser.
#include <chm/chmschreiber.h>
#include <chm/qthelpviewer.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <cstdio>

using namespace findolin;
using namespace findolin::chm;

namespace {

QByteArray seite(int n) {
    QByteArray text = "<html><head><title>Seite " + QByteArray::number(n) +
                      "</title></head><body><h1>Seite " + QByteArray::number(n) + "</h1>";
    while (text.size() < 5000)
        text += "<p>Finde die Buchstaben des Wortes in der richtigen Reihenfolge.</p>";
    return text + "</body></html>";
}

template <class Tue> double millisekunden(int runden, Tue&& tue) {
    QElapsedTimer uhr;
    uhr.start();
    for (int i = 0; i < runden; ++i)
        tue(i);
    return static_cast<double>(uhr.nsecsElapsed()) / 1e6 / runden;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    QTemporaryDir ordner;
    chm::HilfeBuch buch;
    buch.titel = QStringLiteral("Große Hilfe");
    buch.startSeite = QStringLiteral("seite0.htm");
    for (int n = 0; n < 200; ++n) {
        const QString name = QStringLiteral("seite%1.htm").arg(n);
        buch.seiten.insert(name, seite(n));
        buch.inhalt.append({0, QStringLiteral("Seite %1").arg(n), name});
    }
    buch.kontexte.insert(2000, QStringLiteral("seite150.htm"));
    buch.seiten.insert(buch.inhaltsDatei, chm::sitemap(buch.inhalt));
    const QString chm = ordner.filePath(QStringLiteral("gross.chm"));
    const QString html = ordner.filePath(QStringLiteral("seite150.htm"));
    for (const auto& [pfad, inhalt] : {std::pair{chm, chm::schreibeChm(buch)}, std::pair{html, seite(150)}}) {
        QFile f(pfad);
        f.open(QIODevice::WriteOnly);
        f.write(inhalt);
    }

    constexpr int runden = 20;
    const double erstes = millisekunden(runden, [&](int) {
        QtHelpViewer hilfe([](const QUrl&) {});
        hilfe.helpContext(chm, 2000);
        QApplication::processEvents();
    });
    QtHelpViewer hilfe([](const QUrl&) {});
    hilfe.helpContext(chm, 2000);
    const double spaeter = millisekunden(runden, [&](int i) {
        hilfe.helpContext(chm, i % 2 ? 2000 : 0);
        QApplication::processEvents();
    });
    const double grundlast = millisekunden(runden, [&](int) {
        QTextBrowser browser;
        browser.setSource(QUrl::fromLocalFile(html));
        browser.show();
        QApplication::processEvents();
    });
    std::printf("help file %.2f MB, 200 pages\n", static_cast<double>(QFile(chm).size()) / 1e6);
    std::printf("first help call (file opened, window made, page shown): %7.2f ms\n", erstes);
    std::printf("later help call (page turned):                          %7.2f ms\n", spaeter);
    std::printf("baseline, the page from a plain HTML file in a browser: %7.2f ms\n", grundlast);
    std::printf("first / baseline %.1f x, later / baseline %.1f x\n", erstes / grundlast,
                spaeter / grundlast);
    return 0;
}
