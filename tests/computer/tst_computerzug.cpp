#include "computer/computerzug.h"

#include <QTest>

using namespace findolin;

// The computer's choice of field on boards laid out by hand, with every random draw given.
class TestComputerzug : public QObject {
    Q_OBJECT

    struct Ziehungen : platform::RandomSource {
        QList<float> werte;
        float nextUnit() override { return werte.isEmpty() ? 0.0f : werte.takeFirst(); }
    };

private slots:
    void waehltFeld_data() {
        QTest::addColumn<QString>("brett");   // a letter, "*" for the joker, "." when empty
        QTest::addColumn<QString>("zustand"); // "." untouched, "s" seen, "e" used up
        QTest::addColumn<int>("staerke");
        QTest::addColumn<QList<int>>("ziehungen"); // the random field's start, then the weak computer's draw
        QTest::addColumn<int>("feld");
        // The word is "EWI"; E is found, W is next.
        const QString brett = "..E.W....*..........I....";
        QTest::newRow("strong remembers the next letter")
            << brett << "..e.s...................." << 0 << QList<int>{17} << 4;
        QTest::newRow("strong takes the first untouched field")
            << brett << "sse......................" << 0 << QList<int>{17} << 3;
        QTest::newRow("strong, all seen: a random open field")
            << "..E.X....*..........I...."
            << "sseeessssssssssssssssssss" << 0 << QList<int>{3} << 5;
        QTest::newRow("weak, 50 of 101: random although remembered")
            << brett << "..e.s...................." << 1 << QList<int>{17, 50} << 17;
        QTest::newRow("weak, 51 of 101: remembered")
            << brett << "..e.s...................." << 1 << QList<int>{17, 51} << 4;
        QTest::newRow("random field searches downwards from the top")
            << brett << "....................eeeee" << 1 << QList<int>{22, 0} << 19;
    }
    void waehltFeld() {
        QFETCH(QString, brett);
        QFETCH(QString, zustand);
        QFETCH(int, staerke);
        QFETCH(QList<int>, ziehungen);
        Ziehungen zufall;
        WortDatensatz wort{"EWI", 3, {}, 0, 0};
        Spielfeld feld(zufall, wort);
        for (qint16 i = 0; i < 25; ++i) {
            Feld& f = feld.feld(i);
            f.buchstabe = brett[i] == '.' ? QString() : QString(brett[i]);
            f.feldGesehen = zustand[i] != '.';
            f.feldErledigt = zustand[i] == 'e';
        }
        feld.aktPos = 2;
        zufall.werte = {(ziehungen[0] + 0.5f) / 25};
        if (ziehungen.size() > 1)
            zufall.werte.append((ziehungen[1] + 0.5f) / 101);
        QTEST(int(waehleComputerFeld(feld, static_cast<qint16>(staerke), zufall).feld), "feld");
        QVERIFY(zufall.werte.isEmpty()); // exactly the draws of the rule
    }
};

QTEST_GUILESS_MAIN(TestComputerzug)
#include "tst_computerzug.moc"
