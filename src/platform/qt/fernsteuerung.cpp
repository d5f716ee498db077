#include "fernsteuerung.h"

#include <QLibrary>
#include <cstdio>

namespace findolin::platform {

namespace {

Fernsteuerung* lade() {
    const QString datei = qEnvironmentVariable("FINDOLIN_AUTOMATION");
    if (datei.isEmpty())
        return nullptr;
    QLibrary modul(datei);
    using Einstieg = Fernsteuerung* (*)();
    const auto einstieg = reinterpret_cast<Einstieg>(modul.resolve(Fernsteuerung::einstieg));
    if (!einstieg) {
        std::fprintf(stderr, "findolin: FINDOLIN_AUTOMATION: %s\n", qUtf8Printable(modul.errorString()));
        std::fflush(stderr);
        return nullptr;
    }
    return einstieg(); // the module stays loaded: QLibrary only unloads on unload()
}

} // namespace

Fernsteuerung* fernsteuerung() {
    static Fernsteuerung* const geladen = lade();
    return geladen;
}

} // namespace findolin::platform
