#include "bilddatei.h"

#include "platform/dateisystem.h"
#include "platform/files.h"
#include "platform/laufzeitfehler.h"

namespace findolin::platform {

QPixmap ladePixmap(const QString& pfad) {
    const QString gefunden = findeDatei(pfad);
    if (gefunden.isEmpty())
        return {};
    dateisystem::pruefeGewoehnlich(gefunden);
    QPixmap bild;
    try {
        bild.loadFromData(dateisystem::liesGewoehnlich(gefunden));
    } catch (const Laufzeitfehler&) {
        // unreadable: the dialog goes without its picture, as without a missing one
    }
    return bild;
}

} // namespace findolin::platform
