#include "accesstage.h"
#include "ausdruckknoten.h"

#include "platform/laufzeitfehler.h"

#include <QDateTime>

namespace findolin::accessdb {

namespace {

Wertung ausFeld(const Wert& wert) {
    switch (wert.typeId()) {
    case QMetaType::UnknownType: // Null
        return Wertung::null();
    case QMetaType::Bool:
        return Wertung::wahrheit(wert.toBool());
    case QMetaType::QString:
        return Wertung::ausText(wert.toString());
    case QMetaType::QDateTime:
        return Wertung::ausZahl(alsAccessTage(wert.toDateTime()));
    case QMetaType::QByteArray:
        return Wertung::null();
    default:
        return Wertung::ausZahl(wert.toDouble());
    }
}

struct Auswertung {
    const std::function<Wert(int)>& feld;
    const QString& text;
    const QString& datei;

    // -1 true, 0 false, 1 unknown (Null)
    static int wahrheitswert(const Wertung& w) {
        if (w.art == Wertung::Art::Null)
            return 1;
        if (w.art == Wertung::Art::Text)
            return w.text.isEmpty() ? 0 : -1;
        return w.zahl != 0 ? -1 : 0;
    }
    static Wertung ausWahrheitswert(int w) { return w == 1 ? Wertung::null() : Wertung::wahrheit(w == -1); }

    int vergleiche(const Wertung& a, const Wertung& b) const {
        if (a.art == Wertung::Art::Text && b.art == Wertung::Art::Text)
            return a.text.compare(b.text, Qt::CaseInsensitive);
        if (a.art == Wertung::Art::Zahl && b.art == Wertung::Art::Zahl)
            return a.zahl < b.zahl ? -1 : (a.zahl > b.zahl ? 1 : 0);
        throw Laufzeitfehler(QStringLiteral("Unverträgliche Datentypen im Ausdruck „") + zitat(text) +
                                 QStringLiteral("“"),
                             datei);
    }

    Wertung werte(const Ausdruck::Knoten& k) const {
        switch (k.op) {
        case Op::Konstante:
            return k.konstante;
        case Op::Feld:
            return ausFeld(feld(k.feld));
        case Op::IstNull:
            return Wertung::wahrheit(werte(*k.links).art == Wertung::Art::Null);
        case Op::IstNichtNull:
            return Wertung::wahrheit(werte(*k.links).art != Wertung::Art::Null);
        case Op::Nicht: {
            const int w = wahrheitswert(werte(*k.links));
            return ausWahrheitswert(w == 1 ? 1 : (w == -1 ? 0 : -1));
        }
        case Op::Und:
        case Op::Oder: {
            // AND stops at the first false member, OR at the first true one; otherwise a Null member makes
            // the chain Null.
            const int entscheidend = k.op == Op::Und ? 0 : -1;
            bool unbekannt = false;
            for (const auto& glied : k.glieder) {
                const int w = wahrheitswert(werte(*glied));
                if (w == entscheidend)
                    return ausWahrheitswert(entscheidend);
                unbekannt = unbekannt || w == 1;
            }
            return ausWahrheitswert(unbekannt ? 1 : (k.op == Op::Und ? -1 : 0));
        }
        default:
            break;
        }
        const Wertung a = werte(*k.links);
        const Wertung b = werte(*k.rechts);
        if (a.art == Wertung::Art::Null || b.art == Wertung::Art::Null)
            return Wertung::null();
        const int v = vergleiche(a, b);
        switch (k.op) {
        case Op::Gleich:
            return Wertung::wahrheit(v == 0);
        case Op::Ungleich:
            return Wertung::wahrheit(v != 0);
        case Op::Kleiner:
            return Wertung::wahrheit(v < 0);
        case Op::Groesser:
            return Wertung::wahrheit(v > 0);
        case Op::KleinerGleich:
            return Wertung::wahrheit(v <= 0);
        default:
            return Wertung::wahrheit(v >= 0);
        }
    }
};

} // namespace

bool Ausdruck::trifftZu(const QList<Wert>& zeile) const {
    return trifftZu([&zeile](int feld) { return zeile.at(feld); });
}

bool Ausdruck::trifftZu(const std::function<Wert(int)>& feld) const {
    const Auswertung auswertung{feld, text_, datei_};
    return Auswertung::wahrheitswert(auswertung.werte(*wurzel_)) == -1;
}

std::optional<double> Ausdruck::alsZahl(const Wert& wert) {
    const Wertung w = ausFeld(wert);
    if (w.art != Wertung::Art::Zahl)
        return std::nullopt;
    return w.zahl;
}

std::optional<Ausdruck::Gleichheit> Ausdruck::alsGleichheit() const {
    const Knoten& k = *wurzel_;
    if (k.op != Op::Gleich)
        return std::nullopt;
    const Knoten* feld = k.links.get();
    const Knoten* wert = k.rechts.get();
    if (feld->op != Op::Feld)
        std::swap(feld, wert);
    if (feld->op != Op::Feld || wert->op != Op::Konstante || wert->konstante.art != Wertung::Art::Zahl)
        return std::nullopt;
    return Gleichheit{feld->feld, wert->konstante.zahl};
}

} // namespace findolin::accessdb
