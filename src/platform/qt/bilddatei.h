#pragma once

#include <QPixmap>
#include <QString>

namespace findolin::platform {

// A picture file of the framework for a dialog, found without regard to case as the framework's folders come
// from Windows. A missing or unreadable file gives an empty pixmap; anything there that is not a regular file
// (a fifo would block the reading for ever) is a run-time error naming it.
QPixmap ladePixmap(const QString& pfad);

} // namespace findolin::platform
