#include "tabelle.h"

#include <QDateTime>

namespace findolin::platform::db {

int Tabelle::feldIndex(const QString& feld) const {
    for (int i = 0; i < felder.size(); ++i)
        if (felder[i].compare(feld, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

Wert Tabelle::passend(int feld, const Wert& wert) const {
    if (wert.isNull())
        return {};
    switch (arten.at(feld)) {
    case FeldArt::JaNein:
        return wert.toBool();
    case FeldArt::Ganzzahl:
        return wert.toLongLong();
    case FeldArt::Kommazahl:
        return wert.toDouble();
    case FeldArt::Text:
        return wert.toString();
    case FeldArt::Datum:
        return wert.toDateTime();
    case FeldArt::Binaer:
        return wert.toByteArray();
    }
    return wert;
}

} // namespace findolin::platform::db
