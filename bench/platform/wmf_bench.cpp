#include "jokerbilder.h"

#include <wmf/picture.h>

#include <QElapsedTimer>
#include <QGuiApplication>
#include <cstdio>
#include <functional>

using namespace findolin::wmf;

namespace {

// Mean microseconds of one call, over `runden` calls after a few to warm up.
double mittel(int runden, const std::function<void()>& arbeit) {
    for (int i = 0; i < 5; ++i)
        arbeit();
    QElapsedTimer uhr;
    uhr.start();
    for (int i = 0; i < runden; ++i)
        arbeit();
    return static_cast<double>(uhr.nsecsElapsed()) / 1000.0 / runden;
}

void zeile(const char* was, double mikro, double basis) {
    std::printf("  %-44s %9.2f us  %7.1fx baseline\n", was, mikro, mikro / basis);
}

} // namespace

// Prints how long a joker takes to draw, compared with what a bitmap of the same size costs in the same run.
int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QByteArray daten = findolin::tools::narrenBild();
    const auto joker = pictureFromData(daten, "JOKER1.WMF");
    if (!joker) {
        std::fprintf(stderr, "joker does not load\n");
        return 1;
    }
    std::printf("joker metafile: %lld bytes\n", static_cast<long long>(daten.size()));
    const double laden = mittel(2000, [&] { (void)pictureFromData(daten, "JOKER1.WMF"); });
    std::printf("  %-44s %9.2f us\n", "load (parse) from memory", laden);

    for (const int seite : {55, 220}) {
        const int runden = seite == 55 ? 3000 : 800;
        const QSize groesse(seite, seite);
        const QRectF ziel(QPointF(0, 0), QSizeF(groesse));
        QImage leinwand(groesse, QImage::Format_ARGB32_Premultiplied);
        const QImage fertig = joker->toImage(groesse);
        const QImage klein = joker->toImage({55, 55});
        auto male = [&](const std::function<void(QPainter&)>& zeichnen) {
            return mittel(runden, [&] {
                leinwand.fill(Qt::transparent);
                QPainter painter(&leinwand);
                zeichnen(painter);
            });
        };
        const double fuellen = male([&](QPainter& p) { p.fillRect(ziel, Qt::white); });
        const double bitmap = male([&](QPainter& p) { p.drawImage(ziel, fertig); });
        const double gestreckt = male([&](QPainter& p) {
            p.setRenderHint(QPainter::SmoothPixmapTransform);
            p.drawImage(ziel, klein);
        });
        const double metafile = male([&](QPainter& p) { joker->paint(p, ziel); });
        std::printf("\n%d x %d pixels, mean of %d runs (fresh canvas and painter each run):\n", seite, seite,
                    runden);
        zeile("baseline: QImage of the same size drawn", bitmap, bitmap);
        zeile("QPainter fillRect of the same size", fuellen, bitmap);
        zeile("55 px bitmap stretched smoothly", gestreckt, bitmap);
        zeile("joker metafile replayed as vectors", metafile, bitmap);
    }
    return 0;
}
