#include "cp1252.h"

#include <array>

namespace findolin {
namespace {

// Code points of 0x80..0x9F; 0 marks the five bytes the code page leaves undefined (kept as C1 controls).
constexpr std::array<char16_t, 32> obereSteuerzeichen = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

} // namespace

QString ausWindows1252(const QByteArray& bytes) {
    QString text;
    text.reserve(bytes.size());
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x80 && b <= 0x9F && obereSteuerzeichen[b - 0x80] != 0)
            text.append(QChar(obereSteuerzeichen[b - 0x80]));
        else
            text.append(QChar(b));
    }
    return text;
}

QByteArray nachWindows1252(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (QChar ch : text) {
        const char16_t u = ch.unicode();
        const bool undefiniert = u >= 0x80 && u <= 0x9F && obereSteuerzeichen[u - 0x80] == 0;
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF) || undefiniert) {
            bytes.append(static_cast<char>(u));
            continue;
        }
        char ersatz = '?';
        for (int i = 0; i < 32; ++i) {
            if (obereSteuerzeichen[i] == u) {
                ersatz = static_cast<char>(0x80 + i);
                break;
            }
        }
        bytes.append(ersatz);
    }
    return bytes;
}

} // namespace findolin
