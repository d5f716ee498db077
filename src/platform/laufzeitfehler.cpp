#include "laufzeitfehler.h"

namespace findolin {

Laufzeitfehler::Laufzeitfehler(QString problem, QString betroffen)
    : std::runtime_error((problem + QStringLiteral(": ") + betroffen).toStdString()),
      problem_(std::move(problem)), betroffen_(std::move(betroffen)) {}

QString Laufzeitfehler::meldung() const {
    if (betroffen_.isEmpty())
        return problem_;
    return problem_ + QChar(13) + betroffen_;
}

qint16 alsInt16(qint64 wert, const QString& wofuer) {
    if (wert < -32768 || wert > 32767)
        throw Laufzeitfehler(
            QStringLiteral("Überlauf: Die Zahl passt nicht in den Bereich von -32768 bis 32767"),
            wofuer + QStringLiteral(" = ") + QString::number(wert));
    return static_cast<qint16>(wert);
}

} // namespace findolin
