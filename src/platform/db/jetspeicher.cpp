#include "jetspeicher.h"

#include "jettransaktion.h"
#include "platform/laufzeitfehler.h"

#include <QDateTime>
#include <QFileInfo>
#include <cstdlib>
#include <glib.h>
#include <mdbtools.h>

namespace findolin::platform::db {

namespace {

// Large enough for the longest memo the game could meet; libmdb cuts longer values.
constexpr int bindeGroesse = 200000;
const char* const datumsFormat = "%Y-%m-%d %H:%M:%S";

FeldArt artVon(int mdbTyp) {
    switch (mdbTyp) {
    case MDB_BOOL:
        return FeldArt::JaNein;
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
        return FeldArt::Ganzzahl;
    case MDB_MONEY:
    case MDB_FLOAT:
    case MDB_DOUBLE:
    case MDB_NUMERIC:
        return FeldArt::Kommazahl;
    case MDB_DATETIME:
        return FeldArt::Datum;
    case MDB_TEXT:
    case MDB_MEMO:
    case MDB_REPID:
        return FeldArt::Text;
    default:
        return FeldArt::Binaer;
    }
}

// libmdb writes dates as "yyyy-MM-dd HH:mm:ss" (the format set at opening); read it by position.
Wert datumAus(const char* d, int laenge) {
    if (laenge < 19)
        return {};
    const auto zahl = [d](int von, int stellen) {
        int n = 0;
        for (int i = von; i < von + stellen; ++i)
            n = n * 10 + (d[i] - '0');
        return n;
    };
    return QDateTime(QDate(zahl(0, 4), zahl(5, 2), zahl(8, 2)), QTime(zahl(11, 2), zahl(14, 2), zahl(17, 2)));
}

Wert wertAus(FeldArt art, const char* daten, int laenge) {
    switch (art) {
    case FeldArt::JaNein:
        return laenge > 0 && daten[0] != '0';
    case FeldArt::Ganzzahl:
        return qint64(std::strtoll(daten, nullptr, 10));
    case FeldArt::Kommazahl:
        return std::strtod(daten, nullptr);
    case FeldArt::Datum:
        return datumAus(daten, laenge);
    case FeldArt::Text:
        return QString::fromUtf8(daten, laenge);
    case FeldArt::Binaer:
        return QByteArray(daten, laenge);
    }
    return {};
}

MdbHandle* oeffneMdb(const QString& pfad) {
    MdbHandle* mdb = mdb_open(QFile::encodeName(pfad).constData(), MDB_NOFLAGS);
    if (!mdb)
        throw Laufzeitfehler(QStringLiteral("Die Datenbankdatei kann nicht geöffnet werden"), pfad);
    mdb_set_bind_size(mdb, bindeGroesse);
    mdb_set_date_fmt(mdb, datumsFormat);
    mdb_set_boolean_fmt_numbers(mdb);
    if (!mdb_read_catalog(mdb, MDB_ANY)) {
        mdb_close(mdb);
        throw Laufzeitfehler(QStringLiteral("Das Inhaltsverzeichnis der Datenbank ist nicht lesbar"), pfad);
    }
    return mdb;
}

// Read through libmdb; rows are added and deleted by our own writer (JetTransaktion).
class JetSpeicher : public Speicher {
public:
    JetSpeicher(QString pfad, MdbHandle* mdb, int seitengroesse, bool nurLesen)
        : pfad_(std::move(pfad)), mdb_(mdb), nurLesen_(nurLesen),
          transaktion_(pfad_, [seitengroesse](const QString& pfad, const QString& name) {
              return oeffneJetDatei(pfad, seitengroesse, true)->lade(name);
          }) {}
    ~JetSpeicher() override { mdb_close(mdb_); }

    QString datei() const override { return pfad_; }
    bool nurLesen() const override { return nurLesen_; }

    QStringList tabellen() const override {
        QStringList namen;
        for (unsigned i = 0; i < mdb_->num_catalog; ++i) {
            auto* eintrag = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb_->catalog, i));
            if (mdb_is_user_table(eintrag))
                namen.append(QString::fromUtf8(eintrag->object_name));
        }
        return namen;
    }

    std::shared_ptr<Tabelle> lade(const QString& name) override;

    qint64 fuegeEin(const Tabelle& tabelle, const Zeile& zeile) override {
        schreibbar();
        const qint64 schluessel = transaktion_.fuegeEin(tabelle, zeile);
        nachSchreiben();
        return schluessel;
    }
    void aendere(const Tabelle&, const Zeile&) override {
        throw Laufzeitfehler(QStringLiteral("Zeilen einer Access-Datei können nicht geändert werden, nur "
                                            "angefügt und gelöscht"),
                             pfad_);
    }
    void loesche(const Tabelle& tabelle, const Zeile& zeile) override {
        schreibbar();
        transaktion_.loesche(tabelle, zeile);
        nachSchreiben();
    }
    void beginne() override {
        if (!nurLesen_)
            transaktion_.beginne();
    }
    void bestaetige() override {
        if (!nurLesen_) {
            transaktion_.bestaetige();
            nachSchreiben();
        }
    }
    void verwerfe() override { transaktion_.verwerfe(); }
    void fuehreAus(const QString&) override {
        throw Laufzeitfehler(QStringLiteral("In Access-Dateien legt das Spiel keine Tabellen an"), pfad_);
    }

private:
    void schreibbar() const {
        if (nurLesen_)
            throw Laufzeitfehler(QStringLiteral("Die Datenbank kann nur gelesen werden"), pfad_);
    }
    // Once the file has been replaced, the reader opens the new one.
    void nachSchreiben() {
        if (transaktion_.ersetzungen() == gelesen_)
            return;
        gelesen_ = transaktion_.ersetzungen();
        MdbHandle* neu = oeffneMdb(pfad_);
        mdb_close(mdb_);
        mdb_ = neu;
    }

    QString pfad_;
    MdbHandle* mdb_;
    bool nurLesen_;
    JetTransaktion transaktion_;
    int gelesen_ = 0; // the replacements of the file the reader has seen
};

std::shared_ptr<Tabelle> JetSpeicher::lade(const QString& name) {
    MdbCatalogEntry* gesucht = nullptr;
    for (unsigned i = 0; i < mdb_->num_catalog && !gesucht; ++i) {
        auto* eintrag = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb_->catalog, i));
        if (eintrag->object_type == MDB_TABLE &&
            QString::fromUtf8(eintrag->object_name).compare(name, Qt::CaseInsensitive) == 0)
            gesucht = eintrag;
    }
    if (!gesucht)
        throw Laufzeitfehler(QStringLiteral("Die Tabelle „") + name + QStringLiteral("“ fehlt"), pfad_);
    MdbTableDef* def = mdb_read_table(gesucht);
    if (!def || !mdb_read_columns(def)) {
        if (def)
            mdb_free_tabledef(def);
        throw Laufzeitfehler(QStringLiteral("Die Tabelle „") + name + QStringLiteral("“ ist nicht lesbar"),
                             pfad_);
    }
    auto tabelle = std::make_shared<Tabelle>();
    tabelle->name = QString::fromUtf8(gesucht->object_name);
    const int spalten = int(def->num_cols);
    std::vector<QByteArray> puffer(spalten, QByteArray(bindeGroesse, '\0'));
    std::vector<int> laengen(spalten, 0);
    mdb_rewind_table(def);
    for (int i = 0; i < spalten; ++i) {
        auto* spalte = static_cast<MdbColumn*>(g_ptr_array_index(def->columns, i));
        tabelle->felder.append(QString::fromUtf8(spalte->name));
        tabelle->arten.append(artVon(spalte->col_type));
        mdb_bind_column(def, i + 1, puffer[i].data(), &laengen[i]);
    }
    while (mdb_fetch_row(def)) {
        ZeilePtr zeile = tabelle->neueZeile();
        zeile->werte.reserve(spalten);
        for (int i = 0; i < spalten; ++i) {
            const FeldArt art = tabelle->arten[i];
            if (laengen[i] == 0 && art != FeldArt::JaNein)
                zeile->werte.emplaceBack();
            else
                zeile->werte.append(wertAus(art, puffer[i].constData(), laengen[i]));
        }
        // the row's place in the file: its data page and its index in the page's row offset table
        zeile->schluessel = qint64(def->cur_phys_pg) << 8 | (def->cur_row - 1);
        tabelle->zeilen.push_back(std::move(zeile));
    }
    const bool vollstaendig = tabelle->zeilen.size() == def->num_rows;
    mdb_free_tabledef(def);
    // a file cut short loses data pages without libmdb noticing; the table's own row count shows it
    if (!vollstaendig)
        throw Laufzeitfehler(QStringLiteral("Die Datenbankdatei ist unvollständig: Die Tabelle „") + name +
                                 QStringLiteral("“ hat weniger Zeilen als angegeben"),
                             pfad_);
    return tabelle;
}

} // namespace

std::shared_ptr<Speicher> oeffneJetDatei(const QString& pfad, int seitengroesse, bool nurLesen) {
    const qint64 groesse = QFileInfo(pfad).size();
    if (groesse < 2 * seitengroesse || groesse % seitengroesse != 0)
        throw Laufzeitfehler(QStringLiteral("Die Datenbankdatei ist unvollständig"), pfad);
    // by the permission bits too: the administrator may write everywhere, but a file marked read-only stays
    // so
    const auto schreibbar = [](const QFileInfo& info) {
        return info.isWritable() &&
               (info.permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther));
    };
    const QFileInfo info(pfad);
    nurLesen = nurLesen || !schreibbar(info) || !schreibbar(QFileInfo(info.absolutePath()));
    return std::make_shared<JetSpeicher>(pfad, oeffneMdb(pfad), seitengroesse, nurLesen);
}

} // namespace findolin::platform::db
