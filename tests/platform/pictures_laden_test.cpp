#include "pictures_hilfen.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace findolin::platform;
using namespace pictures_test;

namespace {

// A GIF of 2 x 2 pixels: red, blue / blue, red.
const QByteArray kleinesGif = QByteArray::fromHex(
    "47494638396102000200f00000ff00000000ff21f90400000000002c0000000002000200000203440205003b");

bool schreibe(const QString& pfad, const QByteArray& daten) {
    QFile datei(pfad);
    return datei.open(QIODevice::WriteOnly) && datei.write(daten) == daten.size();
}

} // namespace

// Loading pictures from files as the forms do: GIFs, the joker tool's metafiles and the demo folder's
// pictures.
class PicturesLadenTest : public QObject {
    Q_OBJECT

    QTemporaryDir temp_;

private slots:
    void gifWirdGelesen() {
        const auto bild = pictureFromData(kleinesGif, "gif");
        QVERIFY(bild);
        QCOMPARE(bild->naturalSize(), QSize(2, 2));
        const QImage gemalt = male(*bild, {2, 2});
        QCOMPARE(gemalt.pixel(0, 0), qRgb(255, 0, 0));
        QCOMPARE(gemalt.pixel(1, 0), qRgb(0, 0, 255));
    }

    // Windows folders do not care about case; a file named in other case is found all the same.
    void dateinameOhneRuecksichtAufGrossKlein() {
        QVERIFY(schreibe(temp_.filePath("joker1.gif"), kleinesGif));
        QVERIFY(loadPicture(temp_.filePath("JOKER1.GIF")));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^picture file missing"));
        QVERIFY(!loadPicture(temp_.filePath("JOKER9.GIF")));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^picture file missing"));
        QVERIFY(!loadPicture(temp_.filePath("fehlt/JOKER1.GIF")));
    }

    void cacheHaeltGeladeneNichtFehlende() {
        PictureCache cache;
        const QString pfad = temp_.filePath("spaeter.gif");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^picture file missing"));
        QVERIFY(!cache.picture(pfad));
        QVERIFY(schreibe(pfad, kleinesGif));
        const auto erstes = cache.picture(pfad);
        QVERIFY(erstes);
        QVERIFY(QFile::remove(pfad));
        QCOMPARE(cache.picture(pfad), erstes);
    }

    // The real tool writes three different jokers of 55 pixels that draw at field size and four times that.
    void jokerWerkzeugSchreibtDreiJoker() {
        const QString ordner = temp_.filePath("Grafik");
        QProcess werkzeug;
        werkzeug.start(QStringLiteral(FINDOLIN_JOKERWMF), {ordner});
        QVERIFY(werkzeug.waitForFinished(30000));
        QCOMPARE(werkzeug.exitCode(), 0);
        QList<QImage> klein;
        for (int n = 1; n <= 3; ++n) {
            const auto bild = loadPicture(QDir(ordner).filePath(QStringLiteral("JOKER%1.WMF").arg(n)));
            QVERIFY(bild);
            QCOMPARE(bild->naturalSize(), QSize(55, 55));
            const QImage bild55 = male(*bild, {55, 55}), bild220 = male(*bild, {220, 220});
            QVERIFY2(bemalt(bild55) > 55 * 55 / 3, "a joker should fill a good part of its field");
            QVERIFY(bemalt(bild220) > 220 * 220 / 3);
            // The large one is drawn anew, not blown up: shrunk back it matches the small one.
            const QImage verkleinert =
                aufWeiss(bild220).scaled(55, 55, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            QVERIFY(abstand(verkleinert, aufWeiss(bild55)) < 10);
            klein.append(aufWeiss(bild55));
        }
        QVERIFY(abstand(klein[0], klein[1]) > 20);
        QVERIFY(abstand(klein[1], klein[2]) > 20);
        QVERIFY(abstand(klein[0], klein[2]) > 20);
    }

    void werkzeugOhneOrdnerMeldetFehler() {
        QProcess werkzeug;
        werkzeug.start(QStringLiteral(FINDOLIN_JOKERWMF), {});
        QVERIFY(werkzeug.waitForFinished(30000));
        QCOMPARE(werkzeug.exitCode(), 2);
    }

    void demoBilder_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("groesse");
        for (const char* name : {"BST_CK_.GIF", "BST_TZ_.GIF", "BST_LIP.GIF", "BST_DM_.GIF", "BST_SZ_.GIF"})
            QTest::newRow(name) << name << QSize(55, 40);
        for (const char* name : {"VUEIN.GIF", "VUAUS.GIF", "JOKER1.WMF", "JOKER2.WMF", "JOKER3.WMF"})
            QTest::newRow(name) << name << QSize(55, 55);
        QTest::newRow("MELDUNG.GIF") << "MELDUNG.GIF" << QSize(45, 45);
        QTest::newRow("LOGO.GIF") << "LOGO.GIF" << QSize(64, 64);
        QTest::newRow("HINTERGRUND.GIF") << "HINTERGRUND.GIF" << QSize(640, 480);
    }
    void demoBilder() {
        QFETCH(QString, name);
        QFETCH(QSize, groesse);
        const QString pfad = QDir(QStringLiteral(FINDOLIN_DEMO_DIR)).filePath("Grafik/" + name);
        if (!QFileInfo::exists(pfad))
            QSKIP("demo folder not built (target demo_pictures)");
        const auto bild = loadPicture(pfad);
        QVERIFY(bild);
        QCOMPARE(bild->naturalSize(), groesse);
        QVERIFY(bemalt(male(*bild, groesse)) > groesse.width() * groesse.height() / 3);
    }
};

QTEST_MAIN(PicturesLadenTest)
#include "pictures_laden_test.moc"
