#include <accessdb/dateioeffner.h>

#include "dateidatenbank.h"
#include "jetformat.h"
#include "jetspeicher.h"
#include "platform/dateisystem.h"
#include "platform/laufzeitfehler.h"
#include "sqlitespeicher.h"

#include <QFile>
#include <QFileInfo>

namespace findolin::accessdb {

DateiFormat erkenneFormat(const QByteArray& kopf) {
    if (kopf.startsWith(QByteArrayLiteral("SQLite format 3\0")))
        return DateiFormat::Sqlite;
    // Jet files: a page header, the engine's name, then its version
    if (kopf.size() > jet::versionOffset && kopf.mid(jet::kennungOffset, sizeof jet::kennung) ==
                                                QByteArrayView(jet::kennung, sizeof jet::kennung)) {
        switch (quint8(kopf.at(jet::versionOffset))) {
        case jet::versionJet3:
            return DateiFormat::Jet3;
        case jet::versionJet4:
            return DateiFormat::Jet4;
        default:
            break;
        }
    }
    return DateiFormat::Unbekannt;
}

std::unique_ptr<Database> DateiOeffner::open(const QString& path) {
    return oeffne(path, false);
}

std::unique_ptr<Database> DateiOeffner::openReadOnly(const QString& path) {
    return oeffne(path, true);
}

std::unique_ptr<Database> DateiOeffner::oeffne(const QString& path, bool nurLesen) {
    QFile datei(path);
    if (platform::dateisystem::art(path) == platform::dateisystem::Art::Fehlt)
        throw Laufzeitfehler(QStringLiteral("Die Datenbankdatei fehlt"), path);
    platform::dateisystem::pruefeGewoehnlich(path);
    if (!datei.open(QIODevice::ReadOnly))
        throw Laufzeitfehler(QStringLiteral("Die Datenbankdatei kann nicht gelesen werden"), path);
    const QByteArray kopf = datei.read(32);
    datei.close();
    switch (erkenneFormat(kopf)) {
    case DateiFormat::Jet3:
        return std::make_unique<DateiDatenbank>(oeffneJetDatei(path, 2048, nurLesen, grenzen_));
    case DateiFormat::Jet4:
        return std::make_unique<DateiDatenbank>(oeffneJetDatei(path, 4096, nurLesen, grenzen_));
    case DateiFormat::Sqlite:
        return std::make_unique<DateiDatenbank>(oeffneSqliteDatei(path, nurLesen));
    case DateiFormat::Unbekannt:
        break;
    }
    throw Laufzeitfehler(QStringLiteral("Die Datei ist keine Datenbank, die das Spiel lesen kann"), path);
}

std::unique_ptr<Database> DateiOeffner::create(const QString& path, const QStringList& schema) {
    return std::make_unique<DateiDatenbank>(erzeugeSqliteDatei(path, schema));
}

} // namespace findolin::accessdb
