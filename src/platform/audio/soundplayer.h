#pragma once

#include <QString>

namespace findolin::platform {

// Plays the game's WAV files. Every call returns at once; the sound is heard while the game goes on.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Starts the file as a sound. A sound still playing is cut off by the new one. A missing or broken file,
    // or a machine without sound output, stays silent.
    virtual void playAsync(const QString& wavPath) = 0;
    // Closes the sound device at program end: a sound about to end is heard to its end first (it waits no
    // longer than the sound's rest), a longer one stops.
    virtual void close() = 0;
};

} // namespace findolin::platform
