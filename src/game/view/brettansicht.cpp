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
namespace lay = brettlayout;

namespace {
const platform::Schrift feldSchrift{QStringLiteral("Arial"), lay::fldLblPunkte, true};
}

FeldWidget::FeldWidget(QWidget* eltern, int index, const Spielfeld& feld, Feldauswertung& zuege,
                       Bilder& bilder)
    : QWidget(eltern), index_(index), feld_(feld), zuege_(zuege), bilder_(bilder) {
    setObjectName(QStringLiteral("FldPic%1").arg(index));
    setGeometry(
        tw::rechteck(lay::fldPicLeft(index), lay::fldPicTop(index), lay::fldPicGroesse, lay::fldPicGroesse));
    setAccessibleName(feldName(index));
    setAccessibleDescription(feldZustand(feld_.feld(static_cast<qint16>(index))));
}

QString feldName(int feld) {
    return QStringLiteral("Feld %1%2").arg(QChar(u'A' + feld % lay::spalten)).arg(feld / lay::spalten + 1);
}

QString feldZustand(const Feld& f) {
    // A joker shows no letter while its move is evaluated; the field is white then.
    if (!f.bildPfad.isEmpty() || (f.buchstabe == jokerZeichen && f.farbe == weiss))
        return QStringLiteral("Joker");
    if (!f.buchstabeSichtbar)
        return QStringLiteral("verdeckt");
    if (f.buchstabe.isEmpty())
        return QStringLiteral("leer");
    return f.feldErledigt ? f.buchstabe + QStringLiteral(", gefunden") : f.buchstabe;
}

bool FeldWidget::zugangFokussierbar() const {
    return feld_.fldCurs.sichtbar;
}

void FeldWidget::zugangDruecken() {
    platform::runGuarded([&] { zuege_.FldPic_MouseDown(static_cast<qint16>(index_), linkeMaustaste); });
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
        p.drawText(tw::rechteck(lay::fldLblLeft, lay::fldLblTop, lay::fldLblWidth, lay::fldLblHeight),
                   Qt::AlignCenter, f.buchstabe);
    }
}

void FeldWidget::mousePressEvent(QMouseEvent* event) {
    const int knopf = event->button() == Qt::LeftButton ? 1 : event->button() == Qt::RightButton ? 2 : 4;
    platform::runGuarded([&] { zuege_.FldPic_MouseDown(static_cast<qint16>(index_), knopf); });
}

BrettAnsicht::BrettAnsicht(QWidget* eltern, const Spielfeld& feld, Feldauswertung& zuege, Bilder& bilder)
    : QFrame(eltern), feld_(feld), zuege_(zuege) {
    setObjectName(QStringLiteral("FldFrame"));
    setAccessibleName(QStringLiteral("Spielfeld"));
    setFrameShape(QFrame::Box);
    setFrameShadow(QFrame::Sunken);
    setGeometry(tw::rechteck(lay::fldFrameLeft, lay::fldFrameTop, lay::fldFrameWidth, lay::fldFrameHeight));
    for (int i = 0; i < lay::anzahlFelder; ++i)
        felder_[i] = new FeldWidget(this, i, feld, zuege, bilder);
    cursor_ = new QFrame(this);
    cursor_->setObjectName(QStringLiteral("FldCurs"));
    cursor_->setStyleSheet(
        QStringLiteral("border: %1px solid #1a1a80; background: transparent;").arg(std::max(1, tw::px(45))));
    cursor_->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void BrettAnsicht::aktualisiere() {
    const FeldCursor& c = feld_.fldCurs;
    cursor_->setGeometry(tw::rechteck(c.left, c.top, lay::fldCursGroesse, lay::fldCursGroesse));
    cursor_->setVisible(c.sichtbar);
    cursor_->raise();
    for (int i = 0; i < lay::anzahlFelder; ++i) {
        setzeZugangsBeschreibung(felder_[i], feldZustand(feld_.feld(static_cast<qint16>(i))));
        felder_[i]->update();
    }
    folgeDemCursor();
}

// The field under a shown cursor takes the keyboard focus when the cursor moves there, or when nothing in the
// window has the focus; Qt then tells the screen reader. Keys reach the board whichever widget has the focus.
void BrettAnsicht::folgeDemCursor() {
    const int feld = feld_.fldCurs.sichtbar ? zuege_.cursorFeld() : -1;
    if (feld < 0 || feld >= lay::anzahlFelder) {
        if (cursorFeld_ >= 0 && felder_[cursorFeld_]->hasFocus())
            felder_[cursorFeld_]->clearFocus();
        cursorFeld_ = -1;
        return;
    }
    if (feld != cursorFeld_ || !window()->focusWidget())
        felder_[feld]->setFocus(Qt::OtherFocusReason);
    cursorFeld_ = feld;
}

} // namespace findolin::view
