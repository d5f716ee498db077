#pragma once

#include <QString>

namespace findolin {

// The file name of the picture that stands for a practice focus, made from the focus's field name:
// LIP_ gives BST_LIP.GIF, AB12 gives BST_AB_.GIF, LT05 gives BST_LT_.GIF, KLEIN gives BST_KLE.GIF.
QString bausteinBildName(const QString& ubixFeldName);

} // namespace findolin
