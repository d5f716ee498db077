#include "jokerbilder.h"

#include <wmf/wmfwriter.h>

#include <cmath>
#include <numbers>

namespace findolin::tools {

namespace {

using wmf::Farbe;
using wmf::WmfWriter;

constexpr int feld = 825;
constexpr Farbe schwarz{40, 30, 30}, weiss{255, 255, 255}, haut{255, 214, 170}, wange{255, 150, 150};
constexpr Farbe rot{230, 40, 50}, gelb{255, 210, 40}, orange{250, 140, 30}, gruen{60, 180, 75};
constexpr Farbe blau{50, 110, 220}, lila{150, 70, 190}, hellblau{150, 210, 255}, rosa{255, 170, 210};

QPoint polar(QPoint mitte, double radius, double grad) {
    const double bogen = grad * std::numbers::pi / 180;
    return {mitte.x() + static_cast<int>(std::lround(radius * std::cos(bogen))),
            mitte.y() - static_cast<int>(std::lround(radius * std::sin(bogen)))};
}

QRect kreis(QPoint mitte, int radius) {
    return {mitte.x() - radius, mitte.y() - radius, 2 * radius, 2 * radius};
}

// A star with `zacken` points, alternating between the outer and the inner radius.
std::vector<QPoint> stern(QPoint mitte, int aussen, int innen, int zacken, double drehung = 90) {
    std::vector<QPoint> punkte;
    for (int i = 0; i < 2 * zacken; ++i)
        punkte.push_back(polar(mitte, i % 2 == 0 ? aussen : innen, drehung + i * 180.0 / zacken));
    return punkte;
}

// Fills a shape with a colour and an outline of the given width; the objects are released afterwards.
class Maler {
public:
    explicit Maler(WmfWriter& wmf) : wmf_(wmf) {}
    template <typename Zeichnen> void mit(Farbe fuellung, Farbe rand, int breite, Zeichnen zeichnen) {
        const int pinsel = wmf_.pinsel(fuellung);
        wmf_.waehle(pinsel);
        const int stift = breite > 0 ? wmf_.stift(rand, breite) : wmf_.leererStift();
        wmf_.waehle(stift);
        zeichnen(wmf_);
        wmf_.loesche(stift);
        wmf_.loesche(pinsel);
    }

private:
    WmfWriter& wmf_;
};

// Two friendly eyes with a light spot, rosy cheeks and a smiling mouth, shared by all three faces.
void gesicht(Maler& maler, QPoint mitte, int g) {
    for (const int seite : {-1, 1}) {
        const QPoint auge(mitte.x() + seite * g * 45 / 100, mitte.y() - g * 35 / 100);
        maler.mit(schwarz, schwarz, 0, [&](WmfWriter& w) { w.ellipse(kreis(auge, g * 17 / 100)); });
        maler.mit(weiss, weiss, 0, [&](WmfWriter& w) {
            w.ellipse(kreis(auge + QPoint(g * 6 / 100, -g * 6 / 100), g * 6 / 100));
        });
        const QPoint backe(mitte.x() + seite * g * 72 / 100, mitte.y() + g * 15 / 100);
        maler.mit(wange, wange, 0, [&](WmfWriter& w) { w.ellipse(kreis(backe, g * 14 / 100)); });
    }
    // The lower half of an ellipse: counter-clockwise from its left end to its right end.
    const QRect mund(mitte.x() - g / 2, mitte.y() - g / 10, g, g * 70 / 100);
    maler.mit(rot, schwarz, 14, [&](WmfWriter& w) {
        w.sehne(mund, {mund.left(), mund.center().y()}, {mund.right() + 1, mund.center().y()});
    });
}

} // namespace

QByteArray narrenBild() {
    WmfWriter wmf(feld, feld);
    Maler maler(wmf);
    // The ruffled collar, in two colours.
    std::vector<QPoint> kragen;
    for (int i = 0; i <= 12; ++i)
        kragen.push_back(polar({412, 650}, i % 2 == 0 ? 250 : 170, 200 + i * 140.0 / 12));
    kragen.push_back({412, 650});
    maler.mit(gelb, schwarz, 16, [&](WmfWriter& w) { w.polygon(kragen); });
    // The three floppy points of the cap, each with a bell; the middle one in front.
    const std::vector<QPoint> links{{230, 340}, {150, 230}, {70, 150}, {200, 190}, {340, 300}};
    std::vector<QPoint> rechts;
    for (const QPoint& p : links)
        rechts.push_back({feld - p.x(), p.y()});
    maler.mit(lila, schwarz, 16, [&](WmfWriter& w) { w.polygon(links); });
    maler.mit(gruen, schwarz, 16, [&](WmfWriter& w) { w.polygon(rechts); });
    maler.mit(rot, schwarz, 16, [&](WmfWriter& w) {
        w.polygon({{300, 330}, {380, 150}, {412, 45}, {450, 150}, {525, 330}});
    });
    for (const QPoint spitze : {QPoint(70, 150), QPoint(412, 45), QPoint(755, 150)})
        maler.mit(gelb, orange, 14, [&](WmfWriter& w) { w.ellipse(kreis(spitze, 52)); });
    maler.mit(haut, schwarz, 16, [&](WmfWriter& w) { w.ellipse(QRect(222, 340, 380, 360)); });
    maler.mit(blau, schwarz, 16, [&](WmfWriter& w) { w.rundesRechteck(QRect(200, 310, 425, 80), 60, 60); });
    gesicht(maler, {412, 540}, 170);
    return wmf.daten();
}

QByteArray sternBild() {
    WmfWriter wmf(feld, feld);
    Maler maler(wmf);
    // Sparkles around the star.
    const std::vector<std::pair<QPoint, Farbe>> funken{
        {{110, 120}, hellblau}, {{715, 110}, rosa}, {{100, 700}, rosa}, {{730, 690}, hellblau}};
    for (const auto& funke : funken)
        maler.mit(funke.second, blau, 8, [&](WmfWriter& w) { w.polygon(stern(funke.first, 80, 22, 4)); });
    const QPoint mitte(412, 440);
    maler.mit(orange, orange, 0,
              [&](WmfWriter& w) { w.polygon(stern(mitte + QPoint(14, 18), 390, 170, 5)); });
    maler.mit(gelb, orange, 22, [&](WmfWriter& w) { w.polygon(stern(mitte, 390, 170, 5)); });
    gesicht(maler, mitte + QPoint(0, 50), 190);
    return wmf.daten();
}

QByteArray clownBild() {
    WmfWriter wmf(feld, feld);
    Maler maler(wmf);
    const QPoint mitte(412, 470);
    // Curly hair: a ring of orange puffs on each side.
    for (const int seite : {-1, 1})
        for (int i = 0; i < 4; ++i) {
            const QPoint locke(412 + seite * (250 + (i % 2) * 40), 330 + i * 90);
            maler.mit(orange, rot, 12, [&](WmfWriter& w) { w.ellipse(kreis(locke, 80)); });
        }
    maler.mit(weiss, schwarz, 16, [&](WmfWriter& w) { w.ellipse(kreis(mitte + QPoint(0, 40), 250)); });
    // A pointed hat with stripes and a pompom.
    const std::vector<QPoint> hut{{250, 270}, {412, 20}, {575, 270}};
    maler.mit(blau, schwarz, 16, [&](WmfWriter& w) { w.polygon(hut); });
    wmf.fuellModus(true);
    maler.mit(gelb, gelb, 0, [&](WmfWriter& w) {
        w.polyPolygon({{{318, 170}, {506, 170}, {530, 210}, {294, 210}},
                       {{370, 90}, {454, 90}, {470, 120}, {354, 120}}});
    });
    maler.mit(rosa, rot, 12, [&](WmfWriter& w) { w.ellipse(kreis({412, 30}, 45)); });
    // Diamond eyes, then the face and the big red nose.
    for (const int seite : {-1, 1}) {
        const QPoint auge(412 + seite * 90, 490);
        maler.mit(hellblau, blau, 10, [&](WmfWriter& w) {
            w.polygon(
                {auge + QPoint(0, -75), auge + QPoint(45, 0), auge + QPoint(0, 75), auge + QPoint(-45, 0)});
        });
    }
    gesicht(maler, mitte + QPoint(0, 90), 200);
    maler.mit(rot, schwarz, 14, [&](WmfWriter& w) { w.ellipse(kreis(mitte + QPoint(0, 75), 50)); });
    // A bow tie below the chin.
    maler.mit(lila, schwarz, 14, [&](WmfWriter& w) {
        w.polygon({{412, 760}, {300, 700}, {300, 815}, {412, 760}, {525, 700}, {525, 815}});
    });
    return wmf.daten();
}

} // namespace findolin::tools
