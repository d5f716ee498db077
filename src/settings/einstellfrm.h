#pragma once

#include "einstellformular.h"
#include "einstellungen.h"
#include "einstellwirkung.h"
#include "platform/services.h"

#include <QString>

namespace findolin {

struct StartKontext;

// The settings dialog "Einstellungen". It is made once and only shown and hidden; its controls
// (EinstellFormular) keep their states between two openings. "&OK" takes the controls into the settings
// record and applies them at once; "&abbrechen", Esc and closing the window throw the edits away.
class EinstellFrm : public platform::ModalForm {
public:
    static inline const QString name = QStringLiteral("EinstellFrm");
    static inline const QString caption = QStringLiteral("Einstellungen");
    static inline const QString okCaption = QStringLiteral("&OK");
    static inline const QString abbrCaption = QStringLiteral("&abbrechen");
    // The computer opponent is the player list's last entry, with exactly this name.
    static inline const QString computerName = QStringLiteral("Computer");

    // What "&OK" returns when the computer was chosen while five people play: the list has no room for it,
    // so it stays as it is and the box is cleared again. The caller shows this in its message window with
    // the single button "&OK" and the caption keinPlatzTitel.
    static inline const QString keinPlatzText =
        QStringLiteral("Der Computer kann nicht mitspielen:\rEs spielen schon fünf Spieler,\r"
                       "mehr Plätze gibt es nicht.");
    static inline const QString keinPlatzTitel = QStringLiteral("Computer als Gegenspieler");

    // All parts live for the whole run: the record and the controls with the main form's other module
    // state, the player list in the launch context, the effects in the main form.
    EinstellFrm(platform::ModalPresenter& presenter, Einstellungen& einst, EinstellFormular& formular,
                StartKontext& kontext, EinstellWirkung& wirkung);

    // Shows the dialog modally and returns once it is hidden: what "&OK" returned, or nothing after
    // "&abbrechen".
    QString zeigeModal();

    // Hides the dialog, copies the controls into the record and applies guess time, field cursor and the
    // computer entry of the player list, in this order. Returns keinPlatzText when the computer found no
    // room, otherwise nothing.
    QString okBtn_Click();
    // Puts the record's values back into the controls and hides the dialog.
    void abbrBtn_Click();

    QString formName() const override { return name; }
    // "&OK" or "&abbrechen"; no answer at all presses "&OK", the dialog's default button.
    void pressButton(const QString& caption) override;

    EinstellFormular& formular() { return formular_; }
    const Einstellungen& einstellungen() const { return einst_; }
    bool sichtbar() const { return sichtbar_; }

private:
    QString uebernimmComputer();

    platform::ModalPresenter& presenter_;
    Einstellungen& einst_;
    EinstellFormular& formular_;
    StartKontext& kontext_;
    EinstellWirkung& wirkung_;
    QString hinweis_;
    bool sichtbar_ = false;
};

} // namespace findolin
