#pragma once

#include "platform/audio/soundplayer.h"

#include <QStringList>

namespace findolin::platform {

// A silent player for tests: it notes every file it is asked to play and every close.
class RecordingSoundPlayer : public SoundPlayer {
public:
    void playAsync(const QString& wavPath) override { played.append(wavPath); }
    void close() override { ++closeCount; }

    QStringList played;
    int closeCount = 0;
};

} // namespace findolin::platform
