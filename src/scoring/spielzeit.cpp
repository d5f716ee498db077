#include "spielzeit.h"

#include "logging.h"

#include "kern/lesehilfen.h"

namespace findolin {

namespace {
constexpr qint32 sekundenProTag = 24 * 60 * 60;

// The seconds between two readings of the time of day. A smaller reading means either that midnight came
// between them, where the clock starts again at 0, or that the clock was set back (the end of daylight
// saving time, a correction). Ticks come every 5 seconds, so the shorter way round the clock tells which:
// forward across midnight by less than half a day counts; a clock set back by less than half a day counts
// as no time, never as a day of play.
qint64 vergangen(qint32 vorher, qint32 jetzt) {
    const qint64 sekunden = qint64(jetzt) - vorher;
    if (sekunden >= 0)
        return sekunden;
    const qint64 ueberMitternacht = sekunden + sekundenProTag;
    return ueberMitternacht < sekundenProTag / 2 ? ueberMitternacht : 0;
}
} // namespace

SpielZeit::SpielZeit(const qint16& energieFaktor, const platform::Clock& uhr, platform::TimerFactory& timer,
                     MldFenster& meldung, RateZeit& rateZeit)
    : energieFaktor_(energieFaktor), uhr_(uhr), meldung_(meldung), rateZeit_(rateZeit),
      energTimer_(timer.createTimer(5000, [this] { EnergTimer_Timer(); })) {}

qint32 SpielZeit::uhrzeit() const {
    return static_cast<qint32>(rundeGerade(uhr_.secondsSinceMidnight()));
}

void SpielZeit::merkeZeit() {
    letzteEnergieZeit = uhrzeit();
}

void SpielZeit::EnergTimer_Timer() {
    const qint32 jetzt = uhrzeit();
    const qint64 sekunden = vergangen(letzteEnergieZeit, jetzt);
    // After a very long interruption the step can exceed the bar: it is then empty, never negative.
    const qint64 schritt = sekunden * energieFaktor_;
    if (schritt >= hoehe) {
        top += hoehe;
        hoehe = 0;
    } else {
        hoehe -= static_cast<int>(schritt);
        top += static_cast<int>(schritt);
    }
    letzteEnergieZeit = jetzt;
    if (schritt != 0)
        qCDebug(lcScoring) << "play time bar" << hoehe << "after" << sekunden << "s";
    if (hoehe >= rest)
        return;

    qCDebug(lcScoring) << "play time over";
    rateZeit_.halteAn();
    energTimer_->setEnabled(false);
    if (spielzeitAbgelaufen)
        spielzeitAbgelaufen();
    meldung_.zeigeMeldung(QStringLiteral("Die Höchstspielzeit ist abgelaufen!") + QChar(13) +
                              QStringLiteral("Findolin wird jetzt beendet."),
                          QStringLiteral("&OK"), QString(), QStringLiteral("Ende des Spiels"));
    programmEnde();
}

} // namespace findolin
