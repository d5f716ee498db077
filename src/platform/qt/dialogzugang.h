#pragma once

namespace findolin::platform {

// Lets a screen reader learn the access keys of the dialogs' check boxes and option buttons, and read the
// forms' frames as groups named by their captions. Called once, before any window is built.
void installiereDialogZugang();

} // namespace findolin::platform
