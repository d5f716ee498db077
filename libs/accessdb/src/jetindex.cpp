#include "jetindex.h"

#include "jetzeilen.h"

#include <QtEndian>
#include <cstring>

namespace findolin::accessdb::jet {

namespace {

const Blatt& blatt(const Format& f) {
    return f.jet3 ? jet3Blatt : jet4Blatt;
}

bool kleiner(const QByteArray& a, const QByteArray& b) {
    const int n = std::memcmp(a.constData(), b.constData(), size_t(std::min(a.size(), b.size())));
    return n < 0 || (n == 0 && a.size() < b.size());
}

// A Long value as an ascending index sorts it: a flag, then the number big-endian with its sign bit flipped.
QByteArray schluessel(const Wert& w) {
    if (w.isNull())
        return QByteArray(1, '\0');
    QByteArray k(5, '\x7f');
    qToBigEndian(quint32(qint32(w.toLongLong())) ^ 0x80000000u, k.data() + 1);
    return k;
}

QByteArray zeiger(quint32 seite, int zeile) {
    QByteArray z(4, '\0');
    qToBigEndian(seite << 8 | quint32(zeile), z.data());
    return z;
}

// The entries of a leaf page, each whole (with the prefix it shares with the first).
QList<QByteArray> eintraege(const Datei& d, quint32 seite) {
    const Blatt& b = blatt(d.format());
    const qint64 a = d.anfang(seite);
    const QByteArray& daten = d.daten();
    const int praefix = lies16(daten, a + b.praefix);
    QList<int> grenzen{0};
    for (int bit = 1; bit < (b.eintraege - b.maske) * 8; ++bit)
        if (quint8(daten[a + b.maske + bit / 8]) >> (bit % 8) & 1)
            grenzen.append(bit);
    const int belegt = d.format().seite - b.eintraege - d.platz(seite);
    if (grenzen.size() < 2 ? belegt != 0 : grenzen.last() != belegt)
        unverstanden(QStringLiteral("die Indexseite %1 ist nicht stimmig").arg(seite));
    QList<QByteArray> liste;
    for (int i = 0; i + 1 < grenzen.size(); ++i) {
        const QByteArray teil = daten.mid(a + b.eintraege + grenzen[i], grenzen[i + 1] - grenzen[i]);
        liste.append(i == 0 ? teil : liste.first().left(praefix) + teil);
        if (liste.last().size() < 5)
            unverstanden(QStringLiteral("die Indexseite %1 ist nicht stimmig").arg(seite));
    }
    return liste;
}

void schreibeBlatt(Datei& d, quint32 seite, const QList<QByteArray>& liste) {
    const Blatt& b = blatt(d.format());
    const qint64 a = d.anfang(seite);
    QByteArray& daten = d.daten();
    // the shared prefix as the page had it, shortened where the entries no longer share it all
    int praefix =
        liste.size() > 1 ? std::min<int>(lies16(daten, a + b.praefix), int(liste.first().size()) - 4) : 0;
    for (const QByteArray& e : liste)
        while (praefix > 0 && e.left(praefix) != liste.first().left(praefix))
            --praefix;
    QByteArray bytes;
    QList<int> grenzen;
    for (int i = 0; i < liste.size(); ++i) {
        bytes += i == 0 ? liste[i] : liste[i].mid(praefix);
        grenzen.append(int(bytes.size()));
    }
    const int platz = d.format().seite - b.eintraege - int(bytes.size());
    if (platz < 0)
        unverstanden(QStringLiteral("die Indexseite %1 ist voll").arg(seite));
    daten.replace(a + b.maske, d.format().seite - b.maske, QByteArray(d.format().seite - b.maske, '\0'));
    daten.replace(a + b.eintraege, bytes.size(), bytes);
    for (int g : grenzen)
        daten[a + b.maske + g / 8] = char(quint8(daten[a + b.maske + g / 8]) | 1 << (g % 8));
    schreibe16(daten, a + 2, quint16(platz));
    schreibe16(daten, a + b.praefix, quint16(praefix));
}

int spalteVon(const TabellenDef& t, const Index& x) {
    for (int i = 0; i < t.spalten.size(); ++i)
        if (t.spalten[i].nummer == x.spalten.value(0).first)
            return i;
    return -1;
}

bool verstanden(const Datei& d, const TabellenDef& t, const Index& x) {
    const int s = spalteVon(t, x);
    if (x.spalten.size() != 1 || !x.spalten[0].second || s < 0 || t.spalten[s].typ != Long ||
        x.offsetEindeutige < 0 || x.wurzel >= d.seitenzahl() || d.art(x.wurzel) != Blattseite)
        return false;
    const Blatt& b = blatt(d.format());
    const qint64 a = d.anfang(x.wurzel);
    return lies32(d.daten(), a + besitzerOffset) == t.seite && lies32(d.daten(), a + b.vor) == 0 &&
           lies32(d.daten(), a + b.nach) == 0 && lies32(d.daten(), a + b.schwanz) == 0;
}

bool gleicherSchluessel(const QByteArray& a, const QByteArray& b) {
    return a.size() == b.size() && a.chopped(4) == b.chopped(4);
}

} // namespace

void indizesVerstanden(const Datei& d, const TabellenDef& t) {
    for (const Index& x : t.indizes)
        if (!verstanden(d, t, x))
            unverstanden(QStringLiteral("die Tabelle „") + t.name + QStringLiteral("“ hat den Index „") +
                         x.name +
                         QStringLiteral("“, den das Spiel nicht fortschreiben kann (nur Indizes über eine "
                                        "Zahlenspalte auf einer Seite)"));
}

void pflegeIndizes(Datei& d, const TabellenDef& t, const QList<Wert>& werte, quint32 seite, int zeile,
                   bool weg, QList<quint32>& geaendert) {
    for (const Index& x : t.indizes) {
        const QByteArray eintrag = schluessel(werte.value(spalteVon(t, x))) + zeiger(seite, zeile);
        QList<QByteArray> liste = eintraege(d, x.wurzel);
        const auto stelle = std::lower_bound(liste.begin(), liste.end(), eintrag, kleiner);
        const qsizetype i = stelle - liste.begin();
        const auto gleich = [&](qsizetype j) {
            return j >= 0 && j < liste.size() && gleicherSchluessel(liste[j], eintrag);
        };
        int neueSchluessel = 0;
        if (weg) {
            if (!gleich(i) || liste[i] != eintrag)
                unverstanden(QStringLiteral("der Index „") + x.name +
                             QStringLiteral("“ kennt die Zeile nicht"));
            liste.removeAt(i);
            neueSchluessel = gleich(i - 1) || gleich(i) ? 0 : -1;
        } else {
            if (gleich(i) || gleich(i - 1)) {
                if ((x.flags & 0x01) && eintrag.at(0) != 0)
                    unverstanden(QStringLiteral("der Wert ist im eindeutigen Index „") + x.name +
                                 QStringLiteral("“ schon vergeben"));
            } else {
                neueSchluessel = 1;
            }
            liste.insert(i, eintrag);
        }
        schreibeBlatt(d, x.wurzel, liste);
        schreibe32(d.daten(), x.offsetEindeutige,
                   lies32(d.daten(), x.offsetEindeutige) + quint32(neueSchluessel));
        geaendert << x.wurzel << quint32(x.offsetEindeutige / d.format().seite);
    }
}

void pruefeIndexseite(Datei& d, quint32 seite) {
    const quint32 tdef = lies32(d.daten(), d.anfang(seite) + besitzerOffset);
    const TabellenDef t = d.tabelle(tdef);
    for (const Index& x : t.indizes) {
        if (x.wurzel != seite)
            continue;
        if (!verstanden(d, t, x))
            unverstanden(QStringLiteral("die Indexseite %1 ist nicht die erwartete").arg(seite));
        const QList<QByteArray> liste = eintraege(d, seite);
        for (int i = 0; i < liste.size(); ++i) {
            if (i > 0 && !kleiner(liste[i - 1], liste[i]))
                unverstanden(QStringLiteral("die Indexseite %1 ist nicht geordnet").arg(seite));
            const quint32 z = qFromBigEndian<quint32>(liste[i].constData() + liste[i].size() - 4);
            const quint32 ziel = z >> 8;
            const int zeile = int(z & 0xff);
            if (ziel >= d.seitenzahl() || d.art(ziel) != Datenseite ||
                lies32(d.daten(), d.anfang(ziel) + besitzerOffset) != tdef || zeile >= d.zeilenzahl(ziel) ||
                (d.zeilenEintrag(ziel, zeile) & (geloeschtFlag | verweisFlag)))
                unverstanden(QStringLiteral("der Index „") + x.name +
                             QStringLiteral("“ zeigt auf keine Zeile"));
            const auto [start, laenge] = d.zeilenGrenzen(ziel, zeile);
            const QList<Wert> w = zerlegeZeile(t, d.format(), d.daten().mid(d.anfang(ziel) + start, laenge));
            if (schluessel(w.value(spalteVon(t, x))) != liste[i].chopped(4))
                unverstanden(QStringLiteral("der Index „") + x.name +
                             QStringLiteral("“ nennt einen falschen Wert"));
        }
        if (liste.size() != qsizetype(lies32(d.daten(), t.offsetZeilenzahl)))
            unverstanden(QStringLiteral("der Index „") + x.name + QStringLiteral("“ hat nicht jede Zeile"));
        return;
    }
    unverstanden(QStringLiteral("die Indexseite %1 gehört zu keinem Index").arg(seite));
}

} // namespace findolin::accessdb::jet
