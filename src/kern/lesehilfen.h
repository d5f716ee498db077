#pragma once

#include <QString>
#include <QStringList>

namespace findolin {

// The text after the first "=" of a line, not trimmed; empty when the line has no "=".
QString wertNachGleich(const QString& zeile);

// The first name: the text before the first blank, or the whole name.
QString vorname(const QString& name);

// Reads text leniently as a whole number: the leading part that forms a decimal number (blanks inside it are
// ignored), 0 when there is none, rounded half to even. Outside the 16-bit range it is a run-time error that
// names `wofuer`.
qint16 leseGanzzahl(const QString& text, const QString& wofuer);
// The same reading without rounding, for callers that round themselves.
double leseZahlwert(const QString& text);

// Rounds half to even, as the game's arithmetic does.
double rundeGerade(double wert);

// Reads a framework text file field by field: a field ends at a comma or at the end of a line; blanks around
// it are dropped; a field in double quotation marks is read without them and may hold commas.
class FeldLeser {
public:
    FeldLeser(const QString& text, QString dateiname);

    bool amEnde() const { return pos_ >= text_.size() && !feldFolgt_; }
    // Reading past the end of the file is a run-time error naming the file.
    QString naechstesFeld();

private:
    QString text_;
    QString dateiname_;
    qsizetype pos_ = 0;
    bool feldFolgt_ = false; // after a comma, a field follows even at the end of the line
};

// Both readers end a line alike: at CR LF, at a lone LF or at a lone CR. The length of the line end that
// starts at `i`: 2, 1, or 0 when no line ends there.
qsizetype zeilenendeBei(const QString& text, qsizetype i);

// A line of a text file with the line end that closed it (empty for a last line without one).
struct TextZeile {
    QString text;
    QString ende;
};
QList<TextZeile> zeilenMitEnden(const QString& text);

// The lines of a text file without their line ends.
QStringList zeilenVon(const QString& text);

} // namespace findolin
