#pragma once

#include "platform/services.h"

#include <QList>

// A random source that returns given values, so a test decides every draw; it counts the draws made.
class SkriptZufall : public findolin::platform::RandomSource {
public:
    float nextUnit() override {
        ++ziehungen;
        return werte.isEmpty() ? 0.0f : werte.takeFirst();
    }
    // The value that makes zufallsZahl(von, bis) return `zahl`.
    void gib(int zahl, int von, int bis) { werte.append((float(zahl - von) + 0.5f) / float(bis - von + 1)); }

    QList<float> werte;
    int ziehungen = 0;
};
