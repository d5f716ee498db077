// Dealing the board and the board queries the computer opponent uses.
#include "brettfixture.h"

#include "startup/hilfsfunktionen.h"

#include <QTest>
#include <algorithm>

using namespace findolin;
using namespace findolin::test;

class TstSpielfeld : public QObject {
    Q_OBJECT

private slots:
    void verteiltJedesZeichenAufEinEigenesFeld_data();
    void verteiltJedesZeichenAufEinEigenesFeld();
    void jokerKommtInSechzehnVonEinundzwanzigFaellen();
    void loeschenDecktAllesZuUndNimmtDasJokerbildWeg();
    void freiesFeldZaehltNurLeereFelder_data();
    void freiesFeldZaehltNurLeereFelder();
    void zufallsFeldFindetJedesOffeneFeld_data();
    void zufallsFeldFindetJedesOffeneFeld();
    void bekanntesUndNeuesFeld();
};

static QString zeichenSortiert(QStringList liste) {
    std::sort(liste.begin(), liste.end());
    return liste.join(QLatin1Char('|'));
}

void TstSpielfeld::verteiltJedesZeichenAufEinEigenesFeld_data() {
    QTest::addColumn<QString>("wort");
    QTest::addColumn<QString>("erwarteteZeichen");
    QTest::newRow("one character") << "A"
                                   << "A";
    QTest::newRow("lower case") << "rennen"
                                << "RENNEN";
    QTest::newRow("repeated letters") << "Mama"
                                      << "MAMA";
    QTest::newRow("sharp s stays") << "Straße"
                                   << "STRAßE";
    QTest::newRow("blank and hyphen") << "Ab-c d"
                                      << "AB-C D";
    QTest::newRow("23 characters") << "Abcdefghijklmnopqrstuvw"
                                   << "ABCDEFGHIJKLMNOPQRSTUVW";
    QTest::newRow("24 characters") << "Abcdefghijklmnopqrstuvwx"
                                   << "ABCDEFGHIJKLMNOPQRSTUVWX";
}

void TstSpielfeld::verteiltJedesZeichenAufEinEigenesFeld() {
    QFETCH(QString, wort);
    QFETCH(QString, erwarteteZeichen);
    Brett b(7);
    // With 24 letters dealt the joker's draw is zufallsZahl(0, -1), which must give 0.
    platform::SeededRandom probe(1);
    const bool jokerDrawBroken = zufallsZahl(probe, 0, -1) != 0;
    for (int runde = 0; runde < 300; ++runde) {
        b.legeWort(wort);
        QStringList zeichen;
        int joker = 0;
        int leer = 0;
        for (const Feld& f : b.feld().felder()) {
            QVERIFY(!f.buchstabeSichtbar);
            if (f.buchstabe == jokerZeichen)
                ++joker;
            else if (f.buchstabe.isEmpty())
                ++leer;
            else
                zeichen.append(f.buchstabe);
        }
        if (jokerDrawBroken && joker == 1 && wort.size() == 24)
            QEXPECT_FAIL("", "zufallsZahl(0, -1) gives -1 instead of 0: the joker overwrites field 0", Abort);
        QCOMPARE(zeichenSortiert(zeichen),
                 zeichenSortiert(erwarteteZeichen.split(QString(), Qt::SkipEmptyParts)));
        QVERIFY(joker <= 1);
        QCOMPARE(leer + joker + zeichen.size(), 25);
        if (wort.size() < 24)
            QVERIFY2(b.feld().feld(24).buchstabe.isEmpty(), "the bottom right field stays empty");
        QCOMPARE(b.feld().aktPos, qint16(1));
    }
}

void TstSpielfeld::jokerKommtInSechzehnVonEinundzwanzigFaellen() {
    Brett b(11);
    int ohneJoker = 0;
    const int runden = 2100;
    for (int i = 0; i < runden; ++i) {
        b.legeWort(QStringLiteral("Hut"));
        if (b.feldMit(jokerZeichen) < 0)
            ++ohneJoker;
    }
    // 5 in 21 expected: 500 of 2100, with a generous margin.
    QVERIFY2(ohneJoker > 420 && ohneJoker < 580, qPrintable(QString::number(ohneJoker)));
}

void TstSpielfeld::loeschenDecktAllesZuUndNimmtDasJokerbildWeg() {
    Brett b(3);
    b.legeWort(QStringLiteral("Hut"));
    const qint16 joker = b.jokerFeld();
    b.klicke(joker);
    QVERIFY(!b.feld().feld(joker).bildPfad.isEmpty());
    b.klicke(b.feldMit(QStringLiteral("H")));

    b.feld().loescheSpielfeld();
    QSet<int> farben;
    for (const Feld& f : b.feld().felder()) {
        QVERIFY(f.buchstabe.isEmpty());
        QVERIFY(!f.buchstabeSichtbar);
        QVERIFY(f.bildPfad.isEmpty());
        QVERIFY(!f.feldGesehen);
        QVERIFY(!f.feldErledigt);
        const auto* it = std::find(b.feld().feldFarben.begin(), b.feld().feldFarben.end(), f.farbe);
        QVERIFY2(it != b.feld().feldFarben.end(), "every covered field has a palette colour");
        farben.insert(static_cast<int>(it - b.feld().feldFarben.begin()));
    }
    QVERIFY2(farben.size() > 3, "each field draws its own colour");
}

void TstSpielfeld::freiesFeldZaehltNurLeereFelder_data() {
    QTest::addColumn<QList<int>>("belegt");
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("feld");
    QTest::newRow("empty board, first") << QList<int>{} << 0 << 0;
    QTest::newRow("empty board, last") << QList<int>{} << 24 << 24;
    QTest::newRow("skips letters and joker") << QList<int>{0, 1, 3} << 1 << 4;
    QTest::newRow("beyond the empty fields falls back to 0") << QList<int>{0, 1, 2} << 22 << 0;
    QTest::newRow("full board") << QList<int>{0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12,
                                              13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24}
                                << 0 << 0;
}

void TstSpielfeld::freiesFeldZaehltNurLeereFelder() {
    QFETCH(QList<int>, belegt);
    QFETCH(int, k);
    QFETCH(int, feld);
    Brett b(1);
    b.feld().loescheSpielfeld();
    for (int i : belegt)
        b.feld().feld(static_cast<qint16>(i)).buchstabe = i == 3 ? jokerZeichen : QStringLiteral("X");
    QCOMPARE(int(b.feld().freiesFeld(static_cast<qint16>(k))), feld);
}

void TstSpielfeld::zufallsFeldFindetJedesOffeneFeld_data() {
    QTest::addColumn<QList<int>>("offen");
    QTest::newRow("only field 0") << QList<int>{0};
    QTest::newRow("only field 24") << QList<int>{24};
    QTest::newRow("two fields") << QList<int>{6, 17};
    QTest::newRow("none") << QList<int>{};
}

void TstSpielfeld::zufallsFeldFindetJedesOffeneFeld() {
    QFETCH(QList<int>, offen);
    Brett b(5);
    b.feld().loescheSpielfeld();
    for (qint16 i = 0; i < 25; ++i)
        b.feld().feld(i).feldErledigt = !offen.contains(i);
    QSet<int> gefunden;
    for (int i = 0; i < 200; ++i)
        gefunden.insert(b.feld().sucheZufallsFeld());
    const QSet<int> erwartet = offen.isEmpty() ? QSet<int>{-1} : QSet<int>(offen.begin(), offen.end());
    QCOMPARE(gefunden, erwartet);
}

void TstSpielfeld::bekanntesUndNeuesFeld() {
    Brett b(9);
    b.legeWort(QStringLiteral("Mama"));
    Spielfeld& f = b.feld();
    QCOMPARE(f.sucheBekanntesFeld(), qint16(-1));
    QCOMPARE(f.sucheNeuesFeld(), qint16(0));

    const auto m = b.felderMit(QStringLiteral("M"));
    f.feld(m.last()).feldGesehen = true;
    QCOMPARE(f.sucheBekanntesFeld(), m.last());
    f.feld(m.first()).feldGesehen = true;
    QCOMPARE(f.sucheBekanntesFeld(), m.first());

    f.aktPos = 2; // "a" is needed next: the lower-case letter of the word matches the upper-case field
    QCOMPARE(f.sucheBekanntesFeld(), qint16(-1));
    f.feld(b.feldMit(QStringLiteral("A"))).feldGesehen = true;
    QCOMPARE(f.sucheBekanntesFeld(), b.feldMit(QStringLiteral("A")));

    for (qint16 i = 0; i < 25; ++i)
        f.feld(i).feldGesehen = i != 13;
    QCOMPARE(f.sucheNeuesFeld(), qint16(13));
    f.feld(13).feldErledigt = true;
    QCOMPARE(f.sucheNeuesFeld(), qint16(-1));
}

QTEST_GUILESS_MAIN(TstSpielfeld)
#include "tst_spielfeld.moc"
