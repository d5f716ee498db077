#pragma once

#include <accessdb/database.h>

#include <QList>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

namespace findolin::accessdb {

// An Access expression as filters and find criteria write them: comparisons (= <> < > <= >=, IS [NOT] NULL)
// of fields, numbers, quoted texts, TRUE, FALSE and NULL, joined by AND, OR and NOT, with parentheses. Field
// names are matched without regard to case, texts are compared without regard to case, yes/no fields count
// as -1 (TRUE) and 0 (FALSE). A comparison with Null is neither true nor false, so the row does not qualify.
class Ausdruck {
public:
    // Translates `text` against the field names of a record source. A syntax error or an unknown field is a
    // run-time error naming the expression and `datei`.
    static Ausdruck uebersetze(const QString& text, const QStringList& felder, const QString& datei);

    // True when the row (values in field order) meets the expression.
    bool trifftZu(const QList<Wert>& zeile) const;
    // The same for a row whose values `feld` gives by field index, read only as far as the expression needs.
    bool trifftZu(const std::function<Wert(int)>& feld) const;
    // The number a value counts as in comparisons (yes/no -1 and 0, dates as days since 30 December 1899);
    // none for Null, texts and binary data.
    static std::optional<double> alsZahl(const Wert& wert);

    // For "field = number": the field's index and the number, so a caller may look the value up directly.
    struct Gleichheit {
        int feld;
        double zahl;
    };
    std::optional<Gleichheit> alsGleichheit() const;

    struct Knoten;

private:
    std::shared_ptr<const Knoten> wurzel_;
    QString text_;
    QString datei_;
};

} // namespace findolin::accessdb
