// Points, digits, the change of turn and the computer's turn.
#include "scoring/spielerliste.h"

#include "platform/laufzeitfehler.h"

#include <QTest>
#include <algorithm>

using namespace findolin;

// The players of a launch context, with points 11, 22, 33, ...
struct Liste : Spielbeobachter {
    explicit Liste(const QStringList& namen = {"Anna", "Ben"}) {
        k.nSpieler = static_cast<qint16>(namen.size());
        std::copy(namen.begin(), namen.end(), k.spielerName.begin());
        k.spielerPunkte = {11, 22, 33, 44, 55};
    }
    StartKontext k;
    Einstellungen einst;
    Spielerliste l{k, einst, *this};
};

class TstSpielerliste : public QObject {
    Q_OBJECT

private slots:
    void addiertPunkte_data() {
        QTest::addColumn<int>("vorher");
        QTest::addColumn<int>("delta");
        QTest::addColumn<int>("nachher");
        QTest::addColumn<QString>("ziffern");
        QTest::newRow("seven") << 0 << 7 << 7 << "00007";
        QTest::newRow("stake lost: never below 0") << 120 << -300 << 0 << "00000";
        QTest::newRow("five digits") << 99000 << 320 << 99320 << "99320";
        QTest::newRow("100000 and more: first five digits") << 99990 << 20 << 100010 << "10001";
    }

    void addiertPunkte() {
        QFETCH(int, vorher);
        QFETCH(int, delta);
        Liste s;
        s.l.aktSpieler = 1;
        s.k.spielerPunkte[1] = vorher;
        int neuGezeichnet = 0;
        s.l.ziffernNeuZeichnen = [&] { ++neuGezeichnet; };
        s.l.addierePunkte(static_cast<qint16>(delta));
        QTEST(s.k.spielerPunkte[1], "nachher");
        QTEST(QStringList(s.l.anzeige.punkZiff.begin(), s.l.anzeige.punkZiff.end()).join(QString()),
              "ziffern");
        QCOMPARE(neuGezeichnet, 1);
    }

    void einsatzUndLaufzeitfehler() {
        Liste s;
        s.l.setzeEinsatz(120);
        QCOMPARE(s.l.anzeige.risikoZiff, (std::array<QString, 3>{"1", "2", "0"}));
        s.k.spielerPunkte[0] = 2147483600;
        QVERIFY_THROWS_EXCEPTION(Laufzeitfehler, s.l.addierePunkte(100));
        s.l.aktSpieler = 7;
        QVERIFY_THROWS_EXCEPTION(Laufzeitfehler, s.l.addierePunkte(1));
    }

    void gibtDenZugWeiter_data() {
        QTest::addColumn<QStringList>("namen");
        QTest::addColumn<int>("vorher");
        QTest::addColumn<int>("gegenComputer");
        QTest::addColumn<int>("nachher");
        QTest::addColumn<bool>("computerZug");
        QTest::newRow("next player") << QStringList{"Anna", "Ben"} << 0 << 0 << 1 << false;
        QTest::newRow("new game sets 5 first") << QStringList{"Anna", "Ben", "Carla"} << 5 << 0 << 0 << false;
        QTest::newRow("computer moves") << QStringList{"Anna", "Computer"} << 0 << 1 << 1 << true;
        QTest::newRow("computer off") << QStringList{"Anna", "Computer"} << 0 << 0 << 1 << false;
        QTest::newRow("exact name only") << QStringList{"Anna", "computer"} << 0 << 1 << 1 << false;
    }

    void gibtDenZugWeiter() {
        QFETCH(QStringList, namen);
        QFETCH(int, vorher);
        QFETCH(int, gegenComputer);
        QFETCH(bool, computerZug);
        Liste s(namen);
        s.einst.einstGegenComputer = static_cast<qint16>(gegenComputer);
        s.l.aktSpieler = static_cast<qint16>(vorher);
        s.l.computerAmZug = !computerZug;
        int computerGestartet = 0;
        s.l.computerZugStarten = [&] {
            ++computerGestartet;
            // The waiting window opens with the menus greyed out and the computer on the move.
            QVERIFY(s.l.computerAmZug && !s.l.menuesFreigegeben);
        };
        s.l.naechsterSpieler();
        QTEST(int(s.l.aktSpieler), "nachher");
        QCOMPARE(s.l.anzeige.spNameLbl, namen[s.l.aktSpieler]);
        QCOMPARE(s.l.anzeige.punkZiff[4], QString::number(s.l.aktSpieler + 1));
        QCOMPARE(s.l.computerAmZug, computerZug);
        QCOMPARE(computerGestartet, computerZug ? 1 : 0);
        QCOMPARE(s.l.menuesFreigegeben, !computerZug);
    }
};

QTEST_GUILESS_MAIN(TstSpielerliste)
#include "tst_spielerliste.moc"
