// The board: dealing, the queries the computer opponent uses, the word display beside it with real font
// metrics, and moves by mouse and keyboard with their evaluation, on the virtual clock.
#include "board/spielbrett.h"
#include "platform/qt/qtservices.h"
#include "scoring/spielerliste.h"
#include "support/virtualeventloop.h"

#include <QHash>
#include <QRegularExpression>
#include <QTest>
#include <algorithm>
#include <functional>

using namespace findolin;
using platform::Schrift;

namespace {

// A whole board for two players. It records what a move asks for; the next word is always "die Maus".
struct Brett : ZugUmgebung, platform::FormView, Spielbeobachter {
    explicit Brett(quint32 seed) : zufall(seed) { kontext.nSpieler = 2; }

    void playSound(const QString& ereignis) override { sounds.append(ereignis); }
    void waehleWort() override { wort = {"Maus", 4, "die", 0, 0}; }
    void risikoAnbieten(bool ein) override { risiko.append(ein); }
    void setzeRateZeitZurueck() override { ++rateZeitZurueck; }
    void repaintNow() override { beimNeuZeichnen(); }

    // Deals `text` as the searched word.
    void legeWort(const QString& text, const QString& wortKontext = {}, qint16 von = 0, qint16 bis = 0) {
        wort = WortDatensatz{text, static_cast<qint16>(text.size()), wortKontext, von, bis};
        brett.zeigeNeuesWort();
    }
    Spielfeld& feld() { return brett.feld; }
    Feldauswertung& zuege() { return brett.zuege; }

    // The fields holding `buchstabe`, lowest first.
    QList<qint16> felderMit(const QString& buchstabe) const {
        QList<qint16> treffer;
        for (qint16 i = 0; i < brettlayout::anzahlFelder; ++i)
            if (brett.feld.feld(i).buchstabe == buchstabe)
                treffer.append(i);
        return treffer;
    }
    qint16 feldMit(const QString& buchstabe) const { return felderMit(buchstabe).value(0, -1); }
    // The joker's field; when the deal gave none, one is put on the last empty field.
    qint16 jokerFeld() {
        if (feldMit(jokerZeichen) < 0)
            feld().feld(felderMit(QString()).last()).buchstabe = jokerZeichen;
        return feldMit(jokerZeichen);
    }
    // A left click on field i, then the evaluation and its pause run through.
    void klicke(qint16 i) {
        loop.post([this, i] { zuege().FldPic_MouseDown(i, linkeMaustaste); });
        loop.advance(3000);
    }
    int breite(const QString& text, double punkte) const {
        return qRound(messung.breiteTwips(text, Schrift{"Arial", punkte, true}));
    }

    QStringList sounds;
    QList<bool> risiko;
    int rateZeitZurueck = 0;
    std::function<void()> beimNeuZeichnen = [] {};

    platform::VirtualEventLoop loop;
    platform::SeededRandom zufall;
    platform::QtTextMeasure messung;
    StartKontext kontext;
    Einstellungen einstellungen;
    WortDatensatz wort;
    Spielerliste spieler{kontext, einstellungen, *this};
    Spielbrett brett{
        wort,    kontext, einstellungen, spieler, *this, *this, {loop, loop, loop, zufall, messung, *this},
        "/omnor"};
};

} // namespace

class TstSpielbrett : public QObject {
    Q_OBJECT

private slots:
    void verteiltJedesZeichenAufEinEigenesFeld_data() {
        QTest::addColumn<QString>("wort");
        QTest::addColumn<QString>("zeichen");
        QTest::newRow("ß, hyphen, blank, repeats") << "Fuß-ball x" << QStringLiteral("FUß-BALL X");
        QTest::newRow("24 letters") << "Abcdefghijklmnopqrstuvwx"
                                    << QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWX");
    }

    void verteiltJedesZeichenAufEinEigenesFeld() {
        QFETCH(QString, wort);
        QFETCH(QString, zeichen);
        QStringList erwartet = zeichen.split(QString(), Qt::SkipEmptyParts);
        erwartet.sort();
        Brett b(7);
        int ohneJoker = 0;
        for (int runde = 0; runde < 1050; ++runde) {
            b.legeWort(wort);
            QStringList gelegt;
            for (const Feld& f : b.feld().felder()) {
                QVERIFY(!f.buchstabeSichtbar);
                if (!f.buchstabe.isEmpty() && f.buchstabe != jokerZeichen)
                    gelegt.append(f.buchstabe);
            }
            gelegt.sort();
            QCOMPARE(gelegt, erwartet);
            QVERIFY(b.felderMit(jokerZeichen).size() <= 1);
            ohneJoker += b.feldMit(jokerZeichen) < 0 ? 1 : 0;
            if (wort.size() < 24)
                QVERIFY2(b.feld().feld(24).buchstabe.isEmpty(), "the bottom right field stays empty");
        }
        // No joker in 5 deals of 21: 250 of 1050.
        QVERIFY2(ohneJoker > 215 && ohneJoker < 285, qPrintable(QString::number(ohneJoker)));
    }

    void freiesFeldUeberspringtBuchstabenUndJoker() {
        Brett b(1);
        b.feld().feld(0).buchstabe = b.feld().feld(1).buchstabe = QStringLiteral("X");
        b.feld().feld(3).buchstabe = jokerZeichen;
        QCOMPARE(b.feld().freiesFeld(1), qint16(4));
    }

    void zufallsFeldFindetJedesOffeneFeld_data() {
        QTest::addColumn<QList<int>>("offen");
        QTest::newRow("only field 0") << QList<int>{0};
        QTest::newRow("only field 24") << QList<int>{24};
        QTest::newRow("two fields") << QList<int>{6, 17};
        QTest::newRow("none") << QList<int>{};
    }

    void zufallsFeldFindetJedesOffeneFeld() {
        QFETCH(QList<int>, offen);
        Brett b(5);
        for (qint16 i = 0; i < 25; ++i)
            b.feld().feld(i).feldErledigt = !offen.contains(i);
        QSet<int> gefunden;
        for (int i = 0; i < 200; ++i)
            gefunden.insert(b.feld().sucheZufallsFeld());
        QCOMPARE(gefunden, offen.isEmpty() ? QSet<int>{-1} : QSet<int>(offen.begin(), offen.end()));
    }

    void bekanntesUndNeuesFeld() {
        Brett b(9);
        b.legeWort(QStringLiteral("Mama"));
        Spielfeld& f = b.feld();
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
        f.feld(b.feldMit(QStringLiteral("A"))).feldErledigt = true; // a found letter is not searched again
        QCOMPARE(f.sucheBekanntesFeld(), qint16(-1));

        for (qint16 i = 0; i < 25; ++i)
            f.feld(i).feldGesehen = i != 24;
        QCOMPARE(f.sucheNeuesFeld(), qint16(24));
        f.feld(24).feldErledigt = true;
        QCOMPARE(f.sucheNeuesFeld(), qint16(-1));
    }

    // The word display: the context and the word shrink together until they fit; the magnifier frames the
    // characters von to bis.
    void wortanzeige_data() {
        QTest::addColumn<QString>("text"); // context and word, split at the last blank
        QTest::addColumn<int>("von");
        QTest::addColumn<int>("bis");
        QTest::addColumn<int>("lupenFlag");
        QTest::addColumn<bool>("lupe");
        QTest::newRow("short word, no spot") << "der Hut" << 0 << 0 << -1 << false;
        QTest::newRow("no context, magnifier off") << "Hut" << 1 << 2 << 0 << false;
        QTest::newRow("long word, spot at the start") << "die Donaudampfschifffahrt" << 1 << 2 << -1 << true;
        QTest::newRow("long context, middle spot") << "die vielen Schiffsschrauben" << 3 << 5 << 1 << true;
    }

    void wortanzeige() {
        QFETCH(QString, text);
        QFETCH(int, von);
        QFETCH(int, bis);
        QFETCH(int, lupenFlag);
        const QString kontext = text.left(std::max<qsizetype>(text.lastIndexOf(' '), 0));
        const QString wort = text.mid(text.lastIndexOf(' ') + 1);
        Brett b(1);
        b.kontext.lupenFlag = static_cast<qint16>(lupenFlag);
        b.legeWort(wort, kontext, static_cast<qint16>(von), static_cast<qint16>(bis));
        const Wortanzeige& a = b.brett.anzeige;

        const double p = a.suchWortLbl.punkte;
        const int w1 = b.breite(kontext, p - 12);
        const int links = 90 + w1 + 50;
        // Context and word shrink together; the found word lines up under the searched one and starts empty.
        QCOMPARE((QList<double>{a.suchKontLbl.punkte, a.fundKontLbl.punkte, a.fundWortLbl.punkte}),
                 (QList<double>{p - 12, p - 12, p}));
        QCOMPARE((QList<int>{a.suchKontLbl.width, a.fundKontLbl.width, a.suchWortLbl.left, a.fundWortLbl.left,
                             a.suchWortLbl.width, a.fundWortLbl.width}),
                 (QList<int>{w1, w1, links, links, 3255 - links - 50, 3255 - links - 50}));
        QCOMPARE((QStringList{a.suchKontLbl.caption, a.fundKontLbl.caption, a.suchWortLbl.caption,
                              a.fundWortLbl.caption}),
                 (QStringList{kontext, kontext, wort, ""}));
        // The word fits at the chosen size, and would not one point larger.
        QVERIFY(links + b.breite(wort, p) + 60 <= 3255);
        if (p < 20.0)
            QVERIFY(90 + b.breite(kontext, p - 11) + 50 + b.breite(wort, p + 1) + 60 > 3255);
        QTEST(a.leseLupe.sichtbar, "lupe");
        if (von > 0) {
            QCOMPARE(a.leseLupe.left,
                     a.suchWortLbl.left + (von == 1 ? 0 : b.breite(wort.left(von - 1), p)) - 30);
            QCOMPARE(a.leseLupe.width, b.breite(wort.mid(von - 1, bis - von + 1), p) + 60);
        }

        // The next, short word starts again from 8 and 20 points.
        b.legeWort(QStringLiteral("Hut"), QStringLiteral("der"));
        QCOMPARE(a.suchKontLbl.punkte, 8.0);
        QCOMPARE(a.suchWortLbl.punkte, 20.0);
    }

    // A word that ends exactly 60 twips before the frame's edge fits; one twip more shrinks it; a text far
    // too wide for any size stops at one point instead of reaching 0.
    void passtBisZumRand_data() {
        QTest::addColumn<double>("breite");   // of the word at 20 points
        QTest::addColumn<double>("proPunkt"); // what each point less takes off
        QTest::addColumn<double>("punkte");
        QTest::newRow("exactly at the margin") << 3255.0 - 140 - 60 << 100.0 << 20.0;
        QTest::newRow("one twip over") << 3255.0 - 140 - 59 << 100.0 << 19.0;
        QTest::newRow("never fits") << 4000.0 << 0.0 << 1.0;
    }
    void passtBisZumRand() {
        QFETCH(double, breite);
        QFETCH(double, proPunkt);
        struct Messung : platform::QtTextMeasure {
            double breite = 0, proPunkt = 0;
            double breiteTwips(const QString&, const Schrift& s) const override {
                return breite - (20 - s.punkte) * proPunkt;
            }
        } messung;
        messung.breite = breite;
        messung.proPunkt = proPunkt;
        Brett b(1);
        Wortanzeige a(b.wort, b.kontext, messung);
        b.wort = {"Hut", 3, "", 0, 0}; // no context: the word starts at 140 twips
        a.zeigeWort();
        QTEST(a.suchWortLbl.punkte, "punkte");
    }

    void bewertetNachTabelle_data() {
        QTest::addColumn<QString>("inhalt"); // of the field: "" is field 24, "*" the joker, "O" the word "O"
        QTest::addColumn<bool>("gesehen");
        QTest::addColumn<int>("einsatz");
        QTest::addColumn<int>("vorher");
        QTest::addColumn<int>("nachher");
        QTest::addColumn<QString>("sound");
        QTest::newRow("empty field") << "" << false << 0 << 10 << 7 << "Annahme1";
        QTest::newRow("wrong letter") << "U" << false << 0 << 10 << 7 << "Annahme2";
        QTest::newRow("miss with stake") << "U" << false << 120 << 200 << 80 << "AllgemeinerFehler";
        QTest::newRow("new field") << "H" << false << 0 << 0 << 20 << "BewegungStart";
        QTest::newRow("seen field") << "H" << true << 0 << 0 << 50 << "BewegungStart";
        QTest::newRow("new field, stake") << "H" << false << 120 << 0 << 140 << "BewegungStart";
        QTest::newRow("seen field, stake") << "H" << true << 120 << 0 << 170 << "BewegungStart";
        QTest::newRow("joker ignores the stake") << "*" << false << 300 << 5 << 105 << "Glückstreffer";
        QTest::newRow("word completed") << "O" << false << 0 << 0 << 20 << "Gratulation1";
        QTest::newRow("word completed, stake") << "O" << false << 300 << 0 << 320 << "Gratulation1";
    }

    void bewertetNachTabelle() {
        QFETCH(QString, inhalt);
        QFETCH(bool, gesehen);
        QFETCH(int, einsatz);
        QFETCH(int, vorher);
        Brett b(19);
        b.legeWort(inhalt == "O" ? inhalt : QStringLiteral("Hut"));
        const bool fehlgriff = inhalt.isEmpty() || inhalt == "U";
        const bool joker = inhalt == jokerZeichen;
        const qint16 feld = inhalt.isEmpty() ? qint16(24) : joker ? b.jokerFeld() : b.feldMit(inhalt);
        Feld& f = b.feld().feld(feld);
        f.feldGesehen = gesehen;
        const Farbe farbe = f.farbe;
        b.kontext.spielerPunkte[0] = vorher;
        b.spieler.risikoPunkte = einsatz;
        b.spieler.zeigeZiffern(1);
        // What shows during the pause is painted just before it.
        QString fundImBild;
        bool offenImBild = false;
        b.beimNeuZeichnen = [&] {
            fundImBild = b.brett.anzeige.fundWortLbl.caption;
            offenImBild = f.buchstabeSichtbar;
        };

        b.klicke(feld);

        QCOMPARE(fundImBild, fehlgriff || joker ? QString() : inhalt);
        QCOMPARE(offenImBild, !joker); // the joker's star is never shown
        QTEST(b.kontext.spielerPunkte[0], "nachher");
        QTEST(b.sounds.value(0), "sound");
        QCOMPARE(b.spieler.aktSpieler, qint16(fehlgriff ? 1 : 0));
        QCOMPARE(b.risiko.value(0), false); // the offer is withdrawn first
        QCOMPARE(b.spieler.anzeige.risikoZiff, (std::array<QString, 3>{"0", "0", "0"}));
        QVERIFY(b.loop.blockedMs() >= 1000 && b.loop.blockedMs() <= 2000);
        if (inhalt == "O") { // the next word is dealt
            QCOMPARE(b.brett.anzeige.suchWortLbl.caption, QStringLiteral("Maus"));
            QCOMPARE(b.brett.anzeige.fundWortLbl.caption, QString());
            QCOMPARE(b.feld().aktPos, qint16(1));
            return;
        }
        // A miss covers the field again in its old colour; a found letter stays open.
        QVERIFY(f.feldGesehen);
        QCOMPARE(f.feldErledigt, !fehlgriff);
        QCOMPARE(f.buchstabeSichtbar, !fehlgriff && !joker);
        QCOMPARE(f.farbe, fehlgriff ? farbe : weiss);
        QCOMPARE(b.feld().aktPos, qint16(fehlgriff || joker ? 1 : 2));
        const QRegularExpression jokerBild(QStringLiteral("^/omnor/Grafik/JOKER[123]\\.WMF$"));
        QCOMPARE(jokerBild.match(f.bildPfad).hasMatch(), joker);
    }

    // A whole word with repeated letters, the joker taken on the way; the next word lies on a fresh board.
    void mamaNimmtJedesM() {
        Brett b(13);
        b.legeWort(QStringLiteral("Mama"));
        const auto m = b.felderMit(QStringLiteral("M"));
        const auto a = b.felderMit(QStringLiteral("A"));
        for (qint16 feld : {b.jokerFeld(), m.last(), a.last(), m.first()})
            b.klicke(feld);
        QCOMPARE(b.brett.anzeige.fundWortLbl.caption, QStringLiteral("Mam"));
        b.klicke(a.first());
        QCOMPARE(b.kontext.spielerPunkte[0], 180);
        QCOMPARE(b.sounds.last(), QStringLiteral("Gratulation1"));
        const auto& palette = b.feld().feldFarben;
        QSet<qsizetype> farben;
        for (const Feld& f : b.feld().felder()) {
            QVERIFY(!f.buchstabeSichtbar && !f.feldGesehen && !f.feldErledigt && f.bildPfad.isEmpty());
            farben.insert(std::find(palette.begin(), palette.end(), f.farbe) - palette.begin());
        }
        QVERIFY2(farben.size() > 3 && !farben.contains(10), "each field draws a colour of the palette");
    }

    // Input that does not fit the state is ignored without a sound; Enter uncovers the field under the
    // cursor.
    void eingaben_data() {
        // r: right button on the H; H, J, L: left click on the H, the joker, field 24; E: Enter
        QTest::addColumn<QString>("eingaben");
        QTest::addColumn<QStringList>("erwartet");
        // H, J: the H or the joker taken first; C: the computer is on the move; A: marking off
        QTest::addColumn<QString>("vorher");
        QTest::newRow("Enter uncovers the cursor field") << "E" << QStringList{"BewegungStart"} << "";
        QTest::newRow("right button") << "r" << QStringList{} << "";
        QTest::newRow("found field, by mouse and Enter") << "HE" << QStringList{} << "H";
        QTest::newRow("taken joker") << "J" << QStringList{} << "J";
        QTest::newRow("computer moves") << "HE" << QStringList{} << "C";
        QTest::newRow("Enter with the marking off") << "E" << QStringList{} << "A";
        QTest::newRow("second click before the evaluation") << "LH" << QStringList{"Annahme1"} << "";
        QTest::newRow("Enter before the evaluation") << "LE" << QStringList{"Annahme1"} << "";
    }

    void eingaben() {
        QFETCH(QString, eingaben);
        QFETCH(QStringList, erwartet);
        QFETCH(QString, vorher);
        Brett b(23);
        b.einstellungen.einstRatezeit = 1;
        b.legeWort(QStringLiteral("Hut"));
        const qint16 h = b.feldMit(QStringLiteral("H"));
        b.feld().fldCurs = {brettlayout::fldCursLeft(h), brettlayout::fldCursTop(h), vorher != "A"};
        if (vorher == "H" || vorher == "J")
            b.klicke(vorher == "H" ? h : b.jokerFeld());
        b.spieler.computerAmZug = vorher == "C";
        const QHash<QChar, qint16> felder{{'r', h}, {'H', h}, {'J', b.feldMit(jokerZeichen)}, {'L', 24}};
        b.sounds.clear();
        b.rateZeitZurueck = 0;
        // All arrive before the evaluation's 1 ms timer.
        for (QChar c : eingaben)
            b.loop.post([&b, &felder, c] {
                if (c == 'E')
                    b.zuege().Form_KeyDown(tasteEnter);
                else
                    b.zuege().FldPic_MouseDown(felder[c], c == 'r' ? 2 : linkeMaustaste);
            });
        b.loop.advance(3000);
        QCOMPARE(b.sounds, erwartet);
        // Each accepted input restarts the guess time.
        QCOMPARE(b.rateZeitZurueck, erwartet.size());
    }

    // Pressed twice, an arrow moves the cursor to the edge and stops there, even while a move is evaluated.
    void cursorBisZumRand_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("taste");
        QTest::addColumn<int>("ziel");
        QTest::newRow("left") << 11 << tasteLinks << 10;
        QTest::newRow("up") << 8 << tasteHoch << 3;
        QTest::newRow("right") << 13 << tasteRechts << 14;
        QTest::newRow("down") << 19 << tasteRunter << 24;
        QTest::newRow("other key") << 12 << 65 << 12;
    }

    void cursorBisZumRand() {
        QFETCH(int, start);
        QFETCH(int, taste);
        QFETCH(int, ziel);
        Brett b(2);
        b.legeWort(QStringLiteral("Hut"));
        b.feld().fldCurs = {brettlayout::fldCursLeft(start), brettlayout::fldCursTop(start), true};
        b.zuege().FldPic_MouseDown(24, linkeMaustaste);
        b.zuege().Form_KeyDown(taste);
        b.zuege().Form_KeyDown(taste);
        QCOMPARE(std::pair(b.feld().fldCurs.left, b.feld().fldCurs.top),
                 std::pair(brettlayout::fldCursLeft(ziel), brettlayout::fldCursTop(ziel)));
    }

    void hinweisNurBeiGesehenemFeld() {
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
            b.risiko.clear();
            b.klicke(24);
            if (b.sounds.last() == QStringLiteral("Achtung")) {
                ++achtung;
                QCOMPARE(b.risiko, (QList<bool>{false, true}));
            }
        }
        QVERIFY(achtung > 0);
    }
};

QTEST_MAIN(TstSpielbrett)
#include "tst_spielbrett.moc"
