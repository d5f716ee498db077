// Moves: uncovering by mouse and keyboard, the evaluation with its sounds, points and change of turn.
#include "brettfixture.h"

#include <QTest>

using namespace findolin;
using namespace findolin::test;

class TstFeldauswertung : public QObject {
    Q_OBJECT

private slots:
    void bewertetNachTabelle_data();
    void bewertetNachTabelle();
    void wortBuchstabeFuerBuchstabe();
    void gesehenesFeldBringtFuenfzig();
    void mamaNimmtJedesM();
    void fehlgriffDecktZuUndGibtWeiter();
    void jokerbild();
    void ignorierteEingaben_data();
    void ignorierteEingaben();
    void cursorAmRand_data();
    void cursorAmRand();
    void enterDecktCursorfeldAuf();
    void eingabeInDerPauseKommtDanach();
    void hinweisNurBeiGesehenemFeld();
};

// How the field of a row is chosen.
enum class Ziel { Leer, Falsch, Richtig, RichtigGesehen, Joker, Letztes };
Q_DECLARE_METATYPE(Ziel)

void TstFeldauswertung::bewertetNachTabelle_data() {
    QTest::addColumn<Ziel>("ziel");
    QTest::addColumn<int>("einsatz");
    QTest::addColumn<int>("vorher");
    QTest::addColumn<int>("nachher");
    QTest::addColumn<QString>("sound");
    QTest::addColumn<bool>("wechsel");
    QTest::newRow("empty field") << Ziel::Leer << 0 << 10 << 7 << "Annahme1" << true;
    QTest::newRow("wrong letter") << Ziel::Falsch << 0 << 10 << 7 << "Annahme2" << true;
    QTest::newRow("miss never below 0") << Ziel::Leer << 0 << 2 << 0 << "Annahme1" << true;
    QTest::newRow("miss with stake") << Ziel::Falsch << 120 << 200 << 80 << "AllgemeinerFehler" << true;
    QTest::newRow("stake 300 on 120 points") << Ziel::Leer << 300 << 120 << 0 << "AllgemeinerFehler" << true;
    QTest::newRow("new field") << Ziel::Richtig << 0 << 0 << 20 << "BewegungStart" << false;
    QTest::newRow("seen field") << Ziel::RichtigGesehen << 0 << 0 << 50 << "BewegungStart" << false;
    QTest::newRow("new field with stake") << Ziel::Richtig << 120 << 0 << 140 << "BewegungStart" << false;
    QTest::newRow("seen field with stake")
        << Ziel::RichtigGesehen << 120 << 0 << 170 << "BewegungStart" << false;
    QTest::newRow("joker") << Ziel::Joker << 0 << 5 << 105 << "Glückstreffer" << false;
    QTest::newRow("joker ignores the stake") << Ziel::Joker << 300 << 5 << 105 << "Glückstreffer" << false;
    QTest::newRow("word completed") << Ziel::Letztes << 0 << 0 << 20 << "Gratulation1" << false;
    QTest::newRow("word completed with stake") << Ziel::Letztes << 300 << 0 << 320 << "Gratulation1" << false;
}

void TstFeldauswertung::bewertetNachTabelle() {
    QFETCH(Ziel, ziel);
    QFETCH(int, einsatz);
    QFETCH(int, vorher);
    QFETCH(int, nachher);
    QFETCH(QString, sound);
    QFETCH(bool, wechsel);

    Brett b(21);
    b.umgebung.woerter = {{QStringLiteral("die"), QStringLiteral("Maus")}};
    b.legeWort(ziel == Ziel::Letztes ? QStringLiteral("O") : QStringLiteral("Hut"));
    qint16 feld = -1;
    switch (ziel) {
    case Ziel::Leer:
        feld = 24;
        break;
    case Ziel::Falsch:
        feld = b.falschesFeld();
        break;
    case Ziel::Richtig:
    case Ziel::RichtigGesehen:
        feld = b.feldMit(QStringLiteral("H"));
        b.feld().feld(feld).feldGesehen = ziel == Ziel::RichtigGesehen;
        break;
    case Ziel::Joker:
        feld = b.jokerFeld();
        break;
    case Ziel::Letztes:
        feld = b.feldMit(QStringLiteral("O"));
        break;
    }
    b.kontext.spielerPunkte[0] = vorher;
    b.spieler->risikoPunkte = einsatz;
    b.spieler->zeigeZiffern(1);
    b.umgebung.risiko.clear();

    b.klicke(feld);

    QCOMPARE(b.punkte(0), nachher);
    QCOMPARE(b.umgebung.sounds.value(0), sound);
    QCOMPARE(b.spieler->aktSpieler, qint16(wechsel ? 1 : 0));
    QCOMPARE(b.umgebung.risiko.value(0), false); // the offer is withdrawn first
    QCOMPARE(b.spieler->risikoPunkte, 0);
    QCOMPARE(b.spieler->anzeige.risikoZiff, (std::array<QString, 3>{"0", "0", "0"}));
    QCOMPARE(b.loop.blockedMs() >= 1000 && b.loop.blockedMs() <= 2000, true);
    QVERIFY(!b.zuege().auswertungAnstehend());
    if (ziel == Ziel::Letztes) {
        QCOMPARE(b.umgebung.gewaehlteWorte, 1);
        QCOMPARE(b.brett->anzeige.suchWortLbl.caption, QStringLiteral("Maus"));
        QCOMPARE(b.felderMit(QStringLiteral("M")).size(), 1);
    }
}

void TstFeldauswertung::wortBuchstabeFuerBuchstabe() {
    Brett b(4);
    b.umgebung.woerter = {{QStringLiteral("der"), QStringLiteral("Igel")}};
    b.legeWort(QStringLiteral("Hut"), QStringLiteral("der"));
    const QStringList erwartet{"H", "Hu"};
    for (int i = 0; i < 2; ++i) {
        b.klicke(b.feldMit(QString(QStringLiteral("HUT")[i])));
        QCOMPARE(b.brett->anzeige.fundWortLbl.caption, erwartet[i]);
        QCOMPARE(b.feld().aktPos, qint16(i + 2));
        QCOMPARE(b.punkte(0), 20 * (i + 1));
        QCOMPARE(b.spieler->anzeige.punkZiff[3], QString::number(2 * (i + 1)));
    }
    const qint16 t = b.feldMit(QStringLiteral("T"));
    b.loop.post([&] { b.zuege().FldPic_MouseDown(t, linkeMaustaste); });
    // Just before the pause the found word is complete and the field shows its letter.
    b.ansicht.beimNeuZeichnen = [&] {
        if (b.umgebung.sounds.size() == 3) {
            QCOMPARE(b.brett->anzeige.fundWortLbl.caption, QStringLiteral("Hut"));
            QVERIFY(b.feld().feld(t).buchstabeSichtbar);
        }
    };
    b.loop.advance(3000);
    QCOMPARE(b.umgebung.sounds, (QStringList{"BewegungStart", "BewegungStart", "Gratulation1"}));
    QCOMPARE(b.punkte(0), 60);
    QCOMPARE(b.spieler->aktSpieler, qint16(0));
    // The next word lies on a fresh board.
    QCOMPARE(b.brett->anzeige.suchWortLbl.caption, QStringLiteral("Igel"));
    QCOMPARE(b.brett->anzeige.fundWortLbl.caption, QString());
    QCOMPARE(b.feld().aktPos, qint16(1));
    for (const Feld& f : b.feld().felder())
        QVERIFY(!f.feldGesehen && !f.feldErledigt && !f.buchstabeSichtbar);
}

void TstFeldauswertung::gesehenesFeldBringtFuenfzig() {
    Brett b(8);
    b.legeWort(QStringLiteral("Hut"));
    const qint16 u = b.feldMit(QStringLiteral("U"));
    b.klicke(u); // Anna misses on the U: the field is seen now
    QCOMPARE(b.punkte(0), 0);
    b.klicke(b.feldMit(QStringLiteral("H")));
    b.klicke(u);
    QCOMPARE(b.punkte(1), 70);
    QCOMPARE(b.spieler->anzeige.spNameLbl, QStringLiteral("Ben"));
}

void TstFeldauswertung::mamaNimmtJedesM() {
    Brett b(13);
    b.legeWort(QStringLiteral("Mama"));
    const auto m = b.felderMit(QStringLiteral("M"));
    const auto a = b.felderMit(QStringLiteral("A"));
    QCOMPARE(m.size(), 2);
    b.klicke(m.last());
    b.klicke(a.last());
    b.klicke(m.first());
    QCOMPARE(b.brett->anzeige.fundWortLbl.caption, QStringLiteral("Mam"));
    b.klicke(a.first());
    QCOMPARE(b.punkte(0), 80);
    QCOMPARE(b.umgebung.sounds.last(), QStringLiteral("Gratulation1"));
}

void TstFeldauswertung::fehlgriffDecktZuUndGibtWeiter() {
    Brett b(17, {"Anna", "Ben", "Carla"});
    b.legeWort(QStringLiteral("Hut"));
    b.kontext.spielerPunkte[1] = 1234;
    const qint16 f = b.falschesFeld();
    const Farbe farbe = b.feld().feld(f).farbe;
    b.loop.post([&] { b.zuege().FldPic_MouseDown(f, linkeMaustaste); });
    b.loop.processPending();
    QCOMPARE(b.feld().feld(f).farbe, weiss);
    QVERIFY(b.feld().feld(f).buchstabeSichtbar);
    QVERIFY(b.zuege().auswertungAnstehend());
    b.loop.advance(3000);
    QCOMPARE(b.feld().feld(f).farbe, farbe);
    QVERIFY(!b.feld().feld(f).buchstabeSichtbar);
    QVERIFY(b.feld().feld(f).feldGesehen);
    QVERIFY(!b.feld().feld(f).feldErledigt);
    QCOMPARE(b.spieler->anzeige.spNameLbl, QStringLiteral("Ben"));
    QCOMPARE(b.spieler->anzeige.punkZiff, (std::array<QString, 5>{"0", "1", "2", "3", "4"}));
    // Carla, then Anna again
    b.klicke(24);
    b.klicke(24);
    QCOMPARE(b.spieler->aktSpieler, qint16(0));
}

void TstFeldauswertung::jokerbild() {
    Brett b(19);
    b.legeWort(QStringLiteral("Hut"));
    const qint16 j = b.jokerFeld();
    b.loop.post([&] { b.zuege().FldPic_MouseDown(j, linkeMaustaste); });
    b.loop.processPending();
    QVERIFY2(!b.feld().feld(j).buchstabeSichtbar, "the joker's star is never shown");
    b.loop.advance(3000);
    const QString bild = b.feld().feld(j).bildPfad;
    QVERIFY2(bild.startsWith("/omnor/Grafik/JOKER") && bild.endsWith(".WMF") && bild.size() == 24,
             qPrintable(bild));
    QVERIFY(QStringLiteral("123").contains(bild.at(19)));
    QVERIFY(b.feld().feld(j).feldErledigt);
    QCOMPARE(b.feld().aktPos, qint16(1));
}

// Input that does not fit the state is ignored without a sound.
void TstFeldauswertung::ignorierteEingaben_data() {
    QTest::addColumn<QString>("fall");
    QTest::newRow("right button") << "rechts";
    QTest::newRow("found field") << "gefunden";
    QTest::newRow("taken joker") << "joker";
    QTest::newRow("computer moves") << "computer";
    QTest::newRow("second click before the evaluation") << "doppelt";
    QTest::newRow("Enter before the evaluation") << "enter";
}

void TstFeldauswertung::ignorierteEingaben() {
    QFETCH(QString, fall);
    Brett b(23);
    b.legeWort(QStringLiteral("Hut"));
    b.feld().fldCurs.sichtbar = true;
    const qint16 h = b.feldMit(QStringLiteral("H"));
    if (fall == "gefunden")
        b.klicke(h);
    if (fall == "joker")
        b.klicke(b.jokerFeld());
    const QStringList soundsVorher = b.umgebung.sounds;
    const qint32 punkteVorher = b.punkte(0);
    const qint16 posVorher = b.feld().aktPos;

    if (fall == "rechts") {
        b.loop.post([&] { b.zuege().FldPic_MouseDown(h, 2); });
    } else if (fall == "gefunden") {
        b.loop.post([&] { b.zuege().FldPic_MouseDown(h, linkeMaustaste); });
    } else if (fall == "joker") {
        b.loop.post([&] { b.zuege().FldPic_MouseDown(b.feldMit(jokerZeichen), linkeMaustaste); });
    } else if (fall == "computer") {
        b.spieler->computerAmZug = true;
        b.loop.post([&] { b.zuege().FldPic_MouseDown(h, linkeMaustaste); });
        b.loop.post([&] { b.zuege().Form_KeyDown(tasteEnter); });
    } else {
        // Both arrive before the 1 ms timer: the second is refused.
        b.loop.post([&] { b.zuege().FldPic_MouseDown(24, linkeMaustaste); });
        if (fall == "doppelt")
            b.loop.post([&] { b.zuege().FldPic_MouseDown(h, linkeMaustaste); });
        else
            b.loop.post([&] { b.zuege().Form_KeyDown(tasteEnter); });
    }
    b.loop.advance(3000);

    if (fall == "doppelt" || fall == "enter") {
        QCOMPARE(b.umgebung.sounds.mid(soundsVorher.size()), QStringList{"Annahme1"});
        QVERIFY(!b.feld().feld(0).feldGesehen); // the cursor field was not uncovered
        QCOMPARE(b.feld().aktPos, posVorher);
        return;
    }
    QCOMPARE(b.umgebung.sounds, soundsVorher);
    QCOMPARE(b.punkte(0), punkteVorher);
    QCOMPARE(b.feld().aktPos, posVorher);
    QCOMPARE(b.spieler->aktSpieler, qint16(0));
    QCOMPARE(b.ansicht.neuZeichnen, fall == "gefunden" || fall == "joker" ? 2 : 0);
}

void TstFeldauswertung::cursorAmRand_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("taste");
    QTest::addColumn<int>("ziel");
    QTest::addColumn<bool>("markierung");
    QTest::newRow("left at column 0") << 10 << tasteLinks << 10 << true;
    QTest::newRow("up at row 0") << 3 << tasteHoch << 3 << true;
    QTest::newRow("right at column 4") << 14 << tasteRechts << 14 << true;
    QTest::newRow("down at row 4") << 22 << tasteRunter << 22 << true;
    QTest::newRow("bottom right corner") << 24 << tasteRechts << 24 << true;
    QTest::newRow("left") << 12 << tasteLinks << 11 << true;
    QTest::newRow("up") << 12 << tasteHoch << 7 << true;
    QTest::newRow("right to column 4") << 13 << tasteRechts << 14 << true;
    QTest::newRow("down to row 4") << 19 << tasteRunter << 24 << true;
    QTest::newRow("up to row 0") << 5 << tasteHoch << 0 << true;
    QTest::newRow("other key") << 12 << 65 << 12 << true;
    QTest::newRow("marking off: arrows do nothing") << 12 << tasteRechts << 12 << false;
}

void TstFeldauswertung::cursorAmRand() {
    QFETCH(int, start);
    QFETCH(int, taste);
    QFETCH(int, ziel);
    QFETCH(bool, markierung);
    Brett b(2);
    b.legeWort(QStringLiteral("Hut"));
    b.feld().fldCurs = {brettlayout::fldCursLeft(start), brettlayout::fldCursTop(start), markierung};
    QCOMPARE(int(b.zuege().cursorFeld()), start);
    b.taste(taste);
    QCOMPARE(int(b.zuege().cursorFeld()), ziel);
    QCOMPARE(b.feld().fldCurs.left, brettlayout::fldCursLeft(ziel));
    QCOMPARE(b.feld().fldCurs.top, brettlayout::fldCursTop(ziel));
}

void TstFeldauswertung::enterDecktCursorfeldAuf() {
    Brett b(29);
    b.einstellungen.einstRatezeit = 1;
    b.legeWort(QStringLiteral("Hut"));
    const qint16 h = b.feldMit(QStringLiteral("H"));
    b.feld().fldCurs = {brettlayout::fldCursLeft(h), brettlayout::fldCursTop(h), false};
    b.taste(tasteEnter);
    QVERIFY2(!b.zuege().auswertungAnstehend(), "Enter does nothing with the marking off");

    b.feld().fldCurs.sichtbar = true;
    b.taste(tasteEnter);
    QVERIFY(b.zuege().auswertungAnstehend());
    QCOMPARE(b.umgebung.rateZeitZurueck, 1);
    // The arrows still move the cursor while the evaluation is pending.
    b.taste(h % 5 == 0 ? tasteRechts : tasteLinks);
    QVERIFY(b.zuege().cursorFeld() != h);
    b.loop.advance(3000);
    QCOMPARE(b.punkte(0), 20);

    // Enter on the found field does nothing.
    b.feld().fldCurs = {brettlayout::fldCursLeft(h), brettlayout::fldCursTop(h), true};
    b.taste(tasteEnter);
    QVERIFY(!b.zuege().auswertungAnstehend());
    QCOMPARE(b.umgebung.rateZeitZurueck, 1);
}

void TstFeldauswertung::eingabeInDerPauseKommtDanach() {
    Brett b(31);
    b.legeWort(QStringLiteral("Hut"));
    const qint16 h = b.feldMit(QStringLiteral("H"));
    // Anna misses; while the pause runs, a click on the H arrives.
    qint64 klickZeit = -1;
    bool gepostet = false;
    b.ansicht.beimNeuZeichnen = [&] {
        if (b.umgebung.sounds == QStringList{"Annahme1"} && !gepostet) {
            gepostet = true;
            b.loop.post([&] {
                klickZeit = b.loop.nowMs();
                b.zuege().FldPic_MouseDown(h, linkeMaustaste);
            });
        }
    };
    b.loop.post([&] { b.zuege().FldPic_MouseDown(24, linkeMaustaste); });
    b.loop.advance(5000);
    QVERIFY(gepostet);
    QVERIFY2(klickZeit >= 1000, qPrintable(QString::number(klickZeit)));
    // It is Ben's move, made after the turn had passed.
    QCOMPARE(b.punkte(0), 0);
    QCOMPARE(b.punkte(1), 20);
    QCOMPARE(b.umgebung.sounds, (QStringList{"Annahme1", "BewegungStart"}));
}

void TstFeldauswertung::hinweisNurBeiGesehenemFeld() {
    Brett b(37);
    b.legeWort(QStringLiteral("Hut"));
    for (int i = 0; i < 200; ++i)
        QVERIFY2(!b.zuege().pruefeHinweis(), "never on a freshly dealt board");
    b.feld().feld(b.feldMit(QStringLiteral("H"))).feldGesehen = true;
    int ja = 0;
    for (int i = 0; i < 400; ++i)
        ja += b.zuege().pruefeHinweis() ? 1 : 0;
    QVERIFY2(ja > 60 && ja < 140, qPrintable(QString::number(ja)));

    // After a move the hint plays "Achtung" and offers the risk.
    int achtung = 0;
    for (int i = 0; i < 30; ++i) {
        b.umgebung.sounds.clear();
        b.umgebung.risiko.clear();
        b.klicke(24);
        if (b.umgebung.sounds.contains("Achtung")) {
            ++achtung;
            QCOMPARE(b.umgebung.risiko, (QList<bool>{false, true}));
            QCOMPARE(b.umgebung.sounds.last(), QStringLiteral("Achtung"));
        }
    }
    QVERIFY(achtung > 0);
}

QTEST_GUILESS_MAIN(TstFeldauswertung)
#include "tst_feldauswertung.moc"
