#pragma once

#include "platform/qt/qtservices.h"

namespace findolin::view {

// Registers the Qt dialogs " Datei-Info" and "Info über ..."; `logoPfad` is the about dialog's logo.
void registriereInfoDialoge(platform::QtModalPresenter& presenter, const QString& logoPfad);

} // namespace findolin::view
