#pragma once

#include "spielerliste.h"

#include "platform/services.h"
#include "sound/soundmodul.h"

#include <memory>

namespace findolin {

// What a lamp shows; a lamp is switched by giving it one of the three lamp pictures.
enum class Lampe { Dunkel, Rot, Gruen };

// The risk offer: now and then a player may put a random stake on the next uncovering. This owns the Risiko
// button with its stake digits and the two lamps, the upper one red while nothing is offered, the lower one
// blinking green while an offer stands. The stake itself lives with the points, in Spielerliste.
class Risiko {
public:
    Risiko(Spielerliste& spieler, SoundModul& sound, platform::RandomSource& zufall,
           platform::TimerFactory& timer);

    // True: lamps for an offer, the button and the digits enabled. False: the red lamp, all disabled.
    void risikoAnbieten(bool ein);
    // 0: both lamps dark, no blinking; 1: the green lamp, blinking; 2: the red lamp; other values: nothing.
    void zeigeLampen(qint16 art);
    // The button draws the stake, shows it and disables itself; the lamp goes on blinking.
    void RisikoBtn_Click();
    // One blink step of the green lamp, every 500 ms while an offer blinks.
    void LampenTimer_Timer();

    bool blinkt() const { return lampenTimer_->isEnabled(); }

    // The controls' state, as the form shows it.
    Lampe risikoAusImg = Lampe::Dunkel; // upper lamp
    Lampe risikoEinImg = Lampe::Dunkel; // lower lamp
    bool risikoBtnEnabled = false;
    bool risikoZiffEnabled = false;

private:
    Spielerliste& spieler_;
    SoundModul& sound_;
    platform::RandomSource& zufall_;
    std::unique_ptr<platform::Timer> lampenTimer_;
    // The blinking's memory lives for the whole run: a withdrawn offer leaves it where it was, and the next
    // offer blinks on from there.
    bool lampeAn_ = false;
    qint16 blinkZaehler_ = 0;
};

} // namespace findolin
