#pragma once

class QCoreApplication;

namespace findolin::platform {

// Findolin speaks German whatever the system's language: Qt's own texts (file dialogs, the context menu of
// text fields, the command line's help and errors) come from Qt's German translation, and numbers and dates
// in Qt's dialogs take the German form. Called once by the game and by the launcher, right after their
// application object is made. Without the translation file the English texts remain; that is logged, not
// an error.
void sprichDeutsch(QCoreApplication& app);

} // namespace findolin::platform
