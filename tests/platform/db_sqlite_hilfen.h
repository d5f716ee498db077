#pragma once

#include "platform/db/database.h"

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

    // Copies every row of `quelle` into the existing table `tabelle`, in cursor order.
    void kopiere(findolin::platform::db::Recordset& quelle, const QString& tabelle) {
        sql("BEGIN");
        const QStringList felder = quelle.fieldNames();
        QStringList stellen(felder.size(), QStringLiteral("?"));
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db_,
                           QStringLiteral("INSERT INTO %1 VALUES (%2)")
                               .arg(tabelle, stellen.join(u','))
                               .toUtf8()
                               .constData(),
                           -1, &stmt, nullptr);
        if (quelle.recordCount() > 0)
            quelle.moveFirst();
        while (!quelle.eof()) {
            for (int i = 0; i < felder.size(); ++i) {
                const QVariant w = quelle.field(felder[i]);
                if (w.isNull())
                    sqlite3_bind_null(stmt, i + 1);
                else if (w.typeId() == QMetaType::QString)
                    sqlite3_bind_text(stmt, i + 1, w.toString().toUtf8().constData(), -1, SQLITE_TRANSIENT);
                else
                    sqlite3_bind_int64(stmt, i + 1,
                                       w.toBool() && w.typeId() == QMetaType::Bool ? 1 : w.toLongLong());
            }
            sqlite3_step(stmt);
            sqlite3_reset(stmt);
            quelle.moveNext();
        }
        sqlite3_finalize(stmt);
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
