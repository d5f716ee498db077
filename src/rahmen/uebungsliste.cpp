#include "uebungsliste.h"

#include "platform/laufzeitfehler.h"

namespace findolin {

Uebungsliste::Uebungsliste(const QString& text, const QString& dateiname) : leser_(text, dateiname) {}

Uebungseintrag Uebungsliste::naechster() {
    Uebungseintrag eintrag;
    eintrag.titel = leser_.naechstesFeld();
    eintrag.feldName = leser_.naechstesFeld();
    if (!eintrag.istUeberschrift()) {
        nummer_ = alsInt16(qint64(nummer_) + 1, QStringLiteral("ubixNr"));
        eintrag.nummer = nummer_;
    }
    return eintrag;
}

} // namespace findolin
