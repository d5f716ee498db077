#pragma once

#include "listensperre.h"
#include "pruefpunkte.h"

#include <QByteArray>
#include <QString>
#include <functional>

// How a written Access file replaces the original, which other programs share: under the lock, a copy in the
// same folder is written, flushed, read back and checked, and then renamed over the original in one step.
// Until then the original is untouched; whatever fails on the way leaves it as it was and removes the copy.
namespace findolin::accessdb::jet {

// The copy this process writes for the file at `pfad`.
inline QString arbeitskopie(const QString& pfad) {
    return arbeitsDatei(pfad);
}

// The whole file at `pfad`; one that cannot be read is a run-time error naming it.
QByteArray liesGanz(const QString& pfad);

// Replaces the file at `pfad`, which must still hold `original`, by `neu`, while `sperre` is held;
// `pruefe` checks the written copy (given its path) and throws to refuse it. Failures are run-time errors
// naming `pfad`; for lack of space, its folder.
void ersetzeSicher(const QString& pfad, const ListenSperre& sperre, const QByteArray& original,
                   const QByteArray& neu, const std::function<void(const QString& kopie)>& pruefe);

} // namespace findolin::accessdb::jet
