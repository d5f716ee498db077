#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

// What the game needs from the operating system beyond Qt's file classes, all in this one place: a clock that
// test tools cannot speed up, byte-range locks, putting a file in place with or without replacing another,
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
// Gives `von` the name `nach` in one step only where nothing is called `nach` yet; the new name lasts.
// Empty on success; `schonDa` tells that another file had the name.
QString legeAn(const QString& von, const QString& nach, bool* schonDa = nullptr);

// A file opened for locking byte ranges, which other processes (and other openings in this one) see:
// fcntl's open-file-description locks on Linux, LockFileEx on Windows. Locks may lie beyond the file's end.
class Sperrdatei {
public:
    Sperrdatei() = default;
    ~Sperrdatei() { schliesse(); }
    Sperrdatei(const Sperrdatei&) = delete;
    Sperrdatei& operator=(const Sperrdatei&) = delete;

    // Opens `pfad` for reading and writing, making an empty file where there is none. Empty on success,
    // otherwise the system's reason.
    QString oeffne(const QString& pfad);
    bool offen() const { return handle_ != kein; }
    // Locks `laenge` bytes from `anfang` for this opening alone, without waiting; false when another holds a
    // lock on any of them.
    bool sperre(qint64 anfang, qint64 laenge);
    void gibFrei(qint64 anfang, qint64 laenge);
    // The first byte of the range on which another holds a lock; -1 when none does.
    qint64 gesperrtAb(qint64 anfang, qint64 laenge);
    // Whether `pfad` still names this opened file, not a file put in its place after it was deleted.
    bool istNoch(const QString& pfad) const;
    QByteArray lies(qint64 stelle, qint64 laenge) const;
    bool schreibe(qint64 stelle, const QByteArray& daten);
    // Closes the file, which releases every lock on it.
    void schliesse();

private:
    static constexpr std::intptr_t kein = -1;
    std::intptr_t handle_ = kein;
};

} // namespace findolin::platform::dateisystem
