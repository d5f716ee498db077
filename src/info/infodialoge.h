#pragma once

#include "kern/startkontext.h"
#include "platform/services.h"

#include <array>

namespace findolin {

// The game-info dialog " Datei-Info": every player's name and points, the size of the word set and whether
// only the basic vocabulary is played. Made once; its rows stay as set between two showings.
class DateiInfoFrm : public platform::ModalForm {
public:
    static inline const QString name = QStringLiteral("DateiInfoFrm");
    static inline const QString caption = QStringLiteral(" Datei-Info");

    // One row of the frame "Spielstand": SpName and SpPunkte, laid out hidden.
    struct Zeile {
        QString spName;
        QString spPunkte = QStringLiteral("0");
        bool sichtbar = false;
    };

    explicit DateiInfoFrm(platform::ModalPresenter& presenter);

    // Shows row i with the player's name and 0 points, as for every player of the launch list.
    void zeigeSpieler(qint16 i, const QString& spielerName);
    void versteckeSpieler(qint16 i);
    // The menu command: the players' current points into their rows, then the dialog.
    void mnuDateiInfo_Click(const StartKontext& kontext, const std::array<QString, 2>& wortschatz);

    QString formName() const override { return name; }
    void pressButton(const QString&) override {} // "&OK" only hides the dialog

    std::array<Zeile, maxSpieler> spieler;
    // DatInfLbl: the word count, and "ja" or "nein" for the basic vocabulary.
    std::array<QString, 2> datInfLbl{QStringLiteral("0"), QStringLiteral("nein")};

private:
    Zeile& zeile(qint16 i);
    platform::ModalPresenter& presenter_;
};

// The about dialog "Info über ...": the program's name, logo and version, and who makes it.
class InfoFrm : public platform::ModalForm {
public:
    static inline const QString name = QStringLiteral("InfoFrm");
    static inline const QString caption = QStringLiteral("Info über ...");

    explicit InfoFrm(platform::ModalPresenter& presenter) : presenter_(presenter) {}

    void mnuHilfeInfo_Click() { presenter_.showModal(*this); }
    // The version as the dialog shows it: "4.", the minor version, ".", the revision.
    static QString relLbl();

    QString formName() const override { return name; }
    void pressButton(const QString&) override {}

private:
    platform::ModalPresenter& presenter_;
};

} // namespace findolin
