#pragma once

#include "meisterliste.h"
#include "platform/services.h"

namespace findolin {

// The dialog of the high-score list: four columns (rank, name, date, points), one line per shown row, each
// line ending in a carriage return; rebuilt from the file every time it is shown. "&OK" hides it.
class MeisterFrm : public platform::ModalForm {
public:
    static inline const QString name = QStringLiteral("MeisterFrm");
    static inline const QString caption = QStringLiteral("Meisterliste");
    static inline const QString okKnopf = QStringLiteral("&OK");
    static inline const QString kopfName = QStringLiteral("Name");
    static inline const QString kopfDatum = QStringLiteral("Datum");
    static inline const QString kopfPunkte = QStringLiteral("Punkte");

    MeisterFrm(platform::ModalPresenter& presenter, const MeisterListe& liste);

    // From the menu "&Meisterliste ...": fills the columns and shows the dialog until "&OK" hides it. A
    // broken file is a run-time error.
    void zeige();
    // Fills the four columns from the list; rows with 0 or fewer points are left out and use no rank.
    void ladeListe();

    QString formName() const override { return name; }
    void pressButton(const QString& caption) override;

    QString platzLbl, nameLbl, datumLbl, punkteLbl;
    bool sichtbar = false;

private:
    platform::ModalPresenter& presenter_;
    const MeisterListe& liste_;
};

} // namespace findolin
