#pragma once

#include "ausdruck.h"

#include <QString>

// The tree an Access expression is translated into, shared by its parser and its evaluation.
namespace findolin::platform::db {

// The value of a sub-expression: Null, a number (yes/no as -1 and 0) or a text.
struct Wertung {
    enum class Art { Null, Zahl, Text } art = Art::Null;
    double zahl = 0;
    QString text;

    static Wertung null() { return {}; }
    static Wertung ausZahl(double z) { return {Art::Zahl, z, {}}; }
    static Wertung ausText(QString t) { return {Art::Text, 0, std::move(t)}; }
    static Wertung wahrheit(bool b) { return ausZahl(b ? -1 : 0); }
};

enum class Op {
    Oder,
    Und,
    Nicht,
    Gleich,
    Ungleich,
    Kleiner,
    Groesser,
    KleinerGleich,
    GroesserGleich,
    IstNull,
    IstNichtNull,
    Feld,
    Konstante
};

struct Ausdruck::Knoten {
    Op op;
    std::shared_ptr<const Knoten> links;
    std::shared_ptr<const Knoten> rechts;
    int feld = -1;
    Wertung konstante;
    int tiefe = 1; // levels of nodes down to the deepest leaf
};

} // namespace findolin::platform::db
