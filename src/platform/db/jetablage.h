#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

// How a written Access file replaces the original, which other programs share: a copy in the same folder is
// written, flushed, read back and checked, and then renamed over the original in one step. Until then the
// original is untouched; whatever fails on the way leaves it as it was and removes the copy.
namespace findolin::platform::db::jet {

// The steps of a replacement, in order; a test can make any of them fail.
enum class Schritt { Sperre, Vergleich, Kopie, Pruefung, Umbenennen };
// Called before each step; throwing there aborts the replacement like a failure of the step itself.
inline std::function<void(Schritt)> fehlerProbe;

// How long a lock file of another program is waited for before the write is refused.
inline int sperrWarteMs = 2000;

// The lock file that shows the database open in an Access program: its name with ".ldb" in place of ".mdb".
QString sperrDatei(const QString& pfad);
// Waits up to sperrWarteMs for the lock file to go; a run-time error when it stays.
void warteAufSperre(const QString& pfad);

// Replaces the file at `pfad`, which must still hold `original`, by `neu`; `pruefe` checks the written
// copy (given its path) and throws to refuse it. Failures are run-time errors naming `pfad`.
void ersetzeSicher(const QString& pfad, const QByteArray& original, const QByteArray& neu,
                   const std::function<void(const QString& kopie)>& pruefe);

} // namespace findolin::platform::db::jet
