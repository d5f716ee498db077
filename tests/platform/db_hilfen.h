#pragma once

#include "platform/db/database.h"

#include <QList>
#include <QVariantList>

// All rows of a cursor from its first one, each as its field values in field order.
inline QList<QVariantList> alleZeilen(findolin::platform::db::Recordset& rs) {
    QList<QVariantList> zeilen;
    if (rs.recordCount() == 0)
        return zeilen;
    rs.moveFirst();
    while (!rs.eof()) {
        QVariantList werte;
        for (const QString& feld : rs.fieldNames())
            werte.append(rs.field(feld));
        zeilen.append(werte);
        rs.moveNext();
    }
    return zeilen;
}

// The Wort values of all rows of a cursor, in cursor order.
inline QStringList alleWorte(findolin::platform::db::Recordset& rs) {
    QStringList worte;
    for (const QVariantList& zeile : alleZeilen(rs))
        worte.append(zeile.at(rs.fieldNames().indexOf(QStringLiteral("Wort"))).toString());
    return worte;
}
