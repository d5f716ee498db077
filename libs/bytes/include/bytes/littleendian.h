#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Little-endian unsigned numbers at a byte offset of a file's data, as the binary formats we read and write
// store them.
namespace findolin::bytes {

// True when `anzahl` bytes from `at` lie inside `daten`.
constexpr bool enthaelt(QByteArrayView daten, qint64 at, qint64 anzahl) {
    return at >= 0 && anzahl >= 0 && at <= daten.size() && anzahl <= daten.size() - at;
}

// The number of `sizeof(T)` bytes at `at`; 0 where they do not all lie inside `daten`. Readers that must
// refuse such a reference check with enthaelt() first.
template <typename T> T lies(QByteArrayView daten, qint64 at) {
    if (!enthaelt(daten, at, qint64(sizeof(T))))
        return 0;
    T wert = 0;
    for (qint64 i = qint64(sizeof(T)) - 1; i >= 0; --i)
        wert = T(wert << 8 | T(quint8(daten[at + i])));
    return wert;
}

inline quint16 u16(QByteArrayView daten, qint64 at) {
    return lies<quint16>(daten, at);
}
inline quint32 u32(QByteArrayView daten, qint64 at) {
    return lies<quint32>(daten, at);
}
inline quint64 u64(QByteArrayView daten, qint64 at) {
    return lies<quint64>(daten, at);
}

// Appends `wert` as `sizeof(T)` bytes, lowest first.
template <typename T> void haengeAn(QByteArray& ziel, T wert) {
    for (size_t i = 0; i < sizeof(T); ++i)
        ziel.append(char(quint8(quint64(wert) >> (8 * i))));
}

inline void haengeAn16(QByteArray& ziel, quint16 wert) {
    haengeAn(ziel, wert);
}
inline void haengeAn32(QByteArray& ziel, quint32 wert) {
    haengeAn(ziel, wert);
}
inline void haengeAn64(QByteArray& ziel, quint64 wert) {
    haengeAn(ziel, wert);
}

} // namespace findolin::bytes
