#pragma once

#include <QSize>

namespace findolin::view {

// The look of every window of the game: its icon, the desktop entry it belongs to, the scale of the forms
// for a screen whose free area has this size, and the font of what has none of its own. Once, before the
// first window.
void richteFensterEin(QSize bildschirm);

// Runs Findolin on Qt: the real services, windows and dialogs. Returns the process's exit code.
int laufeFindolin(int argc, char** argv);

} // namespace findolin::view
