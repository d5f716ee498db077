#pragma once

#include <QtGlobal>

// The numbers of the Access file format, Jet 3 (Access 97) and Jet 4 (Access 2000), that the page reader,
// the row and index code and the writer share: the first page's header, the page types, the catalog, and
// where each version keeps the parts of a page, a table definition and an index leaf.
namespace findolin::accessdb::jet {

// The first page: the engine's name, its version, and the part of the header hidden behind RC4 with the
// code page of all text.
constexpr int kennungOffset = 4;
constexpr char kennung[] = "Standard Jet DB"; // followed by a zero byte
constexpr int versionOffset = 0x14;
constexpr quint8 versionJet3 = 0;
constexpr quint8 versionJet4 = 1;
constexpr int verschluesseltAb = 0x18;
constexpr int verschluesseltLaenge = 0x40;
constexpr int codepageOffset = 0x3c;
// The first page is always this long; a smaller file is none of ours.
constexpr int kleinsteDatei = 0x100;

enum Seitenart : quint8 {
    Datenseite = 0x01,
    Tabellenseite = 0x02,
    Blattseite = 0x04, // an index leaf
    Kartenseite = 0x05
};

// Every page begins with its type; data, definition and map pages keep a one at the second byte. Data pages
// have their free space at 2 and the definition page of their table at 4; definition pages the next page
// of their definition at 4. Continuation pages of a definition carry it after their eight-byte header.
constexpr int kennbyteOffset = 1;
constexpr quint8 kennbyte = 0x01;
constexpr int platzOffset = 2;
constexpr int besitzerOffset = 4;
constexpr int weiterOffset = 4;
constexpr int definitionsKopf = 8;
// A map page: its bitmap after four bytes of header.
constexpr int kartenKopf = 4;

// The catalog (MSysObjects): its definition page, the global page usage map, and what marks a table in it.
constexpr quint32 katalogSeite = 2;
constexpr quint32 globaleKartenSeite = 1;
constexpr int katalogTabelle = 1;
constexpr quint32 systemTabelleFlags = 0x80000002;

// Where a version keeps things: page size, the row count of a data page (its row offset table follows),
// a table definition's row count and next autonumber, the start of its counts, and the sizes of its entries.
struct Seitenmasse {
    int seite;
    int zeilenzahl;
    int defZeilenzahl, defAutoNummer, defZaehler;
    int echterIndex; // per real index, after the counts; its number of distinct keys at 4
    int spalte;      // per column
    int spalteNummer, spalteVarNummer, spalteFlags, spalteFestOffset, spalteLaenge;
    int spalteFlags2;              // Jet 4: the bit of text stored compressed; -1 for none
    int nameLaengeBytes;           // a name's length before it
    int indexDef, indexDefSpalten; // per real index definition, and where its ten columns start in it
    int logischerIndex, logischerIndexEcht;
};

constexpr Seitenmasse jet3Masse{2048, 8, 12, 16, 21, 8, 18, 1, 3, 13, 14, 16, -1, 1, 39, 0, 20, 4};
constexpr Seitenmasse jet4Masse{4096, 12, 16, 20, 41, 12, 25, 5, 7, 15, 21, 23, 16, 2, 52, 4, 28, 8};

// Within the counts of a definition: largest column number, variable columns, columns, logical and real
// indexes, the map of its pages and the map of those with free space.
constexpr int zaehlerMaxSpalten = 0, zaehlerVar = 2, zaehlerSpalten = 4, zaehlerLogisch = 6, zaehlerEcht = 10,
              zaehlerBelegt = 14, zaehlerFrei = 18, zaehlerLaenge = 22;
// Within a real index definition, from where its columns start: ten columns of three bytes (number and
// order), then the first leaf page and the flags.
constexpr int indexSpalten = 10, indexWurzel = 34, indexFlags = 38;
// Column flags.
constexpr quint8 spalteFest = 0x01, spalteAutoNummer = 0x04;

// Where an index leaf page keeps its parts.
struct Blatt {
    int maske, eintraege, praefix, vor, nach, schwanz;
};
constexpr Blatt jet3Blatt{0x16, 0xf8, 0x14, 0x08, 0x0c, 0x10};
constexpr Blatt jet4Blatt{0x1b, 0x1e0, 0x18, 0x0c, 0x10, 0x14};

} // namespace findolin::accessdb::jet
