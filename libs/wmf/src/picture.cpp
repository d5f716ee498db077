#include "wmf/picture.h"

#include "platform/files.h"

#include "logging.h"
#include "platform/dateisystem.h"
#include "platform/laufzeitfehler.h"
#include "wmfformat.h"
#include "wmfplayer.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <cmath>

namespace findolin::wmf {

namespace {

// A bitmap picture: GIF, PNG, BMP, whatever Qt's image readers know.
class ImagePicture : public Picture {
public:
    explicit ImagePicture(QImage image) : image_(std::move(image)) {}
    QSize naturalSize() const override { return image_.size(); }
    void paint(QPainter& painter, const QRectF& target) const override {
        painter.save();
        painter.setRenderHint(QPainter::SmoothPixmapTransform, target.size() != QSizeF(image_.size()));
        painter.drawImage(target, image_);
        painter.restore();
    }

private:
    QImage image_;
};

class MetafilePicture : public Picture {
public:
    explicit MetafilePicture(wmf::Document doc) : doc_(std::move(doc)) {}
    QSize naturalSize() const override {
        const double breite = std::abs(doc_.rahmen.width()), hoehe = std::abs(doc_.rahmen.height());
        if (!doc_.placeable)
            return QSize(static_cast<int>(breite), static_cast<int>(hoehe));
        // A placeable metafile states its units per inch; the screen has 96 logical pixels per inch.
        const double proPixel = doc_.einheitenProZoll / 96.0;
        return QSize(std::max(1, static_cast<int>(std::lround(breite / proPixel))),
                     std::max(1, static_cast<int>(std::lround(hoehe / proPixel))));
    }
    void paint(QPainter& painter, const QRectF& target) const override {
        wmf::spieleAb(doc_, painter, target);
    }

private:
    wmf::Document doc_;
};

// The largest bitmap we accept, so a broken header cannot ask for gigabytes.
constexpr qint64 groessteBildFlaeche = 16LL * 1024 * 1024;

std::shared_ptr<const Picture> ausBild(const QByteArray& data, const QString& name) {
    QBuffer puffer;
    puffer.setData(data);
    puffer.open(QIODevice::ReadOnly);
    QImageReader leser(&puffer);
    const QSize groesse = leser.size();
    if (groesse.isValid() && static_cast<qint64>(groesse.width()) * groesse.height() > groessteBildFlaeche) {
        qCWarning(lcPictures) << "picture too large:" << name << groesse;
        return nullptr;
    }
    QImage bild = leser.read();
    if (bild.isNull()) {
        qCWarning(lcPictures) << "picture not readable:" << name << leser.errorString();
        return nullptr;
    }
    return std::make_shared<ImagePicture>(std::move(bild));
}

} // namespace

QImage Picture::toImage(QSize size, QColor background) const {
    QImage bild(size, QImage::Format_ARGB32_Premultiplied);
    if (bild.isNull())
        return bild;
    bild.fill(background);
    QPainter painter(&bild);
    paint(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return bild;
}

std::shared_ptr<const Picture> pictureFromData(const QByteArray& data, const QString& name) {
    if (!wmf::siehtAusWieMetafile(data))
        return ausBild(data, name);
    QString fehler;
    auto doc = wmf::parse(data, &fehler);
    if (!doc) {
        qCWarning(lcPictures) << "metafile malformed:" << name << fehler;
        return nullptr;
    }
    return std::make_shared<MetafilePicture>(std::move(*doc));
}

std::shared_ptr<const Picture> loadPicture(const QString& path) {
    const QString gefunden = platform::findeDatei(path);
    QByteArray daten;
    try {
        if (gefunden.isEmpty())
            throw Laufzeitfehler(QStringLiteral("Datei nicht gefunden"), path);
        daten = platform::dateisystem::liesGewoehnlich(gefunden); // a fifo is not waited for
    } catch (const Laufzeitfehler& fehler) {
        qCWarning(lcPictures).noquote()
            << "picture file missing or not readable:" << QDir::toNativeSeparators(path) << fehler.problem();
        return nullptr;
    }
    return pictureFromData(daten, QDir::toNativeSeparators(gefunden));
}

std::shared_ptr<const Picture> PictureCache::picture(const QString& path) {
    if (const auto it = pictures_.constFind(path); it != pictures_.constEnd())
        return *it;
    auto bild = loadPicture(path);
    if (bild)
        pictures_.insert(path, bild);
    return bild;
}

} // namespace findolin::wmf
