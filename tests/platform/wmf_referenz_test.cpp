#include "pictures_hilfen.h"
#include "platform/pictures/wmfformat.h"
#include "platform/pictures/wmfplayer.h"
#include "testdata.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace findolin::platform;
using namespace pictures_test;

// Our metafile player against ImageMagick (through libwmf) on real metafiles from other projects. libwmf here
// lacks its fonts and stops drawing at the first text, and it fits the image to what is drawn rather than to
// the frame; so our side stops there too and is not clipped to the frame, and both sides are cut to their
// content before comparing.
class WmfReferenzTest : public QObject {
    Q_OBJECT

    // Mean channel difference of the 64 x 64 normalised renderings. Measured: 0 to 7 for the files that
    // agree; a mirrored santa gives 79, a mirrored apparatus drawing 24, red and blue swapped in the red disc
    // 131.
    static constexpr double toleranz = 12.0;

    QString convert_;
    QTemporaryDir temp_;

    static void dateiZeilen() {
        QTest::addColumn<QString>("datei");
        // Pictures whose mirror image the comparison must tell apart; symmetrical ones pass mirrored.
        QTest::addColumn<bool>("unsymmetrisch");
        // Where libwmf is known to draw otherwise than Windows does, and why.
        QTest::addColumn<QString>("bekannteAbweichung");
        const QStringList unsymmetrisch{"poi_santa.wmf", "poi_testException2.doc-2.wmf"};
        const QHash<QString, QString> abweichungen{
            {"poi_64716_image1.wmf", "libwmf draws the fraction bar's pen of 19 units as a hairline"}};
        for (const QString& name : QDir(testdataFile("wmf")).entryList({"*.wmf"}, QDir::Files, QDir::Name))
            QTest::newRow(qPrintable(name))
                << name << unsymmetrisch.contains(name) << abweichungen.value(name);
    }

    // ImageMagick's rendering, its longest side about 512 pixels, or a null image when it cannot read the
    // file. At that size the pens of the test files are wider than a pixel, where no renderer widens them.
    QImage referenz(const QString& datei, QSize natuerlich) {
        const QString png = temp_.filePath(QFileInfo(datei).completeBaseName() + ".png");
        const int dichte = std::max(1, 96 * 512 / std::max(natuerlich.width(), natuerlich.height()));
        QProcess prozess;
        prozess.start(convert_, {"-density", QString::number(dichte), testdataFile("wmf/" + datei), png});
        // It complains about missing fonts but still writes the picture; only a missing picture counts.
        if (!prozess.waitForFinished(60000))
            return {};
        return QImage(png);
    }

    static QImage unsere(const wmf::Document& doc, QSize groesse, wmf::Wiedergabe wie) {
        // Twice the size with the frame in the middle, so what lies beyond the frame shows as well.
        QImage bild(groesse * 2, QImage::Format_ARGB32_Premultiplied);
        bild.fill(Qt::transparent);
        QPainter painter(&bild);
        wmf::spieleAb(doc, painter, QRectF(QPointF(groesse.width(), groesse.height()) / 2, QSizeF(groesse)),
                      wie);
        return bild;
    }

private slots:
    void initTestCase() {
        if (!QFileInfo::exists(testdataFile("wmf")))
            QSKIP("shared test data not found: wmf");
        convert_ = QStandardPaths::findExecutable("convert");
    }

    // Every file either loads and draws something, or is refused; none crashes. Files ImageMagick reads must
    // load.
    void jedeDateiLaedtOderWirdAbgelehnt_data() { dateiZeilen(); }
    void jedeDateiLaedtOderWirdAbgelehnt() {
        QFETCH(QString, datei);
        const auto bild = loadPicture(testdataFile("wmf/" + datei));
        const bool imLiest = !convert_.isEmpty() && !referenz(datei, {512, 512}).isNull();
        if (imLiest)
            QVERIFY2(bild, "ImageMagick reads this file, our loader refused it");
        if (!bild)
            return;
        for (const QSize groesse : {QSize(55, 55), bild->naturalSize().boundedTo({1024, 1024})})
            QVERIFY2(bemalt(male(*bild, groesse)) > 0, "nothing drawn");
    }

    void gleichtImageMagick_data() { dateiZeilen(); }
    void gleichtImageMagick() {
        QFETCH(QString, datei);
        QFETCH(bool, unsymmetrisch);
        QFETCH(QString, bekannteAbweichung);
        if (convert_.isEmpty())
            QSKIP("ImageMagick's convert not found");
        auto doc = wmf::parse([&] {
            QFile f(testdataFile("wmf/" + datei));
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }());
        const auto bild = doc ? pictureFromData(doc->data, datei) : nullptr;
        const QImage ref = referenz(datei, bild ? bild->naturalSize() : QSize(512, 512));
        if (ref.isNull())
            QSKIP("ImageMagick cannot render this file");
        QVERIFY(doc);
        const wmf::Wiedergabe wie{.text = false, .endeVorText = true, .amZielBeschneiden = false};
        const QImage unser =
            normiert(unsere(*doc, bild->naturalSize().scaled(ref.size(), Qt::KeepAspectRatio), wie));
        const QImage ihres = normiert(ref);
        const double d = abstand(unser, ihres);
        const double gespiegelt = abstand(unser.mirrored(false, true), ihres);
        const double vertauscht = abstand(unser.rgbSwapped(), ihres);
        qInfo("%s: distance %.1f (mirrored %.1f, red and blue swapped %.1f)", qPrintable(datei), d,
              gespiegelt, vertauscht);
        if (qEnvironmentVariableIsSet("FINDOLIN_WMF_BILDER")) {
            unser.save(temp_.filePath(datei + ".unser.png"));
            ihres.save(temp_.filePath(datei + ".ihres.png"));
            qInfo("%s", qPrintable(temp_.path()));
            temp_.setAutoRemove(false);
        }
        if (!bekannteAbweichung.isEmpty())
            QEXPECT_FAIL("", qPrintable(bekannteAbweichung), Continue);
        QVERIFY2(d < toleranz, qPrintable(QStringLiteral("distance %1").arg(d)));
        if (unsymmetrisch)
            QVERIFY2(gespiegelt > toleranz, "a mirrored rendering would pass: the tolerance is too loose");
    }
};

QTEST_MAIN(WmfReferenzTest)
#include "wmf_referenz_test.moc"
