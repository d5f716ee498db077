#include "meisterfrm.h"

#include "kern/meldungsfenster.h"
#include "platform/laufzeitfehler.h"

namespace findolin {

MeisterFrm::MeisterFrm(platform::ModalPresenter& presenter, const MeisterListe& liste)
    : presenter_(presenter), liste_(liste) {}

void MeisterFrm::ladeListe() {
    platzLbl.clear();
    nameLbl.clear();
    datumLbl.clear();
    punkteLbl.clear();
    hinweis.clear();
    const QChar ende(13);
    std::vector<MeisterEintrag> zeilen;
    try {
        zeilen = liste_.zeilen();
    } catch (const Laufzeitfehler& fehler) {
        hinweis = nichtLesbar + ende + fehler.meldung();
        return;
    }
    qint16 rang = 1;
    for (const MeisterEintrag& zeile : zeilen) {
        if (zeile.punkte <= 0)
            continue;
        // a long name is cut, but only when it is long without its blanks
        const QString name = zeile.name.trimmed().size() > MeisterListe::nameLaenge
                                 ? zeile.name.left(MeisterListe::nameLaenge)
                                 : zeile.name;
        platzLbl += QString::number(rang) + u'.' + ende;
        nameLbl += name + ende;
        datumLbl += zeile.datum + ende;
        punkteLbl += QString::number(zeile.punkte) + ende;
        rang = alsInt16(qint64(rang) + 1, QStringLiteral("Rang in der Meisterliste"));
    }
}

void MeisterFrm::zeige() {
    ladeListe();
    sichtbar = true;
    presenter_.showModal(*this);
    sichtbar = false;
}

void MeisterFrm::pressButton(const QString& knopf) {
    if (ohneZugriffstaste(knopf) == ohneZugriffstaste(okKnopf) || knopf.isEmpty())
        sichtbar = false;
}

} // namespace findolin
