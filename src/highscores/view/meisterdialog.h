#pragma once

#include "platform/qt/qtservices.h"

namespace findolin::view {

// Registers the Qt dialog of the high-score list (MeisterFrm).
void registriereMeisterDialog(platform::QtModalPresenter& presenter);

} // namespace findolin::view
