#pragma once

#include "jetformat.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <exception>
#include <optional>

// The pages of an Access file as the writer sees them: the file's format, table definitions, data pages
// with their row offset tables, and page usage maps. Everything works on the file's bytes held in memory;
// nothing here writes to disk.
namespace findolin::accessdb::jet {

// An inconsistency or something this writer does not know how to change; the writer refuses the whole write.
struct Unverstanden : std::exception {
    explicit Unverstanden(QString grund_) : grund(std::move(grund_)), text_(grund.toUtf8()) {}
    const char* what() const noexcept override { return text_.constData(); }
    QString grund;

private:
    QByteArray text_;
};
[[noreturn]] void unverstanden(const QString& grund);

quint16 lies16(const QByteArray& d, qint64 o);
quint32 lies32(const QByteArray& d, qint64 o);
void schreibe16(QByteArray& d, qint64 o, quint16 wert);
void schreibe32(QByteArray& d, qint64 o, quint32 wert);

struct Format {
    bool jet3 = false;
    int seite = 4096;          // page size
    int zeilenzahlOffset = 12; // where a data page keeps its row count; the offset table follows
    int codepage = 1252;       // Jet 3: the code page of all text
    int datenKopf() const { return zeilenzahlOffset + 2; }
    // The largest number of rows on one data page (a row pointer keeps the row in one byte).
    static constexpr int maxZeilenJeSeite = 255;

    const Seitenmasse& masse() const { return jet3 ? jet3Masse : jet4Masse; }

    static Format aus(const QByteArray& datei);
};

// Row offset table entries: the flags in the high bits, the row's start below. An entry with only the
// second flag holds a pointer to the row on another page.
constexpr quint16 geloeschtFlag = 0x8000;
constexpr quint16 verweisFlag = 0x4000;
constexpr quint16 offsetMaske = 0x1fff;

struct SpaltenDef {
    QString name;
    quint8 typ = 0;
    int nummer = 0;     // its bit in the null mask
    int varNummer = 0;  // its entry in the variable-length offset table
    int festOffset = 0; // its place among the fixed-length columns
    int laenge = 0;     // bytes
    bool fest = false;
    bool autoNummer = false;
    bool komprimierbar = false; // Jet 4 text that may be stored in the compressed form
};

// Column types as the file numbers them.
enum Typ : quint8 {
    JaNein = 0x01,
    Byte = 0x02,
    Integer = 0x03,
    Long = 0x04,
    Waehrung = 0x05,
    Single = 0x06,
    Double = 0x07,
    Datum = 0x08,
    Binaer = 0x09,
    Text = 0x0a,
    Ole = 0x0b,
    Memo = 0x0c,
    Guid = 0x0f,
    Numerisch = 0x10
};

// Where a row lies: page and index in its row offset table.
struct ZeilenOrt {
    quint32 seite = 0;
    int zeile = 0;
};

// An index as the file keeps it; several named indexes may share one.
struct Index {
    QString name;
    QList<std::pair<int, bool>> spalten; // column numbers, ascending or not
    quint32 wurzel = 0;                  // its first page
    quint8 flags = 0;                    // 0x01: unique
    qint64 offsetEindeutige = -1;        // where the definition keeps its number of distinct keys
};

struct TabellenDef {
    quint32 seite = 0; // its definition page
    QString name;
    QList<SpaltenDef> spalten; // in the order of the definition
    int anzahlVar = 0;
    int maxSpalten = 0;
    int festeLaenge = 0; // bytes of the fixed-length part of a row
    QStringList indexNamen;
    QList<Index> indizes;
    ZeilenOrt belegt; // the map of the table's pages
    ZeilenOrt frei;   // the map of its pages with free space
    qint64 offsetZeilenzahl = 0;
    qint64 offsetAutoNummer = 0;
    int feldIndex(const QString& feld) const;
};

class Datei {
public:
    explicit Datei(QByteArray daten);

    const Format& format() const { return format_; }
    const QByteArray& daten() const { return daten_; }
    QByteArray& daten() { return daten_; }
    quint32 seitenzahl() const { return quint32(daten_.size() / format_.seite); }
    qint64 anfang(quint32 seite) const;
    quint8 art(quint32 seite) const { return quint8(daten_.at(anfang(seite))); }

    // The definition on `seite` (with its continuation pages).
    TabellenDef tabelle(quint32 seite) const;

    // Data pages: the number of rows, a row's bytes (start and length) and flags.
    int zeilenzahl(quint32 seite) const;
    quint16 zeilenEintrag(quint32 seite, int zeile) const;
    // Start (from the page's beginning) and length of a row; the first row runs to the page's end.
    std::pair<int, int> zeilenGrenzen(quint32 seite, int zeile) const;
    // The free space a data page should show: what its header, offset table and rows leave.
    int berechneterPlatz(quint32 seite) const;
    int platz(quint32 seite) const { return lies16(daten_, anfang(seite) + platzOffset); }

    // An empty page appended to the file.
    quint32 neueSeite();

private:
    QByteArray definition(quint32 seite) const;

    QByteArray daten_;
    Format format_;
};

// A page usage map: a row that holds its bitmap inline (with the first page it covers) or a list of map pages
// of type 5. Pages the map cannot reach make `setze` refuse.
class Nutzungskarte {
public:
    Nutzungskarte(Datei& datei, ZeilenOrt ort);
    bool enthaelt(quint32 seite) const;
    // Sets or clears the page's bit; false where the map has no bit for it. Every changed page goes to
    // `geaendert`.
    bool setze(quint32 seite, bool an, QList<quint32>& geaendert);
    bool reicht(quint32 seite) const;
    QList<quint32> seiten() const;

private:
    bool verschiebe(quint32 seite, QList<quint32>& geaendert);
    // The byte and bit of a page's flag, or none.
    std::optional<std::pair<qint64, int>> stelle(quint32 seite) const;

    Datei& datei_;
    ZeilenOrt ort_;
    qint64 start_ = 0; // where the row begins in the file
    int laenge_ = 0;
};

} // namespace findolin::accessdb::jet
