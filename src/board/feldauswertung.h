#pragma once

#include "spielfeld.h"
#include "zugumgebung.h"

#include "platform/services.h"
#include "scoring/spielereignisse.h"
#include "scoring/spielerliste.h"
#include "scoring/wertung.h"
#include "settings/einstellungen.h"

#include <memory>

namespace findolin {

class Spielbrett;

// The services a move uses: the clock and the blocking pause for the two seconds after a move, the timer that
// runs the evaluation, the random draws, and the form's immediate repaint.
struct ZugDienste {
    platform::Clock& uhr;
    platform::BlockingPause& pause;
    platform::TimerFactory& timer;
    platform::RandomSource& zufall;
    platform::FormView& ansicht;
};

// Mouse and keyboard button codes as the form reports them.
inline constexpr int linkeMaustaste = 1;
inline constexpr int tasteEnter = 13;
inline constexpr int tasteLinks = 37;
inline constexpr int tasteHoch = 38;
inline constexpr int tasteRechts = 39;
inline constexpr int tasteRunter = 40;

// A move: uncovering a field by mouse, keyboard or the computer, checking it at once, and carrying out the
// consequences (sound, points, pause, turn, next word, risk hint) a moment later on the timer FldAnzTimer.
class Feldauswertung {
public:
    // Tells `ereignisse` of every field uncovered, every move evaluated and every risk offered.
    Feldauswertung(Spielbrett& brett, Spielerliste& spieler, const Einstellungen& einstellungen,
                   const WortDatensatz& wort, ZugUmgebung& umgebung, Spielbeobachter& ereignisse,
                   ZugDienste dienste, QString appPfad);

    // A mouse button pressed on field `index`; only the left button uncovers.
    void FldPic_MouseDown(qint16 index, int button);
    // A key pressed on the main form: the arrows move the cursor, Enter uncovers the field under it.
    void Form_KeyDown(int keyCode);
    // Uncovers field i and starts its evaluation, unless it is used up.
    void deckeFeldAuf(qint16 i);
    // Checks field i against the letter needed next, for the evaluation that follows.
    void pruefeFeld(qint16 i);
    // The field under the cursor.
    qint16 cursorFeld() const;
    // The consequences of the checked move; runs once per move.
    void FldAnzTimer_Timer();
    // Puts one of the three joker pictures on the uncovered field and uses the field up.
    void zeigeJoker();
    // The joker picture n (1 to 3) of the program folder `appPfad`.
    static QString jokerBild(const QString& appPfad, int n);
    // Whether to offer a risk now: in one case of four, when a seen open field holds the letter needed next.
    bool pruefeHinweis();

    // True from the uncovering of a field until its evaluation starts.
    bool auswertungAnstehend() const { return fldAnzTimer_->isEnabled(); }

private:
    void deckeAuf(qint16 i);
    void zeigeFundZeichen();
    void warteZweiSekunden();

    Spielbrett& brett_;
    Spielfeld& feld_;
    Spielerliste& spieler_;
    const Einstellungen& einstellungen_;
    const WortDatensatz& wort_;
    ZugUmgebung& umgebung_;
    Spielbeobachter& ereignisse_;
    ZugDienste dienste_;
    QString appPfad_;
    std::unique_ptr<platform::Timer> fldAnzTimer_;

    // The move under way, from the uncovering of its field to the end of its evaluation: the field, the
    // colour it had before it turned white, whether an earlier move had uncovered it, and what the check
    // found.
    qint16 aktFeld_ = 0;
    Farbe feldFarbe_ = weiss;
    bool warGesehen_ = false;
    FeldErgebnis feldErgebnis_ = FeldErgebnis::Leer;
};

} // namespace findolin
