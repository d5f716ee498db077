#pragma once

#include <QIcon>

namespace findolin::platform {

// The program's owl, as the desktop entry shows it, at every icon size.
QIcon programmSymbol();

} // namespace findolin::platform
