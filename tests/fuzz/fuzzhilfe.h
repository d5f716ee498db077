#pragma once

// Shared by the fuzz targets: the input as Qt types or as a file, an in-memory file system, a checked
// invariant.
#include "platform/laufzeitfehler.h"
#include "platform/services.h"

#include <QByteArray>
#include <QDir>
#include <QHash>
#include <QLoggingCategory>
#include <QTemporaryFile>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

// A broken invariant is a finding: say which and stop, so that libFuzzer keeps the input.
#define FUZZ_PRUEFE(bedingung)                                                                               \
    do {                                                                                                     \
        if (!(bedingung)) {                                                                                  \
            std::fprintf(stderr, "invariant broken: %s (%s:%d)\n", #bedingung, __FILE__, __LINE__);          \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (false)

inline QByteArray eingabe(const uint8_t* daten, size_t groesse) {
    return QByteArray(reinterpret_cast<const char*>(daten), static_cast<qsizetype>(groesse));
}

// For readers that take a file name: the input in a temporary file ending in `endung`, removed with it.
inline std::unique_ptr<QTemporaryFile> alsDatei(const uint8_t* daten, size_t groesse,
                                                const QString& endung = {}) {
    auto datei = std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/fuzz-XXXXXX") + endung);
    FUZZ_PRUEFE(datei->open());
    datei->write(eingabe(daten, groesse));
    datei->close();
    return datei;
}

// Our log lines would only slow the runs down.
inline void stilleLogs() {
    QLoggingCategory::setFilterRules(QStringLiteral("findolin.*=false\nqt.*=false"));
}

class SpeicherDateien : public findolin::platform::FileSystem {
public:
    QHash<QString, QByteArray> dateien;

    bool exists(const QString& pfad) const override { return dateien.contains(pfad); }
    QByteArray readAll(const QString& pfad) const override {
        if (!dateien.contains(pfad))
            throw findolin::Laufzeitfehler(QStringLiteral("Datei fehlt"), pfad);
        return dateien.value(pfad);
    }
    void pruefeGewoehnlich(const QString&) const override {} // files in memory are all regular
    void replaceVia(const QString& pfad, const QString&, const QByteArray& inhalt) override {
        dateien.insert(pfad, inhalt);
    }
};
