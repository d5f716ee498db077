#include "chm/qthelpviewer.h"

#include "chm/hilfedatei.h"
#include "hilfefenster.h"
#include "logging.h"

#include <QDesktopServices>
#include <QFileInfo>

namespace findolin::chm {

namespace {

QString schluessel(const QString& datei) {
    return QFileInfo(datei).absoluteFilePath();
}

void protokolliere(const QString& befehl, const QString& datei, const QString& ergebnis) {
    qCDebug(lcHilfe).noquote() << QStringLiteral("%1 in \"%2\": %3").arg(befehl, datei, ergebnis);
}

} // namespace

QtHelpViewer::QtHelpViewer(std::function<void(const QUrl&)> nachAussen) : nachAussen_(std::move(nachAussen)) {
    if (!nachAussen_)
        nachAussen_ = [](const QUrl& url) { QDesktopServices::openUrl(url); };
}

QtHelpViewer::~QtHelpViewer() {
    for (auto& eintrag : fenster_)
        delete eintrag.second.data();
}

HilfeFenster* QtHelpViewer::fenster(const QString& datei) const {
    const auto it = fenster_.find(schluessel(datei));
    return it == fenster_.end() ? nullptr : it->second.data();
}

HilfeFenster* QtHelpViewer::oeffne(const QString& datei) {
    auto& f = fenster_[schluessel(datei)];
    if (!f) {
        f = new HilfeFenster(schluessel(datei), nachAussen_);
        f->setAttribute(Qt::WA_DeleteOnClose);
    }
    f->show();
    f->setWindowState(f->windowState() & ~Qt::WindowMinimized);
    f->raise();
    f->activateWindow();
    return f;
}

void QtHelpViewer::zeige(HilfeFenster* f, const QString& befehl, const QString& seite, const QString& warum) {
    if (!f->hilfe())
        return protokolliere(befehl, f->datei(),
                             QStringLiteral("no page, the file cannot be read: ") + f->fehler());
    const QString ziel = seite.isEmpty() ? f->hilfe()->standardThema() : seite;
    if (ziel.isEmpty())
        return protokolliere(befehl, f->datei(),
                             warum + QStringLiteral("no page, the file has no default topic"));
    if (!f->zeige(ziel))
        return protokolliere(befehl, f->datei(),
                             warum + QStringLiteral("no page, \"%1\" is missing").arg(ziel));
    protokolliere(befehl, f->datei(), warum + QLatin1Char('"') + f->seite() + QLatin1Char('"'));
}

void QtHelpViewer::displayTopic(const QString& datei) {
    zeige(oeffne(datei), QStringLiteral("display topic"), {});
}

// An id the file does not know opens the default topic.
void QtHelpViewer::helpContext(const QString& datei, qint32 id) {
    HilfeFenster* f = oeffne(datei);
    const QString seite = f->hilfe() ? f->hilfe()->seiteFuerKontext(id) : QString();
    zeige(f, QStringLiteral("help context %1").arg(id), seite,
          f->hilfe() && seite.isEmpty() ? QStringLiteral("unknown id, default topic ") : QString());
}

void QtHelpViewer::closeAll(const QString& datei) {
    const auto it = fenster_.find(schluessel(datei));
    const bool offen = it != fenster_.end() && it->second;
    if (offen)
        delete it->second.data();
    if (it != fenster_.end())
        fenster_.erase(it);
    protokolliere(QStringLiteral("close all"), schluessel(datei),
                  offen ? QStringLiteral("window closed") : QStringLiteral("no window open"));
}

} // namespace findolin::chm
