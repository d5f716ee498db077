#pragma once

#include "platform/audio/soundplayer.h"
#include "platform/services.h"
#include <accessdb/database.h>

namespace findolin {

// The services one run of the game uses; production fills it with Qt, tests with the virtual event loop.
struct Dienste {
    platform::Clock& uhr;
    platform::TimerFactory& timer;
    platform::BlockingPause& pause;
    platform::RandomSource& zufall;
    platform::FileSystem& dateien;
    platform::TextMeasure& masse;
    platform::ModalPresenter& fenster;
    platform::ProcessControl& prozess;
    platform::SoundPlayer& ton;
    accessdb::DatabaseOpener& datenbanken;
    platform::HelpViewer& hilfe;
};

} // namespace findolin
