#pragma once

#include "soundplayer.h"

#include <QObject>
#include <QString>
#include <memory>
#include <thread>

namespace findolin::platform {

// Plays through the Qt sound output, which lives in a module of its own ("findolin_klang" beside the
// program): the audio libraries it pulls in take longer to load than the whole game needs to show its first
// board, so the module is loaded on a thread of its own while the game starts. A sound asked for before it is
// ready plays as soon as it is; without the module, or without a sound device, the game stays silent and says
// so once.
class NachladenderSoundPlayer : public SoundPlayer {
public:
    // `modulPfad` without the platform's suffix, e.g. the program folder followed by "/findolin_klang".
    explicit NachladenderSoundPlayer(const QString& modulPfad) : modulPfad_(modulPfad) {}
    ~NachladenderSoundPlayer() override;

    // Starts loading; the program calls it once its first board is on screen.
    void ladeImHintergrund();

    void playAsync(const QString& wavPath) override;
    void close() override;

    // Whether the module has been loaded and its player made (for tests and the log).
    bool bereit() const { return player_ != nullptr; }

private:
    void geladen(SoundPlayer* player);

    QString modulPfad_;
    QObject empfaenger_; // receives the loader's result on the user-interface thread
    std::thread lader_;
    std::unique_ptr<SoundPlayer> player_;
    QString wartend_;
};

} // namespace findolin::platform
