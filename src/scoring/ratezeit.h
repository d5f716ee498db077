#pragma once

#include "spielerliste.h"
#include "vumeter.h"

#include "kern/meldungsfenster.h"
#include "platform/services.h"
#include "sound/soundmodul.h"

#include <memory>

namespace findolin {

// The guess time: while it is limited, every uncovering must come within 20 seconds. The needle of the
// remaining-time meter sweeps by 50 units a second; at 1000 a message names the player and the turn passes.
class RateZeit {
public:
    static constexpr qint16 schrittProSekunde = 50;
    static constexpr qint16 ablauf = 1000;

    RateZeit(Spielerliste& spieler, SoundModul& sound, MldFenster& meldung, platform::TimerFactory& timer);

    // The meter's start: the dial's "off" picture, the needle at rest, the hub centred.
    void initVuMeter() {
        vuRestZeitEin = false;
        vuMeter.initVuMeter();
    }
    // Switches the limit on or off: the timer, the dial's picture, and the needle back at rest.
    void switchVuRestZeit(bool ein);
    // A fresh guess time: the counter at 0 and the needle at rest.
    void setzeRateZeitZurueck();
    // One second of guess time; at the end the message, then the next player.
    void RestZeitTimer_Timer();
    // Stops the guess time for good, as the end of the play time does.
    void halteAn() { restZeitTimer_->setEnabled(false); }

    bool laeuft() const { return restZeitTimer_->isEnabled(); }

    qint16 rateZeit = 0;
    VuMeter vuMeter;
    bool vuRestZeitEin = false; // the dial shows its "on" picture

private:
    Spielerliste& spieler_;
    SoundModul& sound_;
    MldFenster& meldung_;
    std::unique_ptr<platform::Timer> restZeitTimer_;
};

} // namespace findolin
