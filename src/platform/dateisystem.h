#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

// What the game needs from the operating system beyond Qt's file classes, all in this one place: a clock that
// test tools cannot speed up, putting a file in place with or without replacing another,
// writing a file to the disk, reading only regular files, and telling a full disk from other failures.
namespace findolin::platform::dateisystem {

// Milliseconds of a steady clock that tools speeding up the program's clock (faketime replaces the C
// library's clock functions) do not touch: for limits that must hold in real time.
qint64 echteMillisekunden();
// Sleeps for about `ms` milliseconds (less under faketime, which is harmless where a loop checks the clock
// above).
void schlafe(int ms);

enum class Art { Fehlt, Gewoehnlich, Andere };
// What lies at `pfad`, following links, without opening it: a fifo or a device would block a reader.
Art art(const QString& pfad);

// Reads a regular file whole without ever blocking on a fifo or a device: it is opened without waiting and
// checked before a byte is read. Throws a run-time error naming the file: missing, not a regular file, or not
// readable.
QByteArray liesGewoehnlich(const QString& pfad);
// The run-time error for something at `pfad` that is there but no regular file.
[[noreturn]] void keineGewoehnlicheDatei(const QString& pfad);
// For readers that open the file themselves by name: a run-time error when something other than a regular
// file lies at `pfad`; a missing file passes (the reader says so in its own words).
void pruefeGewoehnlich(const QString& pfad);

// Writes `daten` as the whole new content of `pfad` and waits until it is on the disk. Throws a run-time
// error `problem`; for lack of space "<problem>: Auf dem Datenträger ist kein Platz mehr" naming the folder,
// otherwise with the system's reason, naming the file.
void schreibeDauerhaft(const QString& pfad, const QByteArray& daten, const QString& problem);
// Makes an empty file at `pfad` where nothing is yet; one that is there is left as it is. Run-time errors as
// for schreibeDauerhaft.
void legeLeerAn(const QString& pfad, const QString& problem);
// The run-time error for a write to `pfad` that found no room on its disk.
[[noreturn]] void keinPlatz(const QString& problem, const QString& pfad);
// Whether the error number of a failed write (errno, or GetLastError on Windows) means a full disk.
bool istKeinPlatz(int fehler);

// Renames `von` to `nach` in one step, replacing `nach`, and makes the new name last. Empty on success,
// otherwise the system's reason.
QString ersetze(const QString& von, const QString& nach);
// Puts `inhalt` in the place of the file `ziel` so that a crash at any moment leaves either the old file or
// the whole new one: written beside it to `beiseite` and flushed to the disk, checked by `pruefe` (given the
// path of the copy; it throws to refuse it), renamed over `ziel` in one step, and the folder's new entry made
// to last. Whatever fails removes the copy and leaves `ziel` as it was: a write as for schreibeDauerhaft with
// `schreibProblem`, a rename as the run-time error "<ersetzProblem><the system's reason>" naming `betroffen`.
struct Ersetzung {
    QString beiseite;
    QString schreibProblem;
    QString ersetzProblem;
    QString betroffen;
    std::function<void(const QString& kopie)> pruefe = {};
};
void ersetzeDauerhaft(const QString& ziel, const QByteArray& inhalt, const Ersetzung& wie);
// Gives `von` the name `nach` in one step only where nothing is called `nach` yet; the new name lasts.
// Empty on success; `schonDa` tells that another file had the name.
QString legeAn(const QString& von, const QString& nach, bool* schonDa = nullptr);
} // namespace findolin::platform::dateisystem
