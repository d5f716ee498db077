#pragma once

#include "chmverzeichnis.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>

struct chmFile;

namespace findolin::chm {

// The container of a compiled help file: its directory checked by ChmVerzeichnis, its contents read (and
// decompressed) through libchm. Throws a Laufzeitfehler when the file cannot be opened or does not hold
// together.
class ChmBehaelter {
public:
    explicit ChmBehaelter(const QString& datei);
    ~ChmBehaelter();
    ChmBehaelter(const ChmBehaelter&) = delete;
    ChmBehaelter& operator=(const ChmBehaelter&) = delete;

    const QString& datei() const { return datei_; }
    const ChmVerzeichnis& verzeichnis() const { return verzeichnis_; }
    // The bytes of the stored file `pfad` ("/Name.htm", any case); nothing when the file has no such entry.
    // A stored file that cannot be read in full is a Laufzeitfehler.
    std::optional<QByteArray> lese(const QByteArray& pfad) const;

private:
    QString datei_;
    ChmVerzeichnis verzeichnis_;
    chmFile* chm_ = nullptr;
};

} // namespace findolin::chm
