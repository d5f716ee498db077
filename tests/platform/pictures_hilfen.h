#pragma once

#include "platform/pictures/picture.h"

#include <QImage>
#include <QPainter>
#include <QtEndian>
#include <cmath>
#include <vector>

// Helpers of the picture tests: drawing a picture into an image, finding what was drawn, comparing two
// renderings after cutting both to their content.
namespace pictures_test {

// 16-bit words in the file's byte order (little endian), as metafile records hold them.
inline QByteArray worte(const std::vector<qint16>& liste) {
    QByteArray bytes;
    for (const qint16 w : liste) {
        char puffer[2];
        qToLittleEndian(w, puffer);
        bytes.append(puffer, 2);
    }
    return bytes;
}

inline QImage male(const findolin::platform::Picture& bild, QSize groesse) {
    return bild.toImage(groesse, Qt::transparent);
}

// Pixels anything was drawn on, in an image that started transparent.
inline int bemalt(const QImage& bild) {
    int anzahl = 0;
    for (int y = 0; y < bild.height(); ++y)
        for (int x = 0; x < bild.width(); ++x)
            anzahl += qAlpha(bild.pixel(x, y)) > 0;
    return anzahl;
}

inline QImage aufWeiss(const QImage& bild) {
    QImage weiss(bild.size(), QImage::Format_RGB32);
    weiss.fill(Qt::white);
    QPainter painter(&weiss);
    painter.drawImage(0, 0, bild);
    return weiss;
}

// The rectangle of everything that is not (nearly) white.
inline QRect inhalt(const QImage& weiss) {
    QRect rahmen;
    for (int y = 0; y < weiss.height(); ++y)
        for (int x = 0; x < weiss.width(); ++x) {
            const QRgb p = weiss.pixel(x, y);
            if (qRed(p) < 240 || qGreen(p) < 240 || qBlue(p) < 240)
                rahmen |= QRect(x, y, 1, 1);
        }
    return rahmen.isEmpty() ? weiss.rect() : rahmen;
}

// A picture cut to its content, centred on a white square and brought to 64 x 64, so renderers that place or
// size the content differently still compare.
inline QImage normiert(const QImage& bild) {
    const QImage weiss = aufWeiss(bild);
    const QRect rahmen = inhalt(weiss);
    const int seite = std::max(rahmen.width(), rahmen.height());
    QImage quadrat(seite, seite, QImage::Format_RGB32);
    quadrat.fill(Qt::white);
    QPainter painter(&quadrat);
    painter.drawImage(QPoint((seite - rahmen.width()) / 2, (seite - rahmen.height()) / 2), weiss, rahmen);
    painter.end();
    return quadrat.scaled(64, 64, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// Mean absolute difference per colour channel, 0 (same) to 255.
inline double abstand(const QImage& a, const QImage& b) {
    double summe = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            summe +=
                std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    return summe / (3.0 * a.width() * a.height());
}

} // namespace pictures_test
