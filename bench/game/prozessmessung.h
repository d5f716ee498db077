#pragma once

// Times a program from its process start until it reports its window ("shown" on standard output), with its
// peak memory; shared by the start-up benchmarks. Linux only (fork, wait4).
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace messung {

struct Messung {
    double sekunden; // from the start of the process until it reports its window on screen
    long spitzeKiB;
};

inline Messung laufe(const char* programm, const std::vector<const char*>& argumente, const char* ordner) {
    int rohr[2];
    if (pipe(rohr) != 0)
        return {0, 0};
    QElapsedTimer uhr;
    uhr.start();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(rohr[1], STDOUT_FILENO);
        close(rohr[0]);
        if (chdir(ordner) != 0)
            _exit(126);
        std::vector<char*> argv{const_cast<char*>(programm)};
        for (const char* a : argumente)
            argv.push_back(const_cast<char*>(a));
        argv.push_back(nullptr);
        execv(programm, argv.data());
        _exit(127);
    }
    close(rohr[1]);
    char zeile[16] = {};
    const bool gezeigt = read(rohr[0], zeile, 6) == 6;
    const double sekunden = uhr.nsecsElapsed() / 1e9;
    close(rohr[0]);
    if (!gezeigt)
        std::fprintf(stderr, "%s never reported its window\n", programm);
    int status = 0;
    rusage verbrauch{};
    wait4(pid, &status, 0, &verbrauch);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        std::fprintf(stderr, "%s ended with status %d\n", programm, status);
    return {sekunden, verbrauch.ru_maxrss};
}

inline double median(std::vector<double> werte) {
    std::sort(werte.begin(), werte.end());
    return werte[werte.size() / 2];
}

} // namespace messung
