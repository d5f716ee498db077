#include "abgeschirmt.h"

#include "logging.h"
#include "platform/dateisystem.h"
#include "platform/laufzeitfehler.h"

#include <QFile>

#ifdef Q_OS_LINUX
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace findolin::accessdb {

namespace {

[[noreturn]] void beschaedigt(const QString& was, const QString& pfad) {
    throw Laufzeitfehler(QStringLiteral("Die Access-Datei ist beschädigt: ") + was, pfad);
}

[[noreturn]] void zuGross(const QString& pfad) {
    beschaedigt(QStringLiteral("Sie liefert mehr Daten, als sie enthalten kann"), pfad);
}

} // namespace

#ifdef Q_OS_LINUX

namespace {

// Writes with plain write(), the one thing the child may do besides running the library.
class RohrAusgabe : public jet::Ausgabe {
public:
    explicit RohrAusgabe(int fd) : fd_(fd) {}
    void schreibe(const void* daten, size_t laenge) override {
        const char* p = static_cast<const char*>(daten);
        while (laenge > 0 && ok_) {
            const ssize_t n = ::write(fd_, p, laenge);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                ok_ = false;
                break;
            }
            p += n;
            laenge -= size_t(n);
        }
    }
    bool ok() const { return ok_; }

private:
    int fd_;
    bool ok_ = true;
};

// The address space the process holds now; the child may grow by its budget beyond it.
qint64 adressraum() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    return statm.readLine().split(' ').value(0).toLongLong() * sysconf(_SC_PAGESIZE);
}

// What the library wrote to the terminal: its first and its last lines, and how much it was.
struct Meldungen {
    QByteArray anfang, ende;
    qint64 bytes = 0, zeilen = 0;

    void nimm(const char* daten, qsizetype n) {
        bytes += n;
        zeilen += std::count(daten, daten + n, '\n');
        if (anfang.size() < 1024)
            anfang.append(daten, std::min<qsizetype>(n, 1024 - anfang.size()));
        ende.append(daten, n);
        if (ende.size() > 1024)
            ende = ende.right(512);
    }
    // One line: how much, the first three lines and the last one.
    void logge(const QString& pfad) const {
        if (bytes == 0)
            return;
        const auto zeilenAus = [](const QByteArray& text) {
            return QString::fromLocal8Bit(text).split(u'\n', Qt::SkipEmptyParts);
        };
        const QStringList erste = zeilenAus(anfang).mid(0, 3);
        const QString letzte = zeilenAus(ende).value(zeilenAus(ende).size() - 1);
        qCWarning(lcDb).noquote().nospace()
            << "libmdb wrote " << zeilen << " lines (" << bytes << " bytes) while reading " << pfad << ": "
            << erste.join(QStringLiteral(" | ")).left(600)
            << (zeilen > 3 ? QStringLiteral(" ... ") + letzte.left(200) : QString());
    }
};

[[noreturn]] void kindLiest(const std::function<void(jet::Ausgabe&)>& lesen, int daten, int meldungen,
                            qint64 speicher, int sekunden) {
    // only system calls, the library, glib and malloc from here on: other threads' locks are gone
    // the game's signal handlers (a crash reporter, say) are not the child's: a crash ends it at once
    for (int signal = 1; signal < NSIG; ++signal)
        std::signal(signal, SIG_DFL);
    sigset_t alle;
    sigemptyset(&alle);
    sigprocmask(SIG_SETMASK, &alle, nullptr);
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    prctl(PR_SET_DUMPABLE, 0);
    const rlimit kern{0, 0};
    setrlimit(RLIMIT_CORE, &kern);
    if (speicher > 0) {
        const rlimit as{rlim_t(speicher), rlim_t(speicher)};
        setrlimit(RLIMIT_AS, &as);
    }
    // the kernel counts processor time, which no test clock speeds up: SIGXCPU, then SIGKILL a second later
    const rlimit cpu{rlim_t(sekunden), rlim_t(sekunden + 1)};
    setrlimit(RLIMIT_CPU, &cpu);
    dup2(meldungen, STDOUT_FILENO);
    dup2(meldungen, STDERR_FILENO);
    RohrAusgabe ausgabe(daten);
    // nothing may leave this function: the game's own handlers up the stack belong to the parent
    try {
        lesen(ausgabe);
    } catch (const std::bad_alloc&) {
        static const char meldung[] = "std::bad_alloc: failed to allocate memory\n";
        (void)!write(STDERR_FILENO, meldung, sizeof meldung - 1);
        _exit(4);
    } catch (...) {
        _exit(4);
    }
    std::fflush(stdout);
    _exit(ausgabe.ok() ? 0 : 3);
}

[[noreturn]] void nichtLesbar(int fehler, const QString& pfad) {
    throw Laufzeitfehler(QStringLiteral("Die Access-Datei kann nicht gelesen werden: ") +
                             QString::fromLocal8Bit(std::strerror(fehler)),
                         pfad);
}

// A child that reads: its process, and the read ends of its answer and of what it wrote to the terminal.
struct Kind {
    pid_t pid;
    int daten;
    int meldungen;
};

Kind starteKind(const std::function<void(jet::Ausgabe&)>& lesen, const QString& pfad,
                const Lesegrenzen& grenzen) {
    const qint64 speicher = adressraum() + grenzen.speicherMiB * 1024 * 1024;
    int daten[2], meldungen[2];
    if (pipe2(daten, O_CLOEXEC) != 0)
        nichtLesbar(errno, pfad);
    if (pipe2(meldungen, O_CLOEXEC) != 0) {
        const int fehler = errno;
        close(daten[0]);
        close(daten[1]);
        nichtLesbar(fehler, pfad);
    }
    std::fflush(nullptr); // what is buffered belongs to the game, not to the child
    const pid_t kind = fork();
    if (kind == 0) {
        close(daten[0]);
        close(meldungen[0]);
        kindLiest(lesen, daten[1], meldungen[1], speicher, grenzen.sekunden);
    }
    const int forkFehler = errno;
    close(daten[1]);
    close(meldungen[1]);
    if (kind < 0) {
        close(daten[0]);
        close(meldungen[0]);
        nichtLesbar(forkFehler, pfad);
    }
    return {kind, daten[0], meldungen[0]};
}

// What came from the child until both its pipes closed, the real time ran out or the answer grew too large.
struct Ertrag {
    QByteArray antwort;
    Meldungen gemeldet;
    bool zuLange = false;
    bool zuViel = false;
};

Ertrag sammle(const Kind& kind, std::chrono::milliseconds wandzeit, qint64 hoechstens) {
    Ertrag ertrag;
    pollfd fds[2] = {{kind.daten, POLLIN, 0}, {kind.meldungen, POLLIN, 0}};
    const qint64 ende = platform::dateisystem::echteMillisekunden() + wandzeit.count();
    char puffer[65536];
    while ((fds[0].fd >= 0 || fds[1].fd >= 0) && !ertrag.zuViel) {
        const qint64 rest = ende - platform::dateisystem::echteMillisekunden();
        if (rest <= 0) {
            ertrag.zuLange = true;
            break;
        }
        // faketime shortens the wait of poll(); the loop looks at the clock again
        if (poll(fds, 2, int(std::min<qint64>(rest, 1000))) < 0 && errno != EINTR) {
            ertrag.zuLange = true; // nothing more can be read: the child must not outlive this
            break;
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0)
                continue;
            const ssize_t n = read(fds[i].fd, puffer, sizeof puffer);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                close(fds[i].fd);
                fds[i].fd = -1;
            } else if (i == 0) {
                ertrag.antwort.append(puffer, n);
                ertrag.zuViel = ertrag.antwort.size() > hoechstens;
            } else {
                ertrag.gemeldet.nimm(puffer, n);
            }
        }
    }
    for (const pollfd& fd : fds)
        if (fd.fd >= 0)
            close(fd.fd);
    return ertrag;
}

// Why a child that did not end well failed to read, as the run-time error naming `pfad`.
[[noreturn]] void scheitert(int status, const rusage& verbrauch, const Meldungen& gemeldet,
                            const QString& pfad, const Lesegrenzen& grenzen) {
    // past the soft limit SIGXCPU, past the hard one SIGKILL
    const long rechenzeit = verbrauch.ru_utime.tv_sec + verbrauch.ru_stime.tv_sec;
    if (WIFSIGNALED(status) &&
        (WTERMSIG(status) == SIGXCPU || (WTERMSIG(status) == SIGKILL && rechenzeit >= grenzen.sekunden)))
        beschaedigt(
            QStringLiteral("Das Lesen brauchte mehr als %1 Sekunden Rechenzeit").arg(grenzen.sekunden), pfad);
    if (gemeldet.ende.contains("alloc"))
        beschaedigt(QStringLiteral("Das Lesen brauchte mehr als ") + QString::number(grenzen.speicherMiB) +
                        QStringLiteral(" MiB Speicher"),
                    pfad);
    if (WIFSIGNALED(status))
        beschaedigt(QStringLiteral("Das Lesen brach ab (Signal ") + QString::number(WTERMSIG(status)) +
                        QStringLiteral(", ") + QString::fromLocal8Bit(strsignal(WTERMSIG(status))) + u')',
                    pfad);
    beschaedigt(QStringLiteral("Das Lesen brach ab (Rückgabewert ") +
                    QString::number(WIFEXITED(status) ? WEXITSTATUS(status) : -1) + u')',
                pfad);
}

} // namespace

QByteArray liesAbgeschirmt(const std::function<void(jet::Ausgabe&)>& lesen, const QString& pfad,
                           const Lesegrenzen& grenzen, qint64 hoechstens) {
    const Kind kind = starteKind(lesen, pfad, grenzen);
    const Ertrag ertrag = sammle(kind, grenzen.wandzeit, hoechstens);
    if (ertrag.zuLange || ertrag.zuViel)
        kill(kind.pid, SIGKILL);
    int status = 0;
    rusage verbrauch{};
    while (wait4(kind.pid, &status, 0, &verbrauch) < 0 && errno == EINTR) {
    }
    ertrag.gemeldet.logge(pfad);
    if (ertrag.zuViel)
        zuGross(pfad);
    if (ertrag.zuLange)
        beschaedigt(QStringLiteral("Das Lesen dauerte länger als %1 Sekunden")
                        .arg(double(grenzen.wandzeit.count()) / 1000),
                    pfad);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0)
        return ertrag.antwort;
    scheitert(status, verbrauch, ertrag.gemeldet, pfad, grenzen);
}

#else

namespace {

class PufferAusgabe : public jet::Ausgabe {
public:
    PufferAusgabe(QByteArray& ziel, qint64 hoechstens) : ziel_(ziel), hoechstens_(hoechstens) {}
    void schreibe(const void* daten, size_t laenge) override {
        ziel_.append(static_cast<const char*>(daten), qsizetype(laenge));
        if (ziel_.size() > hoechstens_)
            voll = true;
    }
    bool voll = false;

private:
    QByteArray& ziel_;
    qint64 hoechstens_;
};

} // namespace

// Without fork() the library runs in the game's own process; only the size of its answer is bounded.
QByteArray liesAbgeschirmt(const std::function<void(jet::Ausgabe&)>& lesen, const QString& pfad,
                           const Lesegrenzen&, qint64 hoechstens) {
    QByteArray antwort;
    PufferAusgabe ausgabe(antwort, hoechstens);
    lesen(ausgabe);
    if (ausgabe.voll)
        zuGross(pfad);
    return antwort;
}

#endif

} // namespace findolin::accessdb
