#pragma once

#include "wertung.h"

#include <QString>
#include <vector>

namespace findolin {

// What happens in a game, told as it happens: the moves with their results, the turns, the words, the risk
// and the end. The logic tells; whoever shows or says it (the window, the screen reader) listens and
// overrides what it cares about.
class Spielbeobachter {
public:
    virtual ~Spielbeobachter() = default;
    // A field was uncovered and shows what it holds: a letter, "*" for the joker, the empty text for none.
    virtual void feldAufgedeckt(qint16 /*feld*/, const QString& /*buchstabe*/) {}
    // The uncovered field was evaluated: scored, its sound played.
    virtual void zugAusgewertet(qint16 /*feld*/, FeldErgebnis /*ergebnis*/) {}
    // The turn went to a player, who may be the one who had it.
    virtual void zugWeitergegeben(qint16 /*spieler*/, const QString& /*name*/) {}
    // A searched word was dealt, with the context shown in front of it.
    virtual void neuesWort(const QString& /*kontext*/, const QString& /*wort*/) {}
    // The current player is offered the risk.
    virtual void risikoAngeboten(qint16 /*spieler*/) {}
    // The current player put a stake on the next uncovering.
    virtual void einsatzGesetzt(qint16 /*spieler*/, qint32 /*einsatz*/) {}
    // The program ends.
    virtual void spielEnde() {}
};

// Passes every event on to all who listen, in the order they began to.
class Spielereignisse : public Spielbeobachter {
public:
    void abonniere(Spielbeobachter& beobachter);
    void kuendige(Spielbeobachter& beobachter);

    void feldAufgedeckt(qint16 feld, const QString& buchstabe) override;
    void zugAusgewertet(qint16 feld, FeldErgebnis ergebnis) override;
    void zugWeitergegeben(qint16 spieler, const QString& name) override;
    void neuesWort(const QString& kontext, const QString& wort) override;
    void risikoAngeboten(qint16 spieler) override;
    void einsatzGesetzt(qint16 spieler, qint32 einsatz) override;
    void spielEnde() override;

private:
    template <typename Meldung> void melde(Meldung meldung);

    std::vector<Spielbeobachter*> beobachter_;
};

} // namespace findolin
