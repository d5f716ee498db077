#include "jetspeicher.h"

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

class JetSpeicher : public Speicher {
public:
    JetSpeicher(QString pfad, MdbHandle* mdb) : pfad_(std::move(pfad)), mdb_(mdb) {}
    ~JetSpeicher() override { mdb_close(mdb_); }

    QString datei() const override { return pfad_; }
    bool nurLesen() const override { return true; }

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

    qint64 fuegeEin(const Tabelle&, const Zeile&) override { nurLesbar(); }
    void aendere(const Tabelle&, const Zeile&) override { nurLesbar(); }
    void loesche(const Tabelle&, const Zeile&) override { nurLesbar(); }
    // nothing can be written, so there is nothing to undo
    void beginne() override {}
    void bestaetige() override {}
    void verwerfe() override {}
    void fuehreAus(const QString&) override { nurLesbar(); }

private:
    [[noreturn]] void nurLesbar() const {
        throw Laufzeitfehler(QStringLiteral("Access-Dateien können nur gelesen werden"), pfad_);
    }

    QString pfad_;
    MdbHandle* mdb_;
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
        zeile->schluessel = qint64(tabelle->zeilen.size());
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

std::shared_ptr<Speicher> oeffneJetDatei(const QString& pfad, int seitengroesse) {
    const qint64 groesse = QFileInfo(pfad).size();
    if (groesse < 2 * seitengroesse || groesse % seitengroesse != 0)
        throw Laufzeitfehler(QStringLiteral("Die Datenbankdatei ist unvollständig"), pfad);
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
    return std::make_shared<JetSpeicher>(pfad, mdb);
}

} // namespace findolin::platform::db
