// The container of a compiled help file: the ITSF header (version 3), the directory (ITSP header, listing
// chunks PMGL and, when there is more than one of them, an index chunk PMGI) and content section 0, which
// holds every file uncompressed.
#include "chm/chmschreiber.h"
#include "chmkonstanten.h"

#include <bytes/littleendian.h>

#include <QUuid>
#include <algorithm>

namespace findolin::chm {

namespace {

constexpr int chunkGroesse = 0x1000;
constexpr int quickrefDichte = 2;
constexpr int quickrefAbstand = 1 + (1 << quickrefDichte);
constexpr quint32 sprache = 0x0407; // German (Germany)
constexpr quint32 keiner = 0xffffffff;

using bytes::haengeAn16;
using bytes::haengeAn32;
using bytes::haengeAn64;
void guid(QByteArray& puffer, const char* text) {
    const QUuid uuid(QLatin1String{text});
    haengeAn32(puffer, uuid.data1);
    haengeAn16(puffer, uuid.data2);
    haengeAn16(puffer, uuid.data3);
    puffer.append(reinterpret_cast<const char*>(uuid.data4), 8);
}
// A variable-length number: seven bits a byte, most significant first, the high bit set on all but the last.
void encint(QByteArray& puffer, quint64 wert) {
    char teile[10];
    int anzahl = 0;
    do {
        teile[anzahl++] = char(wert & 0x7f);
        wert >>= 7;
    } while (wert != 0);
    while (anzahl-- > 0)
        puffer.append(char(teile[anzahl] | (anzahl > 0 ? 0x80 : 0)));
}

struct Datei {
    QByteArray name;
    QByteArray daten;
};

// The entries of one chunk and the room they take with their quick-reference words.
struct Chunk {
    QList<QByteArray> eintraege;
    QByteArray ersterName;
    int bytes = 0;
    int platzMit(int weitere) const {
        const qsizetype anzahl = eintraege.size() + 1;
        return bytes + weitere + 2 + 2 * int(anzahl / quickrefAbstand);
    }
};

QList<Chunk> verteile(const QList<std::pair<QByteArray, QByteArray>>& eintraege, int kopf) {
    QList<Chunk> chunks(1);
    for (const auto& eintrag : eintraege) {
        if (kopf + chunks.last().platzMit(int(eintrag.second.size())) > chunkGroesse)
            chunks.append(Chunk{});
        Chunk& chunk = chunks.last();
        if (chunk.eintraege.isEmpty())
            chunk.ersterName = eintrag.first;
        chunk.eintraege.append(eintrag.second);
        chunk.bytes += int(eintrag.second.size());
    }
    return chunks;
}

// A chunk: its header, the entries, free space, and at the end the quick-reference area written backwards
// (the offsets of every fifth entry, then the number of entries in the last word).
QByteArray chunk(const QByteArray& kopf, const Chunk& inhalt) {
    QByteArray eintraege;
    QList<quint16> quickref;
    for (qsizetype i = 0; i < inhalt.eintraege.size(); ++i) {
        if (i > 0 && i % quickrefAbstand == 0)
            quickref.append(quint16(eintraege.size()));
        eintraege += inhalt.eintraege[i];
    }
    QByteArray ergebnis = kopf.left(4);
    haengeAn32(ergebnis, quint32(chunkGroesse - kopf.size() - eintraege.size()));
    ergebnis += kopf.mid(8) + eintraege;
    ergebnis.append(chunkGroesse - ergebnis.size() - 2 * (quickref.size() + 1), '\0');
    std::reverse(quickref.begin(), quickref.end());
    for (const quint16 versatz : quickref)
        haengeAn16(ergebnis, versatz);
    haengeAn16(ergebnis, quint16(inhalt.eintraege.size()));
    return ergebnis;
}

QByteArray systemDatei(const HilfeBuch& buch) {
    QByteArray system;
    haengeAn32(system, 3);
    const auto eintrag = [&](quint16 code, const QByteArray& daten) {
        haengeAn16(system, code);
        haengeAn16(system, quint16(daten.size()));
        system += daten;
    };
    QByteArray sprachDaten;
    for (const quint32 wert : {sprache, 0u, 0u, 0u, 0u})
        haengeAn32(sprachDaten, wert);
    haengeAn64(sprachDaten, 0); // no time stamp: the same sources give the same file
    haengeAn32(sprachDaten, 0);
    haengeAn32(sprachDaten, 0);
    eintrag(9, QByteArrayLiteral("Findolin chmwriter") + '\0');
    eintrag(4, sprachDaten);
    eintrag(2, buch.startSeite.toLatin1() + '\0');
    eintrag(3, buch.titel.toLatin1() + '\0');
    eintrag(0, buch.inhaltsDatei.toLatin1() + '\0');
    if (!buch.stichwoerter.isEmpty())
        eintrag(1, buch.stichwortDatei.toLatin1() + '\0');
    return system;
}

// "#IVB": the byte count of the pairs, then id and offset of the page's name in "#STRINGS" for every id.
std::pair<QByteArray, QByteArray> kontextDateien(const HilfeBuch& buch) {
    QByteArray ivb, strings(1, '\0');
    QMap<QString, quint32> versaetze;
    haengeAn32(ivb, quint32(buch.kontexte.size() * 8));
    for (auto it = buch.kontexte.cbegin(); it != buch.kontexte.cend(); ++it) {
        if (!versaetze.contains(it.value())) {
            versaetze.insert(it.value(), quint32(strings.size()));
            strings += it.value().toLatin1() + '\0';
        }
        haengeAn32(ivb, it.key());
        haengeAn32(ivb, versaetze.value(it.value()));
    }
    return {ivb, strings};
}

QByteArray namensListe() {
    const QString name = QStringLiteral("Uncompressed");
    QByteArray liste;
    haengeAn16(liste, quint16(4 + name.size()));
    haengeAn16(liste, 1);
    haengeAn16(liste, quint16(name.size()));
    for (const QChar zeichen : name)
        haengeAn16(liste, zeichen.unicode());
    haengeAn16(liste, 0);
    return liste;
}

} // namespace

QByteArray schreibeChm(const HilfeBuch& buch) {
    const auto [ivb, strings] = kontextDateien(buch);
    QList<Datei> dateien{{"::DataSpace/NameList", namensListe()},
                         {"/#SYSTEM", systemDatei(buch)},
                         {"/#IVB", ivb},
                         {"/#STRINGS", strings},
                         {"/" + buch.inhaltsDatei.toLatin1(), sitemap(buch.inhalt)}};
    if (!buch.stichwoerter.isEmpty())
        dateien.append({"/" + buch.stichwortDatei.toLatin1(), sitemap(buch.stichwoerter)});
    for (auto it = buch.seiten.cbegin(); it != buch.seiten.cend(); ++it)
        dateien.append({"/" + it.key().toLatin1(), it.value()});
    std::sort(dateien.begin(), dateien.end(),
              [](const Datei& a, const Datei& b) { return a.name.toLower() < b.name.toLower(); });

    QByteArray inhalt;
    QList<std::pair<QByteArray, QByteArray>> liste;
    for (const Datei& datei : std::as_const(dateien)) {
        QByteArray eintrag;
        encint(eintrag, quint64(datei.name.size()));
        eintrag += datei.name;
        encint(eintrag, 0);
        encint(eintrag, quint64(inhalt.size()));
        encint(eintrag, quint64(datei.daten.size()));
        liste.append({datei.name, eintrag});
        inhalt += datei.daten;
    }

    const QList<Chunk> listenChunks = verteile(liste, int(pmglKopf));
    const qsizetype anzahl = listenChunks.size();
    QByteArray verzeichnis;
    for (qsizetype i = 0; i < anzahl; ++i) {
        QByteArray kopf = QByteArray(pmglKennung) + QByteArray(4, '\0');
        haengeAn32(kopf, 0);
        haengeAn32(kopf, i > 0 ? quint32(i - 1) : keiner);
        haengeAn32(kopf, i + 1 < anzahl ? quint32(i + 1) : keiner);
        verzeichnis += chunk(kopf, listenChunks[i]);
    }
    if (anzahl > 1) {
        QList<std::pair<QByteArray, QByteArray>> index;
        for (qsizetype i = 0; i < anzahl; ++i) {
            QByteArray eintrag;
            encint(eintrag, quint64(listenChunks[i].ersterName.size()));
            eintrag += listenChunks[i].ersterName;
            encint(eintrag, quint64(i));
            index.append({listenChunks[i].ersterName, eintrag});
        }
        const QList<Chunk> indexChunks = verteile(index, int(pmgiKopf));
        if (indexChunks.size() > 1)
            return {};
        verzeichnis += chunk(QByteArray(pmgiKennung) + QByteArray(4, '\0'), indexChunks.first());
    }

    QByteArray itsp(itspKennung);
    for (const quint32 wert : {1u, itspKopf, 0x0au, quint32(chunkGroesse), quint32(quickrefDichte),
                               anzahl > 1 ? 2u : 1u, anzahl > 1 ? quint32(anzahl) : keiner, 0u,
                               quint32(anzahl - 1), keiner, quint32(anzahl > 1 ? anzahl + 1 : 1), sprache})
        haengeAn32(itsp, wert);
    guid(itsp, "{5D02926A-212E-11D0-9DF9-00A0C922E6EC}");
    for (const quint32 wert : {itspKopf, keiner, keiner, keiner})
        haengeAn32(itsp, wert);
    verzeichnis.prepend(itsp);

    constexpr quint64 kopfLaenge = itsfKopfV3;
    const quint64 inhaltsBeginn = kopfLaenge + abschnitt0Laenge + quint64(verzeichnis.size());
    QByteArray datei(itsfKennung);
    for (const quint32 wert : {3u, quint32(kopfLaenge), 1u, 0u, sprache})
        haengeAn32(datei, wert);
    guid(datei, "{7C01FD10-7BAA-11D0-9E0C-00A0C922E6EC}");
    guid(datei, "{7C01FD11-7BAA-11D0-9E0C-00A0C922E6EC}");
    for (const quint64 wert : {kopfLaenge, abschnitt0Laenge, kopfLaenge + abschnitt0Laenge,
                               quint64(verzeichnis.size()), inhaltsBeginn})
        haengeAn64(datei, wert);
    haengeAn32(datei, 0x1fe);
    haengeAn32(datei, 0);
    haengeAn64(datei, inhaltsBeginn + quint64(inhalt.size()));
    haengeAn32(datei, 0);
    haengeAn32(datei, 0);
    return datei + verzeichnis + inhalt;
}

} // namespace findolin::chm
