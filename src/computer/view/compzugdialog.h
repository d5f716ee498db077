#pragma once

#include "platform/qt/qtservices.h"

namespace findolin::view {

// Registers the Qt window of the computer's turn: no caption, a framed picture and the two texts. It cannot
// be closed by the user; it hides itself when the computer has made its first move. `bildPfad` is its
// picture.
void registriereCompZugDialog(platform::QtModalPresenter& presenter, const QString& bildPfad);

} // namespace findolin::view
