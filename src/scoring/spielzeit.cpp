#include "spielzeit.h"

#include "logging.h"

#include "startup/lesehilfen.h"

namespace findolin {

namespace {
constexpr qint32 sekundenProTag = 24 * 60 * 60;
}

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
    qint64 sekunden = qint64(jetzt) - letzteEnergieZeit;
    if (sekunden < 0)
        sekunden += sekundenProTag; // the clock starts again at midnight: the time across it counts
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
