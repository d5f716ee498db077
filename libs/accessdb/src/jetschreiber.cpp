#include "jetschreiber.h"

#include "jetindex.h"
#include "jetzeilen.h"

#include <QDateTime>
#include <cmath>

namespace findolin::accessdb::jet {

namespace {

constexpr ZeilenOrt globaleKarte{globaleKartenSeite, 0};

// The bytes of a row, following an overflow pointer once.
QByteArray zeilenBytes(const Datei& d, quint32 seite, int zeile) {
    auto [start, laenge] = d.zeilenGrenzen(seite, zeile);
    if (d.zeilenEintrag(seite, zeile) & verweisFlag) {
        const quint32 ziel = lies32(d.daten(), d.anfang(seite) + start);
        seite = ziel >> 8;
        zeile = int(ziel & 0xff);
        // the row it points to is flagged deleted, so that a scan of its page passes it by
        if (d.art(seite) != Datenseite ||
            (d.zeilenEintrag(seite, zeile) & (verweisFlag | geloeschtFlag)) != geloeschtFlag)
            unverstanden(QStringLiteral("ein Zeilenverweis führt ins Leere"));
        std::tie(start, laenge) = d.zeilenGrenzen(seite, zeile);
    }
    return d.daten().mid(d.anfang(seite) + start, laenge);
}

} // namespace

bool gleicheWerte(const Wert& a, const Wert& b) {
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull();
    if (a.typeId() == QMetaType::QDateTime || b.typeId() == QMetaType::QDateTime)
        return std::llabs(a.toDateTime().secsTo(b.toDateTime())) < 1;
    if (a.typeId() == QMetaType::Double || b.typeId() == QMetaType::Double)
        return std::fabs(a.toDouble() - b.toDouble()) <= 1e-6 * std::max(1.0, std::fabs(a.toDouble()));
    if (a.typeId() == QMetaType::Bool || b.typeId() == QMetaType::Bool)
        return a.toBool() == b.toBool();
    return a.toString() == b.toString();
}

Schreiber::Schreiber(QByteArray original) : original_(original), datei_(std::move(original)) {
    const TabellenDef katalog = datei_.tabelle(katalogSeite);
    const int id = katalog.feldIndex(QStringLiteral("Id")), name = katalog.feldIndex(QStringLiteral("Name")),
              typ = katalog.feldIndex(QStringLiteral("Type"));
    if (id < 0 || name < 0 || typ < 0)
        unverstanden(QStringLiteral("das Inhaltsverzeichnis hat nicht die bekannten Spalten"));
    for (quint32 seite : Nutzungskarte(datei_, katalog.belegt).seiten()) {
        if (seite >= datei_.seitenzahl() || datei_.art(seite) != Datenseite ||
            lies32(datei_.daten(), datei_.anfang(seite) + besitzerOffset) != katalogSeite)
            continue;
        for (int z = 0; z < datei_.zeilenzahl(seite); ++z) {
            if (datei_.zeilenEintrag(seite, z) & geloeschtFlag)
                continue;
            const QList<Wert> w = zerlegeZeile(katalog, datei_.format(), zeilenBytes(datei_, seite, z));
            if (w[typ].toInt() == katalogTabelle)
                katalog_.insert(w[name].toString().toLower(), quint32(w[id].toLongLong() & 0xffffff));
        }
    }
}

TabellenDef& Schreiber::tabelle(const QString& name) {
    const auto it = katalog_.constFind(name.toLower());
    if (it == katalog_.constEnd())
        unverstanden(QStringLiteral("die Tabelle „") + name +
                     QStringLiteral("“ fehlt im Inhaltsverzeichnis"));
    if (!tabellen_.contains(*it)) {
        TabellenDef t = datei_.tabelle(*it);
        t.name = name;
        tabellen_.insert(*it, t);
    }
    return tabellen_[*it];
}

// What a row change needs: indexes this writer can keep in step, and columns as a table without changes in
// its design has them.
void Schreiber::schreibbar(const TabellenDef& t) const {
    indizesVerstanden(datei_, t);
    QList<bool> nummer(t.spalten.size()), var(t.anzahlVar);
    for (const SpaltenDef& s : t.spalten) {
        if (s.nummer >= nummer.size() || nummer[s.nummer] ||
            (!s.fest && (s.varNummer >= var.size() || var[s.varNummer])))
            unverstanden(QStringLiteral("die Spalten der Tabelle „") + t.name +
                         QStringLiteral("“ wurden umgebaut (gelöschte Spalten)"));
        nummer[s.nummer] = true;
        if (!s.fest)
            var[s.varNummer] = true;
    }
    if (t.maxSpalten != t.spalten.size() || var.contains(false))
        unverstanden(QStringLiteral("die Spalten der Tabelle „") + t.name +
                     QStringLiteral("“ wurden umgebaut (gelöschte Spalten)"));
}

void Schreiber::beruehre(const QList<quint32>& seiten) {
    for (quint32 s : seiten)
        beruehrt_.insert(s);
}

quint32 Schreiber::neueDatenseite(TabellenDef& t) {
    const Format& f = datei_.format();
    const quint32 seite = datei_.neueSeite();
    QByteArray& d = datei_.daten();
    const qint64 a = datei_.anfang(seite);
    d[a] = char(Datenseite);
    d[a + kennbyteOffset] = char(kennbyte);
    schreibe16(d, a + platzOffset, quint16(f.seite - f.datenKopf()));
    schreibe32(d, a + besitzerOffset, t.seite);
    QList<quint32> geaendert{seite};
    if (!Nutzungskarte(datei_, t.belegt).setze(seite, true, geaendert))
        unverstanden(QStringLiteral("die Seitenkarte der Tabelle „") + t.name + QStringLiteral("“ ist voll"));
    Nutzungskarte(datei_, t.frei)
        .setze(seite, true, geaendert); // a page beyond its reach just is not offered
    Nutzungskarte global(datei_, globaleKarte);
    if (global.reicht(seite) && !global.enthaelt(seite))
        unverstanden(QStringLiteral("die Seitenübersicht führt Seiten hinter dem Dateiende als belegt"));
    global.setze(seite, false, geaendert); // its bits mark pages that are free
    beruehre(geaendert);
    return seite;
}

// The table's last data page when the row fits there, else a new page.
quint32 Schreiber::seiteFuer(TabellenDef& t, int laenge) {
    if (!letzte_.contains(t.seite)) {
        quint32 letzte = 0;
        for (quint32 s : Nutzungskarte(datei_, t.belegt).seiten())
            if (s < datei_.seitenzahl() && datei_.art(s) == Datenseite &&
                lies32(datei_.daten(), datei_.anfang(s) + besitzerOffset) == t.seite)
                letzte = std::max(letzte, s);
        letzte_.insert(t.seite, letzte);
    }
    const quint32 letzte = letzte_.value(t.seite);
    if (letzte != 0) {
        if (datei_.platz(letzte) != datei_.berechneterPlatz(letzte))
            unverstanden(QStringLiteral("der freie Platz auf Seite %1 stimmt nicht").arg(letzte));
        if (datei_.platz(letzte) >= laenge + 2 && datei_.zeilenzahl(letzte) < Format::maxZeilenJeSeite)
            return letzte;
        QList<quint32> geaendert; // a full page is no longer offered for new rows
        Nutzungskarte(datei_, t.frei).setze(letzte, false, geaendert);
        beruehre(geaendert);
    }
    const quint32 neu = neueDatenseite(t);
    letzte_.insert(t.seite, neu);
    return neu;
}

qint64 Schreiber::fuegeEin(const QString& name, const QStringList& felder, const QList<Wert>& werte,
                           QList<Wert>& gespeichert) {
    TabellenDef& t = tabelle(name);
    schreibbar(t);
    QByteArray& d = datei_.daten();
    QList<Wert> spalten(t.spalten.size());
    for (int i = 0; i < felder.size(); ++i) {
        const int s = t.feldIndex(felder[i]);
        if (s < 0)
            unverstanden(QStringLiteral("die Tabelle „") + name + QStringLiteral("“ hat kein Feld „") +
                         felder[i] + u'"');
        spalten[s] = werte.value(i);
    }
    for (int i = 0; i < t.spalten.size(); ++i)
        if (t.spalten[i].typ == JaNein) // a yes/no field is never Null
            spalten[i] = !spalten[i].isNull() && spalten[i].toBool();
    const quint32 autoNummer = lies32(d, t.offsetAutoNummer) + 1;
    bool zaehlt = false;
    for (int i = 0; i < t.spalten.size(); ++i) {
        if (t.spalten[i].autoNummer) {
            if (t.spalten[i].typ != Long)
                unverstanden(QStringLiteral("ein AutoWert, der keine Zahl ist"));
            spalten[i] = qint64(autoNummer);
            zaehlt = true;
        }
    }
    const QByteArray zeile = baueZeile(t, datei_.format(), spalten);
    if (zeile.size() > maxZeilenLaenge(datei_.format()))
        unverstanden(QStringLiteral("die Zeile ist länger, als eine Seite fassen kann"));
    const quint32 seite = seiteFuer(t, int(zeile.size()));
    const int n = datei_.zeilenzahl(seite);
    const int ende = n == 0 ? datei_.format().seite : (datei_.zeilenEintrag(seite, n - 1) & offsetMaske);
    const int start = ende - int(zeile.size());
    const qint64 a = datei_.anfang(seite);
    d.replace(a + start, zeile.size(), zeile);
    schreibe16(d, a + datei_.format().datenKopf() + 2 * n, quint16(start));
    schreibe16(d, a + datei_.format().zeilenzahlOffset, quint16(n + 1));
    schreibe16(d, a + 2, quint16(datei_.platz(seite) - zeile.size() - 2));
    schreibe32(d, t.offsetZeilenzahl, lies32(d, t.offsetZeilenzahl) + 1);
    if (zaehlt)
        schreibe32(d, t.offsetAutoNummer, autoNummer);
    QList<quint32> geaendert{seite, t.seite};
    pflegeIndizes(datei_, t, spalten, seite, n, false, geaendert);
    beruehre(geaendert);
    gespeichert.clear();
    for (const QString& feld : felder)
        gespeichert.append(spalten[t.feldIndex(feld)]);
    return qint64(seite) << 8 | n;
}

void Schreiber::loesche(const QString& name, qint64 schluessel, const QStringList& felder,
                        const QList<Wert>& erwartet) {
    TabellenDef& t = tabelle(name);
    schreibbar(t);
    const quint32 seite = quint32(schluessel >> 8);
    const int zeile = int(schluessel & 0xff);
    if (seite >= datei_.seitenzahl() || datei_.art(seite) != Datenseite ||
        lies32(datei_.daten(), datei_.anfang(seite) + besitzerOffset) != t.seite ||
        zeile >= datei_.zeilenzahl(seite))
        unverstanden(QStringLiteral("die zu löschende Zeile liegt nicht in der Tabelle „") + name + u'"');
    const quint16 eintrag = datei_.zeilenEintrag(seite, zeile);
    if (eintrag & (geloeschtFlag | verweisFlag))
        unverstanden(QStringLiteral("die zu löschende Zeile ist schon gelöscht oder ausgelagert"));
    const QList<Wert> werte = zerlegeZeile(t, datei_.format(), zeilenBytes(datei_, seite, zeile));
    for (int i = 0; i < felder.size(); ++i) {
        const int s = t.feldIndex(felder[i]);
        const quint8 typ = s < 0 ? 0 : t.spalten[s].typ;
        if (typ == Memo || typ == Ole || typ == Binaer || typ == Guid || typ == Numerisch)
            continue; // not read by this writer
        if (s >= 0 && t.spalten[s].autoNummer && erwartet.value(i).isNull())
            continue; // a row added in this run does not know its number
        if (s < 0 || !gleicheWerte(werte[s], erwartet.value(i)))
            unverstanden(QStringLiteral("die Zeile an der Stelle der zu löschenden hält andere Werte"));
    }
    QByteArray& d = datei_.daten();
    // Access marks a deleted row with both high bits; readers differ in which of them they test
    schreibe16(d, datei_.anfang(seite) + datei_.format().datenKopf() + 2 * zeile,
               eintrag | geloeschtFlag | verweisFlag);
    const quint32 zeilen = lies32(d, t.offsetZeilenzahl);
    if (zeilen == 0)
        unverstanden(QStringLiteral("die Zeilenzahl der Tabelle ist schon 0"));
    schreibe32(d, t.offsetZeilenzahl, zeilen - 1);
    QList<quint32> geaendert{seite, t.seite};
    pflegeIndizes(datei_, t, werte, seite, zeile, true, geaendert);
    beruehre(geaendert);
}

} // namespace findolin::accessdb::jet
