#include "brettansicht.h"

#include "board/brettlayout.h"
#include "board/feldauswertung.h"
#include "board/spielfeld.h"
#include "platform/errorguard.h"
#include "platform/qt/twips.h"

#include <QMouseEvent>
#include <QPainter>

namespace findolin::view {

namespace tw = platform::twips;

namespace {
const platform::Schrift feldSchrift{QStringLiteral("Arial"), 24, true};
}

FeldWidget::FeldWidget(QWidget* eltern, int index, const Spielfeld& feld, Feldauswertung& zuege,
                       Bilder& bilder)
    : QWidget(eltern), index_(index), feld_(feld), zuege_(zuege), bilder_(bilder) {
    setObjectName(QStringLiteral("FldPic%1").arg(index));
    const int zeile = index / 5, spalte = index % 5;
    setGeometry(tw::rechteck(200 + 900 * spalte, 280 + 900 * zeile, 825, 825));
}

void FeldWidget::paintEvent(QPaintEvent*) {
    const Feld& f = feld_.feld(index_);
    QPainter p(this);
    p.fillRect(rect(), QColor(f.farbe.rot, f.farbe.gruen, f.farbe.blau));
    p.setPen(QColor(96, 96, 96));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    if (!f.bildPfad.isEmpty()) {
        // A joker picture that cannot be read leaves the field white; the move was scored all the same.
        if (auto bild = bilder_.picture(f.bildPfad)) {
            p.setRenderHint(QPainter::Antialiasing);
            bild->paint(p, QRectF(rect()));
        }
    }
    if (f.buchstabeSichtbar && !f.buchstabe.isEmpty()) {
        p.setFont(tw::schrift(feldSchrift));
        p.setPen(Qt::black);
        p.drawText(tw::rechteck(90, 120, 600, 585), Qt::AlignCenter, f.buchstabe);
    }
}

void FeldWidget::mousePressEvent(QMouseEvent* event) {
    const int knopf = event->button() == Qt::LeftButton ? 1 : event->button() == Qt::RightButton ? 2 : 4;
    platform::runGuarded([&] { zuege_.FldPic_MouseDown(static_cast<qint16>(index_), knopf); });
}

BrettAnsicht::BrettAnsicht(QWidget* eltern, const Spielfeld& feld, Feldauswertung& zuege, Bilder& bilder)
    : QFrame(eltern), feld_(feld) {
    setObjectName(QStringLiteral("FldFrame"));
    setFrameShape(QFrame::Box);
    setFrameShadow(QFrame::Sunken);
    setGeometry(tw::rechteck(360, 420, 4815, 4875));
    for (int i = 0; i < 25; ++i)
        felder_[i] = new FeldWidget(this, i, feld, zuege, bilder);
    cursor_ = new QFrame(this);
    cursor_->setObjectName(QStringLiteral("FldCurs"));
    cursor_->setStyleSheet(QStringLiteral("border: 3px solid #1a1a80; background: transparent;"));
    cursor_->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void BrettAnsicht::aktualisiere() {
    const FeldCursor& c = feld_.fldCurs;
    cursor_->setGeometry(tw::rechteck(c.left, c.top, 915, 915));
    cursor_->setVisible(c.sichtbar);
    cursor_->raise();
    for (FeldWidget* f : felder_)
        f->update();
}

} // namespace findolin::view
