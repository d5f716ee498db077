#pragma once

#include "anzeigen.h"

#include <QFrame>
#include <QWidget>

namespace findolin {
class Spielfeld;
class Feldauswertung;
} // namespace findolin

namespace findolin::view {

// One field of the board (FldPic with its letter label FldLbl): its colour, its letter while shown, and the
// joker's picture once taken. A left click uncovers it.
class FeldWidget : public QWidget {
public:
    FeldWidget(QWidget* eltern, int index, const Spielfeld& feld, Feldauswertung& zuege, Bilder& bilder);

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

// The board frame FldFrame with its 25 fields and the keyboard cursor FldCurs.
class BrettAnsicht : public QFrame {
public:
    BrettAnsicht(QWidget* eltern, const Spielfeld& feld, Feldauswertung& zuege, Bilder& bilder);

    void aktualisiere();
    FeldWidget* feldWidget(int index) const { return felder_[index]; }

private:
    const Spielfeld& feld_;
    FeldWidget* felder_[25];
    QFrame* cursor_;
};

} // namespace findolin::view
