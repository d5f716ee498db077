#pragma once

#include "game/dienste.h"
#include "platform/files.h"
#include "platform/qt/qtservices.h"
#include <accessdb/dateioeffner.h>

#include <chm/qthelpviewer.h>

namespace findolin::view {

// Tells a driver of the program (platform/qt/fernsteuerung.h) the first time the game opens a database it may
// write, so that a test can let several games write at one moment.
class SchrankenOeffner : public accessdb::DatabaseOpener {
public:
    explicit SchrankenOeffner(accessdb::DatabaseOpener& oeffner) : oeffner_(oeffner) {}
    std::unique_ptr<accessdb::Database> open(const QString& path) override;
    std::unique_ptr<accessdb::Database> openReadOnly(const QString& path) override {
        return oeffner_.openReadOnly(path);
    }
    std::unique_ptr<accessdb::Database> create(const QString& path, const QStringList& schema) override;

private:
    void warte();
    accessdb::DatabaseOpener& oeffner_;
    bool gewartet_ = false;
};

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
    accessdb::DateiOeffner datenbanken;
    SchrankenOeffner schranke{datenbanken};
    chm::QtHelpViewer hilfe;
    Dienste dienste;
};

} // namespace findolin::view
