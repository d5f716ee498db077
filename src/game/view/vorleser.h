#pragma once

#include <QString>
#include <QStringList>
#include <array>

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
// to date, and says aloud what has just happened: a field uncovered with its result, a completed and a new
// word, the change of turn, a risk offered and a stake placed.
class Vorleser {
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

    // The state the window shows now counts as known: nothing of it is said.
    Vorleser(MainFrm& frm, const Anzeigen& anzeigen, Ansage& ansage);

    // Renames what changed and notes what happened since the last call; says all that is noted when `sagen`.
    // A move is said as one, once its evaluation is over: a second notification would cut the first short.
    void aktualisiere(bool sagen);

private:
    // What the announcements compare from one call to the next.
    struct Stand {
        std::array<QString, 25> felder;
        qint16 aktSpieler = 0;
        QString suchWort;
        bool risikoAngeboten = false;
        int einsatz = 0;
    };
    Stand stand() const;
    void benenne();
    void benenneMessgeraete();
    QStringList neuigkeiten(const Stand& jetzt);

    MainFrm& frm_;
    Anzeigen anzeigen_;
    Ansage& ansage_;
    Stand letzter_;
    QStringList offen_;   // noted, not said yet
    int aufgedeckt_ = -1; // the field uncovered since the last announcement, with what it shows
    QString aufgedecktInhalt_;
};

} // namespace findolin::view
