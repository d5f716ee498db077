#include "anzeigen.h"

#include "platform/qt/twips.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

namespace findolin::view {

namespace tw = platform::twips;

std::shared_ptr<const platform::Picture> Bilder::picture(const QString& pfad) {
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

void BildWidget::paintEvent(QPaintEvent*) {
    if (pfad_.isEmpty())
        return;
    if (auto bild = bilder_.picture(pfad_)) {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        bild->paint(p, QRectF(rect()));
    }
}

void LampenWidget::setzeFarbe(Farbe farbe) {
    if (farbe == farbe_)
        return;
    farbe_ = farbe;
    update();
}

void LampenWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor farbe = farbe_ == Farbe::Rot     ? QColor(220, 30, 30)
                         : farbe_ == Farbe::Gruen ? QColor(40, 200, 60)
                                                  : QColor(70, 70, 70);
    const QRectF kreis = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    QRadialGradient glanz(kreis.center() - QPointF(kreis.width() / 5, kreis.height() / 5),
                          kreis.width() * 0.7);
    glanz.setColorAt(0, farbe.lighter(170));
    glanz.setColorAt(1, farbe.darker(120));
    p.setBrush(glanz);
    p.setPen(QPen(QColor(40, 40, 40), 1.2));
    p.drawEllipse(kreis);
}

void VuMeterWidget::setzeZeiger(const Zeiger& zeiger) {
    zeiger_ = zeiger;
    update();
}

void VuMeterWidget::paintEvent(QPaintEvent* event) {
    BildWidget::paintEvent(event);
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::red, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(zeiger_.x1 / tw::proPixel, zeiger_.y1 / tw::proPixel),
               QPointF(zeiger_.x2 / tw::proPixel, zeiger_.y2 / tw::proPixel));
    const double r = zeiger_.achseBreite / tw::proPixel / 2;
    p.setBrush(QColor(60, 60, 60));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(zeiger_.x1 / tw::proPixel, zeiger_.y1 / tw::proPixel), r, r);
}

void ZeitBalkenWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QLinearGradient verlauf(0, 0, 0, height());
    verlauf.setColorAt(0, QColor(60, 200, 60));
    verlauf.setColorAt(0.7, QColor(240, 210, 40));
    verlauf.setColorAt(1, QColor(220, 60, 40));
    p.fillRect(rect(), verlauf);
}

} // namespace findolin::view
