#pragma once

#include "ausdruck.h"

#include <QString>
#include <vector>

// The tree an Access expression is translated into, shared by its parser and its evaluation.
namespace findolin::accessdb {

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

// The expression as an error message quotes it: at most 100 characters.
inline QString zitat(const QString& text) {
    return text.size() <= 100 ? text : text.left(100) + QStringLiteral("…");
}

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

// AND and OR keep their whole chain in `glieder`, so a long chain is evaluated in a loop, not by recursion;
// NOT, IS [NOT] NULL and the comparisons use `links` (and `rechts`).
struct Ausdruck::Knoten {
    Op op;
    std::shared_ptr<const Knoten> links;
    std::shared_ptr<const Knoten> rechts;
    std::vector<std::shared_ptr<const Knoten>> glieder;
    int feld = -1;
    Wertung konstante;
};

} // namespace findolin::accessdb
