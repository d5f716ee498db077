#include "sperrdatei.h"

#include "systemaufrufe.h"

#ifndef _WIN32
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <algorithm>

namespace findolin::platform::dateisystem {

#ifdef _WIN32

namespace {

HANDLE alsHandle(std::intptr_t h) {
    return reinterpret_cast<HANDLE>(h);
}

OVERLAPPED stelle(qint64 anfang) {
    OVERLAPPED o{};
    o.Offset = DWORD(anfang & 0xffffffff);
    o.OffsetHigh = DWORD(anfang >> 32);
    return o;
}

} // namespace

QString Sperrdatei::oeffne(const QString& pfad) {
    schliesse();
    const HANDLE h = CreateFileW(breit(pfad).c_str(), GENERIC_READ | GENERIC_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return systemFehler(GetLastError());
    handle_ = reinterpret_cast<std::intptr_t>(h);
    return {};
}

bool Sperrdatei::sperre(qint64 anfang, qint64 laenge) {
    OVERLAPPED o = stelle(anfang);
    return LockFileEx(alsHandle(handle_), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0,
                      DWORD(laenge & 0xffffffff), DWORD(laenge >> 32), &o) != 0;
}

void Sperrdatei::gibFrei(qint64 anfang, qint64 laenge) {
    OVERLAPPED o = stelle(anfang);
    UnlockFileEx(alsHandle(handle_), 0, DWORD(laenge & 0xffffffff), DWORD(laenge >> 32), &o);
}

// Windows cannot ask who holds a lock: each byte is tried instead.
qint64 Sperrdatei::gesperrtAb(qint64 anfang, qint64 laenge) {
    for (qint64 b = anfang; b < anfang + laenge; ++b) {
        if (!sperre(b, 1))
            return b;
        gibFrei(b, 1);
    }
    return -1;
}

bool Sperrdatei::istNoch(const QString& pfad) const {
    const HANDLE h =
        CreateFileW(breit(pfad).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION a{}, b{};
    const bool gleich = GetFileInformationByHandle(alsHandle(handle_), &a) &&
                        GetFileInformationByHandle(h, &b) &&
                        a.dwVolumeSerialNumber == b.dwVolumeSerialNumber &&
                        a.nFileIndexHigh == b.nFileIndexHigh && a.nFileIndexLow == b.nFileIndexLow;
    CloseHandle(h);
    return gleich;
}

QByteArray Sperrdatei::lies(qint64 stelle_, qint64 laenge) const {
    QByteArray daten(laenge, '\0');
    OVERLAPPED o = stelle(stelle_);
    DWORD n = 0;
    if (!ReadFile(alsHandle(handle_), daten.data(), DWORD(laenge), &n, &o))
        n = 0;
    daten.truncate(n);
    return daten;
}

bool Sperrdatei::schreibe(qint64 stelle_, const QByteArray& daten) {
    OVERLAPPED o = stelle(stelle_);
    DWORD n = 0;
    return WriteFile(alsHandle(handle_), daten.constData(), DWORD(daten.size()), &n, &o) &&
           n == DWORD(daten.size());
}

void Sperrdatei::schliesse() {
    if (handle_ != kein)
        CloseHandle(alsHandle(handle_));
    handle_ = kein;
}

#else

namespace {

// Locks of the open file description where the system has them, so that two openings in one process exclude
// each other too; process locks elsewhere.
bool sperrAufruf(int fd, int art, qint64 anfang, qint64 laenge, struct flock* frage = nullptr) {
    struct flock f {};
    f.l_type = short(art);
    f.l_whence = SEEK_SET;
    f.l_start = off_t(anfang);
    f.l_len = off_t(laenge);
    const bool fragen = frage != nullptr;
#ifdef F_OFD_SETLK
    if (::fcntl(fd, fragen ? F_OFD_GETLK : F_OFD_SETLK, &f) == 0) {
        if (frage)
            *frage = f;
        return true;
    }
    if (errno != EINVAL)
        return false;
    f = {};
    f.l_type = short(art);
    f.l_whence = SEEK_SET;
    f.l_start = off_t(anfang);
    f.l_len = off_t(laenge);
#endif
    if (::fcntl(fd, fragen ? F_GETLK : F_SETLK, &f) != 0)
        return false;
    if (frage)
        *frage = f;
    return true;
}

} // namespace

QString Sperrdatei::oeffne(const QString& pfad) {
    schliesse();
    const int fd = ::open(name(pfad).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return systemFehler(errno);
    handle_ = fd;
    return {};
}

bool Sperrdatei::sperre(qint64 anfang, qint64 laenge) {
    return sperrAufruf(int(handle_), F_WRLCK, anfang, laenge);
}

void Sperrdatei::gibFrei(qint64 anfang, qint64 laenge) {
    sperrAufruf(int(handle_), F_UNLCK, anfang, laenge);
}

qint64 Sperrdatei::gesperrtAb(qint64 anfang, qint64 laenge) {
    struct flock f {};
    if (!sperrAufruf(int(handle_), F_WRLCK, anfang, laenge, &f) || f.l_type == F_UNLCK)
        return -1;
    return std::max<qint64>(anfang, f.l_start);
}

bool Sperrdatei::istNoch(const QString& pfad) const {
    struct stat offen {
    }, benannt{};
    return ::fstat(int(handle_), &offen) == 0 && ::stat(name(pfad).constData(), &benannt) == 0 &&
           offen.st_dev == benannt.st_dev && offen.st_ino == benannt.st_ino;
}

QByteArray Sperrdatei::lies(qint64 stelle, qint64 laenge) const {
    QByteArray daten(qsizetype(laenge), '\0');
    const ssize_t n = ::pread(int(handle_), daten.data(), size_t(laenge), off_t(stelle));
    daten.truncate(n < 0 ? 0 : qsizetype(n));
    return daten;
}

bool Sperrdatei::schreibe(qint64 stelle, const QByteArray& daten) {
    return ::pwrite(int(handle_), daten.constData(), size_t(daten.size()), off_t(stelle)) == daten.size();
}

void Sperrdatei::schliesse() {
    if (handle_ != kein)
        ::close(int(handle_));
    handle_ = kein;
}

#endif

} // namespace findolin::platform::dateisystem
