#pragma once

#include "jetleser.h"

#include <QString>
#include <chrono>
#include <functional>

namespace findolin::platform::db {

// How much a reading of an Access file may take before it counts as broken: processor time, memory beyond
// what the game already holds, and, as a backstop for a reading that waits without working (on a network
// drive, say), real time. None of them is measured by a clock that faketime speeds up: a healthy file read
// under a test clock running a thousand times faster is still healthy.
struct Lesegrenzen {
    int sekunden = 5;
    qint64 speicherMiB = 256;
    std::chrono::milliseconds wandzeit = std::chrono::seconds(60);
};

// Runs `lesen` so that whatever it does cannot take the game with it. On Linux it runs in a child process
// with limits on its memory and processor time: the answer comes back through a pipe, what the library
// writes to the terminal is logged once under findolin.db, and a hang (working or waiting), a crash, a memory
// blow-up or an answer larger than `hoechstens` bytes ends the child and is a run-time error naming `pfad`.
// Elsewhere `lesen` runs in the game's own process.
QByteArray liesAbgeschirmt(const std::function<void(jet::Ausgabe&)>& lesen, const QString& pfad,
                           const Lesegrenzen& grenzen, qint64 hoechstens);

} // namespace findolin::platform::db
