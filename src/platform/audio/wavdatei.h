#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace findolin::platform {

// The samples of a RIFF/WAVE file with uncompressed PCM (8, 16 or 32 bit integer) or 32-bit float samples.
struct WavDaten {
    enum class Format { UInt8, Int16, Int32, Float };
    Format format = Format::Int16;
    int kanaele = 0;
    int abtastrate = 0;
    QByteArray samples; // whole frames only, interleaved, little-endian

    int bytesProFrame() const;
    qint64 dauerMikrosekunden() const;
};

// Reads the file's bytes; on a format it cannot play it returns nothing and says why in `grund`.
std::optional<WavDaten> leseWav(const QByteArray& datei, QString* grund = nullptr);

} // namespace findolin::platform
