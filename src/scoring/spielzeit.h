#pragma once

#include "ratezeit.h"

#include "kern/meldungsfenster.h"
#include "platform/services.h"

#include <functional>
#include <memory>

namespace findolin {

// The play-time limit the framework sets: a bar that drains from the top by the play-time factor for every
// second that passes, measured from tick to tick. When it is nearly empty the game says so and ends.
class SpielZeit {
public:
    // The bar as laid out, in twips; its lower edge stays put while it drains.
    static constexpr int balkenTop = 330;
    static constexpr int balkenHoehe = 4605;
    // Below this height play time is over.
    static constexpr int rest = 100;

    SpielZeit(const qint16& energieFaktor, const platform::Clock& uhr, platform::TimerFactory& timer,
              MldFenster& meldung, RateZeit& rateZeit);

    // The reference point of the first tick: the time of day now, in whole seconds.
    void merkeZeit();
    // Starts draining: the timer runs every 5 seconds from now on.
    void starte() { energTimer_->setEnabled(true); }
    // One tick: the bar loses the seconds since the last tick times the factor; nearly empty, the game ends.
    void EnergTimer_Timer();

    bool zeitUebrig() const { return hoehe >= rest; }
    bool laeuft() const { return energTimer_->isEnabled(); }

    // The end of the program, after the closing message; it does not return.
    std::function<void()> programmEnde;
    // Called when play time runs out, before the message: whatever else must stop moving.
    std::function<void()> spielzeitAbgelaufen;

    qint32 letzteEnergieZeit = 0;
    int top = balkenTop;
    int hoehe = balkenHoehe;

private:
    qint32 uhrzeit() const;

    const qint16& energieFaktor_;
    const platform::Clock& uhr_;
    MldFenster& meldung_;
    RateZeit& rateZeit_;
    std::unique_ptr<platform::Timer> energTimer_;
};

} // namespace findolin
