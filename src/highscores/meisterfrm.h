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

    // From the menu "&Meisterliste ...": fills the columns and shows the dialog until "&OK" hides it.
    void zeige();
    // Fills the four columns from the list; rows with 0 or fewer points are left out and use no rank. A list
    // that cannot be read (a damaged file, say) leaves the columns empty and says why in `hinweis`; the file
    // is left as it is and the game goes on.
    void ladeListe();

    // The first line of `hinweis`, above the reason and the file.
    static inline const QString nichtLesbar = QStringLiteral("Die Meisterliste kann nicht gelesen werden:");

    QString formName() const override { return name; }
    void pressButton(const QString& caption) override;

    QString platzLbl, nameLbl, datumLbl, punkteLbl;
    QString hinweis; // lines separated by a carriage return; empty when the list was read
    bool sichtbar = false;

private:
    platform::ModalPresenter& presenter_;
    const MeisterListe& liste_;
};

} // namespace findolin
