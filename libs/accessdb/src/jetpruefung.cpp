#include "jetindex.h"
#include "jetschreiber.h"
#include "jetzeilen.h"

#include <cstring>

namespace findolin::accessdb::jet {

namespace {

// A data page: its row offset table, its free space and, for a table's page, every row it holds.
void pruefeDatenseite(const Datei& d, quint32 seite, QHash<quint32, TabellenDef>& tabellen) {
    const int n = d.zeilenzahl(seite);
    if (n > (d.format().seite - d.format().datenKopf()) / 2)
        unverstanden(QStringLiteral("Seite %1 hat zu viele Zeilen").arg(seite));
    for (int z = 0; z < n; ++z)
        d.zeilenGrenzen(seite, z);
    if (d.platz(seite) != d.berechneterPlatz(seite))
        unverstanden(QStringLiteral("der freie Platz auf Seite %1 stimmt nicht").arg(seite));
    const quint32 tdef = lies32(d.daten(), d.anfang(seite) + besitzerOffset);
    if (tdef < 2 || tdef >= d.seitenzahl() || d.art(tdef) != Tabellenseite)
        return; // the page maps live on pages of no table
    if (!tabellen.contains(tdef))
        tabellen.insert(tdef, d.tabelle(tdef));
    const TabellenDef& t = tabellen[tdef];
    for (int z = 0; z < n; ++z) {
        const quint16 eintrag = d.zeilenEintrag(seite, z);
        if (eintrag & (geloeschtFlag | verweisFlag))
            continue;
        const auto [start, laenge] = d.zeilenGrenzen(seite, z);
        zerlegeZeile(t, d.format(), d.daten().mid(d.anfang(seite) + start, laenge));
    }
}

// A table: its row count and AutoNumber against its rows, its pages in its page map.
void pruefeTabelle(Datei& d, quint32 seite, const QSet<quint32>& beruehrt) {
    const TabellenDef t = d.tabelle(seite);
    const QList<quint32> seiten = Nutzungskarte(d, t.belegt).seiten();
    qint64 zeilen = 0, hoechste = 0;
    for (quint32 s : seiten) {
        if (s >= d.seitenzahl() || d.art(s) != Datenseite ||
            lies32(d.daten(), d.anfang(s) + besitzerOffset) != seite)
            continue;
        for (int z = 0; z < d.zeilenzahl(s); ++z) {
            const quint16 eintrag = d.zeilenEintrag(s, z);
            if (eintrag & geloeschtFlag)
                continue;
            ++zeilen;
            if (eintrag & verweisFlag)
                continue;
            const auto [start, laenge] = d.zeilenGrenzen(s, z);
            const QList<Wert> w = zerlegeZeile(t, d.format(), d.daten().mid(d.anfang(s) + start, laenge));
            for (int i = 0; i < t.spalten.size(); ++i)
                if (t.spalten[i].autoNummer && !w[i].isNull())
                    hoechste = std::max(hoechste, w[i].toLongLong());
        }
    }
    for (quint32 s : beruehrt)
        if (s < d.seitenzahl() && d.art(s) == Datenseite &&
            lies32(d.daten(), d.anfang(s) + besitzerOffset) == seite && !seiten.contains(s))
            unverstanden(QStringLiteral("Seite %1 fehlt in der Seitenkarte ihrer Tabelle").arg(s));
    if (lies32(d.daten(), t.offsetZeilenzahl) != zeilen)
        unverstanden(QStringLiteral("die Zeilenzahl der Tabelle auf Seite %1 stimmt nicht").arg(seite));
    if (lies32(d.daten(), t.offsetAutoNummer) < hoechste)
        unverstanden(QStringLiteral("der AutoWert der Tabelle auf Seite %1 ist überholt").arg(seite));
}

} // namespace

void pruefeSeiten(const QByteArray& neu, const QByteArray& original, const QSet<quint32>& beruehrt) {
    Datei d(neu);
    const int groesse = d.format().seite;
    if (original.size() > neu.size())
        unverstanden(QStringLiteral("die Datei ist kürzer geworden"));
    for (qint64 a = 0; a < original.size(); a += groesse)
        if (!beruehrt.contains(quint32(a / groesse)) &&
            std::memcmp(neu.constData() + a, original.constData() + a, size_t(groesse)) != 0)
            unverstanden(QStringLiteral("Seite %1 hat sich unerwartet geändert").arg(a / groesse));
    for (quint32 s = quint32(original.size() / groesse); s < d.seitenzahl(); ++s)
        if (!beruehrt.contains(s))
            unverstanden(QStringLiteral("die neue Seite %1 ist nicht erfasst").arg(s));
    QHash<quint32, TabellenDef> tabellen;
    for (quint32 s : beruehrt) {
        switch (d.art(s)) {
        case Datenseite:
            pruefeDatenseite(d, s, tabellen);
            break;
        case Tabellenseite:
            pruefeTabelle(d, s, beruehrt);
            break;
        case Blattseite:
            pruefeIndexseite(d, s);
            break;
        case Kartenseite:
            if (quint8(neu.at(d.anfang(s) + kennbyteOffset)) != kennbyte)
                unverstanden(QStringLiteral("die Seitenkarte auf Seite %1 ist beschädigt").arg(s));
            break;
        default:
            unverstanden(QStringLiteral("Seite %1 hat eine unerwartete Art").arg(s));
        }
    }
    Nutzungskarte global(d, {1, 0});
    for (quint32 s = quint32(original.size() / groesse); s < d.seitenzahl(); ++s)
        if (global.enthaelt(s))
            unverstanden(QStringLiteral("die neue Seite %1 gilt als frei").arg(s));
}

} // namespace findolin::accessdb::jet
