#pragma once

#include "laufzeitfehler.h"
#include "rahmen/ausgang.h"

#include <exception>
#include <functional>

namespace findolin::platform {

// What happens to a run-time error that reaches the event loop: production shows the error window and ends
// the process with the framework's exit code for a run-time error. Exceptions must never cross Qt's event
// loop, so every entry point from it (timers, input handlers) runs its work through runGuarded.
using FatalErrorHandler = std::function<void(const Laufzeitfehler&)>;

void setFatalErrorHandler(FatalErrorHandler handler);
void reportFatal(const Laufzeitfehler& fehler);

// Runs after every event that runGuarded handled: the view shows what the logic changed.
void setAfterEachEvent(std::function<void()> epilogue);
void afterEachEvent();

template <class Work> void runGuarded(Work&& work) {
    try {
        work();
        afterEachEvent();
    } catch (const Laufzeitfehler& fehler) {
        reportFatal(fehler);
    } catch (const std::exception& fehler) {
        reportFatal(Laufzeitfehler(QStringLiteral("Interner Fehler"), QString::fromLocal8Bit(fehler.what())));
    }
}

} // namespace findolin::platform
