#pragma once

#include "anzeigen.h"
#include "platform/services.h"
#include "scoring/risiko.h"

#include <QHash>
#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>

class QAction;
class QLabel;
class QPushButton;
class QFrame;

namespace findolin {
class MainFrm;
}
namespace findolin::platform {
class NamensLabel;
}

namespace findolin::view {

class Ansage;
class BrettAnsicht;
class BildWidget;
class VuMeterWidget;
class Vorleser;

// The main window "Omnor - Findolin", drawn at the form's geometry in twips. It shows the state of the main
// window's logic and hands the user's commands to it; like the form, it sees every key before its controls.
// F11 shows it on the whole screen, the form in the middle, and back.
class MainFrmView : public QMainWindow, public platform::FormView {
public:
    MainFrmView(MainFrm& mainFrm, const QString& appPfad);
    ~MainFrmView() override;

    // The scale for the game's windows on a screen whose free area has this size: the main window takes
    // most of its height, and stays whole on it. FINDOLIN_ORIGINALGROESSE=1 chooses the original size.
    static double massstabFuer(QSize bildschirm);
    void schalteVollbild();

    // Shows the logic's current state; repaintNow also paints it at once, before a pause.
    void aktualisiere();
    void repaintNow() override;

    QAction* aktion(const QString& name) const;

    // Runs once, right after the board has first been painted: for what can wait until the game is on screen.
    std::function<void()> nachErstemZeichnen;
    BrettAnsicht* brett() const { return brett_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* objekt, QEvent* event) override;

private:
    void baueMenue();
    void setzeFesteGroesse(bool fest);
    void baueSpielfeld(QWidget* flaeche);
    void baueWortRahmen(QWidget* flaeche);
    void baueSpielerRahmen(QWidget* flaeche);
    void baueRisikoUndZeit(QWidget* flaeche);
    void baueUebungsZeile(QWidget* flaeche);
    void aktualisiereWorte();
    void aktualisiereMenues();
    bool hilfeZuMenue(QObject* objekt, QEvent* event);
    QString grafik(const QString& datei) const;
    QString lampenBild(Lampe lampe) const;

    MainFrm& mainFrm_;
    // The menu items by name; the menus are refreshed after every event, so they are not searched for.
    QHash<QString, QAction*> aktionen_;
    QString appPfad_;
    Bilder bilder_;
    QWidget* flaeche_ = nullptr; // the form's inside, at its size in twips
    BrettAnsicht* brett_ = nullptr;
    QLabel* suchKontLbl_ = nullptr;
    QLabel* suchWortLbl_ = nullptr;
    QFrame* leseLupe_ = nullptr;
    QLabel* fundKontLbl_ = nullptr;
    QLabel* fundWortLbl_ = nullptr;
    platform::NamensLabel* spNameLbl_ = nullptr;
    std::array<QLabel*, 5> punkZiff_{};
    std::array<QLabel*, 3> risikoZiff_{};
    QPushButton* risikoBtn_ = nullptr;
    BildWidget* risikoAusImg_ = nullptr; // the upper lamp, red while nothing is offered
    BildWidget* risikoEinImg_ = nullptr; // the lower lamp, green while a risk is offered
    VuMeterWidget* vuMeter_ = nullptr;
    BildWidget* restZeitStand_ = nullptr; // the play-time bar
    QLabel* uebTitelLabel_ = nullptr;
    BildWidget* uebBausteinImage_ = nullptr;
    QWidget* punkte_ = nullptr;  // the points, read as one number
    QWidget* einsatz_ = nullptr; // the stake, read as one number
    Ansage* ansage_ = nullptr;
    bool imZug_ = false; // within a move's immediate repaint
    std::unique_ptr<Vorleser> vorleser_;
};

} // namespace findolin::view
