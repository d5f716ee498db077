#pragma once

#include <QMainWindow>

class QAction;
class QGroupBox;
class QLabel;
class QPushButton;

namespace findolin {
class MainFrm;
}

namespace findolin::view {

// The main window "Omnor - Findolin", drawn at the form's geometry in twips. It shows the state of the
// main window's logic and hands the user's commands to it.
class MainFrmView : public QMainWindow {
public:
    MainFrmView(MainFrm& mainFrm, const QString& appPfad);

    // Shows the logic's current state.
    void aktualisiere();

    QAction* aktion(const QString& name) const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void baueMenue();
    void baueSpielerRahmen(QWidget* flaeche);
    void baueWortRahmen(QWidget* flaeche);
    void baueSpielfeldBeschriftung(QWidget* flaeche);
    void baueUebungsZeile(QWidget* flaeche);

    MainFrm& mainFrm_;
    QString appPfad_;
    QLabel* spNameLbl_ = nullptr;
    QLabel* uebTitelLabel_ = nullptr;
    QLabel* uebBausteinImage_ = nullptr;
    QPushButton* risikoBtn_ = nullptr;
};

} // namespace findolin::view
