#pragma once

#include "platform/services.h"

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
};

} // namespace findolin
