#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace findolin::platform::dateisystem {

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
