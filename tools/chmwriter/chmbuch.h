#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <optional>

namespace findolin::tools {

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

// Reads a project file and takes every other file of its folder as a page. The project file has the sections
// [OPTIONEN] (Titel=..., Startseite=...), [KONTEXTE] (id=page), [INHALT] (name=page, indented by two blanks
// per level) and, optionally, [INDEX] (keyword=page, indented alike). Every page named there must exist;
// otherwise the error is returned in `fehler`.
std::optional<HilfeBuch> leseProjekt(const QString& projektDatei, QString& fehler);

// The contents tree as a sitemap file (.hhc), or the index (.hhk): the same form.
QByteArray sitemap(const QList<InhaltsEintrag>& eintraege);

// The help file: an ITSF container with every file uncompressed in content section 0. Empty when the
// directory does not fit (more than one index chunk would be needed).
QByteArray schreibeChm(const HilfeBuch& buch);

// The context map stored as "#IVB" (pairs of id and offset) and "#STRINGS" (the page names): id -> page.
QMap<quint32, QString> kontextKarte(const QByteArray& ivb, const QByteArray& strings);

// The entries of "#SYSTEM" by their code, the strings without their terminating zero.
QMap<int, QByteArray> systemEintraege(const QByteArray& system);

} // namespace findolin::tools
