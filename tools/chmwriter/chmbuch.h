#pragma once

#include <chm/chmschreiber.h>

#include <QByteArray>
#include <QMap>
#include <QString>
#include <optional>

namespace findolin::tools {

// Reads a project file and takes every other file of its folder as a page. The project file has the sections
// [OPTIONEN] (Titel=..., Startseite=...), [KONTEXTE] (id=page), [INHALT] (name=page, indented by two blanks
// per level) and, optionally, [INDEX] (keyword=page, indented alike). Every page named there must exist;
// otherwise the error is returned in `fehler`.
std::optional<chm::HilfeBuch> leseProjekt(const QString& projektDatei, QString& fehler);

// The context map stored as "#IVB" (pairs of id and offset) and "#STRINGS" (the page names): id -> page.
QMap<quint32, QString> kontextKarte(const QByteArray& ivb, const QByteArray& strings);

// The entries of "#SYSTEM" by their code, the strings without their terminating zero.
QMap<int, QByteArray> systemEintraege(const QByteArray& system);

} // namespace findolin::tools
