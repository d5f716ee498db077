#include "spielfixture.h"

#include <QTest>

using namespace findolin;
using findolin::test::mitComputer;
using findolin::test::SpielFixture;

// The timed rules of play through the real main form on the virtual clock: the computer's turn, the risk
// stake with its lamps, the guess time and the play-time limit.
class TestZeitregeln : public QObject {
    Q_OBJECT

    static int punkte(MainFrm& frm, int spieler) { return frm.modul().kontext.spielerPunkte[spieler]; }
    // Lamp pictures of the upper and lower lamp: R(ed), G(reen), D(ark).
    static QString lampen(const Risiko& r) {
        const auto zeichen = [](Lampe l) { return l == Lampe::Rot ? 'R' : l == Lampe::Gruen ? 'G' : 'D'; };
        return QString(zeichen(r.risikoAusImg)) + zeichen(r.risikoEinImg);
    }

private slots:
    // The strong computer's turn on a board laid out by hand ("1", "2": the word's first and second letter,
    // "a" the first letter on a field seen before, "*" the joker, "." empty): when each move comes, counted
    // from the window's show for the first move and from the end of the pause before it for the others, and
    // which field it takes ("C<field> +<ms>").
    void computerZuege_data() {
        QTest::addColumn<QString>("brett");
        QTest::addColumn<int>("klickNachMs"); // Anna clicks field 24 this long after the first pause; -1: not
        QTest::addColumn<QStringList>("zuege");
        QTest::addColumn<int>("punkte");
        // The first move on the 11th tick of 200 ms; after a hit the ticks that fell due in the pause count
        // once, so the next move comes on the 6th tick from the pause's end.
        QTest::newRow("two letters, then a miss")
            << "12" << -1 << QStringList{"C0 +2200", "C1 +1000", "C2 +1000"} << 20 + 20 - 3;
        QTest::newRow("a letter it has seen (\"a\"): 50, then the first untouched field")
            << ".a" << -1 << QStringList{"C1 +2200", "C0 +1000"} << 50 - 3;
        QTest::newRow("the joker is a hit: it moves again")
            << "*" << -1 << QStringList{"C0 +2200", "C1 +1000"} << 100 - 3;
        // Between two moves the computer's flag is down: a click there is a move, here a miss for it.
        QTest::newRow("a click between two moves")
            << "1" << 500 << QStringList{"C0 +2200", "C24 +500"} << 20 - 3;
    }
    void computerZuege() {
        QFETCH(QString, brett);
        QFETCH(int, klickNachMs);
        SPIEL_IM_RAHMEN(s);
        s.aendereIni("GegenComputer=0", "GegenComputer=1");
        s.aendereIni("SpielSt\xe4rke=1", "SpielSt\xe4rke=0");
        s.spiele(mitComputer, [&](MainFrm& frm) {
            const QString wort = frm.woerter().aktWort();
            for (qint16 i = 0; i < 25; ++i) {
                const QChar c = brett.leftJustified(25, '.').at(i);
                Feld& f = frm.brett().feld.feld(i);
                f.buchstabe = c == '.'   ? QString()
                              : c == '*' ? QString(c)
                                         : grossBuchstabe(wort.mid(c == 'a' ? 0 : c.digitValue() - 1, 1));
                f.feldGesehen = c == 'a';
            }
            s.fenster.onNext(CompZugFrm::name, [&](platform::ModalForm&) {
                s.pausenEnde = s.schleife.nowMs();
                while (frm.compZugFrm().sichtbar())
                    s.schritt(frm);
            });
            s.klicke(frm, 24); // Anna misses: the computer's turn
            const qint64 gezeigt = s.pausenEnde;
            while (frm.spieler().aktSpieler != 0 || s.zuege.back().punkte < 0) {
                s.schritt(frm);
                if (klickNachMs >= 0 && s.pausenEnde > gezeigt) { // after the computer's first pause
                    s.schleife.postAfter(klickNachMs,
                                         [&] { frm.brett().zuege.FldPic_MouseDown(24, linkeMaustaste); });
                    klickNachMs = -1;
                }
            }
            QStringList zuege;
            for (const SpielFixture::Zug& z : s.zuege)
                zuege << QStringLiteral("C%1 +%2").arg(z.feld).arg(z.nachPauseMs);
            QTEST(zuege, "zuege");
            QTEST(punkte(frm, 1), "punkte");
            QCOMPARE(s.fenster.shownForms().count(CompZugFrm::name), 1);
            QVERIFY(frm.spieler().menuesFreigegeben && !frm.spieler().computerAmZug);
        });
    }

    // The play time ends during the computer's turn: behind the closing message nothing moves, not even the
    // computer, and the program ends once it is confirmed.
    void spielzeitEndetImComputerzug() {
        SPIEL_IM_RAHMEN(s);
        s.aendereIni("GegenComputer=0", "GegenComputer=1");
        QString brettVorher, brettNachher;
        const auto brett = [](MainFrm& frm) {
            QString b;
            for (qint16 i = 0; i < 25; ++i)
                b += frm.brett().feld.feld(i).feldGesehen ? 's' : '.';
            return b + QString::number(frm.modul().kontext.spielerPunkte[1]);
        };
        const int exitCode = s.spiele(mitComputer, [&](MainFrm& frm) {
            s.fenster.onNext(CompZugFrm::name, [&](platform::ModalForm&) {
                s.schleife.block(3600); // an hour away: the next tick of the play-time bar empties it
                s.schleife.runWhile([&] { return frm.compZugFrm().sichtbar(); });
            });
            s.fenster.onNext(MldFenster::name, [&](platform::ModalForm& form) {
                QCOMPARE(static_cast<MldFenster&>(form).titel, QString("Ende des Spiels"));
                brettVorher = brett(frm);
                s.schleife.advance(5'000);
                brettNachher = brett(frm);
                form.pressButton("&OK");
            });
            s.klicke(frm, 24);
        });
        QCOMPARE(exitCode, 0);
        QVERIFY(!brettVorher.isEmpty());
        QCOMPARE(brettNachher, brettVorher);
    }

    void computerZugWaehrendDerEndeFrage() {
        SPIEL_IM_RAHMEN(s);
        s.aendereIni("GegenComputer=0", "GegenComputer=1");
        s.aendereIni("RatezeitBegrenzen=0", "RatezeitBegrenzen=1");
        s.fenster.always(MldFenster::name, [](platform::ModalForm& form) { form.pressButton("&OK"); });
        s.spiele(mitComputer, [&](MainFrm& frm) {
            // While the quit question is open Anna's guess time runs out and the computer takes its turn.
            s.fenster.onNext(EndeFrm::name, [&](platform::ModalForm& form) {
                s.schleife.advance(21'000);
                form.pressButton("&nein");
            });
            QVERIFY(frm.Form_Unload());
            s.schleife.advance(300'000);
            const QStringList& gezeigt = s.fenster.shownForms();
            QCOMPARE(gezeigt.mid(0, 3), (QStringList{EndeFrm::name, MldFenster::name, CompZugFrm::name}));
            // Anna never moves: every expiry hands the turn to the computer, whose window shows once a turn.
            QVERIFY(gezeigt.count(MldFenster::name) > 5);
            QCOMPARE(gezeigt.count(CompZugFrm::name), gezeigt.count(MldFenster::name));
            QVERIFY(frm.rateZeit().laeuft() && frm.spielZeit().laeuft());
        });
    }

    // Anna's miss shows the second letter; after Ben's miss the hint comes with Anna's turn, and her stake
    // counts on top of 50 for a field seen before. The stake lasts one move; it is drawn from 50 to 300.
    void risiko_data() {
        QTest::addColumn<int>("einsatz");
        QTest::addColumn<QStringList>("ziffern");
        QTest::newRow("the lowest stake") << 50 << QStringList{"0", "5", "0"};
        QTest::newRow("the highest stake") << 300 << QStringList{"3", "0", "0"};
    }
    void risiko() {
        QFETCH(int, einsatz);
        QFETCH(QStringList, ziffern);
        SPIEL_IM_RAHMEN(s, 7);
        s.spiele(test::zweiSpieler, [&](MainFrm& frm) {
            Risiko& risiko = frm.risiko();
            const QString wort = frm.woerter().aktWort();
            const qint16 erstes = SpielFixture::feldMit(frm, grossBuchstabe(wort.mid(0, 1)));
            const qint16 zweites = SpielFixture::feldMit(frm, grossBuchstabe(wort.mid(1, 1)));
            QVERIFY(erstes != zweites);
            s.klicke(frm, zweites);
            s.zufall.gibt(1, 100, 75); // three in four: no hint, although Ben knows where the next letter is
            s.klicke(frm, erstes);
            QCOMPARE(lampen(risiko), QString("RD"));
            s.zufall.gibt(1, 100, 76);
            s.klicke(frm, 24);
            QCOMPARE(frm.spieler().aktSpieler, 0);
            QVERIFY(risiko.risikoBtnEnabled && risiko.blinkt() && s.spielte("Glocke"));
            s.zufall.gibt(50, 300, einsatz);
            risiko.RisikoBtn_Click();
            risiko.RisikoBtn_Click(); // the button has disabled itself: no second stake
            const auto& anzeige = frm.spieler().anzeige.risikoZiff;
            QCOMPARE(QStringList(anzeige.begin(), anzeige.end()), ziffern);
            QVERIFY(s.spielte("Muenze") && !risiko.risikoBtnEnabled && risiko.risikoZiffEnabled);
            s.klicke(frm, zweites);
            QCOMPARE(punkte(frm, 0), einsatz + 50);
            QCOMPARE(frm.spieler().anzeige.risikoZiff, (std::array<QString, 3>{"0", "0", "0"}));
            QCOMPARE(lampen(risiko), QString("RD"));
            QVERIFY(!risiko.risikoZiffEnabled && !risiko.blinkt());
        });
    }

    void blinken_data() {
        QTest::addColumn<int>("zurueckgezogenNachMs"); // 0: the offer stands
        QTest::addColumn<QString>("folge");            // the lower lamp every 500 ms after the (last) offer
        QTest::newRow("six blinks, then steady") << 0 << "GGDGDGDGDGDGGG";
        // Three green phases were shown before the withdrawal: the next offer blinks only three more times.
        QTest::newRow("a withdrawn offer continues the count") << 2600 << "GDGDGDGGGG";
        // A sequence that ran to its end starts the count afresh: the next offer blinks six times again.
        QTest::newRow("after a full sequence") << 7000 << "GGDGDGDGDGDGGG";
    }
    void blinken() {
        QFETCH(int, zurueckgezogenNachMs);
        QFETCH(QString, folge);
        SPIEL_IM_RAHMEN(s);
        s.spiele(test::zweiSpieler, [&](MainFrm& frm) {
            Risiko& risiko = frm.risiko();
            QCOMPARE(lampen(risiko), QString("RD"));
            risiko.risikoAnbieten(true);
            if (zurueckgezogenNachMs > 0) {
                s.schleife.advance(zurueckgezogenNachMs);
                risiko.risikoAnbieten(false);
                QCOMPARE(lampen(risiko), QString("RD"));
                risiko.risikoAnbieten(true);
            }
            QString gesehen;
            for (int i = 0; i < folge.size(); ++i) {
                QCOMPARE(lampen(risiko).at(0), QChar('D')); // the red lamp stays dark
                gesehen += lampen(risiko).at(1);
                s.schleife.advance(500);
            }
            QCOMPARE(gesehen, folge);
            QVERIFY(!risiko.blinkt());
        });
    }

    void ratezeit_data() {
        QTest::addColumn<bool>("begrenzt");
        QTest::newRow("limited") << true;
        QTest::newRow("unlimited") << false;
    }
    void ratezeit() {
        QFETCH(bool, begrenzt);
        SPIEL_IM_RAHMEN(s);
        if (begrenzt)
            s.aendereIni("RatezeitBegrenzen=0", "RatezeitBegrenzen=1");
        s.spiele(mitComputer, [&](MainFrm& frm) {
            RateZeit& rate = frm.rateZeit();
            QCOMPARE(rate.vuRestZeitEin, begrenzt);
            const double ruheX = rate.vuMeter.x2;
            s.schleife.advance(15'000);
            QCOMPARE(rate.rateZeit, begrenzt ? 750 : 0);
            s.klicke(frm, SpielFixture::feldMit(frm, frm.brett().feld.gesuchterBuchstabe()));
            QCOMPARE(rate.rateZeit, 0); // every uncovering starts the guess time afresh
            QCOMPARE(rate.vuMeter.x2, ruheX);
            if (!begrenzt) {
                s.schleife.advance(120'000); // no message ever comes (the script would refuse it)
                QCOMPARE(rate.vuMeter.x2, ruheX);
                return;
            }
            // The first message stays open for 5 s: the guess time stands meanwhile.
            QStringList gezeigt;
            qint64 okNach = 0;
            int standImOffenenFenster = 0;
            s.fenster.always(MldFenster::name, [&](platform::ModalForm& form) {
                gezeigt << static_cast<MldFenster&>(form).titel + ": " +
                               static_cast<MldFenster&>(form).meldung;
                if (gezeigt.size() == 1) {
                    s.schleife.advance(5'000);
                    standImOffenenFenster = rate.rateZeit;
                }
                okNach = s.schleife.nowMs();
                form.pressButton("&OK");
            });
            while (rate.rateZeit < 950)
                s.schleife.advance(100);
            QVERIFY(gezeigt.isEmpty());
            s.schleife.advance(1000); // the 20th tick since the uncovering
            QCOMPARE(gezeigt, QStringList{"Ende der Ratezeit: Die Ratezeit ist leider\rabgelaufen, Anna."});
            QCOMPARE(standImOffenenFenster, 1000);
            QVERIFY(s.spielte("Gong"));
            QCOMPARE(punkte(frm, 0), 20);                                   // no points are taken
            QCOMPARE(frm.spieler().anzeige.spNameLbl, QString("Computer")); // played by hand: setting off
            QVERIFY(rate.laeuft());
            QCOMPARE(rate.vuMeter.x2, ruheX);
            // The next player has 20 s afresh from the OK.
            s.schleife.advance(okNach + 19'999 - s.schleife.nowMs());
            QCOMPARE(gezeigt.size(), 1);
            s.schleife.advance(1);
            QCOMPARE(gezeigt.value(1), "Ende der Ratezeit: Die Ratezeit ist leider\rabgelaufen, Computer.");
        });
    }

    void zeiger_data() {
        QTest::addColumn<int>("wert");
        QTest::addColumn<double>("spitzeX");
        QTest::addColumn<double>("spitzeY");
        QTest::newRow("0: lower left") << 0 << 8928.5 << 6278.5;
        QTest::newRow("250") << 250 << 8886.5 << 6011.5;
        QTest::newRow("500: 248 above the pivot") << 500 << 9112.5 << 5864.5;
        QTest::newRow("750") << 750 << 9338.5 << 6011.5;
        QTest::newRow("1000: lower right") << 1000 << 9296.5 << 6278.5;
    }
    void zeiger() {
        QFETCH(int, wert);
        VuMeter vu;
        vu.initVuMeter();
        QCOMPARE(vu.achseWidth, 825.0 / 8);
        QCOMPARE(vu.achseLeft + vu.achseWidth / 2, 8700 + 412.5);
        vu.drawVuZeiger(static_cast<qint16>(wert));
        QCOMPARE(vu.x1, 9112.5);
        QCOMPARE(vu.y1, 6112.5);
        QTEST(vu.x2, "spitzeX");
        QTEST(vu.y2, "spitzeY");
    }

    void spielzeitEndet_data() {
        QTest::addColumn<QByteArray>("dauer");
        QTest::addColumn<double>("start");      // the time of day, in seconds
        QTest::addColumn<int>("pauseSekunden"); // a blocking pause before the first tick
        QTest::addColumn<int>("letzterTick");
        QTest::newRow("5 minutes") << QByteArray("5") << 36000.2 << 0 << 61;
        QTest::newRow("10 minutes") << QByteArray("10") << 36000.2 << 0 << 129;
        // Exactly 100 twips are left after the 901st tick: that is still play time.
        QTest::newRow("60 minutes") << QByteArray("60") << 36000.2 << 0 << 902;
        QTest::newRow("across midnight") << QByteArray("5") << 86398.2 << 0 << 61;
        QTest::newRow("a pause counts in full at the next tick") << QByteArray("5") << 36000.2 << 7 << 60;
        QTest::newRow("after five hours away") << QByteArray("20") << 36000.2 << 5 * 3600 << 1;
        QTest::newRow("after eleven hours away, across midnight")
            << QByteArray("20") << 80000.2 << 11 * 3600 << 1;
    }
    void spielzeitEndet() {
        QFETCH(QByteArray, dauer);
        QFETCH(double, start);
        QFETCH(int, pauseSekunden);
        SPIEL_IM_RAHMEN(s, 1, start);
        s.aendereIni("MaximaleSpielDauer=20", "MaximaleSpielDauer=" + dauer);
        int ticks = 0, hoeheDavor = 0;
        QString text;
        s.fenster.onNext(MldFenster::name, [&](platform::ModalForm& form) {
            text = static_cast<MldFenster&>(form).meldung;
            form.pressButton("&OK");
        });
        s.fenster.answer(EndeFrm::name, "&nein"); // closing the window while play time is left
        const int exitCode = s.spiele(test::zweiSpieler, [&](MainFrm& frm) {
            QVERIFY(frm.Form_Unload());
            s.schleife.block(pauseSekunden);
            for (;;) {
                hoeheDavor = frm.spielZeit().hoehe;
                QCOMPARE(frm.spielZeit().top + hoeheDavor, 330 + 4605); // the bar drains from the top
                s.schleife.advance(1000);
                ticks += frm.spielZeit().hoehe != hoeheDavor;
            }
        });
        QCOMPARE(exitCode, 0);
        QTEST(ticks + 1, "letzterTick");
        QVERIFY(hoeheDavor >= 100);
        QCOMPARE(text, QString("Die Höchstspielzeit ist abgelaufen!\rFindolin wird jetzt beendet."));
        QVERIFY(s.spielte("Abschied"));
    }

    // The time of day starts again at 0 at midnight: a tick across it counts the time since the last one. A
    // clock set back counts as no time, and the next tick counts on from the new reading.
    void uhrSpruenge_data() {
        QTest::addColumn<double>("start");  // the time of day, in seconds
        QTest::addColumn<int>("verstellt"); // the clock set back before the first tick, in seconds
        QTest::addColumn<int>("pause");     // a blocking pause before the first tick, in seconds
        QTest::addColumn<int>("gezaehlt");  // seconds the first tick counts
        QTest::newRow("a tick across midnight") << 86398.2 << 0 << 0 << 5;
        QTest::newRow("a pause across midnight") << 86395.2 << 0 << 12 << 12;
        QTest::newRow("end of daylight saving time") << 36000.2 << 3600 << 0 << 0;
        QTest::newRow("a correction of 10 s") << 36000.2 << 10 << 0 << 0;
    }
    void uhrSpruenge() {
        QFETCH(double, start);
        QFETCH(int, verstellt);
        QFETCH(int, pause);
        QFETCH(int, gezaehlt);
        SPIEL_IM_RAHMEN(s, 1, start);
        s.fenster.always(MldFenster::name, [](platform::ModalForm& form) { form.pressButton("&OK"); });
        QList<int> hoehen;
        const int exitCode = s.spiele(test::zweiSpieler, [&](MainFrm& frm) {
            s.schleife.stelleUhr(-verstellt);
            s.schleife.block(pause);
            s.schleife.advance(std::max(0, 5000 - 1000 * pause)); // the first tick
            hoehen << frm.spielZeit().hoehe;
            s.schleife.advance(5000);
            hoehen << frm.spielZeit().hoehe;
        });
        QCOMPARE(exitCode, -1);
        // "MaximaleSpielDauer=20": 3 twips a second.
        QCOMPARE(hoehen, (QList<int>{4605 - 3 * gezaehlt, 4605 - 3 * gezaehlt - 15}));
    }
};

QTEST_MAIN(TestZeitregeln)
#include "tst_zeitregeln.moc"
