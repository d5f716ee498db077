#pragma once

#include "chmbehaelter.h"

#include <QMap>
#include <QString>

namespace findolin::chm {

// What the help compiler noted about the file: the title, the topic it opens with, and the names of the
// contents and index files; empty where it noted nothing. From #SYSTEM, then the first window of #WINDOWS.
struct HilfeSystemDaten {
    QString titel;
    QString standardThema;
    QString inhaltsDatei;
    QStringList stichwortDateien;
};

HilfeSystemDaten leseSystemDaten(const ChmBehaelter& chm);

// Context ids and the page references they open, as stored: the pairs of #IVB (id, name in #STRINGS) and
// the [MAP] (#define NAME id) and [ALIAS] (NAME=page) texts some compilers embed as .h/.hm/.ali files.
QMap<qint32, QString> leseKontexte(const ChmBehaelter& chm);

} // namespace findolin::chm
