#pragma once

#include "soundplayer.h"

#include <QObject>
#include <QSemaphore>
#include <QThread>

namespace findolin::platform {

class Wiedergabe;

// Plays WAV files on a thread of its own, so a sound goes on while the user-interface thread sleeps through
// a busy pause. Only the samples are read from the file, so the whole sound is heard, to its last sample.
// One sound at a time: a new sound cuts off the one still playing.
class QtSoundPlayer final : public QObject, public SoundPlayer {
    Q_OBJECT
public:
    explicit QtSoundPlayer(QObject* parent = nullptr);
    ~QtSoundPlayer() override;

    void playAsync(const QString& wavPath) override;
    // Lets a sound that ends within half a second play to its end, stops a longer one, and returns when the
    // device is silent.
    void close() override;

signals:
    // A sound has ended, delivered on this object's thread: `complete` when it was heard to its last sample;
    // false when it was cut off or could not play (missing file, broken file, no sound output).
    void soundEnded(const QString& wavPath, bool complete);

private:
    QThread thread_;
    Wiedergabe* wiedergabe_;
    QSemaphore beendet_; // one for every sound that has ended, released on the sound thread
};

} // namespace findolin::platform
