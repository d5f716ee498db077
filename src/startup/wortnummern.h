#pragma once

#include <QList>

namespace findolin {

// A list of word numbers (RefNr values) with the upper index the game counts with: -1 when empty.
class WortNummern {
public:
    bool enthaelt(qint16 n) const { return eintraege_.contains(n); }
    void merke(qint16 n) { eintraege_.append(n); }
    void leeren() { eintraege_.clear(); }
    qint16 obererIndex() const { return static_cast<qint16>(eintraege_.size() - 1); }
    qint16 anzahl() const { return static_cast<qint16>(eintraege_.size()); }
    qint16 operator[](qsizetype i) const { return eintraege_.at(i); }
    const QList<qint16>& eintraege() const { return eintraege_; }

private:
    QList<qint16> eintraege_;
};

} // namespace findolin
