#include "lesehilfen.h"

#include "logging.h"

#include "platform/laufzeitfehler.h"

#include <cmath>

namespace findolin {

QString wertNachGleich(const QString& zeile) {
    const qsizetype p = zeile.indexOf(QLatin1Char('='));
    return p < 0 ? QString() : zeile.mid(p + 1);
}

QString vorname(const QString& name) {
    const qsizetype p = name.indexOf(QLatin1Char(' '));
    return p < 0 ? name : name.left(p);
}

double rundeGerade(double wert) {
    return std::nearbyint(wert);
} // the default rounding mode is half to even

double leseZahlwert(const QString& text) {
    // Collect the leading part that forms a number, skipping blanks wherever they stand.
    QString zahl;
    bool ziffern = false, punkt = false, exponent = false, exponentZiffern = false;
    for (QChar c : text) {
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t'))
            continue;
        if (c.isDigit() && c.unicode() < 128) {
            zahl.append(c);
            (exponent ? exponentZiffern : ziffern) = true;
        } else if ((c == QLatin1Char('+') || c == QLatin1Char('-')) &&
                   (zahl.isEmpty() || (exponent && zahl.back().toLower() == QLatin1Char('e')))) {
            zahl.append(c);
        } else if (c == QLatin1Char('.') && !punkt && !exponent) {
            zahl.append(c);
            punkt = true;
        } else if ((c == QLatin1Char('e') || c == QLatin1Char('E')) && ziffern && !exponent) {
            zahl.append(QLatin1Char('e'));
            exponent = true;
        } else {
            break;
        }
    }
    if (exponent && !exponentZiffern) // "12e" reads as 12
        zahl.truncate(zahl.lastIndexOf(QLatin1Char('e')));
    if (!ziffern)
        return 0.0;
    bool ok = false;
    const double wert = zahl.toDouble(&ok);
    return ok ? wert : 0.0;
}

qint16 leseGanzzahl(const QString& text, const QString& wofuer) {
    const double gerundet = rundeGerade(leseZahlwert(text));
    if (!(gerundet >= -32768.0 && gerundet <= 32767.0))
        throw Laufzeitfehler(
            QStringLiteral("Überlauf: Die Zahl passt nicht in den Bereich von -32768 bis 32767"),
            wofuer + QStringLiteral(" = ") + text.trimmed());
    return static_cast<qint16>(gerundet);
}

FeldLeser::FeldLeser(const QString& text, QString dateiname)
    : text_(text), dateiname_(std::move(dateiname)) {}

QString FeldLeser::naechstesFeld() {
    if (amEnde())
        throw Laufzeitfehler(QStringLiteral("Die Datei endet mitten in einem Eintrag"), dateiname_);
    feldFolgt_ = false;
    const auto istZeilenende = [this](qsizetype i) { return zeilenendeBei(text_, i) > 0; };
    while (pos_ < text_.size() && text_[pos_] == QLatin1Char(' '))
        ++pos_;

    QString feld;
    if (pos_ < text_.size() && text_[pos_] == QLatin1Char('"')) {
        const qsizetype ende = text_.indexOf(QLatin1Char('"'), pos_ + 1);
        // The field then runs to the end of the file, as sequential input reads it; say where it began.
        if (ende < 0)
            qCWarning(lcLesen).noquote() << QStringLiteral("%1, line %2: a quotation mark is never closed")
                                                .arg(dateiname_)
                                                .arg(text_.left(pos_).count(u'\n') + 1);
        const qsizetype bis = ende < 0 ? text_.size() : ende;
        feld = text_.mid(pos_ + 1, bis - pos_ - 1);
        pos_ = ende < 0 ? text_.size() : ende + 1;
        // What follows the closing mark up to the separator does not belong to the field.
        while (pos_ < text_.size() && text_[pos_] != QLatin1Char(',') && !istZeilenende(pos_))
            ++pos_;
    } else {
        const qsizetype anfang = pos_;
        while (pos_ < text_.size() && text_[pos_] != QLatin1Char(',') && !istZeilenende(pos_))
            ++pos_;
        feld = text_.mid(anfang, pos_ - anfang);
        while (feld.endsWith(QLatin1Char(' ')))
            feld.chop(1);
    }

    if (pos_ < text_.size() && text_[pos_] == QLatin1Char(',')) {
        ++pos_;
        feldFolgt_ = true;
    } else {
        pos_ += zeilenendeBei(text_, pos_);
    }
    return feld;
}

qsizetype zeilenendeBei(const QString& text, qsizetype i) {
    if (i >= text.size())
        return 0;
    if (text[i] == QLatin1Char('\n'))
        return 1;
    if (text[i] != QLatin1Char('\r'))
        return 0;
    return i + 1 < text.size() && text[i + 1] == QLatin1Char('\n') ? 2 : 1;
}

QList<TextZeile> zeilenMitEnden(const QString& text) {
    QList<TextZeile> zeilen;
    qsizetype anfang = 0;
    while (anfang < text.size()) {
        qsizetype ende = anfang;
        while (ende < text.size() && zeilenendeBei(text, ende) == 0)
            ++ende;
        const qsizetype laenge = zeilenendeBei(text, ende);
        zeilen.append({text.mid(anfang, ende - anfang), text.mid(ende, laenge)});
        anfang = ende + laenge;
    }
    return zeilen;
}

QStringList zeilenVon(const QString& text) {
    QStringList zeilen;
    for (const TextZeile& zeile : zeilenMitEnden(text))
        zeilen.append(zeile.text);
    return zeilen;
}

} // namespace findolin
