#pragma once

#include <QByteArray>

// The three joker pictures, each a square field of 825 twips (55 pixels): a jester, a laughing star and a
// clown. Drawn with polygons, ellipses, pens and brushes only, so they stay sharp at any size.
namespace findolin::tools {

QByteArray narrenBild();
QByteArray sternBild();
QByteArray clownBild();

} // namespace findolin::tools
