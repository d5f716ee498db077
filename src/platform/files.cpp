#include "files.h"

#include "laufzeitfehler.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdio>
#include <unistd.h>
#endif

namespace findolin::platform {

QString imOrdner(const QString& ordner, const QString& name) {
    return QDir(ordner).filePath(name);
}

QString findeDatei(const QString& pfad) {
    const QFileInfo info(pfad);
    if (info.isFile())
        return pfad;
    const QDir ordner = info.dir();
    if (!ordner.exists())
        return {};
    for (const QString& name : ordner.entryList(QDir::Files))
        if (name.compare(info.fileName(), Qt::CaseInsensitive) == 0)
            return ordner.filePath(name);
    return {};
}

bool QtFileSystem::exists(const QString& path) const {
    return QFileInfo(path).isFile();
}

QByteArray QtFileSystem::readAll(const QString& path) const {
    QFile file(path);
    if (!QFileInfo(path).isFile())
        throw Laufzeitfehler(QStringLiteral("Datei nicht gefunden"), QDir::toNativeSeparators(path));
    if (!file.open(QIODevice::ReadOnly))
        throw Laufzeitfehler(QStringLiteral("Die Datei kann nicht gelesen werden"),
                             QDir::toNativeSeparators(path));
    return file.readAll();
}

namespace {

// Moves the finished temporary file over the old one in one step, so that a crash leaves one whole file.
bool ersetzeDurch(const QString& tempPath, const QString& path) {
#ifdef _WIN32
    return MoveFileExW(reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(tempPath).utf16()),
                       reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(path).utf16()),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
    return std::rename(QFile::encodeName(tempPath).constData(), QFile::encodeName(path).constData()) == 0;
#endif
}

} // namespace

void QtFileSystem::replaceVia(const QString& path, const QString& tempPath, const QByteArray& content) {
    const auto fehler = [&](const QString& problem, const QString& datei) {
        QFile::remove(tempPath);
        return Laufzeitfehler(problem, QDir::toNativeSeparators(datei));
    };
    QFile temp(tempPath);
    if (!temp.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw fehler(QStringLiteral("Die Zwischendatei kann nicht angelegt werden"), tempPath);
    if (temp.write(content) != content.size() || !temp.flush())
        throw fehler(QStringLiteral("Die Zwischendatei kann nicht geschrieben werden"), tempPath);
#ifndef _WIN32
    ::fsync(temp.handle());
#endif
    temp.close();
    if (!ersetzeDurch(tempPath, path))
        throw fehler(QStringLiteral("Die Datei kann nicht ersetzt werden"), path);
}

} // namespace findolin::platform
