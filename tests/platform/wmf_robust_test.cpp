#include "pictures_hilfen.h"
#include "testdata.h"
#include "wmfwriter.h"

#include <QFile>
#include <QLoggingCategory>
#include <QRandomGenerator>
#include <QTest>

using namespace findolin::platform;
using findolin::tools::Farbe;
using findolin::tools::WmfWriter;

using pictures_test::worte;

namespace {

// A small sound picture: a red square on a blue disc.
WmfWriter gutesBild() {
    WmfWriter wmf(1000, 1000);
    wmf.waehle(wmf.pinsel({0, 0, 255}));
    wmf.waehle(wmf.stift({0, 0, 0}, 20));
    wmf.ellipse({0, 0, 1000, 1000});
    wmf.waehle(wmf.pinsel({255, 0, 0}));
    wmf.rechteck({300, 300, 400, 400});
    return wmf;
}

QByteArray echteDatei() {
    QFile datei(testdataFile("wmf/poi_santa.wmf"));
    return datei.open(QIODevice::ReadOnly) ? datei.readAll() : gutesBild().daten();
}

QByteArray rohesRecord(quint32 worte, quint16 funktion) {
    QByteArray r(6, '\0');
    qToLittleEndian(worte, r.data());
    qToLittleEndian(funktion, r.data() + 4);
    return r;
}

void zeichneInAllenGroessen(const Picture& bild) {
    for (const QSize groesse : {QSize(1, 1), QSize(55, 55), QSize(220, 220)})
        (void)pictures_test::male(bild, groesse);
}

} // namespace

// Broken and hostile input: the loader refuses what it cannot read and the player survives whatever it reads.
class WmfRobustTest : public QObject {
    Q_OBJECT

private slots:
    void kaputteDateienWerdenAbgelehnt_data() {
        QTest::addColumn<QByteArray>("daten");
        const QByteArray gut = gutesBild().daten();
        const QByteArray kopf = gut.left(22 + 18);
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("placeable header only") << gut.left(22);
        QTest::newRow("metafile header cut") << gut.left(30);
        QTest::newRow("cut inside a record") << gut.left(gut.size() / 2 + 1);
        QTest::newRow("no end record") << gut.left(gut.size() - 6);
        QTest::newRow("record of size 0") << kopf + rohesRecord(0, 0x0418) + rohesRecord(3, 0);
        QTest::newRow("record past the end") << kopf + rohesRecord(0x7FFFFFFF, 0x0418) + rohesRecord(3, 0);
        QTest::newRow("record of 4 billion words")
            << kopf + rohesRecord(0xFFFFFFFF, 0x0324) + rohesRecord(3, 0);
        QTest::newRow("empty frame, no window")
            << WmfWriter(0, 0).daten().left(22) + kopf.mid(22) + rohesRecord(3, 0);
        QTest::newRow("frame wider than 32767") << WmfWriter(-32768, 1000).daten();
        QByteArray muell = gut.left(4);
        QRandomGenerator zufall(7);
        for (int i = 0; i < 500; ++i)
            muell.append(char(zufall.bounded(256)));
        QTest::newRow("garbage after the key") << muell;
        QTest::newRow("cut GIF") << QByteArray("GIF89a\x02\x00\x02\x00\xf0", 11);
        QTest::newRow("text file") << QByteArray("JOKER1.WMF\r\n");
    }
    void kaputteDateienWerdenAbgelehnt() {
        QFETCH(QByteArray, daten);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^(metafile malformed|picture not readable)"));
        QVERIFY(!pictureFromData(daten, QTest::currentDataTag()));
    }

    // Well-formed records with odd contents: everything loads, draws, and the shapes after the oddity still
    // come.
    void seltsameRecordsWerdenUeberstanden_data() {
        QTest::addColumn<QByteArray>("daten");
        auto mit = [](const std::function<void(WmfWriter&)>& seltsam) {
            WmfWriter wmf(1000, 1000);
            seltsam(wmf);
            wmf.waehle(wmf.pinsel({255, 0, 0}));
            wmf.rechteck({0, 0, 1000, 1000});
            return wmf.daten();
        };
        QTest::newRow("select missing object") << mit([](WmfWriter& w) { w.waehle(999); });
        QTest::newRow("select object -1") << mit([](WmfWriter& w) { w.waehle(-1); });
        QTest::newRow("delete missing object") << mit([](WmfWriter& w) { w.loesche(30000); });
        QTest::newRow("polygon longer than its record") << mit([](WmfWriter& w) {
            w.record(0x0324, worte({1000, 0, 0, 500, 500, 0, 1000}));
        });
        QTest::newRow("polypolygon counts too large") << mit([](WmfWriter& w) {
            w.record(0x0538, worte({3, 30000, 30000, 30000, 0, 0}));
        });
        QTest::newRow("restore without save") << mit([](WmfWriter& w) {
            w.record(0x0127, worte({-1}));
            w.record(0x0127, worte({5}));
        });
        QTest::newRow("deep saves") << mit([](WmfWriter& w) {
            for (int i = 0; i < 2000; ++i)
                w.record(0x001E, worte({}));
        });
        QTest::newRow("window of zero width") << mit([](WmfWriter& w) {
            w.fenster({0, 0}, {0, 1000});
            w.rechteck({0, 0, 10, 10});
            w.fenster({0, 0}, {1000, 1000});
        });
        QTest::newRow("tiny window, huge shapes") << mit([](WmfWriter& w) {
            w.fenster({0, 0}, {1, 1});
            w.waehle(w.stift({0, 0, 0}, 32767, 1));
            w.ellipse({-32000, -32000, 64000, 64000});
            w.fenster({0, 0}, {1000, 1000});
            w.waehle(w.leererStift());
        });
        QTest::newRow("bitmap of absurd size") << mit([](WmfWriter& w) {
            QByteArray dib(40, '\0');
            qToLittleEndian<quint32>(40, dib.data());
            qToLittleEndian<qint32>(100000, dib.data() + 4);
            qToLittleEndian<qint32>(-100000, dib.data() + 8);
            qToLittleEndian<quint16>(24, dib.data() + 14);
            w.record(0x0F43, worte({0x0020, 0x00CC, 0, 2, 2, 0, 0, 1000, 1000, 0, 0}) + dib);
        });
        QTest::newRow("bitmap of 7 bits, short table") << mit([](WmfWriter& w) {
            QByteArray dib(40, '\0');
            qToLittleEndian<quint32>(40, dib.data());
            qToLittleEndian<qint32>(2, dib.data() + 4);
            qToLittleEndian<qint32>(2, dib.data() + 8);
            qToLittleEndian<quint16>(7, dib.data() + 14);
            qToLittleEndian<quint32>(60000, dib.data() + 32);
            w.record(0x0940, worte({0x0020, 0x00CC, 0, 0, 2, 2, 0, 0}) + dib);
        });
        QTest::newRow("text longer than its record") << mit([](WmfWriter& w) {
            w.record(0x0A32, worte({10, 10, 5000, 6, 0, 0, 0, 0}));
        });
        QTest::newRow("escape and unknown records") << mit([](WmfWriter& w) {
            w.record(0x0626, worte({15, 4, 1, 2}));
            w.record(0x7777, worte({1, 2, 3}));
        });
        QTest::newRow("more objects than the table") << mit([](WmfWriter& w) {
            for (int i = 0; i < 300; ++i)
                w.pinsel({0, 255, 0});
        });
    }
    void seltsameRecordsWerdenUeberstanden() {
        QFETCH(QByteArray, daten);
        const auto bild = pictureFromData(daten, QTest::currentDataTag());
        QVERIFY(bild);
        zeichneInAllenGroessen(*bild);
        const QImage gemalt = pictures_test::male(*bild, {20, 20});
        QCOMPARE(gemalt.pixel(10, 10), qRgb(255, 0, 0));
    }

    // Every way of cutting a real file short is refused.
    void abgeschnitteneEchteDateiWirdAbgelehnt() {
        const QByteArray echt = echteDatei();
        for (qsizetype laenge = 0; laenge < echt.size() - 6; laenge += 97) {
            QTest::ignoreMessage(QtWarningMsg,
                                 QRegularExpression("^(metafile malformed|picture not readable)"));
            QVERIFY2(!pictureFromData(echt.left(laenge), "cut"), qPrintable(QString::number(laenge)));
        }
    }

    // Random damage to a real file never crashes the loader or the player.
    void beschaedigteEchteDateiStuerztNichtAb() {
        const QByteArray echt = echteDatei();
        QRandomGenerator zufall(2024);
        QLoggingCategory::setFilterRules("findolin.pictures.warning=false");
        int geladen = 0;
        for (int versuch = 0; versuch < 300; ++versuch) {
            QByteArray kaputt = echt;
            const int stellen = 1 + zufall.bounded(8);
            for (int i = 0; i < stellen; ++i)
                kaputt[zufall.bounded(kaputt.size())] = char(zufall.bounded(256));
            if (const auto bild = pictureFromData(kaputt, "damaged")) {
                ++geladen;
                (void)pictures_test::male(*bild, {64, 64});
            }
        }
        QLoggingCategory::setFilterRules({});
        qInfo("%d of 300 damaged files loaded and drawn", geladen);
    }
};

QTEST_MAIN(WmfRobustTest)
#include "wmf_robust_test.moc"
