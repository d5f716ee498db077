#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

// Writes compiled help files: the pages, the contents, the index and the context ids in a container that
// stores every file uncompressed.
namespace findolin::chm {

// One line of the contents tree or of the index: its level (0 at the top), the name shown and the page it
// opens.
struct InhaltsEintrag {
    int ebene = 0;
    QString name;
    QString seite;
};

// Everything a compiled help file holds: the pages by their names inside the file, the start page, the title,
// the contents tree, the index of keywords (none: the file has no index) and the context ids by which
// programs open a page.
struct HilfeBuch {
    QString titel;
    QString startSeite;
    QString inhaltsDatei = QStringLiteral("inhalt.hhc");
    QString stichwortDatei = QStringLiteral("stichwort.hhk");
    QList<InhaltsEintrag> inhalt;
    QList<InhaltsEintrag> stichwoerter;
    QMap<quint32, QString> kontexte;
    QMap<QString, QByteArray> seiten;
};

// The contents tree as a sitemap file (.hhc), or the index (.hhk): the same form.
QByteArray sitemap(const QList<InhaltsEintrag>& eintraege);

// The help file: an ITSF container with every file uncompressed in content section 0. Empty when the
// directory does not fit (more than one index chunk would be needed).
QByteArray schreibeChm(const HilfeBuch& buch);

} // namespace findolin::chm
