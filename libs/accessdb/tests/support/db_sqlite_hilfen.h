#pragma once

#include <accessdb/database.h>

#include <QFile>
#include <QString>
#include <sqlite3.h>

// Writes SQLite files for tests: runs SQL on a new file and copies rows from any other database through the
// game's own interface.
class SqliteDatei {
public:
    explicit SqliteDatei(const QString& pfad) {
        QFile::remove(pfad);
        sqlite3_open(pfad.toUtf8().constData(), &db_);
    }
    ~SqliteDatei() { sqlite3_close(db_); }
    SqliteDatei(const SqliteDatei&) = delete;
    SqliteDatei& operator=(const SqliteDatei&) = delete;

    bool sql(const QString& text) {
        return sqlite3_exec(db_, text.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    }

    // Copies every row of `quelle` into the existing table `tabelle`, in cursor order: texts, whole numbers
    // (yes/no as 1 and 0) and Null.
    void kopiere(findolin::accessdb::Recordset& quelle, const QString& tabelle) {
        sql("BEGIN");
        for (quelle.recordCount() > 0 ? quelle.moveFirst() : void(); !quelle.eof(); quelle.moveNext()) {
            QStringList werte;
            for (const QString& feld : quelle.fieldNames()) {
                const QVariant w = quelle.field(feld);
                werte.append(w.isNull() ? QStringLiteral("NULL")
                             : w.typeId() == QMetaType::QString
                                 ? u'\'' + w.toString().replace(u'\'', "''") + u'\''
                                 : QString::number(w.toLongLong()));
            }
            sql(QStringLiteral("INSERT INTO %1 VALUES (%2)").arg(tabelle, werte.join(u',')));
        }
        sql("COMMIT");
    }

private:
    sqlite3* db_ = nullptr;
};

// The spelling database's two tables as the game's SQLite files declare them.
inline const char* const wortListeSchema =
    "CREATE TABLE WortListe (RefNr INTEGER, Wort TEXT NOT NULL, Kontext TEXT, GWS BOOLEAN, IE__ BOOLEAN, "
    "CK__ BOOLEAN, LIP_ BOOLEAN, TZ12 BOOLEAN)";
inline const char* const lupenStellenSchema =
    "CREATE TABLE LupenStellen (RefNr INTEGER, ubix INTEGER, vonPos INTEGER, bisPos INTEGER)";
