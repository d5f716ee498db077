#include "ausdruck.h"
#include "ausdruckknoten.h"

#include "platform/laufzeitfehler.h"

namespace findolin::accessdb {

namespace {

using KnotenPtr = std::shared_ptr<const Ausdruck::Knoten>;

struct Token {
    enum class Art { Ende, Zahl, Text, Name, Symbol } art = Art::Ende;
    QString text;
    double zahl = 0;
    qsizetype pos = 0;
};

// Access itself takes no statement longer than this; nesting deeper than any real filter is refused before it
// can exhaust the stack.
constexpr qsizetype maxLaenge = 64000;
constexpr int maxTiefe = 100;

class Parser {
public:
    Parser(const QString& text, const QStringList& felder, const QString& datei)
        : text_(text), felder_(felder), datei_(datei) {
        lies();
    }

    KnotenPtr ganzerAusdruck() {
        if (text_.size() > maxLaenge)
            fehler(QStringLiteral("Ausdruck zu lang (mehr als %1 Zeichen)").arg(maxLaenge));
        if (token_.art == Token::Art::Ende)
            fehler(QStringLiteral("Leerer Ausdruck"));
        KnotenPtr k = oder();
        if (token_.art != Token::Art::Ende)
            fehler(QStringLiteral("Unerwartetes Zeichen im Ausdruck"));
        return k;
    }

private:
    [[noreturn]] void fehler(const QString& problem) const {
        throw Laufzeitfehler(problem + QStringLiteral(" „") + zitat(text_) + QStringLiteral("“ an Stelle ") +
                                 QString::number(token_.pos + 1),
                             datei_);
    }

    bool istWort(const char* wort) const {
        return token_.art == Token::Art::Name &&
               token_.text.compare(QLatin1String(wort), Qt::CaseInsensitive) == 0;
    }
    bool istSymbol(const char* symbol) const {
        return token_.art == Token::Art::Symbol && token_.text == QLatin1String(symbol);
    }

    void lies() {
        while (pos_ < text_.size() && text_[pos_].isSpace())
            ++pos_;
        token_ = Token{};
        token_.pos = pos_;
        if (pos_ >= text_.size())
            return;
        const QChar c = text_[pos_];
        if (c.isDigit() || (c == u'.' && pos_ + 1 < text_.size() && text_[pos_ + 1].isDigit()))
            return lieseZahl();
        if (c == u'\'' || c == u'"')
            return lieseText(c);
        if (c == u'[')
            return lieseKlammerName();
        if (c.isLetter() || c == u'_') {
            const qsizetype anfang = pos_;
            while (pos_ < text_.size() && (text_[pos_].isLetterOrNumber() || text_[pos_] == u'_'))
                ++pos_;
            token_ = {Token::Art::Name, text_.mid(anfang, pos_ - anfang), 0, anfang};
            return;
        }
        for (const char* symbol : {"<>", "<=", ">=", "=", "<", ">", "(", ")", "-", "+"}) {
            const QLatin1String s(symbol);
            if (QStringView(text_).mid(pos_).startsWith(s)) {
                token_ = {Token::Art::Symbol, s, 0, pos_};
                pos_ += s.size();
                return;
            }
        }
        fehler(QStringLiteral("Unerwartetes Zeichen im Ausdruck"));
    }

    void lieseZahl() {
        const qsizetype anfang = pos_;
        while (pos_ < text_.size() && (text_[pos_].isDigit() || text_[pos_] == u'.'))
            ++pos_;
        if (pos_ < text_.size() && (text_[pos_] == u'e' || text_[pos_] == u'E')) {
            qsizetype p = pos_ + 1;
            if (p < text_.size() && (text_[p] == u'+' || text_[p] == u'-'))
                ++p;
            if (p < text_.size() && text_[p].isDigit()) {
                pos_ = p;
                while (pos_ < text_.size() && text_[pos_].isDigit())
                    ++pos_;
            }
        }
        bool ok = false;
        const double zahl = text_.mid(anfang, pos_ - anfang).toDouble(&ok);
        token_ = {Token::Art::Zahl, text_.mid(anfang, pos_ - anfang), zahl, anfang};
        if (!ok)
            fehler(QStringLiteral("Ungültige Zahl im Ausdruck"));
    }

    void lieseText(QChar quote) {
        const qsizetype anfang = pos_++;
        QString inhalt;
        for (;;) {
            if (pos_ >= text_.size()) {
                token_.pos = anfang;
                fehler(QStringLiteral("Nicht abgeschlossener Text im Ausdruck"));
            }
            if (text_[pos_] == quote) {
                if (pos_ + 1 < text_.size() && text_[pos_ + 1] == quote) {
                    inhalt += quote;
                    pos_ += 2;
                    continue;
                }
                ++pos_;
                break;
            }
            inhalt += text_[pos_++];
        }
        token_ = {Token::Art::Text, inhalt, 0, anfang};
    }

    void lieseKlammerName() {
        const qsizetype anfang = pos_;
        const qsizetype ende = text_.indexOf(u']', pos_);
        if (ende < 0) {
            token_.pos = anfang;
            fehler(QStringLiteral("Nicht abgeschlossener Feldname im Ausdruck"));
        }
        token_ = {Token::Art::Name, text_.mid(anfang + 1, ende - anfang - 1), 0, anfang};
        token_.zahl = 1; // a bracketed name is always a field, never a keyword
        pos_ = ende + 1;
    }

    static KnotenPtr knoten(Op op, KnotenPtr links = {}, KnotenPtr rechts = {}) {
        auto k = std::make_shared<Ausdruck::Knoten>();
        k->op = op;
        k->links = std::move(links);
        k->rechts = std::move(rechts);
        return k;
    }
    static KnotenPtr konstante(Wertung w) {
        auto k = std::make_shared<Ausdruck::Knoten>();
        k->op = Op::Konstante;
        k->konstante = std::move(w);
        return k;
    }

    KnotenPtr oder() { return kette(Op::Oder, "OR"); }
    KnotenPtr und() { return kette(Op::Und, "AND"); }

    // A chain "a OR b OR c" (or of AND) becomes one node with all its members.
    KnotenPtr kette(Op op, const char* wort) {
        KnotenPtr erstes = op == Op::Oder ? und() : nicht();
        if (!istWort(wort))
            return erstes;
        auto k = std::make_shared<Ausdruck::Knoten>();
        k->op = op;
        k->glieder.push_back(std::move(erstes));
        while (istWort(wort)) {
            lies();
            k->glieder.push_back(op == Op::Oder ? und() : nicht());
        }
        return k;
    }

    KnotenPtr nicht() {
        int anzahl = 0;
        for (; istWort("NOT"); ++anzahl) {
            tiefer();
            lies();
        }
        KnotenPtr k = vergleich();
        for (; anzahl > 0; --anzahl) {
            k = knoten(Op::Nicht, k);
            --tiefe_;
        }
        return k;
    }

    void tiefer() {
        if (++tiefe_ > maxTiefe)
            fehler(QStringLiteral("Ausdruck zu tief verschachtelt (mehr als %1 Ebenen)").arg(maxTiefe));
    }

    KnotenPtr vergleich() {
        KnotenPtr links = operand();
        if (istWort("IS")) {
            lies();
            Op op = Op::IstNull;
            if (istWort("NOT")) {
                op = Op::IstNichtNull;
                lies();
            }
            if (!istWort("NULL"))
                fehler(QStringLiteral("NULL erwartet im Ausdruck"));
            lies();
            return knoten(op, links);
        }
        static const std::pair<const char*, Op> operatoren[] = {
            {"=", Op::Gleich},   {"<>", Op::Ungleich},      {"<", Op::Kleiner},
            {">", Op::Groesser}, {"<=", Op::KleinerGleich}, {">=", Op::GroesserGleich}};
        for (const auto& [symbol, op] : operatoren) {
            if (istSymbol(symbol)) {
                lies();
                return knoten(op, links, operand());
            }
        }
        return links;
    }

    KnotenPtr operand() {
        if (istSymbol("(")) {
            tiefer();
            lies();
            KnotenPtr k = oder();
            if (!istSymbol(")"))
                fehler(QStringLiteral("Schließende Klammer fehlt im Ausdruck"));
            lies();
            --tiefe_;
            return k;
        }
        if (istSymbol("-") || istSymbol("+")) {
            const bool negativ = istSymbol("-");
            lies();
            if (token_.art != Token::Art::Zahl)
                fehler(QStringLiteral("Zahl erwartet im Ausdruck"));
            const double zahl = negativ ? -token_.zahl : token_.zahl;
            lies();
            return konstante(Wertung::ausZahl(zahl));
        }
        const Token t = token_;
        switch (t.art) {
        case Token::Art::Zahl:
            lies();
            return konstante(Wertung::ausZahl(t.zahl));
        case Token::Art::Text:
            lies();
            return konstante(Wertung::ausText(t.text));
        case Token::Art::Name:
            return name();
        default:
            fehler(QStringLiteral("Wert erwartet im Ausdruck"));
        }
    }

    KnotenPtr name() {
        const bool geklammert = token_.zahl != 0;
        if (!geklammert) {
            for (const char* wort : {"AND", "OR", "NOT", "IS"})
                if (istWort(wort))
                    fehler(QStringLiteral("Wert erwartet im Ausdruck"));
            if (istWort("TRUE") || istWort("FALSE")) {
                const bool wahr = istWort("TRUE");
                lies();
                return konstante(Wertung::wahrheit(wahr));
            }
            if (istWort("NULL")) {
                lies();
                return konstante(Wertung::null());
            }
        }
        for (int i = 0; i < felder_.size(); ++i) {
            if (felder_[i].compare(token_.text, Qt::CaseInsensitive) == 0) {
                auto k = std::make_shared<Ausdruck::Knoten>();
                k->op = Op::Feld;
                k->feld = i;
                lies();
                return k;
            }
        }
        throw Laufzeitfehler(QStringLiteral("Unbekanntes Feld „") + token_.text +
                                 QStringLiteral("“ im Ausdruck „") + zitat(text_) + QStringLiteral("“"),
                             datei_);
    }

    QString text_;
    const QStringList& felder_;
    QString datei_;
    qsizetype pos_ = 0;
    int tiefe_ = 0;
    Token token_;
};

} // namespace

Ausdruck Ausdruck::uebersetze(const QString& text, const QStringList& felder, const QString& datei) {
    Ausdruck a;
    a.wurzel_ = Parser(text, felder, datei).ganzerAusdruck();
    a.text_ = text;
    a.datei_ = datei;
    return a;
}

} // namespace findolin::accessdb
