// Points, digits, the change of turn and the computer's turn.
#include "scoring/spielerliste.h"

#include "platform/laufzeitfehler.h"

#include <QTest>

using namespace findolin;

class TstSpielerliste : public QObject {
    Q_OBJECT

private slots:
    void addiertPunkte_data();
    void addiertPunkte();
    void zeigtEinsatz();
    void ueberlaufIstLaufzeitfehler();
    void gibtDenZugWeiter_data();
    void gibtDenZugWeiter();
};

static StartKontext kontextMit(const QStringList& namen) {
    StartKontext k;
    k.nSpieler = static_cast<qint16>(namen.size());
    for (int i = 0; i < namen.size(); ++i)
        k.spielerName[static_cast<size_t>(i)] = namen[i];
    return k;
}

void TstSpielerliste::addiertPunkte_data() {
    QTest::addColumn<int>("vorher");
    QTest::addColumn<int>("delta");
    QTest::addColumn<int>("nachher");
    QTest::addColumn<QString>("ziffern");
    QTest::newRow("seven") << 0 << 7 << 7 << "00007";
    QTest::newRow("never below 0") << 2 << -3 << 0 << "00000";
    QTest::newRow("stake lost") << 120 << -300 << 0 << "00000";
    QTest::newRow("five digits") << 99000 << 320 << 99320 << "99320";
    QTest::newRow("100000 and more: first five digits") << 99990 << 20 << 100010 << "10001";
}

void TstSpielerliste::addiertPunkte() {
    QFETCH(int, vorher);
    QFETCH(int, delta);
    QFETCH(int, nachher);
    QFETCH(QString, ziffern);
    StartKontext k = kontextMit({"Anna", "Ben"});
    Einstellungen einst;
    Spielerliste liste(k, einst);
    liste.aktSpieler = 1;
    k.spielerPunkte[1] = vorher;
    int neuGezeichnet = 0;
    liste.ziffernNeuZeichnen = [&] { ++neuGezeichnet; };
    liste.addierePunkte(static_cast<qint16>(delta));
    QCOMPARE(k.spielerPunkte[1], nachher);
    QCOMPARE(k.spielerPunkte[0], 0);
    QStringList gezeigt(liste.anzeige.punkZiff.begin(), liste.anzeige.punkZiff.end());
    QCOMPARE(gezeigt.join(QString()), ziffern);
    QCOMPARE(neuGezeichnet, 1);
}

void TstSpielerliste::zeigtEinsatz() {
    StartKontext k = kontextMit({"Anna"});
    Einstellungen einst;
    Spielerliste liste(k, einst);
    liste.risikoPunkte = 120;
    liste.zeigeZiffern(1);
    QCOMPARE(liste.anzeige.risikoZiff, (std::array<QString, 3>{"1", "2", "0"}));
    k.spielerPunkte[0] = 55;
    liste.zeigeZiffern(2); // any other kind shows nothing
    QCOMPARE(liste.anzeige.punkZiff[4], QStringLiteral("0"));
    liste.risikoPunkte = 0;
    liste.zeigeZiffern(1);
    QCOMPARE(liste.anzeige.risikoZiff, (std::array<QString, 3>{"0", "0", "0"}));
}

void TstSpielerliste::ueberlaufIstLaufzeitfehler() {
    StartKontext k = kontextMit({"Anna"});
    Einstellungen einst;
    Spielerliste liste(k, einst);
    k.spielerPunkte[0] = 2147483600;
    QVERIFY_THROWS_EXCEPTION(Laufzeitfehler, liste.addierePunkte(100));
    liste.aktSpieler = 7;
    QVERIFY_THROWS_EXCEPTION(Laufzeitfehler, liste.addierePunkte(1));
}

void TstSpielerliste::gibtDenZugWeiter_data() {
    QTest::addColumn<QStringList>("namen");
    QTest::addColumn<int>("vorher");
    QTest::addColumn<int>("gegenComputer");
    QTest::addColumn<int>("nachher");
    QTest::addColumn<bool>("computerZug");
    QTest::newRow("next player") << QStringList{"Anna", "Ben"} << 0 << 0 << 1 << false;
    QTest::newRow("wraps") << QStringList{"Anna", "Ben"} << 1 << 0 << 0 << false;
    QTest::newRow("single player keeps the turn") << QStringList{"Anna"} << 0 << 0 << 0 << false;
    QTest::newRow("new game sets 5 first") << QStringList{"Anna", "Ben", "Carla"} << 5 << 0 << 0 << false;
    QTest::newRow("computer moves") << QStringList{"Anna", "Computer"} << 0 << 1 << 1 << true;
    QTest::newRow("computer off: played by hand") << QStringList{"Anna", "Computer"} << 0 << 0 << 1 << false;
    QTest::newRow("exact name only") << QStringList{"Anna", "computer"} << 0 << 1 << 1 << false;
    QTest::newRow("a human called Computer") << QStringList{"Computer", "Anna"} << 1 << 1 << 0 << true;
}

void TstSpielerliste::gibtDenZugWeiter() {
    QFETCH(QStringList, namen);
    QFETCH(int, vorher);
    QFETCH(int, gegenComputer);
    QFETCH(int, nachher);
    QFETCH(bool, computerZug);
    StartKontext k = kontextMit(namen);
    for (int i = 0; i < namen.size(); ++i)
        k.spielerPunkte[static_cast<size_t>(i)] = 11 * (i + 1);
    Einstellungen einst;
    einst.einstGegenComputer = static_cast<qint16>(gegenComputer);
    Spielerliste liste(k, einst);
    liste.aktSpieler = static_cast<qint16>(vorher);
    liste.computerAmZug = !computerZug;
    int computerGestartet = 0;
    liste.computerZugStarten = [&] {
        ++computerGestartet;
        // The waiting window opens with the menus greyed out and the computer on the move.
        QVERIFY(liste.computerAmZug);
        QVERIFY(!liste.menues.mnuDateiNeu && !liste.menues.mnuHilfeAktKat && !liste.menues.mnuBearbEinstell);
    };
    liste.naechsterSpieler();
    QCOMPARE(int(liste.aktSpieler), nachher);
    QCOMPARE(liste.anzeige.spNameLbl, namen[nachher]);
    QCOMPARE(liste.anzeige.punkZiff[4], QString::number(nachher + 1));
    QCOMPARE(liste.computerAmZug, computerZug);
    QCOMPARE(computerGestartet, computerZug ? 1 : 0);
    const MenueFreigabe& m = liste.menues;
    for (bool ein : {m.mnuDateiNeu, m.mnuDateiInfo, m.mnuDateiMeisterliste, m.mnuDateiEnde,
                     m.mnuBearbEinstell, m.mnuHilfeInfo, m.mnuHilfeSpielregeln, m.mnuHilfeAktKat})
        QCOMPARE(ein, !computerZug);
}

QTEST_GUILESS_MAIN(TstSpielerliste)
#include "tst_spielerliste.moc"
