#pragma once

#include "platform/qt/qtservices.h"

namespace findolin::view {

// Registers the Qt dialog "Einstellungen" of the settings form EinstellFrm.
void registriereEinstellDialog(platform::QtModalPresenter& presenter);

} // namespace findolin::view
