#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <optional>

namespace findolin::tools {

// One line of the contents tree: its level (0 at the top), the name shown and the page it opens.
struct InhaltsEintrag {
    int ebene = 0;
    QString name;
    QString seite;
};

// Everything a compiled help file holds: the pages by their names inside the file, the start page, the title,
// the contents tree and the context ids by which programs open a page.
struct HilfeBuch {
    QString titel;
    QString startSeite;
    QString inhaltsDatei = QStringLiteral("inhalt.hhc");
    QList<InhaltsEintrag> inhalt;
    QMap<quint32, QString> kontexte;
    QMap<QString, QByteArray> seiten;
};

// Reads a project file and takes every other file of its folder as a page. The project file has the sections
// [OPTIONEN] (Titel=..., Startseite=...), [KONTEXTE] (id=page) and [INHALT] (name=page, indented by two
// blanks per level). Every page named there must exist; otherwise the error is returned in `fehler`.
std::optional<HilfeBuch> leseProjekt(const QString& projektDatei, QString& fehler);

// The contents tree as a sitemap file (.hhc).
QByteArray sitemap(const HilfeBuch& buch);

// The help file: an ITSF container with every file uncompressed in content section 0. Empty when the
// directory does not fit (more than one index chunk would be needed).
QByteArray schreibeChm(const HilfeBuch& buch);

// The context map stored as "#IVB" (pairs of id and offset) and "#STRINGS" (the page names): id -> page.
QMap<quint32, QString> kontextKarte(const QByteArray& ivb, const QByteArray& strings);

// The entries of "#SYSTEM" by their code, the strings without their terminating zero.
QMap<int, QByteArray> systemEintraege(const QByteArray& system);

} // namespace findolin::tools
