#include "jetleser.h"

#include <algorithm>
#include <cstring>
#include <glib.h>
#include <mdbtools.h>
#include <vector>

namespace findolin::accessdb::jet {

namespace {

// Large enough for the longest memo (65,535 characters in UTF-8); libmdb takes it per value and frees it.
constexpr size_t memoGroesse = 200000;

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

// The bytes a number of the kind takes; 0 for the kinds of any length.
int festeBreite(int mdbTyp) {
    switch (mdbTyp) {
    case MDB_BYTE:
        return 1;
    case MDB_INT:
        return 2;
    case MDB_LONGINT:
    case MDB_FLOAT:
        return 4;
    case MDB_DOUBLE:
    case MDB_DATETIME:
    case MDB_MONEY:
        return 8;
    case MDB_NUMERIC:
        return 17;
    default:
        return 0;
    }
}

void schreibeWert(Strom& s, MdbHandle* mdb, const MdbColumn& spalte, const MdbField& feld,
                  std::vector<char>& text) {
    const FeldArt art = artVon(spalte.col_type);
    // a yes/no field keeps its value in the row's null mask: "not null" is true
    if (art == FeldArt::JaNein) {
        s.zahl(quint8(1));
        s.zahl(quint8(feld.is_null ? 0 : 1));
        return;
    }
    const int start = feld.start;
    const int groesse = feld.siz;
    // a number shorter than its kind (a damaged column size) counts as Null, as does nothing at all
    if (feld.is_null || groesse < std::max(festeBreite(spalte.col_type), 1)) {
        if (feld.is_null || (art != FeldArt::Text && art != FeldArt::Binaer)) {
            s.zahl(quint8(0));
            return;
        }
        s.zahl(quint8(1)); // an empty text or binary value
        s.text("", 0);
        return;
    }
    s.zahl(quint8(1));
    switch (spalte.col_type) {
    case MDB_BYTE:
        s.zahl(qint64(mdb->pg_buf[start]));
        return;
    case MDB_INT:
        s.zahl(qint64(qint16(mdb_get_int16(mdb->pg_buf, start))));
        return;
    case MDB_LONGINT:
        s.zahl(qint64(qint32(mdb_get_int32(mdb->pg_buf, start))));
        return;
    case MDB_DOUBLE:
    case MDB_DATETIME: // days since 30 December 1899, the fraction the time of day
        s.zahl(mdb_get_double(mdb->pg_buf, start));
        return;
    case MDB_TEXT: {
        // compressed or UCS-2 text turns into at most three UTF-8 bytes per stored byte
        text.resize(size_t(groesse) * 3 + 1);
        const int n = mdb_unicode2ascii(mdb, reinterpret_cast<char*>(mdb->pg_buf) + start, size_t(groesse),
                                        text.data(), text.size());
        s.text(text.data(), size_t(std::max(n, 0)));
        return;
    }
    default:
        break;
    }
    if (art == FeldArt::Binaer) {
        s.text(reinterpret_cast<char*>(mdb->pg_buf) + start, size_t(groesse));
        return;
    }
    // memos, single-precision numbers (as Access shows them, to 8 digits), currency, decimals, replication
    // ids
    char* wert = mdb_col_to_string(mdb, mdb->pg_buf, start, spalte.col_type, groesse);
    const size_t laenge = wert ? std::strlen(wert) : 0;
    if (art == FeldArt::Kommazahl) {
        s.zahl(wert ? std::strtod(wert, nullptr) : 0.0);
    } else {
        s.text(wert ? wert : "", laenge);
    }
    g_free(wert);
}

void schreibeTabelle(Strom& s, MdbHandle* mdb, const char* name) {
    MdbCatalogEntry* gesucht = nullptr;
    for (unsigned i = 0; i < mdb->num_catalog && !gesucht; ++i) {
        auto* eintrag = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (eintrag->object_type == MDB_TABLE && g_ascii_strcasecmp(eintrag->object_name, name) == 0)
            gesucht = eintrag;
    }
    if (!gesucht) {
        s.zahl('F');
        s.zahl(quint8(TabelleFehlt));
        return;
    }
    MdbTableDef* def = mdb_read_table(gesucht);
    if (!def || !mdb_read_columns(def)) {
        if (def)
            mdb_free_tabledef(def);
        s.zahl('F');
        s.zahl(quint8(TabelleNichtLesbar));
        return;
    }
    s.zahl('T');
    s.text(gesucht->object_name, std::strlen(gesucht->object_name));
    s.zahl(quint32(def->num_cols));
    for (unsigned i = 0; i < def->num_cols; ++i) {
        auto* spalte = static_cast<MdbColumn*>(g_ptr_array_index(def->columns, i));
        s.text(spalte->name, std::strlen(spalte->name));
        s.zahl(quint8(artVon(spalte->col_type)));
        if (spalte->col_type == MDB_MEMO)
            mdb_set_bind_size(mdb, memoGroesse);
    }
    s.zahl(quint32(def->num_rows));
    std::vector<MdbField> felder(def->num_cols);
    std::vector<char> text;
    mdb_rewind_table(def);
    while (mdb_fetch_row(def)) {
        // the row just read is the one before cur_row on the data page cur_phys_pg
        const unsigned zeile = def->cur_row - 1;
        // a page holds at most 255 rows; more is damage, and the rows missing then are told by the count
        if (zeile > 0xff)
            break;
        int start = 0;
        size_t laenge = 0;
        if (mdb_find_row(mdb, int(zeile), &start, &laenge) != 0)
            break;
        start &= 0x1fff; // without the row's flags
        if (mdb_crack_row(def, start, laenge, felder.data()) < 0)
            break;
        s.zahl('Z');
        s.zahl(quint64((quint64(def->cur_phys_pg) << 8) | zeile));
        for (unsigned i = 0; i < def->num_cols; ++i) {
            const MdbField& feld = felder[i];
            const auto* spalte = static_cast<MdbColumn*>(g_ptr_array_index(def->columns, feld.colnum));
            schreibeWert(s, mdb, *spalte, feld, text);
        }
    }
    s.zahl('E');
    mdb_free_tabledef(def);
}

} // namespace

void lies(const char* pfad, const char* tabelle, Ausgabe& ausgabe) {
    Strom s(ausgabe);
    MdbHandle* mdb = mdb_open(pfad, MDB_NOFLAGS);
    if (!mdb) {
        s.zahl('F');
        s.zahl(quint8(NichtOeffnbar));
        return;
    }
    if (!mdb_read_catalog(mdb, MDB_ANY)) {
        mdb_close(mdb);
        s.zahl('F');
        s.zahl(quint8(KatalogNichtLesbar));
        return;
    }
    if (tabelle) {
        schreibeTabelle(s, mdb, tabelle);
    } else {
        std::vector<MdbCatalogEntry*> eigene;
        for (unsigned i = 0; i < mdb->num_catalog; ++i) {
            auto* eintrag = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
            if (mdb_is_user_table(eintrag))
                eigene.push_back(eintrag);
        }
        s.zahl('V');
        s.zahl(quint32(eigene.size()));
        for (MdbCatalogEntry* eintrag : eigene)
            s.text(eintrag->object_name, std::strlen(eintrag->object_name));
    }
    mdb_close(mdb);
}

} // namespace findolin::accessdb::jet
