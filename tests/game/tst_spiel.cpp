#include "../platform/db_sqlite_hilfen.h"
#include "highscores/meisterliste.h"
#include "platform/laufzeitfehler.h"
#include "spielfixture.h"

#include <QTest>

using namespace findolin;
using findolin::test::SpielFixture;

// Whole games through the real start-up and the real main form, on the virtual clock, with real files.
class TestSpiel : public QObject {
    Q_OBJECT

private slots:
    void eingabeWaehrendDerPauseKommtDanach() {
        SPIEL_IM_RAHMEN(s, 5);
        s.spiele(test::zweiSpieler, [&](MainFrm& frm) {
            const QString erster = frm.woerter().aktWort().left(1).toUpper();
            const qint16 richtig = SpielFixture::feldMit(frm, erster);
            frm.brett().zuege.FldPic_MouseDown(24, linkeMaustaste); // Anna misses ...
            // ... and, while the game pauses, clicks the right field: it counts for Ben, after the pause.
            s.schleife.postAfter(500, [&] { frm.brett().zuege.FldPic_MouseDown(richtig, linkeMaustaste); });
            s.schleife.advance(5000);
            QCOMPARE(frm.modul().kontext.spielerPunkte[0], 0);
            QCOMPARE(frm.modul().kontext.spielerPunkte[1], 20);
            QCOMPARE(frm.spieler().aktSpieler, 1);
        });
    }

    // A whole game against the computer, with the guess time on, until the play time ends, repeats exactly
    // from its seed.
    void gleicherSeedGleichesSpiel() {
        const auto spielVerlauf = [](quint32 seed) {
            SpielFixture s(seed);
            if (!s.legeRahmenAn())
                return QStringList{};
            s.aendereIni("GegenComputer=0", "GegenComputer=1");
            s.aendereIni("RatezeitBegrenzen=0", "RatezeitBegrenzen=1");
            s.aendereIni("MaximaleSpielDauer=20", "MaximaleSpielDauer=5");
            QStringList verlauf;
            s.fenster.always(MldFenster::name, [&](platform::ModalForm& form) {
                verlauf << QString::number(s.schleife.nowMs()) + static_cast<MldFenster&>(form).titel;
                form.pressButton("&OK");
            });
            const int exitCode = s.spiele(test::mitComputer, [&](MainFrm& frm) {
                // Anna finds the next letter, or misses, or lets her guess time run out.
                for (int zug = 0;; ++zug) {
                    s.schleife.advance(zug % 3 == 2 ? 21'000 : 4'000);
                    if (frm.spieler().aktSpieler != 0)
                        continue;
                    s.klicke(frm, zug % 5 == 4
                                      ? 24
                                      : SpielFixture::feldMit(frm, frm.brett().feld.gesuchterBuchstabe()));
                    verlauf << frm.woerter().aktWort() +
                                   QString::number(frm.modul().kontext.spielerPunkte[0]) + "/" +
                                   QString::number(frm.modul().kontext.spielerPunkte[1]);
                }
            });
            verlauf << QString::number(exitCode) << s.fenster.shownForms().join(',');
            return verlauf;
        };
        const QStringList erster = spielVerlauf(11);
        if (erster.isEmpty())
            QSKIP("shared test data not found");
        QVERIFY(erster.last().contains("CompZugFrm") && erster.join(' ').contains("Ende der Ratezeit"));
        QVERIFY(erster.join(' ').contains("Ende des Spiels"));
        QCOMPARE(spielVerlauf(11), erster);
        QVERIFY(spielVerlauf(12) != erster);
    }

    void zuLangeWorteWerdenUebergangen_data() {
        QTest::addColumn<QStringList>("worte");
        QTest::addColumn<QString>("erstes"); // empty: no word fits, the start ends with a named error
        QTest::newRow("one word fits") << QStringList{"Donaudampfschifffahrtskapitän", "Igel"} << "Igel";
        QTest::newRow("exactly 24 characters")
            << QStringList{"Abcdefghijklmnopqrstuvwx"} << "Abcdefghijklmnopqrstuvwx";
        QTest::newRow("an empty word") << QStringList{"", "Uhr"} << "Uhr";
        QTest::newRow("none fits") << QStringList{"Donaudampfschifffahrtskapitän"} << "";
    }
    void zuLangeWorteWerdenUebergangen() {
        QFETCH(QStringList, worte);
        QFETCH(QString, erstes);
        SPIEL_IM_RAHMEN(s);
        {
            SqliteDatei db(s.ordner.filePath("Omnor-D.mdb"));
            QVERIFY(db.sql("CREATE TABLE WortListe (RefNr INTEGER, Wort TEXT, Kontext TEXT, GWS BOOLEAN, "
                           "LIP_ BOOLEAN)"));
            QVERIFY(db.sql(
                "CREATE TABLE LupenStellen (RefNr INTEGER, ubix INTEGER, vonPos INTEGER, bisPos INTEGER)"));
            for (int i = 0; i < worte.size(); ++i)
                QVERIFY(db.sql(
                    QString("INSERT INTO WortListe VALUES (%1, '%2', NULL, 1, 1)").arg(i + 1).arg(worte[i])));
        }
        try {
            s.spiele(test::zweiSpieler, [&](MainFrm& frm) { QCOMPARE(frm.woerter().aktWort(), erstes); });
            QVERIFY(!erstes.isEmpty());
        } catch (const Laufzeitfehler& fehler) {
            QVERIFY2(erstes.isEmpty(), qPrintable(fehler.meldung()));
            QVERIFY(fehler.problem().contains("24 Zeichen"));
        }
    }

    void neuesSpiel_data() {
        QTest::addColumn<QString>("spieler"); // names and keys of the launch list
        QTest::addColumn<bool>("gegenComputer");
        QTest::addColumn<QString>("antwort");
        QTest::addColumn<QString>("anrede"); // the question's first line
        QTest::newRow("five players, ja")
            << "nSpieler=5;A;B;C;D;E;anna01;ben02;anna01;ben02;anna01;" << false << "&ja"
            << "Wenn ihr das Spiel neu beginnt,";
        QTest::newRow("one child and the computer, nein")
            << "nSpieler=2;Anna;Computer;anna01;ben02;" << true << "&nein"
            << "Wenn du das Spiel neu beginnst,";
    }
    void neuesSpiel() {
        QFETCH(QString, spieler);
        QFETCH(QString, antwort);
        QFETCH(bool, gegenComputer);
        SPIEL_IM_RAHMEN(s);
        if (gegenComputer)
            s.aendereIni("GegenComputer=0", "GegenComputer=1");
        QString frage;
        s.fenster.onNext(MldFenster::name, [&](platform::ModalForm& form) {
            frage = static_cast<MldFenster&>(form).titel + ": " + static_cast<MldFenster&>(form).meldung;
            form.pressButton(antwort);
        });
        s.spiele("\"Version=4;UbixFeldName=;" + spieler + "\"", [&](MainFrm& frm) {
            StartKontext& k = frm.spieler().kontext();
            k.spielerPunkte.fill(70);
            frm.spieler().aktSpieler = 1;
            s.klicke(frm, 24);
            const QString erstes = frm.woerter().aktWort();
            const int balken = frm.spielZeit().hoehe;
            frm.mnuDateiNeu_Click();
            QTEST(frage.section(QChar(13), 0, 0).remove("Neues Spiel: "), "anrede");
            QVERIFY(frage.startsWith("Neues Spiel: "));
            const bool neu = antwort == "&ja";
            for (int i = 0; i < k.nSpieler; ++i)
                QCOMPARE(k.spielerPunkte[static_cast<size_t>(i)], neu ? 0 : i == 1 ? 67 : 70);
            QCOMPARE(frm.spieler().aktSpieler, neu ? 0 : 2 % k.nSpieler);
            QCOMPARE(frm.woerter().aktWort() != erstes, neu);
            QCOMPARE(frm.brett().feld.feld(24).feldGesehen, !neu); // a fresh board
            const QList<qint16> benutzt = frm.woerter().benutzteWorte().eintraege();
            QCOMPARE(QSet<qint16>(benutzt.begin(), benutzt.end()).size(), benutzt.size());
            QCOMPARE(frm.spielZeit().hoehe, balken); // the play-time bar is not refilled
        });
    }

    // The teacher turns the guess time and the computer on and the cursor off: it all shows at once, and the
    // turn goes to the first player; the game-info dialog has the computer's row while it plays.
    void einstellungenWirkenSofort() {
        SPIEL_IM_RAHMEN(s);
        s.spiele(test::zweiSpieler, [&](MainFrm& frm) {
            StartKontext& k = frm.spieler().kontext();
            const auto& zeilen = frm.dateiInfoFrm().spieler;
            const auto einstellen = [&](qint16 gegenComp) {
                frm.spieler().aktSpieler = 1;
                s.fenster.onNext(EinstellFrm::name, [&, gegenComp](platform::ModalForm& form) {
                    EinstellFormular& c = frm.einstellFrm().formular();
                    c.rateZeitEin = 1;
                    c.feldMarkEin = 0;
                    c.gegenComp = gegenComp;
                    form.pressButton("&OK");
                });
                frm.mnuBearbEinstell_Click();
            };
            einstellen(1);
            QVERIFY(frm.rateZeit().laeuft() && !frm.brett().feld.fldCurs.sichtbar);
            QCOMPARE(k.nSpieler, 3);
            QCOMPARE(frm.spieler().aktSpieler, 0);
            QVERIFY(zeilen[2].sichtbar && zeilen[2].spName == "Computer" && !zeilen[3].sichtbar);
            k.spielerPunkte[1] = 42;
            s.fenster.answer(DateiInfoFrm::name, "&OK");
            frm.mnuDateiInfo_Click();
            QCOMPARE(zeilen[1].spPunkte, QString("42"));
            QCOMPARE(frm.dateiInfoFrm().datInfLbl, (std::array<QString, 2>{"15", "nein"}));
            einstellen(1); // no opponent change: the turn stays, no second computer
            QCOMPARE(frm.spieler().aktSpieler, 1);
            QCOMPARE(k.nSpieler, 3);
            einstellen(0);
            QCOMPARE(k.nSpieler, 2);
            QVERIFY(!zeilen[2].sichtbar);
            QCOMPARE(frm.spieler().aktSpieler, 0);
        });
    }

    // At program end every player with points enters the high-score list, which is made when missing; the
    // launcher that asked learns every player's points.
    void programmEndeTraegtEin() {
        SPIEL_IM_RAHMEN(s);
        s.ergebnisDatei = s.ordner.filePath("bericht/ergebnis.txt");
        QVERIFY(QDir(s.ordner.path()).mkdir("bericht"));
        s.fenster.answer(EndeFrm::name, "&ja");
        const int exitCode = s.spiele(test::zweiSpieler, [&](MainFrm& frm) {
            s.klicke(frm, SpielFixture::feldMit(frm, frm.brett().feld.gesuchterBuchstabe()));
            frm.mnuDateiEnde_Click();
        });
        QCOMPARE(exitCode, 0);
        QVERIFY(s.spielte("Abschied"));
        const auto zeilen =
            MeisterListe(s.datenbanken, s.schleife, s.ordner.filePath("User/Meister.mdb")).zeilen();
        QCOMPARE(zeilen.size(), size_t(1));
        QCOMPARE(zeilen[0].name + zeilen[0].programm + QString::number(zeilen[0].punkte),
                 QString("AnnaFindolin20"));
        QCOMPARE(s.dateien.readAll(s.ergebnisDatei), "20;Anna\n0;Ben\n");
        QCOMPARE(QDir(s.ordner.filePath("bericht")).entryList(QDir::Files), QStringList{"ergebnis.txt"});
    }

    // The help commands and F1 open the help files at their topics, a missing file is told, and the program
    // end closes the windows of both files.
    void hilfe() {
        SPIEL_IM_RAHMEN(s);
        s.fenster.answer(MldFenster::name, "&OK");
        s.fenster.answer(EndeFrm::name, "&ja");
        s.spiele(test::zweiSpieler, [&](MainFrm& frm) {
            frm.mnuHilfeBedienung_Click();
            frm.mnuHilfeSpielregeln_Click();
            frm.hilfeZuMenue("mnuDateiNeu");
            frm.hilfeZuMenue("mnuDateiEnde"); // no topic
            frm.mnuHilfeAktKat_Click();       // the demo has no Ubix.chm
            QCOMPARE(s.fenster.shownForms(), QStringList{MldFenster::name});
            frm.mnuDateiEnde_Click();
        });
        QCOMPARE(s.hilfe.aufrufe,
                 (QStringList{"topic Findolin.chm", "context 2000 Findolin.chm", "context 3006 Findolin.chm",
                              "close Ubix.chm", "close Findolin.chm"}));
    }
};

QTEST_MAIN(TestSpiel)
#include "tst_spiel.moc"
