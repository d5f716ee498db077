#include "errorguard.h"

#include <QDebug>
#include <cstdlib>

namespace findolin::platform {
namespace {
FatalErrorHandler& handler() {
    static FatalErrorHandler instance;
    return instance;
}
std::function<void()>& epilogue() {
    static std::function<void()> instance;
    return instance;
}
} // namespace

void setFatalErrorHandler(FatalErrorHandler newHandler) {
    handler() = std::move(newHandler);
}

void setAfterEachEvent(std::function<void()> newEpilogue) {
    epilogue() = std::move(newEpilogue);
}

void afterEachEvent() {
    if (epilogue())
        epilogue()();
}

void reportFatal(const Laufzeitfehler& fehler) {
    if (handler()) {
        handler()(fehler);
        return;
    }
    qCritical().noquote() << "Laufzeitfehler:" << fehler.problem() << fehler.betroffen();
    std::exit(rahmen::exitCodeRuntimeError);
}

} // namespace findolin::platform
