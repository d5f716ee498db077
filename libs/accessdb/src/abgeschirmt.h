#pragma once

#include "jetleser.h"

#include <accessdb/lesegrenzen.h>

#include <QString>
#include <functional>

namespace findolin::accessdb {

// Runs `lesen` so that whatever it does cannot take the game with it. On Linux it runs in a child process
// with limits on its memory and processor time: the answer comes back through a pipe, what the library
// writes to the terminal is logged once under findolin.db, and a hang (working or waiting), a crash, a memory
// blow-up or an answer larger than `hoechstens` bytes ends the child and is a run-time error naming `pfad`.
// Elsewhere `lesen` runs in the game's own process.
QByteArray liesAbgeschirmt(const std::function<void(jet::Ausgabe&)>& lesen, const QString& pfad,
                           const Lesegrenzen& grenzen, qint64 hoechstens);

} // namespace findolin::accessdb
