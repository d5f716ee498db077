#pragma once

#include "services.h"

namespace findolin::platform {

// The real file system, through Qt.
class QtFileSystem : public FileSystem {
public:
    bool exists(const QString& path) const override;
    QByteArray readAll(const QString& path) const override;
    void pruefeGewoehnlich(const QString& path) const override;
    void replaceVia(const QString& path, const QString& tempPath, const QByteArray& content) override;
};

// A file in the program or user folder: the folder followed by the name, with the platform's separator.
QString imOrdner(const QString& ordner, const QString& name);

// The file as written, or else a file in the same folder whose name differs only in case, as the framework's
// folders come from Windows; empty when there is neither.
QString findeDatei(const QString& pfad);

} // namespace findolin::platform
