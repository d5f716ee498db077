#include "jetablage.h"

#include "platform/laufzeitfehler.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <filesystem>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

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

// Written and on the disk, not only in the system's buffers.
void schreibeDauerhaft(const QString& pfad, const QByteArray& daten) {
    QFile f(pfad);
    bool ok =
        f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(daten) == daten.size() && f.flush();
#ifdef Q_OS_WIN
    ok = ok && _commit(f.handle()) == 0;
#else
    ok = ok && ::fsync(f.handle()) == 0;
#endif
    f.close();
    if (!ok)
        throw Laufzeitfehler(QStringLiteral("Die Kopie der Datenbankdatei kann nicht geschrieben werden"),
                             pfad);
}

// Renames `von` over `nach` in one step, and makes the new name last; an empty answer on success.
QString ersetze(const QString& von, const QString& nach) {
#ifdef Q_OS_WIN
    if (!MoveFileExW(reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(von).utf16()),
                     reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(nach).utf16()),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return QStringLiteral("Fehler %1").arg(GetLastError());
#else
    std::error_code fehler;
    std::filesystem::rename(QFile::encodeName(von).toStdString(), QFile::encodeName(nach).toStdString(),
                            fehler);
    if (fehler)
        return QString::fromStdString(fehler.message());
    if (const int ordner = ::open(QFile::encodeName(QFileInfo(nach).absolutePath()).constData(), O_RDONLY);
        ordner >= 0) {
        ::fsync(ordner);
        ::close(ordner);
    }
#endif
    return {};
}

} // namespace

QString sperrDatei(const QString& pfad) {
    const QFileInfo info(pfad);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".ldb"));
}

void warteAufSperre(const QString& pfad) {
    const QString sperre = sperrDatei(pfad);
    const auto gesperrt = [&] {
        return QFileInfo::exists(sperre) || QFileInfo::exists(sperre.chopped(3) + QStringLiteral("LDB"));
    };
    QDeadlineTimer frist(sperrWarteMs);
    while (gesperrt()) {
        if (frist.hasExpired())
            throw Laufzeitfehler(QStringLiteral("Die Datenbank ist in einem anderen Programm geöffnet (") +
                                     QFileInfo(sperre).fileName() +
                                     QStringLiteral(" ist da); sie wird nicht geschrieben"),
                                 pfad);
        QThread::msleep(50);
    }
}

void ersetzeSicher(const QString& pfad, const QByteArray& original, const QByteArray& neu,
                   const std::function<void(const QString& kopie)>& pruefe) {
    const QString kopie = pfad + QStringLiteral(".neu");
    try {
        probe(Schritt::Sperre);
        warteAufSperre(pfad);
        probe(Schritt::Vergleich);
        if (liesGanz(pfad) != original)
            throw Laufzeitfehler(
                QStringLiteral("Die Datenbankdatei wurde inzwischen von einem anderen Programm geändert"),
                pfad);
        probe(Schritt::Kopie);
        schreibeDauerhaft(kopie, neu);
        QFile::setPermissions(kopie, QFileInfo(pfad).permissions()); // the file stays as shared as it was
        probe(Schritt::Pruefung);
        if (liesGanz(kopie) != neu)
            throw Laufzeitfehler(QStringLiteral("Die Kopie der Datenbankdatei liest sich anders zurück"),
                                 kopie);
        pruefe(kopie);
        probe(Schritt::Umbenennen);
        if (const QString fehler = ersetze(kopie, pfad); !fehler.isEmpty())
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
