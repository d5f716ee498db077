#pragma once

#include "platform/services.h"
#include <accessdb/database.h>

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

// Every file the launcher reads, from a framework folder or from its own game folder, is read here, and every
// file it writes is written here: one place for the checks that files from outside need.
namespace findolin::launcher {

// The file as named, or else one whose name, or its folders' names, differ only in case (framework folders
// come from Windows); empty when there is none or only a folder of that name.
QString findeDatei(const QString& pfad);
// The same for a folder.
QString findeOrdner(const QString& pfad);

// The file whole. A missing file, one that cannot be read, or anything but a regular file (a folder, a pipe,
// a device: checked before it is opened, so that nothing blocks) is a run-time error naming it.
QByteArray liesDatei(const QString& pfad);

// Writes the file in one step, through a file beside it: whoever reads it finds the old or the new content
// whole. A failure is a run-time error naming the file.
void schreibeDatei(const QString& pfad, const QByteArray& inhalt);

// A copy of `von` at `nach`, written in one step as above.
void kopiereDatei(const QString& von, const QString& nach);

// A database file (Access or SQLite) opened for reading only.
std::unique_ptr<accessdb::Database> oeffneDatenbank(const QString& pfad);

// A new SQLite database file at `pfad` with the tables that `schema` declares, made beside and then put in
// the place of the old file in one step, once `fuelle` has filled it. Nothing is left half made.
void legeDatenbankAn(const QString& pfad, const QStringList& schema,
                     const std::function<void(accessdb::Database&)>& fuelle);

// The same reading and writing for the readers the launcher shares with the game.
platform::FileSystem& dateisystem();

} // namespace findolin::launcher
