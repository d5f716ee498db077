#pragma once

#include "kern/startkontext.h"
#include "platform/audio/soundplayer.h"
#include "platform/services.h"

#include <QString>
#include <array>

namespace findolin {

// One row of the sound table: an event of the game and the base name of its WAV file, or "<NULL>".
struct SoundEintrag {
    QString ereignis;
    QString datei;
};

inline constexpr int nSoundEreignisse = 15;
using SoundTabelle = std::array<SoundEintrag, nSoundEreignisse>;

// The game's event sounds: which file belongs to which event, read from "[Sound]" in "Omnor.ini", and
// playing them while the sound setting is on. Code that wants a sound names the event.
class SoundModul {
public:
    // `einstTon` is the sound setting of the settings record, read at every call, so switching the sound off
    // in the settings takes effect at once.
    SoundModul(platform::SoundPlayer& player, const Pfade& pfade, const qint16& einstTon);

    // Every event of the table, in its fixed order, without a sound.
    void initSoundTab();
    // Fills the table from the section "[Sound]". A file that cannot be read leaves every event silent.
    void loadSoundIni(const platform::FileSystem& dateien);

    // Plays the event's sound, if the sound is on and the event has a file.
    void playSound(const QString& ereignis);
    // Plays "Sound/<datei>.WAV" from the program folder and returns at once.
    void playWave(const QString& datei);
    // Closes the sound device at program end; a sound about to end is heard to its end, a longer one stops.
    void schliessen();

    const SoundTabelle& soundTab() const { return soundTab_; }
    // The file assigned to an event, "<NULL>" for none (and for names not in the table).
    QString dateiFuer(const QString& ereignis) const;
    // The path of "Sound/<datei>.WAV" in the program folder.
    QString wavDatei(const QString& datei) const;

private:
    void leseSoundAbschnitt(const QString& text);

    platform::SoundPlayer& player_;
    const Pfade& pfade_;
    const qint16& einstTon_;
    SoundTabelle soundTab_;
};

// The marker of an event without a sound.
inline const QString keinSound = QStringLiteral("<NULL>");

} // namespace findolin
