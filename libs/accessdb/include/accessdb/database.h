#pragma once

#include "platform/laufzeitfehler.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

// The database engine as the game sees it: a database file, record sources opened from it, and a cursor over
// the rows of each, with the operations a data control offers. Filters and find criteria are Access
// expressions ("LIP_=TRUE", "GWS=TRUE AND LIP_=TRUE", "RefNr=123"). Every failure is a Laufzeitfehler that
// names the problem and the file.
namespace findolin::accessdb {

// A field value; a null QVariant is the database's Null. Yes/no fields are bool, whole numbers qint64,
// fractions double, texts QString, dates QDateTime, binary data QByteArray.
using Wert = QVariant;

// A cursor over the rows of a record source, in table order (or in the order a query asks for).
// It stands on a row, before the first row (BOF) or after the last row (EOF); an empty cursor is both.
class Recordset {
public:
    virtual ~Recordset() = default;

    // A new cursor over the rows of this one that meet `filter`; it stands on its first row.
    virtual std::unique_ptr<Recordset> openFiltered(const QString& filter) const = 0;

    virtual void moveFirst() = 0;
    virtual void moveLast() = 0;
    // Past the last row the cursor stands at EOF; moving on from there is a run-time error.
    virtual void moveNext() = 0;
    // Before the first row the cursor stands at BOF; moving back from there is a run-time error.
    virtual void movePrevious() = 0;
    // Moves by `rows` rows from the current row; beyond the ends it stands at BOF or EOF.
    virtual void move(int rows) = 0;
    // 0-based position of the current row; -1 without a current row.
    virtual int absolutePosition() const = 0;

    // Makes the first row that meets `kriterium` the current row. Without a match the cursor stays where it
    // was and noMatch() is true.
    virtual void findFirst(const QString& kriterium) = 0;
    virtual bool noMatch() const = 0;

    virtual bool bof() const = 0;
    virtual bool eof() const = 0;
    virtual int recordCount() const = 0;

    // A field of the current row; names are matched without regard to case.
    virtual Wert field(const QString& name) const = 0;
    virtual QStringList fieldNames() const = 0;

    // Writing. addNew() starts a new row, edit() changes the current row; setField() fills the pending row
    // and update() stores it. A new row is appended at the end; the current row stays the one before
    // addNew(). deleteCurrent() removes the current row at once; the cursor then has no current row until it
    // moves. Read-only databases refuse every one of these with a run-time error.
    virtual void addNew() = 0;
    virtual void edit() = 0;
    virtual void setField(const QString& name, const Wert& wert) = 0;
    virtual void update() = 0;
    virtual void cancelUpdate() = 0;
    virtual void deleteCurrent() = 0;
};

// An open database file.
class Database {
public:
    virtual ~Database() = default;

    // Opens a record source: a table name, or a query of the form
    // SELECT * FROM table [WHERE expression] [ORDER BY field [ASC|DESC], ...].
    virtual std::unique_ptr<Recordset> openRecordset(const QString& recordSource) = 0;
    virtual QStringList tableNames() const = 0;
    virtual bool isReadOnly() const = 0;
    virtual QString fileName() const = 0;

    // A transaction: what is written between beginTrans() and commitTrans() reaches the file whole or not at
    // all, even when the process is killed meanwhile. rollback() undoes it and never fails; record sources
    // opened before it still show the undone rows, those opened after it show the file. Read-only files have
    // nothing to undo.
    // beginTrans() takes the file's write lock, waiting a few seconds for other programs, before anything is
    // read for the transaction; it is held until the database is closed, so that record sources opened after
    // commitTrans() read back from the file what was written before any other writer comes. A lock that
    // stays taken is a run-time error.
    virtual void beginTrans() = 0;
    virtual void commitTrans() = 0;
    virtual void rollback() = 0;
    // Runs a data-definition statement in SQLite's SQL ("CREATE TABLE ..."); read-only files refuse it, and
    // Access files, which get no new tables.
    virtual void execute(const QString& sql) = 0;
    virtual bool canCreateTables() const = 0;
};

// What create() finds when another program has made the file meanwhile.
class DateiSchonDa : public Laufzeitfehler {
public:
    using Laufzeitfehler::Laufzeitfehler;
};

// Opens database files; the game gets one injected, so tests can hand it any file of any format.
class DatabaseOpener {
public:
    virtual ~DatabaseOpener() = default;
    virtual std::unique_ptr<Database> open(const QString& path) = 0;
    // The same for a file the game only reads: every write is refused.
    virtual std::unique_ptr<Database> openReadOnly(const QString& path) = 0;
    // Makes a new database file that can be written, with the tables that the data-definition statements
    // `schema` declare, and opens it. It is made aside and takes its place at the first commitTrans() (or the
    // first change outside a transaction), with what was written: the file appears whole, never empty, or not
    // at all. Where a file is or
    // appears at `path` meanwhile, create() or that commit throws DateiSchonDa and nothing is put in place.
    virtual std::unique_ptr<Database> create(const QString& path, const QStringList& schema) = 0;
};

} // namespace findolin::accessdb
