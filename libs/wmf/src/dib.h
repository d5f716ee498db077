#pragma once

#include <QByteArrayView>
#include <QImage>
#include <optional>

namespace findolin::wmf {

// Decodes a device-independent bitmap as metafile records embed it: the info header, the colour table and the
// pixel rows. Uncompressed 1, 4, 8, 16, 24 and 32 bits per pixel; run-length compressed bitmaps are not read.
// Returns nothing for anything malformed or absurdly large.
std::optional<QImage> leseDib(QByteArrayView data);

} // namespace findolin::wmf
