#include "jetablage.h"

#include "platform/laufzeitfehler.h"

#include <QFile>
#include <QFileInfo>

namespace findolin::platform::db::jet {

namespace {

void probe(Schritt schritt) {
    if (fehlerProbe)
        fehlerProbe(schritt);
}

QByteArray liesGanz(const QString& pfad) {
    QFile f(pfad);
    if (!f.open(QIODevice::ReadOnly))
        throw Laufzeitfehler(QStringLiteral("Die Datenbankdatei kann nicht gelesen werden"), pfad);
    return f.readAll();
}

} // namespace

void ersetzeSicher(const QString& pfad, const ListenSperre& sperre, const QByteArray& original,
                   const QByteArray& neu, const std::function<void(const QString& kopie)>& pruefe) {
    const QString kopie = arbeitskopie(pfad);
    try {
        probe(Schritt::Sperre);
        sperre.pruefe();
        probe(Schritt::Vergleich);
        if (liesGanz(pfad) != original)
            throw Laufzeitfehler(
                QStringLiteral("Die Datenbankdatei wurde inzwischen von einem anderen Programm geändert"),
                pfad);
        probe(Schritt::Kopie);
        dateisystem::schreibeDauerhaft(
            kopie, neu, QStringLiteral("Die Kopie der Datenbankdatei kann nicht geschrieben werden"));
        QFile::setPermissions(kopie, QFileInfo(pfad).permissions()); // the file stays as shared as it was
        probe(Schritt::Pruefung);
        if (liesGanz(kopie) != neu)
            throw Laufzeitfehler(QStringLiteral("Die Kopie der Datenbankdatei liest sich anders zurück"),
                                 kopie);
        pruefe(kopie);
        probe(Schritt::Umbenennen);
        if (const QString fehler = dateisystem::ersetze(kopie, pfad); !fehler.isEmpty())
            throw Laufzeitfehler(
                QStringLiteral("Die geprüfte Kopie kann nicht an die Stelle der Datenbankdatei treten: ") +
                    fehler,
                pfad);
    } catch (...) {
        QFile::remove(kopie);
        throw;
    }
}

} // namespace findolin::platform::db::jet
