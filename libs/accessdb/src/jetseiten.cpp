#include "jetseiten.h"

#include "platform/cp1252.h"

#include <algorithm>
#include <array>

namespace findolin::accessdb::jet {

void unverstanden(const QString& grund) {
    throw Unverstanden{grund};
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
    QByteArray kopf = datei.mid(0x18, laenge);
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
    return quint16(quint8(d[o]) | quint8(d[o + 1]) << 8);
}

quint32 lies32(const QByteArray& d, qint64 o) {
    pruefeBereich(d, o, 4);
    return quint32(lies16(d, o)) | quint32(lies16(d, o + 2)) << 16;
}

void schreibe16(QByteArray& d, qint64 o, quint16 wert) {
    pruefeBereich(d, o, 2);
    d[o] = char(wert & 0xff);
    d[o + 1] = char(wert >> 8);
}

void schreibe32(QByteArray& d, qint64 o, quint32 wert) {
    schreibe16(d, o, quint16(wert & 0xffff));
    schreibe16(d, o + 2, quint16(wert >> 16));
}

Format Format::aus(const QByteArray& datei) {
    if (datei.size() < 0x100 || datei.mid(4, 15) != QByteArrayLiteral("Standard Jet DB"))
        unverstanden(QStringLiteral("keine Access-Datei"));
    Format f;
    const quint8 version = quint8(datei.at(0x14));
    if (version > 1)
        unverstanden(QStringLiteral("eine Access-Version nach Access 2000"));
    f.jet3 = version == 0;
    f.seite = f.jet3 ? 2048 : 4096;
    f.zeilenzahlOffset = f.jet3 ? 8 : 12;
    f.codepage = lies16(entschluesselterKopf(datei, 0x40), 0x3c - 0x18);
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

TabellenDef Datei::tabelle(quint32 seite) const {
    if (art(seite) != Tabellenseite)
        unverstanden(QStringLiteral("Seite %1 ist keine Tabellendefinition").arg(seite));
    const bool j3 = format_.jet3;
    // the definition with its continuation pages, each without its 8-byte header
    QByteArray d = daten_.mid(anfang(seite), format_.seite);
    QList<quint32> besucht{seite};
    for (quint32 weiter = lies32(d, 4); weiter != 0; weiter = lies32(daten_, anfang(weiter) + 4)) {
        if (besucht.contains(weiter) || art(weiter) != Tabellenseite)
            unverstanden(QStringLiteral("die Tabellendefinition auf Seite %1 ist unterbrochen").arg(seite));
        besucht.append(weiter);
        d += daten_.mid(anfang(weiter) + 8, format_.seite - 8);
    }
    TabellenDef t;
    t.seite = seite;
    t.offsetZeilenzahl = anfang(seite) + (j3 ? 12 : 16);
    t.offsetAutoNummer = anfang(seite) + (j3 ? 16 : 20);
    const int basis = j3 ? 21 : 41;
    t.maxSpalten = lies16(d, basis);
    t.anzahlVar = lies16(d, basis + 2);
    const int spalten = lies16(d, basis + 4);
    const quint32 logisch = lies32(d, basis + 6);
    const int echte = int(lies32(d, basis + 10));
    const quint32 belegt = lies32(d, basis + 14), frei = lies32(d, basis + 18);
    t.belegt = {belegt >> 8, int(belegt & 0xff)};
    t.frei = {frei >> 8, int(frei & 0xff)};
    if (spalten > 255 || logisch > 1000 || echte > 1000)
        unverstanden(QStringLiteral("die Tabellendefinition auf Seite %1 ist unplausibel").arg(seite));
    for (int i = 0; i < echte; ++i) {
        Index x;
        const qint64 o = basis + 22 + qint64(i) * (j3 ? 8 : 12) + 4;
        if (o + 4 <= format_.seite)
            x.offsetEindeutige = anfang(seite) + o;
        t.indizes.append(x);
    }
    qint64 o = basis + 22 + qint64(echte) * (j3 ? 8 : 12);
    const int groesse = j3 ? 18 : 25;
    for (int i = 0; i < spalten; ++i, o += groesse) {
        pruefeBereich(d, o, groesse);
        SpaltenDef s;
        s.typ = quint8(d[o]);
        s.nummer = lies16(d, o + (j3 ? 1 : 5));
        s.varNummer = lies16(d, o + (j3 ? 3 : 7));
        const quint8 flags = quint8(d[o + (j3 ? 13 : 15)]);
        s.fest = flags & 0x01;
        s.autoNummer = flags & 0x04;
        s.komprimierbar = !j3 && (quint8(d[o + 16]) & 0x01);
        s.festOffset = lies16(d, o + (j3 ? 14 : 21));
        s.laenge = s.typ == JaNein ? 0 : lies16(d, o + (j3 ? 16 : 23));
        t.spalten.append(s);
    }
    for (SpaltenDef& s : t.spalten) {
        const int laenge = j3 ? quint8(d.at(o)) : lies16(d, o);
        o += j3 ? 1 : 2;
        pruefeBereich(d, o, laenge);
        s.name = j3 ? ausWindows1252(d.mid(o, laenge))
                    : QString::fromUtf16(reinterpret_cast<const char16_t*>(d.constData() + o), laenge / 2);
        o += laenge;
    }
    for (Index& x : t.indizes) {
        const int groesse = j3 ? 39 : 52, a = j3 ? 0 : 4;
        pruefeBereich(d, o, groesse);
        for (int k = 0; k < 10; ++k)
            if (const quint16 nummer = lies16(d, o + a + 3 * k); nummer != 0xffff)
                x.spalten.append({nummer, d.at(o + a + 3 * k + 2) == 0x01});
        x.wurzel = lies32(d, o + a + 34);
        x.flags = quint8(d.at(o + a + 38));
        o += groesse;
    }
    QList<int> echtesVon;
    for (quint32 i = 0; i < logisch; ++i, o += j3 ? 20 : 28) {
        pruefeBereich(d, o, j3 ? 20 : 28);
        echtesVon.append(int(lies32(d, o + (j3 ? 4 : 8))));
    }
    for (quint32 i = 0; i < logisch; ++i) {
        const int laenge = j3 ? quint8(d.at(o)) : lies16(d, o);
        o += j3 ? 1 : 2;
        pruefeBereich(d, o, laenge);
        t.indexNamen.append(
            j3 ? ausWindows1252(d.mid(o, laenge))
               : QString::fromUtf16(reinterpret_cast<const char16_t*>(d.constData() + o), laenge / 2));
        o += laenge;
    }
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
    const quint32 jeSeite = quint32(datei_.format().seite - 4) * 8;
    const quint32 k = seite / jeSeite;
    if (k >= quint32(laenge_ - 1) / 4)
        return std::nullopt;
    const quint32 karte = lies32(d, start_ + 1 + 4 * k);
    if (karte == 0)
        return std::nullopt;
    if (datei_.art(karte) != Kartenseite)
        unverstanden(QStringLiteral("Seite %1 ist keine Seitenkarte").arg(karte));
    const quint32 n = seite % jeSeite;
    return std::pair{datei_.anfang(karte) + 4 + n / 8, int(n % 8)};
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
    const int jeSeite = datei_.format().seite - 4;
    for (int k = 0; k < (laenge_ - 1) / 4; ++k) {
        const quint32 karte = lies32(d, start_ + 1 + 4 * k);
        if (karte == 0)
            continue;
        if (datei_.art(karte) != Kartenseite)
            unverstanden(QStringLiteral("Seite %1 ist keine Seitenkarte").arg(karte));
        bits(datei_.anfang(karte) + 4, jeSeite, quint32(k) * quint32(jeSeite) * 8);
    }
    return liste;
}

} // namespace findolin::accessdb::jet
