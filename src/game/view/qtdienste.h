#pragma once

#include "game/dienste.h"
#include "platform/db/dateioeffner.h"
#include "platform/files.h"
#include "platform/qt/qtservices.h"

#include <chm/qthelpviewer.h>

namespace findolin::view {

// The Qt implementation of every service one run of the game uses, with the game's dialogs registered; the
// sound output is the caller's.
struct QtDienste {
    QtDienste(platform::SoundPlayer& ton, const QString& appPfad);

    platform::QtClock uhr;
    platform::QtTimerFactory timer;
    platform::QtBlockingPause pause;
    platform::SystemRandom zufall;
    platform::QtFileSystem dateien;
    platform::QtTextMeasure masse;
    platform::QtModalPresenter fenster;
    platform::QtProcessControl prozess;
    platform::db::DateiOeffner datenbanken;
    chm::QtHelpViewer hilfe;
    Dienste dienste;
};

} // namespace findolin::view
