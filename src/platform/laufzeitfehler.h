#pragma once

#include <QString>
#include <stdexcept>

namespace findolin {

// A run-time error: the game stops with a clear report instead of going on with broken data.
// `problem` says what went wrong in German words a teacher understands, `betroffen` names the file or value.
class Laufzeitfehler : public std::runtime_error {
public:
    Laufzeitfehler(QString problem, QString betroffen = {});

    const QString& problem() const { return problem_; }
    const QString& betroffen() const { return betroffen_; }
    // The text of the error window, lines separated by a carriage return.
    QString meldung() const;

private:
    QString problem_;
    QString betroffen_;
};

// Whole numbers are 16-bit unless said otherwise; leaving that range is a run-time error.
qint16 alsInt16(qint64 wert, const QString& wofuer);

} // namespace findolin
