#include "files.h"

#include "dateisystem.h"
#include "laufzeitfehler.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace findolin::platform {

QString imOrdner(const QString& ordner, const QString& name) {
    return QDir(ordner).filePath(name);
}

QString findeDatei(const QString& pfad) {
    const QFileInfo info(pfad);
    if (info.exists())
        return pfad;
    const QDir ordner = info.dir();
    if (!ordner.exists())
        return {};
    // a fifo or a device under another case is found too, and then refused by whoever reads it
    for (const QString& name : ordner.entryList(QDir::Files | QDir::System | QDir::Hidden))
        if (name.compare(info.fileName(), Qt::CaseInsensitive) == 0)
            return ordner.filePath(name);
    return {};
}

bool QtFileSystem::exists(const QString& path) const {
    return dateisystem::art(path) != dateisystem::Art::Fehlt;
}

QByteArray QtFileSystem::readAll(const QString& path) const {
    return dateisystem::liesGewoehnlich(path);
}

void QtFileSystem::pruefeGewoehnlich(const QString& path) const {
    if (const QString gefunden = findeDatei(path); !gefunden.isEmpty())
        dateisystem::pruefeGewoehnlich(gefunden);
}

void QtFileSystem::replaceVia(const QString& path, const QString& tempPath, const QByteArray& content) {
    dateisystem::ersetzeDauerhaft(
        path, content,
        {.beiseite = tempPath,
         .schreibProblem = QStringLiteral("Die Zwischendatei %1 kann nicht geschrieben werden")
                               .arg(QFileInfo(tempPath).fileName()),
         .ersetzProblem = QStringLiteral("Die Datei kann nicht ersetzt werden: "),
         .betroffen = QDir::toNativeSeparators(path)});
}

} // namespace findolin::platform
