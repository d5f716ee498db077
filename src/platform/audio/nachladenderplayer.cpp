#include "nachladenderplayer.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QLoggingCategory>

namespace findolin::platform {

namespace {
Q_LOGGING_CATEGORY(lcLaden, "findolin.sound", QtInfoMsg)

using Erzeuger = SoundPlayer* (*)();
} // namespace

void NachladenderSoundPlayer::ladeImHintergrund() {
    if (lader_.joinable())
        return;
    lader_ = std::thread([this] {
        QLibrary modul(modulPfad_);
        const auto erzeuge = reinterpret_cast<Erzeuger>(modul.resolve("findolin_erzeugeSoundPlayer"));
        if (!erzeuge) {
            qCWarning(lcLaden) << "no sound output, the game stays silent:" << modul.errorString();
            return;
        }
        // The player is a QObject of the user-interface thread: make it there.
        QMetaObject::invokeMethod(
            &empfaenger_, [this, erzeuge] { geladen(erzeuge()); }, Qt::QueuedConnection);
    });
}

NachladenderSoundPlayer::~NachladenderSoundPlayer() {
    if (lader_.joinable())
        lader_.join();
}

void NachladenderSoundPlayer::geladen(SoundPlayer* player) {
    player_.reset(player);
    if (!wartend_.isEmpty())
        player_->playAsync(std::exchange(wartend_, QString()));
}

void NachladenderSoundPlayer::playAsync(const QString& wavPath) {
    if (player_)
        player_->playAsync(wavPath);
    else
        wartend_ = wavPath; // a new sound cuts one still waiting, as it cuts one still playing
}

void NachladenderSoundPlayer::close() {
    wartend_.clear();
    if (player_)
        player_->close();
}

} // namespace findolin::platform
