#pragma once

#include <QtGlobal>

// The numbers of the compiled help container that the directory reader checks and the writer writes.
namespace findolin::chm {

// The signatures that open the file header, the directory header, a listing chunk and an index chunk.
constexpr char itsfKennung[] = "ITSF";
constexpr char itspKennung[] = "ITSP";
constexpr char pmglKennung[] = "PMGL";
constexpr char pmgiKennung[] = "PMGI";

// The file header of version 2; version 3 adds the content section's offset (8 bytes).
constexpr quint64 itsfKopfV2 = 0x58;
constexpr quint64 itsfKopfV3 = itsfKopfV2 + 8;
// The header section that follows it, which holds the file's size.
constexpr quint64 abschnitt0Laenge = 0x18;
// The directory header, and the heads of a listing chunk (PMGL) and of an index chunk (PMGI).
constexpr quint32 itspKopf = 0x54;
constexpr qsizetype pmglKopf = 0x14;
constexpr qsizetype pmgiKopf = 8;

} // namespace findolin::chm
