#include "dateisystem.h"

#include "laufzeitfehler.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace findolin::platform::dateisystem {

namespace {

QString nativ(const QString& pfad) {
    return QDir::toNativeSeparators(pfad);
}

QString ordnerVon(const QString& pfad) {
    return nativ(QFileInfo(pfad).absolutePath());
}

} // namespace

Art art(const QString& pfad) {
    const QFileInfo info(pfad);
    if (!info.exists())
        return Art::Fehlt;
    return info.isFile() ? Art::Gewoehnlich : Art::Andere;
}

void keineGewoehnlicheDatei(const QString& pfad) {
    throw Laufzeitfehler(
        QStringLiteral("Das ist keine gewöhnliche Datei (sondern ein Ordner, eine Pipe oder ein Gerät)"),
        nativ(pfad));
}

void pruefeGewoehnlich(const QString& pfad) {
    if (art(pfad) == Art::Andere)
        keineGewoehnlicheDatei(pfad);
}

void keinPlatz(const QString& problem, const QString& pfad) {
    throw Laufzeitfehler(problem + QStringLiteral(": Auf dem Datenträger ist kein Platz mehr"),
                         ordnerVon(pfad));
}

#ifdef _WIN32

namespace {

std::wstring breit(const QString& pfad) {
    return nativ(pfad).toStdWString();
}

QString systemFehler(DWORD fehler) {
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                       FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, fehler, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    QString ergebnis =
        text ? QString::fromWCharArray(text).trimmed() : QStringLiteral("Fehler %1").arg(fehler);
    LocalFree(text);
    return ergebnis;
}

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

qint64 echteMillisekunden() {
    return qint64(GetTickCount64());
}

void schlafe(int ms) {
    Sleep(DWORD(ms));
}

bool istKeinPlatz(int fehler) {
    return fehler == ERROR_DISK_FULL || fehler == ERROR_HANDLE_DISK_FULL;
}

QByteArray liesGewoehnlich(const QString& pfad) {
    if (art(pfad) == Art::Fehlt)
        throw Laufzeitfehler(QStringLiteral("Datei nicht gefunden"), nativ(pfad));
    if (art(pfad) == Art::Andere)
        keineGewoehnlicheDatei(pfad);
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly))
        throw Laufzeitfehler(QStringLiteral("Die Datei kann nicht gelesen werden"), nativ(pfad));
    return datei.readAll();
}

void schreibeDauerhaft(const QString& pfad, const QByteArray& daten, const QString& problem) {
    const HANDLE h = CreateFileW(breit(pfad).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD fehler = h == INVALID_HANDLE_VALUE ? GetLastError() : 0;
    for (qint64 geschrieben = 0; fehler == 0 && geschrieben < daten.size();) {
        DWORD n = 0;
        if (!WriteFile(h, daten.constData() + geschrieben,
                       DWORD(std::min<qint64>(daten.size() - geschrieben, 1 << 20)), &n, nullptr))
            fehler = GetLastError();
        geschrieben += n;
    }
    if (fehler == 0 && !FlushFileBuffers(h))
        fehler = GetLastError();
    if (h != INVALID_HANDLE_VALUE)
        CloseHandle(h);
    if (istKeinPlatz(int(fehler)))
        keinPlatz(problem, pfad);
    if (fehler != 0)
        throw Laufzeitfehler(problem + QStringLiteral(": ") + systemFehler(fehler), nativ(pfad));
}

void legeLeerAn(const QString& pfad, const QString& problem) {
    const HANDLE h = CreateFileW(breit(pfad).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        CloseHandle(h);
        return;
    }
    const DWORD fehler = GetLastError();
    if (fehler == ERROR_FILE_EXISTS)
        return;
    if (istKeinPlatz(int(fehler)))
        keinPlatz(problem, pfad);
    throw Laufzeitfehler(problem + QStringLiteral(": ") + systemFehler(fehler), nativ(pfad));
}

QString ersetze(const QString& von, const QString& nach) {
    if (!MoveFileExW(breit(von).c_str(), breit(nach).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return systemFehler(GetLastError());
    return {};
}

QString legeAn(const QString& von, const QString& nach, bool* schonDa) {
    if (schonDa)
        *schonDa = false;
    if (MoveFileExW(breit(von).c_str(), breit(nach).c_str(), MOVEFILE_WRITE_THROUGH))
        return {};
    const DWORD fehler = GetLastError();
    if (schonDa)
        *schonDa = fehler == ERROR_ALREADY_EXISTS || fehler == ERROR_FILE_EXISTS;
    return systemFehler(fehler);
}

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

QByteArray name(const QString& pfad) {
    return QFile::encodeName(pfad);
}

QString systemFehler(int fehler) {
    return QString::fromLocal8Bit(std::strerror(fehler));
}

// The folder's entry for a new name lasts only once the folder itself is on the disk.
void ordnerDauerhaft(const QString& pfad) {
    if (const int ordner = ::open(name(QFileInfo(pfad).absolutePath()).constData(), O_RDONLY | O_CLOEXEC);
        ordner >= 0) {
        ::fsync(ordner);
        ::close(ordner);
    }
}

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

qint64 echteMillisekunden() {
    // the system call itself: faketime replaces clock_gettime() of the C library, not the kernel's clock
    timespec t{};
    ::syscall(SYS_clock_gettime, CLOCK_MONOTONIC, &t);
    return qint64(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
}

void schlafe(int ms) {
    const timespec t{ms / 1000, long(ms % 1000) * 1000000};
    ::nanosleep(&t, nullptr);
}

bool istKeinPlatz(int fehler) {
    return fehler == ENOSPC || fehler == EDQUOT;
}

QByteArray liesGewoehnlich(const QString& pfad) {
    const int fd = ::open(name(pfad).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT)
            throw Laufzeitfehler(QStringLiteral("Datei nicht gefunden"), nativ(pfad));
        throw Laufzeitfehler(QStringLiteral("Die Datei kann nicht gelesen werden: ") + systemFehler(errno),
                             nativ(pfad));
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        keineGewoehnlicheDatei(pfad);
    }
    QByteArray daten;
    daten.reserve(qsizetype(info.st_size));
    char puffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, puffer, sizeof puffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int fehler = errno;
            ::close(fd);
            throw Laufzeitfehler(
                QStringLiteral("Die Datei kann nicht gelesen werden: ") + systemFehler(fehler), nativ(pfad));
        }
        if (n == 0)
            break;
        daten.append(puffer, n);
    }
    ::close(fd);
    return daten;
}

void schreibeDauerhaft(const QString& pfad, const QByteArray& daten, const QString& problem) {
    const int fd = ::open(name(pfad).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    int fehler = fd < 0 ? errno : 0;
    for (qsizetype geschrieben = 0; fehler == 0 && geschrieben < daten.size();) {
        const ssize_t n = ::write(fd, daten.constData() + geschrieben, size_t(daten.size() - geschrieben));
        if (n < 0 && errno != EINTR)
            fehler = errno;
        else if (n > 0)
            geschrieben += n;
    }
    // network file systems may report a full disk only here
    if (fehler == 0 && ::fsync(fd) != 0)
        fehler = errno;
    if (fd >= 0 && ::close(fd) != 0 && fehler == 0)
        fehler = errno;
    if (istKeinPlatz(fehler))
        keinPlatz(problem, pfad);
    if (fehler != 0)
        throw Laufzeitfehler(problem + QStringLiteral(": ") + systemFehler(fehler), nativ(pfad));
}

void legeLeerAn(const QString& pfad, const QString& problem) {
    const int fd = ::open(name(pfad).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    const int fehler = fd < 0 ? errno : 0;
    if (fd >= 0) {
        ::close(fd);
        ordnerDauerhaft(pfad);
    }
    if (fehler == 0 || fehler == EEXIST)
        return;
    if (istKeinPlatz(fehler))
        keinPlatz(problem, pfad);
    throw Laufzeitfehler(problem + QStringLiteral(": ") + systemFehler(fehler), nativ(pfad));
}

QString ersetze(const QString& von, const QString& nach) {
    if (::rename(name(von).constData(), name(nach).constData()) != 0)
        return systemFehler(errno);
    ordnerDauerhaft(nach);
    return {};
}

QString legeAn(const QString& von, const QString& nach, bool* schonDa) {
    if (schonDa)
        *schonDa = false;
    int fehler = 0;
    if (::renameat2(AT_FDCWD, name(von).constData(), AT_FDCWD, name(nach).constData(), RENAME_NOREPLACE) !=
        0) {
        fehler = errno;
        // file systems without it (some network ones) still make a second name in one step
        if (fehler == EINVAL || fehler == ENOSYS) {
            fehler = ::link(name(von).constData(), name(nach).constData()) == 0 ? 0 : errno;
            if (fehler == 0)
                ::unlink(name(von).constData());
        }
    }
    if (fehler != 0) {
        if (schonDa)
            *schonDa = fehler == EEXIST;
        return systemFehler(fehler);
    }
    ordnerDauerhaft(nach);
    return {};
}

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
