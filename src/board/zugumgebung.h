#pragma once

#include <QString>

namespace findolin {

// What a move needs from the rest of the game: sound, the next word, the risk offer and the guess time.
class ZugUmgebung {
public:
    virtual ~ZugUmgebung() = default;
    // Plays the sound of an event ("Annahme1", "Gratulation1", ...), or nothing when sound is off.
    virtual void playSound(const QString& ereignis) = 0;
    // Chooses the next searched word and fills the word record the board reads.
    virtual void waehleWort() = 0;
    // Offers the risk (true) or withdraws it (false): the Risiko button, its digits and the lamps.
    virtual void risikoAnbieten(bool ein) = 0;
    // Starts the guess time afresh and redraws its meter.
    virtual void setzeRateZeitZurueck() = 0;
};

} // namespace findolin
