#include "rahmenwidget.h"

#include "twips.h"

#include <QPainter>

namespace findolin::platform {

namespace {
constexpr double captionLinks = 120;  // where the caption begins, in twips from the frame's left edge
constexpr double captionAbstand = 30; // the gap in the border line on each side of the caption
} // namespace

RahmenWidget::RahmenWidget(const QString& titel, QWidget* eltern) : QWidget(eltern), titel_(titel) {}

int RahmenWidget::oberkante() const {
    return titel_.isEmpty() ? 0 : fontMetrics().height() / 2;
}

void RahmenWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int oben = oberkante(), rechts = width() - 1, unten = height() - 1;
    const int textBreite = fontMetrics().horizontalAdvance(titel_), links = twips::px(captionLinks);
    const int lueckeVon = links - twips::px(captionAbstand),
              lueckeBis = links + textBreite + twips::px(captionAbstand);
    // Etched: a dark line with a light one right inside it, offset by one pixel.
    for (const auto& [versatz, farbe] :
         {std::pair{0, palette().color(QPalette::Mid)}, std::pair{1, palette().color(QPalette::Light)}}) {
        p.setPen(farbe);
        const int l = versatz, o = oben + versatz, r = rechts - 1 + versatz, u = unten - 1 + versatz;
        if (titel_.isEmpty()) {
            p.drawLine(l, o, r, o);
        } else {
            p.drawLine(l, o, lueckeVon, o);
            p.drawLine(std::min(lueckeBis, r), o, r, o);
        }
        p.drawLine(l, o, l, u);
        p.drawLine(l, u, r, u);
        p.drawLine(r, o, r, u);
    }
    if (!titel_.isEmpty()) {
        p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
        p.drawText(QRect(links, 0, textBreite, fontMetrics().height()), Qt::AlignLeft | Qt::AlignTop, titel_);
    }
}

RahmenWidget* rahmen(QWidget* eltern, const QString& titel, const Schrift& schrift, double left, double top,
                     double width, double height) {
    auto* r = new RahmenWidget(titel, eltern);
    r->setFont(twips::schrift(schrift));
    r->setGeometry(twips::rechteck(left, top, width, height));
    return r;
}

} // namespace findolin::platform
