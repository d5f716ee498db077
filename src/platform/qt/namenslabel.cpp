#include "namenslabel.h"

#include <QFontMetrics>

namespace findolin::platform {

namespace {
constexpr double kleinsterAnteil = 0.7; // the smallest size, as a part of the label's own
constexpr double schritt = 0.25;        // points per step towards it
} // namespace

NamensLabel::NamensLabel(QWidget* eltern, const QFont& schrift) : QLabel(eltern), schrift_(schrift) {
    setFont(schrift_);
    setTextFormat(Qt::PlainText); // a name is never markup
}

void NamensLabel::setzeName(const QString& name) {
    if (name == name_)
        return;
    name_ = name;
    passeEin();
}

void NamensLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    passeEin();
}

void NamensLabel::passeEin() {
    const int breite = contentsRect().width();
    const auto breiteIn = [this](const QFont& f) { return QFontMetrics(f).size(0, name_).width(); };
    QFont f = schrift_;
    const double kleinste = schrift_.pointSizeF() * kleinsterAnteil;
    while (breiteIn(f) > breite && f.pointSizeF() - schritt >= kleinste)
        f.setPointSizeF(f.pointSizeF() - schritt);
    const bool ganz = breiteIn(f) <= breite;
    setFont(f);
    setText(ganz ? name_ : QFontMetrics(f).elidedText(name_, Qt::ElideRight, breite));
    setToolTip(ganz ? QString() : name_);
}

} // namespace findolin::platform
