#pragma once

#include "platform/laufzeitfehler.h"

#include <QList>
#include <QSet>
#include <limits>

namespace findolin {

// A list of word numbers (RefNr values) with the upper index the game counts with: -1 when empty. Membership
// is answered from a set beside the list, so large word sets stay quick.
class WortNummern {
public:
    bool enthaelt(qint16 n) const { return menge_.contains(n); }
    void merke(qint16 n) {
        // The upper index is a 16-bit number like every count of the game: one more entry is an overflow.
        if (eintraege_.size() > std::numeric_limits<qint16>::max())
            throw Laufzeitfehler(QStringLiteral("Überlauf: zu viele Wortnummern"), QString::number(n));
        eintraege_.append(n);
        menge_.insert(n);
    }
    void leeren() {
        eintraege_.clear();
        menge_.clear();
    }
    qint16 obererIndex() const { return static_cast<qint16>(eintraege_.size() - 1); }
    qint16 anzahl() const { return static_cast<qint16>(eintraege_.size()); }
    qint16 operator[](qsizetype i) const { return eintraege_.at(i); }
    const QList<qint16>& eintraege() const { return eintraege_; }

private:
    QList<qint16> eintraege_;
    QSet<qint16> menge_;
};

} // namespace findolin
