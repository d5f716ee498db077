#pragma once

#include "launcher/rahmenordner.h"
#include "launcher/spielstart.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSettings;

namespace findolin::launcher {

// The launcher's window: who plays, the practice focus, magnifier and basic vocabulary, and the framework
// folder. "Spielen" remembers the choice, starts the game and hides the window until the game has ended; a
// refusal or run-time error of the game is shown in the window afterwards.
class StartFenster : public QDialog {
    Q_OBJECT
public:
    StartFenster(const Installation& installation, QSettings& einstellungen, QWidget* parent = nullptr);

    Startwahl wahl() const;
    void done(int ergebnis) override;

signals:
    void spielBeendet(const findolin::launcher::Spielende& ende);

private:
    void zeigeWahl(const Startwahl& wahl);
    void ladeSchwerpunkte(const QString& gewaehlt);
    void waehleOrdner();
    void spielen();
    void nachDemSpiel(const Spielende& ende);
    void zeigeMeldung(const QString& text);

    Installation installation_;
    QSettings& einstellungen_;
    Spielstart spielstart_;
    QString rahmenordner_; // empty: the standard copy
    std::array<QLineEdit*, 5> namen_{};
    QComboBox* schwerpunkt_;
    QCheckBox* lupe_;
    QCheckBox* grundwortschatz_;
    QLineEdit* ordnerAnzeige_;
    QLabel* meldung_;
    QPushButton* spielenKnopf_;
};

} // namespace findolin::launcher
