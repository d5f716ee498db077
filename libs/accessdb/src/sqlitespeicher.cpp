#include "sqlitespeicher.h"

#include "listensperre.h"
#include "platform/dateisystem.h"
#include "platform/laufzeitfehler.h"
#include "pruefpunkte.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

namespace findolin::accessdb {

namespace {

namespace ds = platform::dateisystem;

// What SQLite reported, in the words the game shows: a full disk, a damaged file and a file that other
// programs kept locked too long each by name.
[[noreturn]] void sqliteFehler(sqlite3* db, const QString& pfad) {
    const int art = sqlite3_errcode(db) & 0xff;
    const QString text = QString::fromUtf8(sqlite3_errmsg(db));
    if (art == SQLITE_FULL || (art == SQLITE_IOERR && ds::istKeinPlatz(sqlite3_system_errno(db))))
        ds::keinPlatz(QStringLiteral("Die Datenbank kann nicht geschrieben werden"), pfad);
    if (art == SQLITE_CORRUPT || art == SQLITE_NOTADB)
        throw Laufzeitfehler(QStringLiteral("Die Datenbankdatei ist beschädigt (") + text + u')', pfad);
    if (art == SQLITE_BUSY || art == SQLITE_LOCKED)
        throw Laufzeitfehler(
            QStringLiteral("Die Datenbank war länger als %1 Sekunden in einem anderen Programm "
                           "belegt; sie wird nicht geschrieben")
                .arg(sperrWarteMs() / 1000.0),
            pfad);
    throw Laufzeitfehler(QStringLiteral("Datenbankfehler: ") + text, pfad);
}

// SQLite's locks are waited for until sperrWarteMs() have passed, by a clock that faketime does not speed up,
// trying again every few milliseconds. `frist` holds the end of the wait, set when a wait begins.
int warteAufSqlite(void* frist, int versuch) {
    auto& ende = *static_cast<qint64*>(frist);
    if (versuch == 0)
        ende = ds::echteMillisekunden() + sperrWarteMs();
    if (ds::echteMillisekunden() >= ende)
        return 0;
    ds::schlafe(5);
    return 1;
}

// Opens an SQLite file with the flags `art` (SQLITE_OPEN_CREATE makes it); the connection waits for locks.
sqlite3* oeffneVerbindung(const QString& pfad, int art, qint64* frist, QString* fehler) {
    sqlite3* db = nullptr;
    const int rc =
        sqlite3_open_v2(QFile::encodeName(pfad).constData(), &db, art | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        *fehler = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString();
        sqlite3_close(db);
        return nullptr;
    }
    sqlite3_busy_handler(db, warteAufSqlite, frist);
    return db;
}

FeldArt artVon(const QString& deklariert) {
    const QString t = deklariert.toUpper();
    if (t.contains(QLatin1String("BOOL")) || t.contains(QLatin1String("YESNO")) || t == QLatin1String("BIT"))
        return FeldArt::JaNein;
    if (t.contains(QLatin1String("INT")))
        return FeldArt::Ganzzahl;
    if (t.contains(QLatin1String("CHAR")) || t.contains(QLatin1String("TEXT")) ||
        t.contains(QLatin1String("CLOB")))
        return FeldArt::Text;
    if (t.contains(QLatin1String("DATE")) || t.contains(QLatin1String("TIME")))
        return FeldArt::Datum;
    if (t.contains(QLatin1String("BLOB")) || t.isEmpty())
        return FeldArt::Binaer;
    return FeldArt::Kommazahl;
}

QString zitiert(const QString& name) {
    return u'"' + QString(name).replace(u'"', QLatin1String("\"\"")) + u'"';
}

class Anweisung {
public:
    Anweisung(sqlite3* db, const QString& sql, const QString& datei) {
        if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &stmt_, nullptr) != SQLITE_OK)
            sqliteFehler(db, datei);
    }
    ~Anweisung() { beende(); }
    // Done with before its end, so that the connection can be closed.
    void beende() {
        sqlite3_finalize(stmt_);
        stmt_ = nullptr;
    }
    Anweisung(const Anweisung&) = delete;
    Anweisung& operator=(const Anweisung&) = delete;
    sqlite3_stmt* operator*() const { return stmt_; }

private:
    sqlite3_stmt* stmt_ = nullptr;
};

// An open SQLite file. A new one (`neu`) is made under a work name while its lock file is held, and takes the
// place of `pfad` when its first transaction is committed.
class SqliteSpeicher : public Speicher {
public:
    SqliteSpeicher(QString pfad, bool nurLesen) : pfad_(std::move(pfad)), nurLesen_(nurLesen) {}
    ~SqliteSpeicher() override;

    void oeffne(const QString& datei, int art);
    void legeNeuAn(const QStringList& schema);

    QString datei() const override { return pfad_; }
    bool nurLesen() const override { return nurLesen_; }
    QStringList tabellen() const override;
    std::shared_ptr<Tabelle> lade(const QString& name) override;
    qint64 fuegeEin(const Tabelle& tabelle, const Zeile& zeile) override;
    void aendere(const Tabelle& tabelle, const Zeile& zeile) override;
    void loesche(const Tabelle& tabelle, const Zeile& zeile) override;
    void beginne() override;
    void bestaetige() override;
    void verwerfe() override;
    bool legtTabellenAn() const override { return true; }
    void fuehreAus(const QString& sql) override;

private:
    [[noreturn]] void fehler() const { sqliteFehler(db_, pfad_); }
    void legeAnDieStelle();
    QString echterName(const QString& name) const;
    void liesFelder(Tabelle& tabelle) const;
    void liesZeilen(Tabelle& tabelle) const;
    // A change outside a transaction is committed at once: a new file then takes its place.
    void nachAutocommit(Anweisung& anweisung) {
        anweisung.beende();
        if (!neu_.isEmpty() && sqlite3_get_autocommit(db_))
            legeAnDieStelle();
    }
    void schritt(sqlite3_stmt* stmt) const {
        if (sqlite3_step(stmt) != SQLITE_DONE)
            fehler();
    }
    void binde(sqlite3_stmt* stmt, int stelle, const Wert& wert) const;
    void sql(const char* text) const {
        if (sqlite3_exec(db_, text, nullptr, nullptr, nullptr) != SQLITE_OK)
            fehler();
    }

    QString pfad_;
    sqlite3* db_ = nullptr;
    bool nurLesen_;
    qint64 frist_ = 0;                     // while a lock is waited for
    std::unique_ptr<ListenSperre> sperre_; // from the first transaction or the making of a new file on
    QString neu_;                          // the new file, until it is in place
};

SqliteSpeicher::~SqliteSpeicher() {
    sqlite3_close(db_);
    if (!neu_.isEmpty()) {
        QFile::remove(neu_);
        QFile::remove(neu_ + QStringLiteral("-journal"));
    }
}

void SqliteSpeicher::oeffne(const QString& datei, int art) {
    QString meldung;
    db_ = oeffneVerbindung(datei, art, &frist_, &meldung);
    if (!db_)
        throw Laufzeitfehler(QStringLiteral("Die Datenbankdatei kann nicht geöffnet werden: ") + meldung,
                             pfad_);
    nurLesen_ = nurLesen_ || sqlite3_db_readonly(db_, "main") == 1;
}

// Under the list's lock file, so that two games finding no list do not both make one; work files that killed
// writers left are removed on the way.
void SqliteSpeicher::legeNeuAn(const QStringList& schema) {
    sperre_ = std::make_unique<ListenSperre>(pfad_);
    if (QFileInfo::exists(pfad_))
        throw DateiSchonDa(QStringLiteral("Die Datenbankdatei gibt es schon"), pfad_);
    neu_ = arbeitsDatei(pfad_);
    oeffne(neu_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    for (const QString& anweisung : schema)
        sql(anweisung.toUtf8().constData());
}

// The new file takes its place only where no other has appeared meanwhile; then the list is read from there.
void SqliteSpeicher::legeAnDieStelle() {
    sqlite3_close(db_); // every statement is done with: the file is closed before it is renamed
    db_ = nullptr;
    bool schonDa = false;
    const QString grund = ds::legeAn(neu_, pfad_, &schonDa);
    if (schonDa)
        throw DateiSchonDa(QStringLiteral("Die Datenbankdatei gibt es schon"), pfad_);
    if (!grund.isEmpty())
        throw Laufzeitfehler(
            QStringLiteral("Die neue Datenbankdatei kann nicht an ihre Stelle gelegt werden: ") + grund,
            pfad_);
    neu_.clear();
    oeffne(pfad_, SQLITE_OPEN_READWRITE);
}

QStringList SqliteSpeicher::tabellen() const {
    Anweisung a(
        db_, QStringLiteral("SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite_%'"),
        pfad_);
    QStringList namen;
    int rc;
    while ((rc = sqlite3_step(*a)) == SQLITE_ROW)
        namen.append(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(*a, 0))));
    if (rc != SQLITE_DONE)
        fehler();
    return namen;
}

namespace {

// Appends the value of result column `s` of `a` to field `i` of the table being filled: the common cases go
// straight into the field's kind; the others are converted as the file would store them.
void uebernimm(Tabelle& tabelle, int i, sqlite3_stmt* a, int s) {
    Spalte& spalte = tabelle.spalteZumFuellen(i);
    Wert wert;
    switch (sqlite3_column_type(a, s)) {
    case SQLITE_NULL:
        spalte.haengeNull();
        return;
    case SQLITE_INTEGER:
        if (spalte.art() == FeldArt::JaNein) {
            spalte.haengeJaNein(sqlite3_column_int64(a, s) != 0);
            return;
        }
        if (spalte.art() == FeldArt::Ganzzahl) {
            spalte.haengeGanzzahl(sqlite3_column_int64(a, s));
            return;
        }
        wert = qint64(sqlite3_column_int64(a, s));
        break;
    case SQLITE_FLOAT:
        if (spalte.art() == FeldArt::Kommazahl) {
            spalte.haengeKommazahl(sqlite3_column_double(a, s));
            return;
        }
        wert = sqlite3_column_double(a, s);
        break;
    case SQLITE_BLOB: {
        const auto* daten = static_cast<const char*>(sqlite3_column_blob(a, s));
        if (spalte.art() == FeldArt::Binaer) {
            spalte.haengeBytes(daten, size_t(sqlite3_column_bytes(a, s)));
            return;
        }
        wert = QByteArray(daten, sqlite3_column_bytes(a, s));
        break;
    }
    default: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(a, s));
        if (spalte.art() == FeldArt::Text) {
            spalte.haengeBytes(text, size_t(sqlite3_column_bytes(a, s)));
            return;
        }
        wert = QString::fromUtf8(text, sqlite3_column_bytes(a, s));
        if (spalte.art() == FeldArt::Datum)
            wert = QDateTime::fromString(wert.toString(), Qt::ISODate);
    }
    }
    spalte.haenge(tabelle.passend(i, wert));
}

} // namespace

std::shared_ptr<Tabelle> SqliteSpeicher::lade(const QString& name) {
    sqlite3_db_release_memory(db_); // the rows come from the file, not from what SQLite kept
    auto tabelle = std::make_shared<Tabelle>();
    tabelle->name = echterName(name);
    liesFelder(*tabelle);
    tabelle->legeFelderAn(tabelle->felder, tabelle->arten);
    liesZeilen(*tabelle);
    tabelle->verdichte();
    sqlite3_db_release_memory(db_); // the rows are held now; SQLite's page cache would hold them twice
    return tabelle;
}

// The table's name as the file spells it.
QString SqliteSpeicher::echterName(const QString& name) const {
    QString echterName;
    for (const QString& t : tabellen())
        if (t.compare(name, Qt::CaseInsensitive) == 0)
            echterName = t;
    if (echterName.isEmpty())
        throw Laufzeitfehler(QStringLiteral("Die Tabelle „") + name + QStringLiteral("“ fehlt"), pfad_);
    return echterName;
}

void SqliteSpeicher::liesFelder(Tabelle& tabelle) const {
    Anweisung info(db_, QStringLiteral("PRAGMA table_info(") + zitiert(tabelle.name) + u')', pfad_);
    int schluessel = 0;
    while (sqlite3_step(*info) == SQLITE_ROW) {
        const QString typ = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(*info, 2)));
        if (sqlite3_column_int(*info, 5) > 0) {
            ++schluessel;
            if (typ.compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0)
                tabelle.schluesselFeld = int(tabelle.felder.size());
        }
        tabelle.felder.append(
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(*info, 1))));
        tabelle.arten.append(artVon(typ));
    }
    // only a key of one INTEGER field is the rowid, which SQLite numbers itself
    if (schluessel != 1)
        tabelle.schluesselFeld = -1;
}

void SqliteSpeicher::liesZeilen(Tabelle& tabelle) const {
    QStringList spalten;
    for (const QString& f : tabelle.felder)
        spalten.append(zitiert(f));
    Anweisung a(db_,
                QStringLiteral("SELECT rowid, ") + spalten.join(u',') + QStringLiteral(" FROM ") +
                    zitiert(tabelle.name) + QStringLiteral(" ORDER BY rowid"),
                pfad_);
    int rc;
    while ((rc = sqlite3_step(*a)) == SQLITE_ROW) {
        for (int i = 0; i < tabelle.felder.size(); ++i)
            uebernimm(tabelle, i, *a, i + 1);
        tabelle.zeilen.push_back(tabelle.schliesseZeile(sqlite3_column_int64(*a, 0)));
    }
    if (rc != SQLITE_DONE)
        fehler();
}

void SqliteSpeicher::binde(sqlite3_stmt* stmt, int stelle, const Wert& wert) const {
    int rc = SQLITE_OK;
    if (wert.isNull())
        rc = sqlite3_bind_null(stmt, stelle);
    else if (wert.typeId() == QMetaType::Bool)
        rc = sqlite3_bind_int(stmt, stelle, wert.toBool() ? 1 : 0);
    else if (wert.typeId() == QMetaType::LongLong || wert.typeId() == QMetaType::Int)
        rc = sqlite3_bind_int64(stmt, stelle, wert.toLongLong());
    else if (wert.typeId() == QMetaType::Double)
        rc = sqlite3_bind_double(stmt, stelle, wert.toDouble());
    else if (wert.typeId() == QMetaType::QByteArray) {
        const QByteArray b = wert.toByteArray();
        rc = sqlite3_bind_blob(stmt, stelle, b.constData(), int(b.size()), SQLITE_TRANSIENT);
    } else {
        const QByteArray t = wert.typeId() == QMetaType::QDateTime
                                 ? wert.toDateTime().toString(Qt::ISODate).toUtf8()
                                 : wert.toString().toUtf8();
        rc = sqlite3_bind_text(stmt, stelle, t.constData(), int(t.size()), SQLITE_TRANSIENT);
    }
    if (rc != SQLITE_OK)
        fehler();
}

qint64 SqliteSpeicher::fuegeEin(const Tabelle& tabelle, const Zeile& zeile) {
    QStringList spalten, stellen;
    for (const QString& f : tabelle.felder) {
        spalten.append(zitiert(f));
        stellen.append(QStringLiteral("?"));
    }
    Anweisung a(db_,
                QStringLiteral("INSERT INTO ") + zitiert(tabelle.name) + u'(' + spalten.join(u',') +
                    QStringLiteral(") VALUES (") + stellen.join(u',') + u')',
                pfad_);
    for (int i = 0; i < tabelle.felder.size(); ++i)
        binde(*a, i + 1, zeile.werte.at(i));
    schritt(*a);
    const qint64 schluessel = sqlite3_last_insert_rowid(db_);
    nachAutocommit(a);
    return schluessel;
}

void SqliteSpeicher::aendere(const Tabelle& tabelle, const Zeile& zeile) {
    QStringList zuweisungen;
    for (const QString& f : tabelle.felder)
        zuweisungen.append(zitiert(f) + QStringLiteral("=?"));
    Anweisung a(db_,
                QStringLiteral("UPDATE ") + zitiert(tabelle.name) + QStringLiteral(" SET ") +
                    zuweisungen.join(u',') + QStringLiteral(" WHERE rowid=?"),
                pfad_);
    for (int i = 0; i < tabelle.felder.size(); ++i)
        binde(*a, i + 1, zeile.werte.at(i));
    sqlite3_bind_int64(*a, int(tabelle.felder.size()) + 1, zeile.schluessel);
    schritt(*a);
    nachAutocommit(a);
}

void SqliteSpeicher::loesche(const Tabelle& tabelle, const Zeile& zeile) {
    Anweisung a(db_,
                QStringLiteral("DELETE FROM ") + zitiert(tabelle.name) + QStringLiteral(" WHERE rowid=?"),
                pfad_);
    sqlite3_bind_int64(*a, 1, zeile.schluessel);
    schritt(*a);
    nachAutocommit(a);
}

// Read-only files have nothing to write and nothing to undo. A transaction holds the file's write lock (and
// the lock file that Access lists are written under) from its start; switched to SQLite's exclusive mode once
// it has the lock, the connection keeps it after the commit until it is closed. (In exclusive mode from the
// start, a waiting BEGIN would keep its read lock and the writer it waits for could never commit.) SQLite's
// journal undoes a transaction cut short when the file is next opened.
void SqliteSpeicher::beginne() {
    if (nurLesen_)
        return;
    // the lock file too, which a game making a new list holds: so what killed writers left can be removed
    if (!sperre_)
        sperre_ = std::make_unique<ListenSperre>(pfad_);
    sql("BEGIN IMMEDIATE");
    sql("PRAGMA locking_mode=EXCLUSIVE");
}

void SqliteSpeicher::bestaetige() {
    if (!nurLesen_ && !sqlite3_get_autocommit(db_))
        sql("COMMIT");
    if (!neu_.isEmpty())
        legeAnDieStelle();
}

void SqliteSpeicher::verwerfe() {
    if (!nurLesen_ && db_ && !sqlite3_get_autocommit(db_))
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
}

void SqliteSpeicher::fuehreAus(const QString& text) {
    if (nurLesen_)
        throw Laufzeitfehler(QStringLiteral("Die Datenbank kann nur gelesen werden"), pfad_);
    sql(text.toUtf8().constData());
}

} // namespace

std::shared_ptr<Speicher> erzeugeSqliteDatei(const QString& pfad, const QStringList& schema) {
    auto speicher = std::make_shared<SqliteSpeicher>(pfad, false);
    speicher->legeNeuAn(schema);
    return speicher;
}

std::shared_ptr<Speicher> oeffneSqliteDatei(const QString& pfad, bool nurLesen) {
    auto speicher = std::make_shared<SqliteSpeicher>(pfad, nurLesen);
    try {
        speicher->oeffne(pfad, nurLesen ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE);
    } catch (const Laufzeitfehler&) {
        if (nurLesen || !QFileInfo::exists(pfad))
            throw;
        // a file we may only read
        speicher = std::make_shared<SqliteSpeicher>(pfad, true);
        speicher->oeffne(pfad, SQLITE_OPEN_READONLY);
    }
    speicher->tabellen(); // reads the schema: a damaged file shows here, at opening
    return speicher;
}

} // namespace findolin::accessdb
