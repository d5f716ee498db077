#include "hintergrund.h"

#include <QPainter>
#include <QScreen>

namespace findolin::view {

// Below every other window, and never taking the focus from the game's.
HintergrundFenster::HintergrundFenster()
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnBottomHint |
                           Qt::WindowDoesNotAcceptFocus) {
    setWindowTitle(QStringLiteral("Omnor"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void HintergrundFenster::zeige() {
    setGeometry(screen()->geometry());
    show();
}

void HintergrundFenster::setzeBild(const QString& pfad) {
    bild_ = wmf::loadPicture(pfad);
    update();
}

void HintergrundFenster::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xdf, 0xee, 0xf8));
    if (!bild_ || bild_->naturalSize().isEmpty())
        return;
    const QSizeF ziel = QSizeF(bild_->naturalSize()).scaled(QSizeF(size()), Qt::KeepAspectRatioByExpanding);
    p.setRenderHint(QPainter::Antialiasing);
    bild_->paint(p, QRectF(QPointF((width() - ziel.width()) / 2, (height() - ziel.height()) / 2), ziel));
}

} // namespace findolin::view
