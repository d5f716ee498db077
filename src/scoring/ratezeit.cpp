#include "ratezeit.h"

#include "logging.h"

#include "kern/lesehilfen.h"
#include "platform/laufzeitfehler.h"

namespace findolin {

RateZeit::RateZeit(Spielerliste& spieler, SoundModul& sound, MldFenster& meldung,
                   platform::TimerFactory& timer)
    : spieler_(spieler), sound_(sound), meldung_(meldung),
      restZeitTimer_(timer.createTimer(1000, [this] { RestZeitTimer_Timer(); })) {}

void RateZeit::switchVuRestZeit(bool ein) {
    restZeitTimer_->setEnabled(ein);
    vuRestZeitEin = ein;
    setzeRateZeitZurueck();
}

void RateZeit::setzeRateZeitZurueck() {
    rateZeit = 0;
    vuMeter.drawVuZeiger(0);
}

void RateZeit::RestZeitTimer_Timer() {
    rateZeit = alsInt16(qint64(rateZeit) + schrittProSekunde, QStringLiteral("Ratezeit"));
    vuMeter.drawVuZeiger(rateZeit);
    if (rateZeit < ablauf)
        return;

    // No tick may come while the message is open.
    restZeitTimer_->setEnabled(false);
    const QString name = spieler_.kontext().spielerName[static_cast<size_t>(spieler_.aktSpieler)];
    qCDebug(lcScoring) << "guess time over for player" << spieler_.aktSpieler;
    const QString text = QStringLiteral("Die Ratezeit ist leider") + QChar(13) +
                         QStringLiteral("abgelaufen, ") + vorname(name) + '.';
    sound_.playSound(QStringLiteral("ProgrammMeldung"));
    meldung_.zeigeMeldung(text, QStringLiteral("&OK"), QString(), QStringLiteral("Ende der Ratezeit"));
    setzeRateZeitZurueck();
    // When the computer comes next, this returns after its first move.
    spieler_.naechsterSpieler();
    restZeitTimer_->setEnabled(true);
}

} // namespace findolin
