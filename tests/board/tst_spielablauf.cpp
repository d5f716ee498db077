// Whole games on the virtual clock: several words played through by clicks, repeatable from a seed.
#include "brettfixture.h"

#include "startup/hilfsfunktionen.h"

#include <QElapsedTimer>
#include <QTest>

using namespace findolin;
using namespace findolin::test;

class TstSpielablauf : public QObject {
    Q_OBJECT

private slots:
    void gleicherSeedGleichesSpiel();
};

namespace {

struct Ergebnis {
    std::array<qint32, maxSpieler> punkte{};
    QStringList sounds;
    qint64 virtuelleMs = 0;
    int zuege = 0;
};

// Three players who click random open fields, except that they remember a seen field with the needed letter.
Ergebnis spiele(quint32 seed, int woerter) {
    Brett b(seed, {"Anna", "Ben", "Carla"});
    b.umgebung.woerter = {
        {"die", "Maus"}, {"der", "Igel"}, {"das", "Schwimmbad"}, {"", "rennen"}, {"die", "Mama"}};
    b.umgebung.waehleWort();
    b.brett->anzeige.zeigeNeuesWort();
    platform::SeededRandom spielerZufall(seed + 1000);
    Ergebnis e;
    while (b.umgebung.gewaehlteWorte <= woerter) {
        qint16 f = b.feld().sucheBekanntesFeld();
        if (f < 0 || spielerZufall.nextUnit() < 0.3f) {
            do
                f = zufallsZahl(spielerZufall, 0, 24);
            while (b.feld().feld(f).feldErledigt);
        }
        b.klicke(f);
        ++e.zuege;
        for (int s = 0; s < 3; ++s)
            if (b.punkte(s) < 0)
                qFatal("points below 0");
        if (e.zuege > 2000)
            qFatal("the game does not end");
    }
    e.punkte = b.kontext.spielerPunkte;
    e.sounds = b.umgebung.sounds;
    e.virtuelleMs = b.loop.nowMs();
    return e;
}

} // namespace

void TstSpielablauf::gleicherSeedGleichesSpiel() {
    QElapsedTimer uhr;
    uhr.start();
    const Ergebnis erstes = spiele(2026, 5);
    const qint64 dauer = uhr.nsecsElapsed() / 1000;
    const Ergebnis zweites = spiele(2026, 5);
    qInfo("%d moves, %lld s of game time in %lld us", erstes.zuege, erstes.virtuelleMs / 1000, dauer);

    QCOMPARE(zweites.punkte, erstes.punkte);
    QCOMPARE(zweites.sounds, erstes.sounds);
    QCOMPARE(erstes.sounds.count("Gratulation1"), 5);
    QVERIFY(erstes.punkte[0] + erstes.punkte[1] + erstes.punkte[2] > 0);
    // Every move pauses: a game of n moves takes at least n seconds of game time.
    QVERIFY(erstes.virtuelleMs >= 1000LL * erstes.zuege);

    const Ergebnis anderes = spiele(7, 5);
    QVERIFY(anderes.sounds != erstes.sounds);
}

QTEST_GUILESS_MAIN(TstSpielablauf)
#include "tst_spielablauf.moc"
