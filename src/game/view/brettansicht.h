#pragma once

#include "anzeigen.h"
#include "board/brettlayout.h"
#include "zugang.h"

#include <QFrame>
#include <QWidget>

namespace findolin {
struct Feld;
class Spielfeld;
class Feldauswertung;
} // namespace findolin

namespace findolin::view {

// How a screen reader names field i: "Feld A1" to "Feld E5", the column's letter and the row's digit as the
// board is labelled.
QString feldName(int feld);

// What a screen reader says of a field: "verdeckt", its letter while shown ("leer" for none), "Joker", or the
// letter and "gefunden".
QString feldZustand(const Feld& feld);

// One field of the board (FldPic with its letter label FldLbl): its colour, its letter while shown, and the
// joker's picture once taken. A left click uncovers it. A screen reader knows it as the button "Feld B3"
// (columns A to E from the left, rows 1 to 5 from the top, as the board is labelled), its state as
// description.
class FeldWidget : public QWidget, public Zugaenglich {
public:
    FeldWidget(QWidget* eltern, int index, const Spielfeld& feld, Feldauswertung& zuege, Bilder& bilder);

    QAccessible::Role zugangsRolle() const override { return QAccessible::Button; }
    bool zugangFokussierbar() const override;
    bool zugangDrueckbar() const override { return true; }
    void zugangDruecken() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // The second press of a double-click is no second move.
    void mouseDoubleClickEvent(QMouseEvent*) override {}

private:
    int index_;
    const Spielfeld& feld_;
    Feldauswertung& zuege_;
    Bilder& bilder_;
};

// The board frame FldFrame with its 25 fields and the keyboard cursor FldCurs. The keyboard focus follows the
// cursor, so that a screen reader reads the field under it; to it, the board is the group "Spielfeld".
class BrettAnsicht : public QFrame, public Zugaenglich {
public:
    BrettAnsicht(QWidget* eltern, const Spielfeld& feld, Feldauswertung& zuege, Bilder& bilder);

    QAccessible::Role zugangsRolle() const override { return QAccessible::Grouping; }

    void aktualisiere();
    FeldWidget* feldWidget(int index) const { return felder_[index]; }

private:
    void folgeDemCursor();

    const Spielfeld& feld_;
    Feldauswertung& zuege_;
    FeldWidget* felder_[brettlayout::anzahlFelder];
    QFrame* cursor_;
    // Where the cursor was last shown; -1 while it is hidden.
    int cursorFeld_ = -1;
};

} // namespace findolin::view
