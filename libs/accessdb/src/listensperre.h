#pragma once

#include "platform/sperrdatei.h"

#include <QString>

namespace findolin::accessdb {

// The lock a writer holds while it replaces a shared database file, taken the way Access shares a file.
//
// Access (the Jet engine) keeps a lock file beside every database it has open, "Meister.ldb" beside
// "Meister.mdb". Each program that has the database open holds a one-byte lock in it, at 0x10000001 + n for
// the n-th user, and writes its computer name at 64 × n; a program that opens the database exclusively holds
// 0x10000000. The locks are what counts: the kernel (or the file server) drops them when their holder ends,
// so a lock file whose bytes nobody holds is left over from a crash and is simply taken over.
//
// Our writer puts a whole new file in the database's place, which no other program may have open meanwhile.
// So for its write it locks all of 0x10000000 to 0x100000ff, as an exclusive opening would: Access then finds
// the database in use, and a second game of ours waits here for the first. The locks live in the lock file,
// not in the database, because a lock on the old database file would mean nothing to whoever opens the new
// one. When the lock is let go, the lock file goes too, as Access removes it when its last user leaves.
class ListenSperre {
public:
    // Waits up to sperrWarteMs() (by a clock that faketime does not speed up) for the database at
    // `datenbank`; a run-time error naming it when another program keeps it longer. Removes what killed
    // writers left.
    explicit ListenSperre(const QString& datenbank);
    ~ListenSperre();
    ListenSperre(const ListenSperre&) = delete;
    ListenSperre& operator=(const ListenSperre&) = delete;

    // A run-time error when the lock file was deleted while we held it: another writer may hold a new one.
    void pruefe() const;

private:
    QString werHaelt();
    void trageEin();

    QString datenbank_;
    QString pfad_;
    platform::dateisystem::Sperrdatei datei_;
};

// The lock file of a database: its name with ".ldb" in place of ".mdb", or in capitals where such a file is
// there already.
QString sperrDatei(const QString& datenbank);

// The name under which this process writes a new file for `datenbank` beside it: a copy being checked, or a
// list being made. Each process has a name of its own.
QString arbeitsDatei(const QString& datenbank);

} // namespace findolin::accessdb
