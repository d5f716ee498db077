#include "meisterliste.h"

#include "logging.h"
#include "platform/laufzeitfehler.h"

#include <QFileInfo>

namespace findolin {

using accessdb::Database;
using accessdb::Recordset;

namespace {

const QString tabelle = QStringLiteral("Punkte");
const QString feldPunkte = QStringLiteral("Punkte"); // the column shares the table's name
// The list this game makes where there is none; ID numbers the rows as the framework's AutoNumber does.
const QString tabellenSchema = QStringLiteral(
    "CREATE TABLE Punkte (ID INTEGER PRIMARY KEY, Name TEXT, Programm TEXT, Datum TEXT, Punkte INTEGER)");

bool hatTabelle(const Database& db) {
    return db.tableNames().contains(tabelle, Qt::CaseInsensitive);
}

bool vomSpiel(const Recordset& rs, const MeisterEintrag& eintrag) {
    return rs.field(QStringLiteral("Programm")).toString() == eintrag.programm;
}

// Walks every row from the first.
template <class Tue> void fuerJedeZeile(Recordset& rs, Tue&& tue) {
    if (rs.recordCount() == 0)
        return;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        if (!tue())
            return;
}

// Every row of the table with the four fields of the list, sorted: what a reader finds, whatever the order.
QStringList alleZeilen(Recordset& rs) {
    QStringList zeilen;
    fuerJedeZeile(rs, [&] {
        QStringList felder;
        for (const char* feld : {"Name", "Programm", "Datum", "Punkte"})
            felder.append(rs.field(QLatin1String(feld)).toString());
        zeilen.append(felder.join(u'|'));
        return true;
    });
    zeilen.sort();
    return zeilen;
}

} // namespace

QString datumsText(const QDate& datum) {
    return datum.toString(QStringLiteral("dd.MM.yyyy"));
}

QString MeisterListe::hinweisText(const QString& grund) {
    return QStringLiteral("Die Punkte konnten nicht in die Meisterliste eingetragen werden.") + QChar(13) +
           grund;
}

MeisterListe::MeisterListe(accessdb::DatabaseOpener& oeffner, const platform::Clock& uhr, QString datei)
    : oeffner_(oeffner), uhr_(uhr), datei_(std::move(datei)) {}

qint16 MeisterListe::zaehle(Recordset& rs, const MeisterEintrag& eintrag) const {
    qint16 n = 0;
    fuerJedeZeile(rs, [&] {
        if (vomSpiel(rs, eintrag))
            n = alsInt16(qint64(n) + 1, QStringLiteral("Anzahl der Zeilen in der Meisterliste"));
        return true;
    });
    return n;
}

qint32 MeisterListe::niedrigste(Recordset& rs, const MeisterEintrag& eintrag) const {
    qint64 m = suchStart;
    fuerJedeZeile(rs, [&] {
        const accessdb::Wert punkte = rs.field(feldPunkte);
        if (vomSpiel(rs, eintrag) && !punkte.isNull() && punkte.toLongLong() < m)
            m = punkte.toLongLong();
        return true;
    });
    return qint32(m);
}

void MeisterListe::neu(Recordset& rs, const MeisterEintrag& eintrag) const {
    rs.addNew();
    rs.setField(QStringLiteral("Name"), eintrag.name);
    rs.setField(QStringLiteral("Programm"), eintrag.programm);
    rs.setField(QStringLiteral("Datum"), eintrag.datum);
    rs.setField(tabelle, qint64(eintrag.punkte));
    rs.update();
}

void MeisterListe::entferne(Recordset& rs, const MeisterEintrag& eintrag, qint32 punkte) const {
    fuerJedeZeile(rs, [&] {
        const accessdb::Wert p = rs.field(feldPunkte);
        if (!vomSpiel(rs, eintrag) || p.isNull() || p.toLongLong() != punkte)
            return true;
        rs.deleteCurrent(); // only the first such row, in table order
        return false;
    });
}

MeisterListe::Aufnahme MeisterListe::fuegeEin(Database& db, const MeisterEintrag& eintrag) const {
    const auto rs = db.openRecordset(tabelle);
    if (zaehle(*rs, eintrag) < maxZeilen) {
        neu(*rs, eintrag);
        return {true, QStringLiteral("added")};
    }
    const qint32 m = niedrigste(*rs, eintrag);
    if (m >= eintrag.punkte) // a tie with the lowest result does not enter
        return {false, QStringLiteral("not entered, the lowest is %1").arg(m)};
    neu(*rs, eintrag);
    entferne(*rs, eintrag, m);
    return {true, QStringLiteral("added in place of the lowest, %1").arg(m)};
}

// An SQLite list gets its table where it has none; an Access list without it is damaged.
void MeisterListe::pruefeTabelle(const Database& db) const {
    if (!hatTabelle(db) && !db.canCreateTables())
        throw Laufzeitfehler(QStringLiteral("Die Meisterliste ist beschädigt: Die Tabelle „Punkte“ fehlt"),
                             datei_);
}

void MeisterListe::veraendere(const std::function<void(Database&)>& aenderung) {
    try {
        veraendereEinmal(aenderung);
    } catch (const accessdb::DateiSchonDa&) {
        qCDebug(lcHighscores) << "another game made the high-score list meanwhile, written there:" << datei_;
        veraendereEinmal(aenderung);
    }
}

void MeisterListe::veraendereEinmal(const std::function<void(Database&)>& aenderung) {
    std::unique_ptr<Database> db;
    if (QFileInfo::exists(datei_)) {
        db = oeffner_.open(datei_);
    } else {
        qCDebug(lcHighscores) << "no high-score list yet, a new one is made:" << datei_;
        db = oeffner_.create(datei_, {tabellenSchema});
    }
    if (db->isReadOnly())
        throw Laufzeitfehler(
            QStringLiteral(
                "Die Meisterliste kann nur gelesen werden (die Datei oder ihr Ordner ist schreibgeschützt)"),
            datei_);
    pruefeTabelle(*db);
    db->beginTrans();
    QStringList geschrieben;
    try {
        if (!hatTabelle(*db))
            db->execute(tabellenSchema);
        aenderung(*db);
        geschrieben = alleZeilen(*db->openRecordset(tabelle));
        db->commitTrans();
    } catch (...) {
        db->rollback();
        throw;
    }
    // still under the lock: the file must now hold the list as written, read back from it
    if (alleZeilen(*db->openRecordset(tabelle)) != geschrieben)
        throw Laufzeitfehler(
            QStringLiteral("Die Meisterliste liest sich nach dem Schreiben nicht so, wie sie "
                           "geschrieben wurde"),
            datei_);
}

std::vector<MeisterListe::Aufnahme> MeisterListe::schreibe(const std::vector<MeisterEintrag>& eintraege) {
    std::vector<Aufnahme> aufnahmen;
    veraendere([&](Database& db) {
        aufnahmen.clear();
        for (const MeisterEintrag& eintrag : eintraege)
            aufnahmen.push_back(fuegeEin(db, eintrag));
    });
    return aufnahmen;
}

int MeisterListe::leere() {
    if (!QFileInfo::exists(datei_))
        return 0;
    QStringList geloescht;
    veraendere([&](Database& db) {
        const auto rs = db.openRecordset(tabelle);
        QStringList& namen = geloescht;
        namen.clear();
        fuerJedeZeile(*rs, [&] {
            if (rs->field(QStringLiteral("Programm")).toString() == programm) {
                namen.append(rs->field(QStringLiteral("Name")).toString());
                rs->deleteCurrent(); // the cursor then stands before the next row
            }
            return true;
        });
    });
    qCDebug(lcHighscores) << "list emptied of this game's" << geloescht.size() << "rows:" << datei_;
    return int(geloescht.size());
}

QString MeisterListe::updateMeister(const StartKontext& kontext) {
    std::vector<MeisterEintrag> eintraege;
    std::vector<int> spieler;
    const QString datum = datumsText(uhr_.today());
    for (int i = 0; i < kontext.nSpieler && i < maxSpieler; ++i) {
        if (kontext.spielerPunkte[i] > 0) {
            eintraege.push_back({kontext.spielerName[i], programm, datum, kontext.spielerPunkte[i]});
            spieler.push_back(i);
        }
    }
    if (eintraege.empty())
        return {};
    try {
        const std::vector<Aufnahme> aufnahmen = schreibe(eintraege);
        for (std::size_t j = 0; j < spieler.size(); ++j)
            qCDebug(lcHighscores).noquote()
                << QStringLiteral("high score for player %1: %2 points %3, written")
                       .arg(spieler[j])
                       .arg(eintraege[j].punkte)
                       .arg(aufnahmen[j].bericht);
        return {};
    } catch (const Laufzeitfehler& fehler) {
        for (int i : spieler)
            qCDebug(lcHighscores).noquote()
                << QStringLiteral("high score for player %1 could not be entered: %2")
                       .arg(i)
                       .arg(QString::fromUtf8(fehler.what()));
        return fehler.meldung();
    }
}

std::vector<MeisterEintrag> MeisterListe::zeilen() const {
    std::vector<MeisterEintrag> liste;
    if (!QFileInfo::exists(datei_))
        return liste;
    const auto db = oeffner_.open(datei_);
    pruefeTabelle(*db);
    if (!hatTabelle(*db))
        return liste;
    const auto rs =
        db->openRecordset(QStringLiteral("SELECT * FROM Punkte ") + QStringLiteral("WHERE Programm='") +
                          programm + QStringLiteral("'") + QStringLiteral(" ORDER BY [Punkte] DESC"));
    fuerJedeZeile(*rs, [&] {
        liste.push_back({rs->field(QStringLiteral("Name")).toString(), programm,
                         rs->field(QStringLiteral("Datum")).toString(),
                         qint32(rs->field(feldPunkte).toLongLong())});
        return true;
    });
    return liste;
}

} // namespace findolin
