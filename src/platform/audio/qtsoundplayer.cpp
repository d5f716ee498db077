#include "qtsoundplayer.h"

#include "wiedergabe.h"

namespace findolin::platform {

QtSoundPlayer::QtSoundPlayer(QObject* parent) : QObject(parent), wiedergabe_(new Wiedergabe) {
    thread_.setObjectName(QStringLiteral("findolin-sound"));
    wiedergabe_->moveToThread(&thread_);
    connect(&thread_, &QThread::finished, wiedergabe_, &QObject::deleteLater);
    connect(wiedergabe_, &Wiedergabe::beendet, this, &QtSoundPlayer::soundEnded);
    thread_.start();
}

QtSoundPlayer::~QtSoundPlayer() {
    close();
    thread_.quit();
    thread_.wait();
}

void QtSoundPlayer::playAsync(const QString& wavPath) {
    QMetaObject::invokeMethod(
        wiedergabe_, [w = wiedergabe_, wavPath] { w->spiele(wavPath); }, Qt::QueuedConnection);
}

void QtSoundPlayer::close() {
    QMetaObject::invokeMethod(wiedergabe_, &Wiedergabe::schliesse, Qt::BlockingQueuedConnection);
}

} // namespace findolin::platform
