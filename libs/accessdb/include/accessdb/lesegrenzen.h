#pragma once

#include <QtGlobal>
#include <chrono>

namespace findolin::accessdb {

// How much a reading of an Access file may take before it counts as broken: processor time, memory beyond
// what the game already holds, and, as a backstop for a reading that waits without working (on a network
// drive, say), real time. None of them is measured by a clock that faketime speeds up: a healthy file read
// under a test clock running a thousand times faster is still healthy.
struct Lesegrenzen {
    int sekunden = 5;
    qint64 speicherMiB = 256;
    std::chrono::milliseconds wandzeit = std::chrono::seconds(60);
};

} // namespace findolin::accessdb
