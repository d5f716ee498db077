// The module that holds the Qt sound output; the program loads it in the background at start.
#include "qtsoundplayer.h"

extern "C" Q_DECL_EXPORT findolin::platform::SoundPlayer* findolin_erzeugeSoundPlayer() {
    return new findolin::platform::QtSoundPlayer;
}
