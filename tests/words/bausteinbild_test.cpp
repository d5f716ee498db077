#include "words/bausteinbild.h"

#include <QTest>

using namespace findolin;

class BausteinbildTest : public QObject {
    Q_OBJECT

private slots:
    void bildname_data() {
        QTest::addColumn<QString>("feld");
        QTest::addColumn<QString>("bild");
        QTest::newRow("letters") << "LIP_"
                                 << "BST_LIP.GIF";
        QTest::newRow("two digits") << "AB12"
                                    << "BST_AB_.GIF";
        QTest::newRow("digit, letter") << "AB1c"
                                       << "BST_ABc.GIF";
        QTest::newRow("three characters, digit last") << "AB1"
                                                      << "BST_AB.GIF";
        QTest::newRow("LT with digits") << "LT05"
                                        << "BST_LT_.GIF";
        QTest::newRow("LT, digit, letter") << "LT7x"
                                           << "BST_LTx.GIF";
        QTest::newRow("LT with letters") << "LTxy"
                                         << "BST_LT_.GIF";
        QTest::newRow("long name") << "KLEIN"
                                   << "BST_KLE.GIF";
        QTest::newRow("two characters") << "AB"
                                        << "BST_AB.GIF";
        QTest::newRow("LT alone") << "LT"
                                  << "BST_LT_.GIF";
        QTest::newRow("empty") << ""
                               << "BST_.GIF";
    }
    void bildname() {
        QFETCH(QString, feld);
        QFETCH(QString, bild);
        QCOMPARE(bausteinBildName(feld), bild);
    }
};

QTEST_APPLESS_MAIN(BausteinbildTest)
#include "bausteinbild_test.moc"
