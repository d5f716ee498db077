#pragma once

#include "wavdatei.h"

#include <QString>
#include <functional>
#include <memory>

class QObject;

namespace findolin::platform {

// One sound on the machine's default output, as the platform plays it: through Qt's audio sink
// (tonausgabe_qt.cpp) or through WinMM on Windows (tonausgabe_winmm.cpp). It starts when made and stops when
// destroyed.
class Tonausgabe {
public:
    virtual ~Tonausgabe() = default;
    // How much of the samples has been heard so far, in microseconds.
    virtual qint64 gespieltUs() const = 0;
    // Whether the output has played all the samples it was given.
    virtual bool fertig() const = 0;
    // Why the output stopped with an error; empty while it plays.
    virtual QString fehler() const = 0;
};

// Why no output could be made: a key that groups equal reports, and the report.
struct Ausgabefehler {
    QString schluessel;
    QString text;
};

// Starts `samples` (whole frames in the format of `wav`) on the default output. `geaendert` is called on the
// thread of `kontext` whenever the output's state changes. Null, with `warum` filled in, where there is no
// output or it cannot be opened.
std::unique_ptr<Tonausgabe> starteTon(const WavDaten& wav, const QByteArray& samples, QObject* kontext,
                                      std::function<void()> geaendert, Ausgabefehler& warum);

} // namespace findolin::platform
