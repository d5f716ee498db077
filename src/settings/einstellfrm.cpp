#include "einstellfrm.h"

#include "kern/meldungsfenster.h"
#include "kern/startkontext.h"
#include "logging.h"

namespace findolin {

EinstellFrm::EinstellFrm(platform::ModalPresenter& presenter, Einstellungen& einst,
                         EinstellFormular& formular, StartKontext& kontext, EinstellWirkung& wirkung)
    : presenter_(presenter), einst_(einst), formular_(formular), kontext_(kontext), wirkung_(wirkung) {}

QString EinstellFrm::zeigeModal() {
    hinweis_.clear();
    sichtbar_ = true;
    presenter_.showModal(*this);
    return hinweis_;
}

QString EinstellFrm::okBtn_Click() {
    sichtbar_ = false;
    einst_.einstTon = formular_.tonEin;
    einst_.einstRatezeit = formular_.rateZeitEin;
    einst_.einstFeldMarkierung = formular_.feldMarkEin;
    einst_.einstSpeichern = formular_.einstSaveOpt;
    einst_.einstGegenComputer = formular_.gegenComp;
    einst_.einstSpielStaerke = formular_.spSt == 0 ? 0 : 1;

    // A guess time that already runs goes on as it is.
    if (formular_.rateZeitEin != 1)
        wirkung_.switchVuRestZeit(false);
    else if (!wirkung_.rateZeitLaeuft())
        wirkung_.switchVuRestZeit(true);
    wirkung_.zeigeFeldCursor(formular_.feldMarkEin == 1);
    hinweis_ = uebernimmComputer();

    qCDebug(lcSettings) << "settings confirmed: sound" << einst_.einstTon << "guess time"
                        << einst_.einstRatezeit << "cursor" << einst_.einstFeldMarkierung << "computer"
                        << einst_.einstGegenComputer << "strength" << einst_.einstSpielStaerke << "save"
                        << einst_.einstSpeichern << "players" << kontext_.nSpieler;
    return hinweis_;
}

// The computer joins as the last entry of the list or leaves it; the game-info dialog follows.
QString EinstellFrm::uebernimmComputer() {
    const qint16 n = kontext_.nSpieler;
    const bool computerDabei = n > 0 && kontext_.spielerName[n - 1] == computerName;
    if (formular_.gegenComp == 1 && !computerDabei) {
        if (n >= maxSpieler) {
            // Five people already play: the list stays, and so does the opponent setting.
            formular_.gegenComp = 0;
            einst_.einstGegenComputer = 0;
            qCDebug(lcSettings) << "no room for the computer beside" << n << "players";
            return keinPlatzText;
        }
        kontext_.spielerName[n] = computerName;
        kontext_.nSpieler = n + 1;
        kontext_.spielerPunkte[n] = 0;
        wirkung_.zeigeSpielerZeile(n, true);
    } else if (formular_.gegenComp != 1 && computerDabei) {
        wirkung_.zeigeSpielerZeile(n - 1, false);
        kontext_.nSpieler = n - 1;
    }
    return {};
}

void EinstellFrm::abbrBtn_Click() {
    formular_.tonEin = einst_.einstTon;
    formular_.rateZeitEin = einst_.einstRatezeit;
    formular_.feldMarkEin = einst_.einstFeldMarkierung;
    formular_.einstSaveOpt = einst_.einstSpeichern;
    formular_.gegenComp = einst_.einstGegenComputer;
    formular_.spSt = einst_.einstSpielStaerke;
    sichtbar_ = false;
}

void EinstellFrm::pressButton(const QString& caption) {
    const QString gesucht = ohneZugriffstaste(caption);
    if (gesucht.isEmpty() || gesucht == ohneZugriffstaste(okCaption))
        okBtn_Click();
    else if (gesucht == ohneZugriffstaste(abbrCaption))
        abbrBtn_Click();
}

} // namespace findolin
