#include "anzeigen.h"

#include "platform/qt/twips.h"

#include <QPainter>

namespace findolin::view {

namespace tw = platform::twips;

std::shared_ptr<const wmf::Picture> Bilder::picture(const QString& pfad) {
    if (fehlend_.contains(pfad))
        return nullptr;
    auto bild = cache_.picture(pfad);
    if (!bild)
        fehlend_.insert(pfad);
    return bild;
}

void BildWidget::setzeBild(const QString& pfad) {
    if (pfad == pfad_)
        return;
    pfad_ = pfad;
    update();
}

void BildWidget::setzeWert(std::optional<Wert> wert) {
    if (wert == wert_)
        return;
    wert_ = wert;
    if (wert_) {
        QAccessibleValueChangeEvent event(this, wert_->wert);
        QAccessible::updateAccessibility(&event);
    }
}

void BildWidget::paintEvent(QPaintEvent*) {
    if (pfad_.isEmpty())
        return;
    if (auto bild = bilder_.picture(pfad_)) {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        bild->paint(p, QRectF(rect()));
    }
}

void VuMeterWidget::setzeZeiger(const Zeiger& zeiger) {
    zeiger_ = zeiger;
    update();
}

void VuMeterWidget::paintEvent(QPaintEvent* event) {
    BildWidget::paintEvent(event);
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::red, tw::pixel(30), Qt::SolidLine, Qt::RoundCap));
    const QPointF achse(tw::pixel(zeiger_.x1), tw::pixel(zeiger_.y1));
    p.drawLine(achse, QPointF(tw::pixel(zeiger_.x2), tw::pixel(zeiger_.y2)));
    const double r = tw::pixel(zeiger_.achseBreite) / 2;
    p.setBrush(QColor(60, 60, 60));
    p.setPen(Qt::NoPen);
    p.drawEllipse(achse, r, r);
}

} // namespace findolin::view
