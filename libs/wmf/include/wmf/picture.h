#pragma once

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QSize>
#include <QString>
#include <memory>

namespace findolin::wmf {

// A picture a form shows: a GIF (or any image Qt reads) or a Windows metafile, which is replayed as vectors
// and so stays sharp at any size.
class Picture {
public:
    virtual ~Picture() = default;
    // The size the picture brings along, in logical pixels (15 twips each).
    virtual QSize naturalSize() const = 0;
    // Draws the picture stretched into `target`, in the painter's coordinates.
    virtual void paint(QPainter& painter, const QRectF& target) const = 0;
    // The picture drawn into an image of `size`, on `background`.
    QImage toImage(QSize size, QColor background = Qt::transparent) const;
};

// Reads a picture file. A path that does not exist as written is also looked up in its folder without regard
// to upper and lower case, as the framework's folders come from Windows. Returns nullptr (and logs) for a
// missing, unreadable or malformed file; the caller decides what that means.
std::shared_ptr<const Picture> loadPicture(const QString& path);

// The same for bytes already read; `name` only labels the log message.
std::shared_ptr<const Picture> pictureFromData(const QByteArray& data, const QString& name);

// Keeps every picture read once, so that showing a joker again does not read its file again. Failed loads are
// not kept, so a file put in place later is found.
class PictureCache {
public:
    std::shared_ptr<const Picture> picture(const QString& path);
    void clear() { pictures_.clear(); }

private:
    QHash<QString, std::shared_ptr<const Picture>> pictures_;
};

} // namespace findolin::wmf
