#include "dateisystem.h"

#include "laufzeitfehler.h"
#include "systemaufrufe.h"

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

void ersetzeDauerhaft(const QString& ziel, const QByteArray& inhalt, const Ersetzung& wie) {
    try {
        schreibeDauerhaft(wie.beiseite, inhalt, wie.schreibProblem);
        if (wie.pruefe)
            wie.pruefe(wie.beiseite);
        if (const QString grund = ersetze(wie.beiseite, ziel); !grund.isEmpty())
            throw Laufzeitfehler(wie.ersetzProblem + grund, wie.betroffen);
    } catch (...) {
        QFile::remove(wie.beiseite);
        throw;
    }
}

#ifdef _WIN32

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

#else

QByteArray name(const QString& pfad) {
    return QFile::encodeName(pfad);
}

QString systemFehler(int fehler) {
    return QString::fromLocal8Bit(std::strerror(fehler));
}

namespace {

// The folder's entry for a new name lasts only once the folder itself is on the disk.
void ordnerDauerhaft(const QString& pfad) {
    if (const int ordner = ::open(name(QFileInfo(pfad).absolutePath()).constData(), O_RDONLY | O_CLOEXEC);
        ordner >= 0) {
        ::fsync(ordner);
        ::close(ordner);
    }
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

#endif

} // namespace findolin::platform::dateisystem
