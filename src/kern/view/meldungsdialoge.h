#pragma once

#include "platform/qt/qtservices.h"

namespace findolin::view {

// Registers the Qt dialogs of the message window and the quit question. `bildPfad` is the picture that both
// windows show at the left (missing: the place stays empty).
void registriereMeldungsdialoge(platform::QtModalPresenter& presenter, const QString& bildPfad);

} // namespace findolin::view
