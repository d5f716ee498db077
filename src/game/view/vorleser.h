#pragma once

#include "scoring/spielereignisse.h"

#include <QString>

class QLabel;
class QWidget;

namespace findolin {
class MainFrm;
}

namespace findolin::view {

class Ansage;
class BildWidget;

// What a screen reader reads of the main window, in German: keeps the accessible names of the points and the
// stake (one number each), the player on turn, the searched and the found word, the lamps and both meters up
// to date, and says aloud what the game tells has happened: a field uncovered with its result, a new word,
// the change of turn, a risk offered and a stake placed.
class Vorleser : private Spielbeobachter {
public:
    struct Anzeigen {
        QWidget* punkte;
        QWidget* einsatz;
        QLabel* spName;
        QLabel* suchWort;
        QLabel* fundWort;
        BildWidget* lampeRot;
        BildWidget* lampeGruen;
        BildWidget* vuMeter;
        BildWidget* restZeit;
    };

    // Listens to the game from now on: what happened before is not said.
    Vorleser(MainFrm& frm, const Anzeigen& anzeigen, Ansage& ansage);
    ~Vorleser() override;

    // Renames what changed; says all that happened since the last announcement when `sagen`. A move is said
    // as one, once it has been evaluated: a second notification would cut the first short.
    void aktualisiere(bool sagen);

private:
    void feldAufgedeckt(qint16 feld, const QString& buchstabe) override;
    void zugAusgewertet(qint16 feld, FeldErgebnis ergebnis) override;
    void zugWeitergegeben(qint16 spieler, const QString& name) override;
    void neuesWort(const QString& kontext, const QString& wort) override;
    void risikoAngeboten(qint16 spieler) override;
    void einsatzGesetzt(qint16 spieler, qint32 einsatz) override;
    void spielEnde() override;

    void benenne();
    void benenneMessgeraete();

    // What is still to be said, in the order it is said; empty parts are left out.
    struct Neuigkeiten {
        QString feld; // the uncovered field, what it shows and, once evaluated, its result
        QString neuesWort;
        QString amZug;
        QString risiko;
        QString einsatz;
    };

    MainFrm& frm_;
    Anzeigen anzeigen_;
    Ansage& ansage_;
    Neuigkeiten offen_;
    qint16 aufgedeckt_ = -1;       // the field uncovered last
    bool auswertungOffen_ = false; // its result is still to come
    qint16 amZug_ = 0;             // the player last told to be on turn
    bool beendet_ = false;         // the program ends: nothing more is said
};

} // namespace findolin::view
