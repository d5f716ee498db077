#pragma once

#include "launcher/rahmenordner.h"
#include "launcher/spielstart.h"
#include "launcher/startwahl.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSettings;
class QToolButton;

namespace findolin::launcher {

// The launcher's window: who plays (and whether the computer joins them), the practice focus with magnifier
// and basic vocabulary, and under "Weitere Einstellungen" where the words come from, the demo restored, the
// window's size and the high-score list emptied. "Spielen" (also Enter) remembers the choice, starts the game
// and hides the window until the game has ended; then the window shows the points, or what the game said if
// it refused to run or stopped with a run-time error. A control that cannot be chosen says why beside it.
class StartFenster : public QDialog {
    Q_OBJECT
public:
    // `anfang`: the choice to show, the last one or the command line's.
    StartFenster(const Installation& installation, QSettings& einstellungen, const Startwahl& anfang,
                 QWidget* parent = nullptr);

    Startwahl wahl() const;
    bool spieltGerade() const { return spielstart_.laeuft(); }
    // Shows the window in front, at the request of a second launcher.
    void holeNachVorn();
    void done(int ergebnis) override;

signals:
    void spielBeendet(const findolin::launcher::Spielende& ende);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* baueSpielerRahmen();
    QWidget* baueUebungsRahmen();
    QWidget* baueWeitereEinstellungen();
    void zeigeWahl(const Startwahl& wahl);
    void ladeAngebot(const QString& gewaehlt);
    void pruefeComputer();
    void pruefeSchwerpunkt();
    void passeHoeheAn();
    void waehleOrdner();
    void stelleDemoWiederHer();
    void leereMeisterliste();
    bool frage(const QString& titel, const QString& text, const QString& ja);
    void spielen();
    void nachDemSpiel(const Spielende& ende);
    void zeigeMeldung(const QString& text, bool fehler = true);

    Installation installation_;
    QSettings& einstellungen_;
    Spielstart spielstart_;
    QString rahmenordner_; // empty: the demo folder
    Angebot angebot_;
    std::array<QLineEdit*, 5> namen_{};
    QCheckBox* computer_;
    QLabel* computerGrund_;
    QComboBox* schwerpunkt_;
    QCheckBox* lupe_;
    QLabel* lupeGrund_;
    QCheckBox* grundwortschatz_;
    QLabel* grundwortschatzGrund_;
    QToolButton* weitere_;
    QWidget* weitereBereich_;
    QLineEdit* ordnerAnzeige_;
    QCheckBox* originalgroesse_;
    QLabel* ergebnis_;
    QLabel* meldung_;
    QPushButton* spielenKnopf_;
};

} // namespace findolin::launcher
