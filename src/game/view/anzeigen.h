#pragma once

#include "zugang.h"

#include <wmf/picture.h>

#include <QSet>
#include <QWidget>
#include <functional>

namespace findolin::view {

// The pictures the main window draws. A picture that cannot be read is tried once and then left out (its
// place stays empty), so that painting never reads or logs the same missing file again.
class Bilder {
public:
    std::shared_ptr<const wmf::Picture> picture(const QString& pfad);

private:
    wmf::PictureCache cache_;
    QSet<QString> fehlend_;
};

// A picture from the program's "Grafik" folder, drawn into its place; nothing when it cannot be read. A
// screen reader knows it as a graphic, or as a meter with its value (the play-time bar).
class BildWidget : public QWidget, public Zugaenglich {
public:
    BildWidget(QWidget* eltern, Bilder& bilder) : QWidget(eltern), bilder_(bilder) {}
    void setzeBild(const QString& pfad);
    // A meter shows a value, or none while it is switched off.
    void alsMessgeraet() { rolle_ = QAccessible::ProgressBar; }
    void setzeWert(std::optional<Wert> wert);

    QAccessible::Role zugangsRolle() const override { return rolle_; }
    std::optional<Wert> zugangsWert() const override { return wert_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Bilder& bilder_;
    QString pfad_;
    QAccessible::Role rolle_ = QAccessible::Graphic;
    std::optional<Wert> wert_;
};

// The remaining-time meter: its dial picture, the needle from the pivot to the tip, and the hub. `zeiger`
// gives the needle's ends and the hub in twips relative to the dial.
class VuMeterWidget : public BildWidget {
public:
    struct Zeiger {
        double x1, y1, x2, y2;
        double achseBreite;
    };
    VuMeterWidget(QWidget* eltern, Bilder& bilder) : BildWidget(eltern, bilder) {}
    void setzeZeiger(const Zeiger& zeiger);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Zeiger zeiger_{};
};

} // namespace findolin::view
