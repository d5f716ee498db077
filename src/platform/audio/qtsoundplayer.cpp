#include "qtsoundplayer.h"

#include "wiedergabe.h"

namespace findolin::platform {

namespace {
// A sound that ends within this time when the device closes is heard to its end first: the closing sound
// plays during the program's end pause, and the last part of it may still be on its way.
constexpr qint64 ausklingenHoechstensUs = 500'000;
// What close allows beyond the sound's rest before it stops the sound anyway.
constexpr int spielraumMs = 50;
} // namespace

QtSoundPlayer::QtSoundPlayer(QObject* parent) : QObject(parent), wiedergabe_(new Wiedergabe) {
    thread_.setObjectName(QStringLiteral("findolin-sound"));
    wiedergabe_->moveToThread(&thread_);
    connect(&thread_, &QThread::finished, wiedergabe_, &QObject::deleteLater);
    connect(wiedergabe_, &Wiedergabe::beendet, this, &QtSoundPlayer::soundEnded);
    connect(
        wiedergabe_, &Wiedergabe::beendet, this, [this] { beendet_.release(); }, Qt::DirectConnection);
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
    // The sound thread keeps feeding the sink while this thread waits for the end.
    qint64 restUs = 0;
    QMetaObject::invokeMethod(
        wiedergabe_,
        [this, &restUs] {
            beendet_.tryAcquire(beendet_.available()); // ends before now are not the one waited for
            restUs = wiedergabe_->restUs();
        },
        Qt::BlockingQueuedConnection);
    if (restUs > 0 && restUs <= ausklingenHoechstensUs)
        beendet_.tryAcquire(1, int(restUs / 1000) + spielraumMs);
    QMetaObject::invokeMethod(wiedergabe_, &Wiedergabe::schliesse, Qt::BlockingQueuedConnection);
}

} // namespace findolin::platform
