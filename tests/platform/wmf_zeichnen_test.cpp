#include "pictures_hilfen.h"
#include "wmfwriter.h"

#include <QTest>

using namespace findolin::platform;
using findolin::tools::Farbe;
using findolin::tools::WmfWriter;

using pictures_test::worte;

namespace {

constexpr Farbe rot{255, 0, 0}, blau{0, 0, 255}, schwarz{0, 0, 0};
constexpr QRgb leer = 0; // nothing drawn: transparent

// A picture of 1000 x 1000 units with a red brush and no pen selected.
WmfWriter roteTafel() {
    WmfWriter wmf(1000, 1000);
    wmf.waehle(wmf.pinsel(rot));
    wmf.waehle(wmf.leererStift());
    return wmf;
}

// A device-independent bitmap, two by two pixels given top row first, with a colour table up to 8 bits.
QByteArray dib(int bits, const QList<QRgb>& pixel, bool vonOben = false) {
    QList<QRgb> palette;
    for (const QRgb p : pixel)
        if (!palette.contains(p))
            palette.append(p);
    QByteArray kopf(40, '\0');
    qToLittleEndian<quint32>(40, kopf.data());
    qToLittleEndian<qint32>(2, kopf.data() + 4);
    qToLittleEndian<qint32>(vonOben ? -2 : 2, kopf.data() + 8);
    qToLittleEndian<quint16>(1, kopf.data() + 12);
    qToLittleEndian<quint16>(static_cast<quint16>(bits), kopf.data() + 14);
    if (bits <= 8)
        qToLittleEndian<quint32>(static_cast<quint32>(palette.size()), kopf.data() + 32);
    QByteArray tabelle;
    if (bits <= 8)
        for (const QRgb p : palette)
            tabelle.append(char(qBlue(p))).append(char(qGreen(p))).append(char(qRed(p))).append('\0');
    QByteArray zeilen;
    for (const int y : vonOben ? QList<int>{0, 1} : QList<int>{1, 0}) {
        QByteArray zeile(4, '\0');
        for (int x = 0; x < 2; ++x) {
            const QRgb p = pixel[y * 2 + x];
            const auto index = static_cast<uchar>(palette.indexOf(p));
            if (bits == 1)
                zeile[0] = char(uchar(zeile[0]) | (index << (7 - x)));
            else if (bits == 4)
                zeile[0] = char(uchar(zeile[0]) | (index << (x == 0 ? 4 : 0)));
            else if (bits == 8)
                zeile[x] = char(index);
        }
        if (bits >= 24) {
            zeile.clear();
            for (int x = 0; x < 2; ++x) {
                const QRgb p = pixel[y * 2 + x];
                zeile.append(char(qBlue(p))).append(char(qGreen(p))).append(char(qRed(p)));
                if (bits == 32)
                    zeile.append('\0');
            }
            while (zeile.size() % 4)
                zeile.append('\0');
        }
        zeilen += zeile;
    }
    return kopf + tabelle + zeilen;
}

const QList<QRgb> vierFarben{qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 255)};
const QList<QRgb> zweiFarben{qRgb(255, 0, 0), qRgb(0, 0, 255), qRgb(0, 0, 255), qRgb(255, 0, 0)};
const QList<QPointF> quadranten{{0.25, 0.25}, {0.75, 0.25}, {0.25, 0.75}, {0.75, 0.75}};

bool gleich(QRgb ist, QRgb soll) {
    if (qAlpha(soll) == 0)
        return qAlpha(ist) < 30;
    return qAlpha(ist) > 220 && std::abs(qRed(ist) - qRed(soll)) < 40 &&
           std::abs(qGreen(ist) - qGreen(soll)) < 40 && std::abs(qBlue(ist) - qBlue(soll)) < 40;
}

} // namespace

// What the metafile player draws, checked at points of small metafiles of known content.
class WmfZeichnenTest : public QObject {
    Q_OBJECT

private slots:
    void zeichnetWieWindows_data() {
        QTest::addColumn<QByteArray>("datei");
        QTest::addColumn<QList<QPointF>>("punkte"); // as fractions of the picture's width and height
        QTest::addColumn<QList<QRgb>>("farben");
        const QRgb r = qRgb(255, 0, 0), s = qRgb(0, 0, 0);

        auto wmf = roteTafel();
        wmf.rechteck({200, 200, 600, 600});
        QTest::newRow("rectangle filled") << wmf.daten() << QList<QPointF>{{0.5, 0.5}, {0.1, 0.1}, {0.9, 0.5}}
                                          << QList<QRgb>{r, leer, leer};

        wmf = roteTafel();
        wmf.waehle(wmf.leererPinsel());
        wmf.waehle(wmf.stift(schwarz, 60));
        wmf.ellipse({100, 100, 800, 800});
        QTest::newRow("hollow brush, wide pen")
            << wmf.daten() << QList<QPointF>{{0.5, 0.5}, {0.1, 0.5}} << QList<QRgb>{leer, s};

        wmf = roteTafel();
        wmf.fenster({0, 1000}, {1000, -1000});
        wmf.rechteck({0, 0, 1000, 300});
        QTest::newRow("window upside down")
            << wmf.daten() << QList<QPointF>{{0.5, 0.85}, {0.5, 0.15}} << QList<QRgb>{r, leer};

        wmf = roteTafel();
        wmf.fenster({500, 500}, {1000, 1000});
        wmf.rechteck({500, 500, 500, 500});
        QTest::newRow("window origin")
            << wmf.daten() << QList<QPointF>{{0.25, 0.25}, {0.75, 0.75}} << QList<QRgb>{r, leer};

        const std::vector<std::vector<QPoint>> ring{{{100, 100}, {900, 100}, {900, 900}, {100, 900}},
                                                    {{300, 300}, {700, 300}, {700, 700}, {300, 700}}};
        wmf = roteTafel();
        wmf.polyPolygon(ring);
        QTest::newRow("alternate fill leaves a hole")
            << wmf.daten() << QList<QPointF>{{0.5, 0.5}, {0.2, 0.5}} << QList<QRgb>{leer, r};
        wmf = roteTafel();
        wmf.fuellModus(true);
        wmf.polyPolygon(ring);
        QTest::newRow("winding fill fills it")
            << wmf.daten() << QList<QPointF>{{0.5, 0.5}, {0.2, 0.5}} << QList<QRgb>{r, r};

        wmf = roteTafel();
        wmf.sehne({0, 0, 1000, 1000}, {0, 500}, {1000, 500});
        QTest::newRow("chord counter-clockwise")
            << wmf.daten() << QList<QPointF>{{0.5, 0.75}, {0.5, 0.25}} << QList<QRgb>{r, leer};

        wmf = roteTafel();
        wmf.record(0x081A, std::vector<qint16>{0, 500, 500, 1000, 1000, 1000, 0, 0}); // pie from right to top
        QTest::newRow("pie") << wmf.daten() << QList<QPointF>{{0.7, 0.3}, {0.3, 0.7}, {0.3, 0.3}}
                             << QList<QRgb>{r, leer, leer};

        wmf = roteTafel();
        wmf.record(0x001E, std::vector<qint16>{});
        wmf.waehle(wmf.pinsel(blau));
        wmf.record(0x0127, std::vector<qint16>{-1});
        wmf.rechteck({0, 0, 1000, 1000});
        QTest::newRow("restoring the saved brush")
            << wmf.daten() << QList<QPointF>{{0.5, 0.5}} << QList<QRgb>{r};

        WmfWriter geloescht(1000, 1000);
        const int pinsel = geloescht.pinsel(blau);
        geloescht.waehle(pinsel);
        geloescht.loesche(pinsel);
        geloescht.waehle(geloescht.pinsel(rot)); // takes the freed index
        geloescht.waehle(pinsel);                // names the red brush now
        geloescht.rechteck({0, 0, 1000, 1000});
        QTest::newRow("freed index reused")
            << geloescht.daten() << QList<QPointF>{{0.5, 0.5}} << QList<QRgb>{r};

        wmf = roteTafel();
        wmf.record(0x0416, std::vector<qint16>{1000, 500, 0, 0}); // intersect with the left half
        wmf.rechteck({0, 0, 1000, 1000});
        QTest::newRow("intersect clip")
            << wmf.daten() << QList<QPointF>{{0.25, 0.5}, {0.75, 0.5}} << QList<QRgb>{r, leer};

        wmf = roteTafel();
        wmf.record(0x0415, std::vector<qint16>{700, 700, 300, 300}); // exclude the middle
        wmf.rechteck({0, 0, 1000, 1000});
        QTest::newRow("exclude clip")
            << wmf.daten() << QList<QPointF>{{0.5, 0.5}, {0.1, 0.1}} << QList<QRgb>{leer, r};

        for (const int bits : {1, 4, 8, 24, 32}) {
            const auto& farben = bits == 1 ? zweiFarben : vierFarben;
            WmfWriter bild(1000, 1000);
            // STRETCHDIB: raster operation, colour usage, source and destination, then the bitmap.
            bild.record(0x0F43, worte({0x0020, 0x00CC, 0, 2, 2, 0, 0, 1000, 1000, 0, 0}) + dib(bits, farben));
            QTest::newRow(qPrintable(QStringLiteral("bitmap %1 bits").arg(bits)))
                << bild.daten() << quadranten << farben;
        }
        WmfWriter blt(1000, 1000);
        // DIBSTRETCHBLT of a bitmap stored top row first.
        blt.record(0x0B41, worte({0x0020, 0x00CC, 2, 2, 0, 0, 1000, 1000, 0, 0}) + dib(24, vierFarben, true));
        QTest::newRow("bitmap top-down") << blt.daten() << quadranten << vierFarben;

        WmfWriter muster(1000, 1000);
        muster.record(0x061D, worte({0x0042, 0x0000, 500, 1000, 0, 0})); // PATBLT blackness, top half
        QTest::newRow("blackness") << muster.daten() << QList<QPointF>{{0.5, 0.25}, {0.5, 0.75}}
                                   << QList<QRgb>{s, leer};
    }
    void zeichnetWieWindows() {
        QFETCH(QByteArray, datei);
        QFETCH(QList<QPointF>, punkte);
        QFETCH(QList<QRgb>, farben);
        const auto bild = pictureFromData(datei, QTest::currentDataTag());
        QVERIFY(bild);
        const QImage gemalt = pictures_test::male(*bild, {100, 100});
        for (qsizetype i = 0; i < punkte.size(); ++i) {
            const QPoint p(qRound(punkte[i].x() * 100), qRound(punkte[i].y() * 100));
            const QRgb ist = gemalt.pixel(p);
            QVERIFY2(gleich(ist, farben[i]), qPrintable(QStringLiteral("at %1,%2: %3, expected %4")
                                                            .arg(p.x())
                                                            .arg(p.y())
                                                            .arg(ist, 8, 16, QChar('0'))
                                                            .arg(farben[i], 8, 16, QChar('0'))));
        }
    }

    void natuerlicheGroesse_data() {
        QTest::addColumn<QByteArray>("datei");
        QTest::addColumn<QSize>("groesse");
        QTest::newRow("twips") << WmfWriter(825, 600).daten() << QSize(55, 40);
        QTest::newRow("1000 per inch") << WmfWriter(1000, 500, 1000).daten() << QSize(96, 48);
        // Without the placeable header the window gives the size, one unit per pixel.
        QTest::newRow("plain") << WmfWriter(300, 200).daten().mid(22) << QSize(300, 200);
    }
    void natuerlicheGroesse() {
        QFETCH(QByteArray, datei);
        QFETCH(QSize, groesse);
        const auto bild = pictureFromData(datei, QTest::currentDataTag());
        QVERIFY(bild);
        QCOMPARE(bild->naturalSize(), groesse);
    }

    // Text hangs below its reference point on the screen, in the text colour, also in a window running
    // upwards.
    void textWirdGeschrieben() {
        WmfWriter wmf(1000, 1000);
        wmf.fenster({0, 1000}, {1000, -1000});
        QByteArray font = worte({-300, 0, 0, 0, 700}) + QByteArray(4, '\0') + QByteArray(4, '\0') + "Arial";
        font.append(QByteArray(32 - 5, '\0'));
        wmf.waehle([&] {
            wmf.record(0x02FB, font);
            return 0;
        }());
        wmf.record(0x0209, worte({0x00FF, 0})); // red text
        wmf.record(0x0521, worte({2}) + "HH" + worte({950, 100}));
        const auto bild = pictureFromData(wmf.daten(), "text");
        QVERIFY(bild);
        const QImage gemalt = pictures_test::male(*bild, {100, 100});
        const int oben = pictures_test::bemalt(gemalt.copy(0, 0, 100, 50));
        const int unten = pictures_test::bemalt(gemalt.copy(0, 50, 100, 50));
        QVERIFY2(oben > 100 && unten == 0,
                 qPrintable(QStringLiteral("top %1, bottom %2").arg(oben).arg(unten)));
        int rot = 0, andere = 0;
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 100; ++x)
                if (const QRgb p = gemalt.pixel(x, y); qAlpha(p) > 200)
                    (qRed(p) > 200 && qGreen(p) < 60 && qBlue(p) < 60 ? rot : andere)++;
        QVERIFY2(rot > 20 && andere == 0,
                 qPrintable(QStringLiteral("red %1, other %2").arg(rot).arg(andere)));
    }
};

QTEST_MAIN(WmfZeichnenTest)
#include "wmf_zeichnen_test.moc"
