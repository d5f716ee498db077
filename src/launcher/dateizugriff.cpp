#include "dateizugriff.h"

#include "platform/files.h"
#include "platform/laufzeitfehler.h"
#include <accessdb/dateioeffner.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace findolin::launcher {

namespace {

// The entry as named, or else the one in the same folder whose name differs only in case; the folder itself
// is looked for in the same way. Empty when there is none.
QString findeEintrag(const QString& pfad) {
    const QFileInfo info(pfad);
    if (info.exists())
        return pfad;
    const QString ordnerPfad = info.path();
    if (ordnerPfad == pfad || info.fileName().isEmpty())
        return {};
    const QString ordner = findeEintrag(ordnerPfad);
    if (ordner.isEmpty())
        return {};
    for (const QString& name : QDir(ordner).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
        if (name.compare(info.fileName(), Qt::CaseInsensitive) == 0)
            return QDir(ordner).filePath(name);
    return {};
}

} // namespace

QString findeDatei(const QString& pfad) {
    // a fifo or a device is found too, so that whoever reads it names it instead of calling it missing
    const QString gefunden = findeEintrag(QDir::cleanPath(pfad));
    return QFileInfo(gefunden).isDir() ? QString() : gefunden;
}

QString findeOrdner(const QString& pfad) {
    const QString gefunden = findeEintrag(QDir::cleanPath(pfad));
    return QFileInfo(gefunden).isDir() ? gefunden : QString();
}

QByteArray liesDatei(const QString& pfad) {
    if (QFileInfo(pfad).exists() && !QFileInfo(pfad).isFile())
        throw Laufzeitfehler(QStringLiteral("Das ist keine gewöhnliche Datei"),
                             QDir::toNativeSeparators(pfad));
    return platform::QtFileSystem().readAll(pfad);
}

void schreibeDatei(const QString& pfad, const QByteArray& inhalt) {
    platform::QtFileSystem().replaceVia(pfad, pfad + QStringLiteral(".neu"), inhalt);
}

void kopiereDatei(const QString& von, const QString& nach) {
    schreibeDatei(nach, liesDatei(von));
}

std::unique_ptr<accessdb::Database> oeffneDatenbank(const QString& pfad) {
    if (!QFileInfo(pfad).isFile())
        throw Laufzeitfehler(QStringLiteral("Die Datenbank fehlt oder ist keine gewöhnliche Datei"),
                             QDir::toNativeSeparators(pfad));
    return accessdb::DateiOeffner().openReadOnly(pfad);
}

void legeDatenbankAn(const QString& pfad, const QStringList& schema,
                     const std::function<void(accessdb::Database&)>& fuelle) {
    const QString neu = pfad + QStringLiteral(".anlage");
    const auto aufraeumen = [&neu] {
        for (const QString& rest : {neu, neu + QStringLiteral(".neu"), neu + QStringLiteral("-journal")})
            QFile::remove(rest);
    };
    aufraeumen(); // what an interrupted earlier run left
    try {
        {
            const auto db = accessdb::DateiOeffner().create(neu, schema);
            db->beginTrans();
            fuelle(*db);
            db->commitTrans();
        }
        schreibeDatei(pfad, liesDatei(neu));
    } catch (...) {
        aufraeumen();
        throw;
    }
    aufraeumen();
}

namespace {
class Dateisystem : public platform::FileSystem {
public:
    bool exists(const QString& pfad) const override { return QFileInfo(pfad).isFile(); }
    QByteArray readAll(const QString& pfad) const override { return liesDatei(pfad); }
    void pruefeGewoehnlich(const QString& pfad) const override {
        platform::QtFileSystem().pruefeGewoehnlich(pfad);
    }
    void replaceVia(const QString& pfad, const QString& zwischendatei, const QByteArray& inhalt) override {
        platform::QtFileSystem().replaceVia(pfad, zwischendatei, inhalt);
    }
};
} // namespace

platform::FileSystem& dateisystem() {
    static Dateisystem dateien;
    return dateien;
}

} // namespace findolin::launcher
