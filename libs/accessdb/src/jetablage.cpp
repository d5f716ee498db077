#include "jetablage.h"

#include "platform/dateisystem.h"
#include "platform/laufzeitfehler.h"

#include <QFile>
#include <QFileInfo>

namespace findolin::accessdb::jet {

QByteArray liesGanz(const QString& pfad) {
    QFile f(pfad);
    if (!f.open(QIODevice::ReadOnly))
        throw Laufzeitfehler(QStringLiteral("Die Datenbankdatei kann nicht gelesen werden"), pfad);
    return f.readAll();
}

void ersetzeSicher(const QString& pfad, const ListenSperre& sperre, const QByteArray& original,
                   const QByteArray& neu, const std::function<void(const QString& kopie)>& pruefe) {
    const QString kopie = arbeitskopie(pfad);
    try {
        vorSchritt(Schritt::Sperre);
        sperre.pruefe();
        vorSchritt(Schritt::Vergleich);
        if (liesGanz(pfad) != original)
            throw Laufzeitfehler(
                QStringLiteral("Die Datenbankdatei wurde inzwischen von einem anderen Programm geändert"),
                pfad);
        vorSchritt(Schritt::Kopie);
        platform::dateisystem::ersetzeDauerhaft(
            pfad, neu,
            {.beiseite = kopie,
             .schreibProblem = QStringLiteral("Die Kopie der Datenbankdatei kann nicht geschrieben werden"),
             .ersetzProblem = QStringLiteral("Die geprüfte Kopie kann nicht an die Stelle der Datenbankdatei "
                                             "treten: "),
             .betroffen = pfad,
             .pruefe = [&](const QString& geschrieben) {
                 // the file stays as shared as it was
                 QFile::setPermissions(geschrieben, QFileInfo(pfad).permissions());
                 vorSchritt(Schritt::Pruefung);
                 if (liesGanz(geschrieben) != neu)
                     throw Laufzeitfehler(
                         QStringLiteral("Die Kopie der Datenbankdatei liest sich anders zurück"),
                         geschrieben);
                 pruefe(geschrieben);
                 vorSchritt(Schritt::Umbenennen);
             }});
    } catch (...) {
        QFile::remove(kopie);
        throw;
    }
}

} // namespace findolin::accessdb::jet
