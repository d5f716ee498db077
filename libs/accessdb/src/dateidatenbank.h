#pragma once

#include "tabelle.h"

#include <QHash>

namespace findolin::accessdb {

// A database file whose tables are loaded whole on first use and then kept; rows stay in table order, and
// filters, criteria and queries are evaluated in memory, the same way for every file format.
class DateiDatenbank : public Database {
public:
    explicit DateiDatenbank(std::shared_ptr<Speicher> speicher);

    std::unique_ptr<Recordset> openRecordset(const QString& recordSource) override;
    QStringList tableNames() const override { return speicher_->tabellen(); }
    bool isReadOnly() const override { return speicher_->nurLesen(); }
    QString fileName() const override { return speicher_->datei(); }
    void beginTrans() override;
    void commitTrans() override;
    void rollback() override;
    void execute(const QString& sql) override;
    bool canCreateTables() const override { return speicher_->legtTabellenAn(); }

private:
    std::shared_ptr<Tabelle> tabelle(const QString& name);

    std::shared_ptr<Speicher> speicher_;
    QHash<QString, std::shared_ptr<Tabelle>> geladen_; // by lower-case name
};

} // namespace findolin::accessdb
