#include "jetseiten.h"

#include "platform/cp1252.h"

#include <bytes/littleendian.h>

#include <QtEndian>

#include <algorithm>
#include <array>

namespace findolin::accessdb::jet {

void unverstanden(const QString& grund) {
    throw Unverstanden(grund);
}

namespace {

void pruefeBereich(const QByteArray& d, qint64 o, int n) {
    if (o < 0 || o + n > d.size())
        unverstanden(QStringLiteral("Verweis hinter das Dateiende"));
}

// The database definition page hides part of its header behind RC4 with a fixed key.
QByteArray entschluesselterKopf(const QByteArray& datei, int laenge) {
    const std::array<quint8, 4> schluessel{0xc7, 0xda, 0x39, 0x6b};
    std::array<quint8, 256> s{};
    for (int i = 0; i < 256; ++i)
        s[i] = quint8(i);
    for (int i = 0, j = 0; i < 256; ++i) {
        j = (j + s[i] + schluessel[i % 4]) & 0xff;
        std::swap(s[i], s[j]);
    }
    QByteArray kopf = datei.mid(verschluesseltAb, laenge);
    for (int n = 0, i = 0, j = 0; n < kopf.size(); ++n) {
        i = (i + 1) & 0xff;
        j = (j + s[i]) & 0xff;
        std::swap(s[i], s[j]);
        kopf[n] = char(quint8(kopf[n]) ^ s[(s[i] + s[j]) & 0xff]);
    }
    return kopf;
}

} // namespace

quint16 lies16(const QByteArray& d, qint64 o) {
    pruefeBereich(d, o, 2);
    return bytes::u16(d, o);
}

quint32 lies32(const QByteArray& d, qint64 o) {
    pruefeBereich(d, o, 4);
    return bytes::u32(d, o);
}

void schreibe16(QByteArray& d, qint64 o, quint16 wert) {
    pruefeBereich(d, o, 2);
    qToLittleEndian(wert, d.data() + o);
}

void schreibe32(QByteArray& d, qint64 o, quint32 wert) {
    pruefeBereich(d, o, 4);
    qToLittleEndian(wert, d.data() + o);
}

Format Format::aus(const QByteArray& datei) {
    if (datei.size() < kleinsteDatei || datei.mid(kennungOffset, sizeof kennung - 1) != kennung)
        unverstanden(QStringLiteral("keine Access-Datei"));
    Format f;
    const quint8 version = quint8(datei.at(versionOffset));
    if (version > versionJet4)
        unverstanden(QStringLiteral("eine Access-Version nach Access 2000"));
    f.jet3 = version == versionJet3;
    f.seite = f.masse().seite;
    f.zeilenzahlOffset = f.masse().zeilenzahl;
    f.codepage = lies16(entschluesselterKopf(datei, verschluesseltLaenge), codepageOffset - verschluesseltAb);
    if (datei.size() % f.seite != 0)
        unverstanden(QStringLiteral("die Dateigröße ist kein Vielfaches der Seitengröße"));
    return f;
}

int TabellenDef::feldIndex(const QString& feld) const {
    for (int i = 0; i < spalten.size(); ++i)
        if (spalten[i].name.compare(feld, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

Datei::Datei(QByteArray daten) : daten_(std::move(daten)), format_(Format::aus(daten_)) {}

qint64 Datei::anfang(quint32 seite) const {
    if (seite >= seitenzahl())
        unverstanden(QStringLiteral("Verweis auf Seite %1 hinter dem Dateiende").arg(seite));
    return qint64(seite) * format_.seite;
}

namespace {

// A name in a definition: its length, then Windows-1252 bytes (Jet 3) or UTF-16 (Jet 4).
QString liesName(const QByteArray& d, qint64& o, bool jet3) {
    const int laenge = jet3 ? quint8(d.at(o)) : lies16(d, o);
    o += jet3 ? 1 : 2;
    pruefeBereich(d, o, laenge);
    const QString name =
        jet3 ? ausWindows1252(d.mid(o, laenge))
             : QString::fromUtf16(reinterpret_cast<const char16_t*>(d.constData() + o), laenge / 2);
    o += laenge;
    return name;
}

SpaltenDef liesSpalte(const QByteArray& d, qint64 o, const Seitenmasse& m) {
    pruefeBereich(d, o, m.spalte);
    SpaltenDef s;
    s.typ = quint8(d[o]);
    s.nummer = lies16(d, o + m.spalteNummer);
    s.varNummer = lies16(d, o + m.spalteVarNummer);
    const quint8 flags = quint8(d[o + m.spalteFlags]);
    s.fest = flags & spalteFest;
    s.autoNummer = flags & spalteAutoNummer;
    s.komprimierbar = m.spalteFlags2 >= 0 && (quint8(d[o + m.spalteFlags2]) & 0x01);
    s.festOffset = lies16(d, o + m.spalteFestOffset);
    s.laenge = s.typ == JaNein ? 0 : lies16(d, o + m.spalteLaenge);
    return s;
}

Index liesIndexDefinition(const QByteArray& d, qint64 o, const Seitenmasse& m, Index x) {
    pruefeBereich(d, o, m.indexDef);
    const qint64 a = o + m.indexDefSpalten;
    for (int k = 0; k < indexSpalten; ++k)
        if (const quint16 nummer = lies16(d, a + 3 * k); nummer != 0xffff)
            x.spalten.append({nummer, d.at(a + 3 * k + 2) == 0x01});
    x.wurzel = lies32(d, a + indexWurzel);
    x.flags = quint8(d.at(a + indexFlags));
    return x;
}

} // namespace

// The definition with its continuation pages, each without its header.
QByteArray Datei::definition(quint32 seite) const {
    if (art(seite) != Tabellenseite)
        unverstanden(QStringLiteral("Seite %1 ist keine Tabellendefinition").arg(seite));
    QByteArray d = daten_.mid(anfang(seite), format_.seite);
    QList<quint32> besucht{seite};
    for (quint32 weiter = lies32(d, weiterOffset); weiter != 0;
         weiter = lies32(daten_, anfang(weiter) + weiterOffset)) {
        if (besucht.contains(weiter) || art(weiter) != Tabellenseite)
            unverstanden(QStringLiteral("die Tabellendefinition auf Seite %1 ist unterbrochen").arg(seite));
        besucht.append(weiter);
        d += daten_.mid(anfang(weiter) + definitionsKopf, format_.seite - definitionsKopf);
    }
    return d;
}

TabellenDef Datei::tabelle(quint32 seite) const {
    const QByteArray d = definition(seite);
    const Seitenmasse& m = format_.masse();
    const bool j3 = format_.jet3;
    TabellenDef t;
    t.seite = seite;
    t.offsetZeilenzahl = anfang(seite) + m.defZeilenzahl;
    t.offsetAutoNummer = anfang(seite) + m.defAutoNummer;
    const int z = m.defZaehler;
    t.maxSpalten = lies16(d, z + zaehlerMaxSpalten);
    t.anzahlVar = lies16(d, z + zaehlerVar);
    const int spalten = lies16(d, z + zaehlerSpalten);
    const quint32 logisch = lies32(d, z + zaehlerLogisch);
    const int echte = int(lies32(d, z + zaehlerEcht));
    const quint32 belegt = lies32(d, z + zaehlerBelegt), frei = lies32(d, z + zaehlerFrei);
    t.belegt = {belegt >> 8, int(belegt & 0xff)};
    t.frei = {frei >> 8, int(frei & 0xff)};
    if (spalten > 255 || logisch > 1000 || echte > 1000)
        unverstanden(QStringLiteral("die Tabellendefinition auf Seite %1 ist unplausibel").arg(seite));
    qint64 o = z + zaehlerLaenge;
    for (int i = 0; i < echte; ++i, o += m.echterIndex) {
        Index x;
        if (o + 8 <= format_.seite)
            x.offsetEindeutige = anfang(seite) + o + 4;
        t.indizes.append(x);
    }
    for (int i = 0; i < spalten; ++i, o += m.spalte)
        t.spalten.append(liesSpalte(d, o, m));
    for (SpaltenDef& s : t.spalten)
        s.name = liesName(d, o, j3);
    for (Index& x : t.indizes) {
        x = liesIndexDefinition(d, o, m, x);
        o += m.indexDef;
    }
    QList<int> echtesVon;
    for (quint32 i = 0; i < logisch; ++i, o += m.logischerIndex) {
        pruefeBereich(d, o, m.logischerIndex);
        echtesVon.append(int(lies32(d, o + m.logischerIndexEcht)));
    }
    for (quint32 i = 0; i < logisch; ++i)
        t.indexNamen.append(liesName(d, o, j3));
    for (int i = 0; i < echtesVon.size(); ++i) {
        if (echtesVon[i] < 0 || echtesVon[i] >= t.indizes.size())
            unverstanden(QStringLiteral("ein Index der Tabelle auf Seite %1 fehlt").arg(seite));
        if (t.indizes[echtesVon[i]].name.isEmpty())
            t.indizes[echtesVon[i]].name = t.indexNamen.value(i);
    }
    for (const SpaltenDef& s : t.spalten)
        if (s.fest && s.typ != JaNein)
            t.festeLaenge = std::max(t.festeLaenge, s.festOffset + s.laenge);
    std::sort(t.spalten.begin(), t.spalten.end(),
              [](const SpaltenDef& a, const SpaltenDef& b) { return a.nummer < b.nummer; });
    return t;
}

int Datei::zeilenzahl(quint32 seite) const {
    return lies16(daten_, anfang(seite) + format_.zeilenzahlOffset);
}

quint16 Datei::zeilenEintrag(quint32 seite, int zeile) const {
    return lies16(daten_, anfang(seite) + format_.datenKopf() + 2 * zeile);
}

std::pair<int, int> Datei::zeilenGrenzen(quint32 seite, int zeile) const {
    if (zeile < 0 || zeile >= zeilenzahl(seite))
        unverstanden(QStringLiteral("Zeile %1 fehlt auf Seite %2").arg(zeile).arg(seite));
    const int start = zeilenEintrag(seite, zeile) & offsetMaske;
    const int ende = zeile == 0 ? format_.seite : zeilenEintrag(seite, zeile - 1) & offsetMaske;
    if (start < format_.datenKopf() + 2 * zeilenzahl(seite) || start > ende || ende > format_.seite)
        unverstanden(QStringLiteral("die Zeilentabelle von Seite %1 ist verdreht").arg(seite));
    return {start, ende - start};
}

int Datei::berechneterPlatz(quint32 seite) const {
    const int n = zeilenzahl(seite);
    const int belegt = n == 0 ? 0 : format_.seite - zeilenGrenzen(seite, n - 1).first;
    return format_.seite - format_.datenKopf() - 2 * n - belegt;
}

quint32 Datei::neueSeite() {
    const quint32 seite = seitenzahl();
    if (seite >= 0xffffff)
        unverstanden(QStringLiteral("die Datei ist voll"));
    daten_.append(QByteArray(format_.seite, '\0'));
    return seite;
}

Nutzungskarte::Nutzungskarte(Datei& datei, ZeilenOrt ort) : datei_(datei), ort_(ort) {
    if (datei.art(ort.seite) != Datenseite)
        unverstanden(QStringLiteral("die Seitenkarte auf Seite %1 fehlt").arg(ort.seite));
    const auto [start, laenge] = datei.zeilenGrenzen(ort.seite, ort.zeile);
    start_ = datei.anfang(ort.seite) + start;
    laenge_ = laenge;
    const quint8 typ = laenge_ > 0 ? quint8(datei.daten().at(start_)) : 0xff;
    if ((typ == 0 && laenge_ < 5) || (typ == 1 && laenge_ < 5) || typ > 1)
        unverstanden(QStringLiteral("eine Seitenkarte unbekannter Art auf Seite %1").arg(ort.seite));
}

std::optional<std::pair<qint64, int>> Nutzungskarte::stelle(quint32 seite) const {
    const QByteArray& d = datei_.daten();
    if (d.at(start_) == 0) {
        const quint32 erste = lies32(d, start_ + 1);
        if (seite < erste || seite - erste >= quint32(laenge_ - 5) * 8)
            return std::nullopt;
        const quint32 n = seite - erste;
        return std::pair{start_ + 5 + n / 8, int(n % 8)};
    }
    const quint32 jeSeite = quint32(datei_.format().seite - kartenKopf) * 8;
    const quint32 k = seite / jeSeite;
    if (k >= quint32(laenge_ - 1) / 4)
        return std::nullopt;
    const quint32 karte = lies32(d, start_ + 1 + 4 * k);
    if (karte == 0)
        return std::nullopt;
    if (datei_.art(karte) != Kartenseite)
        unverstanden(QStringLiteral("Seite %1 ist keine Seitenkarte").arg(karte));
    const quint32 n = seite % jeSeite;
    return std::pair{datei_.anfang(karte) + kartenKopf + n / 8, int(n % 8)};
}

bool Nutzungskarte::enthaelt(quint32 seite) const {
    const auto s = stelle(seite);
    return s && (quint8(datei_.daten().at(s->first)) >> s->second & 1);
}

bool Nutzungskarte::reicht(quint32 seite) const {
    return stelle(seite).has_value();
}

bool Nutzungskarte::setze(quint32 seite, bool an, QList<quint32>& geaendert) {
    if (!stelle(seite) && an && !verschiebe(seite, geaendert))
        return false;
    const auto s = stelle(seite);
    if (!s)
        return !an;
    QByteArray& d = datei_.daten();
    const quint8 alt = quint8(d.at(s->first));
    const quint8 neu = an ? quint8(alt | 1 << s->second) : quint8(alt & ~(1 << s->second));
    if (neu != alt) {
        d[s->first] = char(neu);
        geaendert.append(quint32(s->first / datei_.format().seite));
    }
    return true;
}

// An inline map covers a window of pages from its first page on; the window moves to take in `seite` where
// every page the map holds still fits into it.
bool Nutzungskarte::verschiebe(quint32 seite, QList<quint32>& geaendert) {
    QByteArray& d = datei_.daten();
    if (d.at(start_) != 0)
        return false;
    const quint32 fenster = quint32(laenge_ - 5) * 8;
    const QList<quint32> alle = seiten();
    quint32 von = seite, bis = seite;
    for (quint32 s : alle) {
        von = std::min(von, s);
        bis = std::max(bis, s);
    }
    quint32 erste = seite / fenster * fenster;
    if (von < erste || bis >= erste + fenster)
        erste = von / 8 * 8;
    if (bis >= erste + fenster)
        return false;
    d.replace(start_ + 5, laenge_ - 5, QByteArray(laenge_ - 5, '\0'));
    schreibe32(d, start_ + 1, erste);
    for (quint32 s : alle)
        d[start_ + 5 + (s - erste) / 8] =
            char(quint8(d[start_ + 5 + (s - erste) / 8]) | 1 << ((s - erste) % 8));
    geaendert.append(quint32(start_ / datei_.format().seite));
    return true;
}

QList<quint32> Nutzungskarte::seiten() const {
    QList<quint32> liste;
    const QByteArray& d = datei_.daten();
    const auto bits = [&](qint64 von, int bytes, quint32 erste) {
        for (int i = 0; i < bytes; ++i)
            for (int b = 0, wert = quint8(d.at(von + i)); wert && b < 8; ++b)
                if (wert >> b & 1)
                    liste.append(erste + quint32(i) * 8 + quint32(b));
    };
    if (d.at(start_) == 0) {
        bits(start_ + 5, laenge_ - 5, lies32(d, start_ + 1));
        return liste;
    }
    const int jeSeite = datei_.format().seite - kartenKopf;
    for (int k = 0; k < (laenge_ - 1) / 4; ++k) {
        const quint32 karte = lies32(d, start_ + 1 + 4 * k);
        if (karte == 0)
            continue;
        if (datei_.art(karte) != Kartenseite)
            unverstanden(QStringLiteral("Seite %1 ist keine Seitenkarte").arg(karte));
        bits(datei_.anfang(karte) + kartenKopf, jeSeite, quint32(k) * quint32(jeSeite) * 8);
    }
    return liste;
}

} // namespace findolin::accessdb::jet
