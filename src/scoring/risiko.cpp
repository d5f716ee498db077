#include "risiko.h"

#include "logging.h"

#include "wertung.h"

namespace findolin {

Risiko::Risiko(Spielerliste& spieler, SoundModul& sound, platform::RandomSource& zufall,
               platform::TimerFactory& timer)
    : spieler_(spieler), sound_(sound), zufall_(zufall),
      lampenTimer_(timer.createTimer(500, [this] { LampenTimer_Timer(); })) {}

void Risiko::risikoAnbieten(bool ein) {
    zeigeLampen(ein ? 1 : 2);
    risikoBtnEnabled = ein;
    risikoZiffEnabled = ein;
    if (ein)
        qCDebug(lcScoring) << "risk offered to player" << spieler_.aktSpieler;
}

void Risiko::zeigeLampen(qint16 art) {
    switch (art) {
    case 0:
        lampenTimer_->setEnabled(false);
        risikoAusImg = Lampe::Dunkel;
        risikoEinImg = Lampe::Dunkel;
        break;
    case 1:
        risikoAusImg = Lampe::Dunkel;
        risikoEinImg = Lampe::Gruen;
        lampenTimer_->setEnabled(true);
        break;
    case 2:
        lampenTimer_->setEnabled(false);
        risikoAusImg = Lampe::Rot;
        risikoEinImg = Lampe::Dunkel;
        break;
    default:
        break;
    }
}

void Risiko::RisikoBtn_Click() {
    if (!risikoBtnEnabled)
        return; // the button takes one stake per offer
    const qint16 einsatz = zieheEinsatz(zufall_);
    sound_.playSound(QStringLiteral("BewegungEnde"));
    spieler_.setzeEinsatz(einsatz);
    risikoBtnEnabled = false;
}

void Risiko::LampenTimer_Timer() {
    if (!lampeAn_) {
        risikoEinImg = Lampe::Gruen;
        lampeAn_ = true;
        blinkZaehler_ = static_cast<qint16>(blinkZaehler_ + 1);
        return;
    }
    if (blinkZaehler_ <= 5) {
        risikoEinImg = Lampe::Dunkel;
    } else {
        // Six green phases shown: the lamp stays green and the blinking stops.
        blinkZaehler_ = 0;
        zeigeLampen(0);
        risikoEinImg = Lampe::Gruen;
    }
    lampeAn_ = false;
}

} // namespace findolin
