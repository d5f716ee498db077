#pragma once

#include "brettlayout.h"
#include "farbtabelle.h"
#include "words/wortdatensatz.h"

#include "platform/services.h"

#include <QString>
#include <array>

namespace findolin {

inline const QString jokerZeichen = QStringLiteral("*");

// One field of the board as the form shows it: the picture box FldPic(i) with its colour and picture, and the
// label FldLbl(i) inside it, whose caption is the field's letter.
struct Feld {
    // Empty: an empty field; one character: a letter of the word, upper case; "*": the joker.
    QString buchstabe;
    bool buchstabeSichtbar = false;
    Farbe farbe = weiss;
    // The picture drawn over the field, a file path; empty when there is none (a taken joker has one).
    QString bildPfad;
    // Uncovered at least once since the deal.
    bool feldGesehen = false;
    // Used up: its letter was found or its joker taken.
    bool feldErledigt = false;
};

// The cursor shape FldCurs, which frames one field; left and top in twips relative to the board's frame.
struct FeldCursor {
    int left = brettlayout::fldCursLeft0;
    int top = brettlayout::fldCursTop0;
    bool sichtbar = false;
};

// The board: 25 fields in five rows of five, numbered row by row from the top left, and the position of the
// next letter to find. Dealing and the queries of the computer opponent work here.
class Spielfeld {
public:
    Spielfeld(platform::RandomSource& zufall, const WortDatensatz& wort);

    Feld& feld(qint16 i);
    const Feld& feld(qint16 i) const;
    const std::array<Feld, brettlayout::anzahlFelder>& felder() const { return felder_; }

    // Covers every field with a random palette colour and empties it.
    void loescheSpielfeld();
    // Deals the word record's word on a cleared board; the search starts at its first character.
    void teileAus();
    // Lays each character of the word, upper case, face down on a free field of its own; often one more field
    // gets the joker.
    void verteileBuchstaben();
    // The dealt board in field order, one character a field: the letter, "*" for the joker, "." when empty.
    QString brettZeile() const;
    // The k-th empty field in board order, counted from 0; field 0 when there are fewer.
    qint16 freiesFeld(qint16 k) const;

    // The letter needed next: the character at aktPos, upper case.
    QString gesuchterBuchstabe() const;
    // Field i held the letter needed next: it is used up, and the next character is searched.
    void findeBuchstaben(qint16 i);
    // The lowest seen, open field holding the letter needed next, or -1.
    qint16 sucheBekanntesFeld() const;
    // The lowest field neither seen nor used up, or -1.
    qint16 sucheNeuesFeld() const;
    // An open field from a random start, upward first, then downward; -1 when none is open.
    qint16 sucheZufallsFeld();

    Farbtabelle feldFarben{};
    FeldCursor fldCurs;
    // Position, from 1, of the next character of the word to find.
    qint16 aktPos = 1;

private:
    platform::RandomSource& zufall_;
    const WortDatensatz& wort_;
    std::array<Feld, brettlayout::anzahlFelder> felder_;
};

// The upper-case form of one character; characters without one (the sharp s) stay as they are.
QString grossBuchstabe(const QString& zeichen);

} // namespace findolin
