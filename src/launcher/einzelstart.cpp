#include "einzelstart.h"

#include "logging.h"

#include <QCryptographicHash>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QLocalSocket>
#include <QTimer>

namespace findolin::launcher {

namespace {
const QByteArray bitte = "nach-vorn\n";
const QByteArray vorn = "vorn\n";
const QByteArray spielt = "spielt\n";
constexpr int warteMs = 3000;
} // namespace

Einzelstart::Einzelstart(const QString& spielordner)
    : name_(QStringLiteral("findolin-start-") +
            QString::fromLatin1(
                QCryptographicHash::hash(QDir(spielordner).absolutePath().toUtf8(), QCryptographicHash::Sha1)
                    .toHex()
                    .left(16))),
      sperre_(QDir(spielordner).absolutePath() + QStringLiteral(".lock")) {
    // A launcher runs for hours: only a lock whose process is gone is stale.
    sperre_.setStaleLockTime(0);
    QDir().mkpath(QFileInfo(spielordner).absolutePath());
    connect(&server_, &QLocalServer::newConnection, this, &Einzelstart::beantworte);
}

bool Einzelstart::werdeEinziger() {
    if (!sperre_.tryLock(0)) {
        if (sperre_.error() == QLockFile::LockFailedError)
            return false;
        // A lock that cannot be made at all (a folder that cannot be written) is no other launcher; the
        // check before the start names that folder.
        qCDebug(lcLauncher) << "no lock beside the game folder, error" << sperre_.error();
        return true;
    }
    // A socket left by a launcher that crashed is ours to take: we hold the lock.
    if (!server_.listen(name_)) {
        QLocalServer::removeServer(name_);
        server_.listen(name_);
    }
    qCDebug(lcLauncher) << "the only launcher, listening as" << name_;
    return true;
}

void Einzelstart::beantworte() {
    while (QLocalSocket* anderer = server_.nextPendingConnection()) {
        connect(anderer, &QLocalSocket::disconnected, anderer, &QObject::deleteLater);
        connect(anderer, &QLocalSocket::readyRead, this, [this, anderer] {
            if (!anderer->canReadLine())
                return;
            anderer->readLine();
            const bool spiel = spieltGerade();
            anderer->write(spiel ? spielt : vorn);
            anderer->flush();
            qCDebug(lcLauncher) << "another launcher asked to come to the front;"
                                << (spiel ? "a game is running" : "coming to the front");
            if (!spiel)
                emit nachVornGebeten();
        });
    }
}

Einzelstart::Antwort Einzelstart::frageDenErsten() {
    QLocalSocket socket;
    QEventLoop warten;
    QTimer zuLange;
    zuLange.setSingleShot(true);
    connect(&zuLange, &QTimer::timeout, &warten, &QEventLoop::quit);
    connect(&socket, &QLocalSocket::readyRead, &warten, [&] {
        if (socket.canReadLine())
            warten.quit();
    });
    connect(&socket, &QLocalSocket::errorOccurred, &warten, &QEventLoop::quit);
    connect(&socket, &QLocalSocket::connected, &socket, [&socket] { socket.write(bitte); });
    socket.connectToServer(name_);
    zuLange.start(warteMs);
    if (socket.state() != QLocalSocket::UnconnectedState)
        warten.exec();
    const QByteArray antwort = socket.canReadLine() ? socket.readLine() : QByteArray();
    return antwort == vorn ? Antwort::NachVorn : antwort == spielt ? Antwort::SpieltGerade : Antwort::Keine;
}

} // namespace findolin::launcher
