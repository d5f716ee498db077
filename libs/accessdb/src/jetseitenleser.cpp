// Reading Access files through our own page code instead of libmdb, for where the library is not at hand: the
// same stream as the libmdb half writes (jetleser.h), so the game's half reads both alike. Every offset is
// checked against the file held in memory and every walk over pages is bounded by the file's page count, so a
// damaged file ends in a refusal, never in a crash or a hang.
#include "jetleser.h"
#include "jetseiten.h"
#include "jetzeilen.h"

#include <QFile>
#include <QtEndian>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace findolin::accessdb::jet {

namespace {

// A long value (memo, OLE) in its row: length and flags, where its data lies, four bytes of nothing.
constexpr int langKopf = 12;

FeldArt artVon(quint8 typ) {
    switch (typ) {
    case JaNein:
        return FeldArt::JaNein;
    case Byte:
    case Integer:
    case Long:
        return FeldArt::Ganzzahl;
    case Waehrung:
    case Single:
    case Double:
    case Numerisch:
        return FeldArt::Kommazahl;
    case Datum:
        return FeldArt::Datum;
    case Text:
    case Memo:
    case Guid:
        return FeldArt::Text;
    default:
        return FeldArt::Binaer;
    }
}

struct Katalogeintrag {
    QString name;
    quint32 seite = 0;
    bool eigene = false; // a table of the user's, not of the system
};

class Leser {
public:
    explicit Leser(QByteArray daten) : datei_(std::move(daten)) {}

    QList<Katalogeintrag> katalog() {
        const TabellenDef t = datei_.tabelle(katalogSeite);
        const int id = t.feldIndex(QStringLiteral("Id")), name = t.feldIndex(QStringLiteral("Name"));
        const int typ = t.feldIndex(QStringLiteral("Type")), flags = t.feldIndex(QStringLiteral("Flags"));
        if (id < 0 || name < 0 || typ < 0 || flags < 0)
            unverstanden(QStringLiteral("der Katalog hat nicht seine Spalten"));
        QList<Katalogeintrag> eintraege;
        for (const auto& [ort, zeile] : zeilen(t)) {
            const QList<Wert> w = zerlegeZeile(t, datei_.format(), zeile);
            if ((w[typ].toInt() & 0x7f) != katalogTabelle || w[name].isNull())
                continue;
            const quint32 f = quint32(w[flags].toLongLong());
            eintraege.append(
                {w[name].toString(), quint32(w[id].toLongLong()) & 0xffffff, (f & systemTabelleFlags) == 0});
        }
        return eintraege;
    }

    // The rows of the table in the order of its pages, each with its key, (page << 8) | index, and its bytes.
    QList<std::pair<qint64, QByteArray>> zeilen(const TabellenDef& t) {
        QList<std::pair<qint64, QByteArray>> liste;
        for (const quint32 seite : Nutzungskarte(datei_, t.belegt).seiten()) {
            if (seite >= datei_.seitenzahl() || datei_.art(seite) != Datenseite ||
                lies32(datei_.daten(), datei_.anfang(seite) + besitzerOffset) != t.seite)
                continue;
            for (int z = 0; z < datei_.zeilenzahl(seite) && z <= Format::maxZeilenJeSeite; ++z) {
                // A deleted row carries both flags, the pointer left where a row moved away the second; the
                // moved row itself, flagged with the first alone, is read where it now lies. So libmdb reads
                // too, and the rows keep the same keys on every platform.
                if (datei_.zeilenEintrag(seite, z) & verweisFlag)
                    continue;
                const QByteArray bytes = zeilenBytes(seite, z);
                liste.append({qint64(seite) << 8 | z, bytes});
            }
        }
        return liste;
    }

    void schreibeTabelle(Strom& s, const Katalogeintrag& eintrag) {
        const TabellenDef t = datei_.tabelle(eintrag.seite);
        const QList<std::pair<qint64, QByteArray>> alle = zeilen(t);
        s.zahl('T');
        const QByteArray name = eintrag.name.toUtf8();
        s.text(name.constData(), size_t(name.size()));
        s.zahl(quint32(t.spalten.size()));
        for (const SpaltenDef& spalte : t.spalten) {
            const QByteArray n = spalte.name.toUtf8();
            s.text(n.constData(), size_t(n.size()));
            s.zahl(quint8(artVon(spalte.typ)));
        }
        s.zahl(lies32(datei_.daten(), t.offsetZeilenzahl));
        for (const auto& [schluessel, zeile] : alle) {
            s.zahl('Z');
            s.zahl(quint64(schluessel));
            const QList<Feldinhalt> felder = felderDerZeile(t, datei_.format(), zeile);
            for (int i = 0; i < felder.size(); ++i)
                schreibeWert(s, t.spalten[i], felder[i]);
        }
        s.zahl('E');
    }

private:
    QByteArray zeilenBytes(quint32 seite, int zeile) const {
        if (seite >= datei_.seitenzahl() || datei_.art(seite) != Datenseite)
            unverstanden(QStringLiteral("ein Zeilenverweis auf Seite %1 führt ins Leere").arg(seite));
        const auto [start, laenge] = datei_.zeilenGrenzen(seite, zeile);
        return datei_.daten().mid(datei_.anfang(seite) + start, laenge);
    }

    // A memo's or OLE object's data: in its row, in one row elsewhere, or in a chain of rows each led by the
    // place of the next.
    QByteArray langerWert(const QByteArray& kopf) const {
        const quint32 laenge = lies32(kopf, 0);
        if (laenge & 0x80000000)
            return kopf.mid(langKopf);
        quint32 ort = lies32(kopf, 4);
        if (laenge & 0x40000000)
            return zeilenBytes(ort >> 8, int(ort & 0xff));
        if (laenge & 0xff000000)
            unverstanden(QStringLiteral("ein langer Wert unbekannter Art"));
        QByteArray daten;
        for (quint32 schritte = 0; ort != 0 && daten.size() < qsizetype(laenge); ++schritte) {
            if (schritte > datei_.seitenzahl() * Format::maxZeilenJeSeite)
                unverstanden(QStringLiteral("die Kette eines langen Wertes kreist"));
            const QByteArray stueck = zeilenBytes(ort >> 8, int(ort & 0xff));
            ort = lies32(stueck, 0);
            daten += stueck.mid(4);
        }
        return daten.left(laenge);
    }

    void schreibeText(Strom& s, const QString& text) const {
        const QByteArray utf8 = text.toUtf8();
        s.text(utf8.constData(), size_t(utf8.size()));
    }

    void schreibeWert(Strom& s, const SpaltenDef& spalte, const Feldinhalt& feld) const {
        if (spalte.typ == JaNein) {
            s.zahl(quint8(1));
            s.zahl(quint8(feld.da ? 1 : 0));
            return;
        }
        const QByteArray& b = feld.bytes;
        const FeldArt art = artVon(spalte.typ);
        const bool textig = art == FeldArt::Text || art == FeldArt::Binaer;
        // a number shorter than its kind (a damaged column size) counts as Null, as does nothing at all
        if (!feld.da || (!textig && b.size() < spalte.laenge) || (b.isEmpty() && !textig) ||
            spalte.typ == Numerisch) {
            s.zahl(quint8(0));
            return;
        }
        s.zahl(quint8(1));
        const char* p = b.constData();
        switch (spalte.typ) {
        case Byte:
            s.zahl(qint64(quint8(*p)));
            return;
        case Integer:
            s.zahl(qint64(qFromLittleEndian<qint16>(p)));
            return;
        case Long:
            s.zahl(qint64(qFromLittleEndian<qint32>(p)));
            return;
        case Waehrung:
            s.zahl(double(qFromLittleEndian<qint64>(p)) / 10000.0);
            return;
        case Single: {
            // as Access shows it, to eight digits
            char text[32];
            std::snprintf(text, sizeof text, "%.8g", double(qFromLittleEndian<float>(p)));
            s.zahl(std::strtod(text, nullptr));
            return;
        }
        case Double:
        case Datum: // days since 30 December 1899, the fraction the time of day
            s.zahl(qFromLittleEndian<double>(p));
            return;
        case Text:
            schreibeText(s, textAus(datei_.format(), b));
            return;
        case Memo:
            schreibeText(s, b.size() < langKopf ? QString() : textAus(datei_.format(), langerWert(b)));
            return;
        case Guid: {
            const auto u = [&](int i) { return quint8(b.at(i)); };
            schreibeText(s, b.size() < 16
                                ? QString()
                                : QString::asprintf("{%02X%02X%02X%02X-%02X%02X-%02X%02X-%02X%02X-"
                                                    "%02X%02X%02X%02X%02X%02X}",
                                                    u(3), u(2), u(1), u(0), u(5), u(4), u(7), u(6), u(8),
                                                    u(9), u(10), u(11), u(12), u(13), u(14), u(15)));
            return;
        }
        default:
            s.text(p, size_t(b.size()));
        }
    }

    Datei datei_;
};

} // namespace

void liesSeiten(const char* pfad, const char* tabelle, Ausgabe& ausgabe) {
    Strom s(ausgabe);
    QFile datei(QFile::decodeName(pfad));
    if (!datei.open(QIODevice::ReadOnly)) {
        s.zahl('F');
        s.zahl(quint8(NichtOeffnbar));
        return;
    }
    std::unique_ptr<Leser> leser;
    QList<Katalogeintrag> katalog;
    try {
        leser = std::make_unique<Leser>(datei.readAll());
        katalog = leser->katalog();
    } catch (const Unverstanden&) {
        s.zahl('F');
        s.zahl(quint8(leser ? KatalogNichtLesbar : NichtOeffnbar));
        return;
    }
    if (!tabelle) {
        QList<QByteArray> eigene;
        for (const Katalogeintrag& e : katalog)
            if (e.eigene)
                eigene.append(e.name.toUtf8());
        s.zahl('V');
        s.zahl(quint32(eigene.size()));
        for (const QByteArray& name : eigene)
            s.text(name.constData(), size_t(name.size()));
        return;
    }
    const QString gesucht = QString::fromUtf8(tabelle);
    for (const Katalogeintrag& e : katalog) {
        if (e.name.compare(gesucht, Qt::CaseInsensitive) != 0)
            continue;
        // the table is taken apart whole before it is written, so a refusal leaves no half table behind
        QByteArray tabellenStrom;
        try {
            struct Puffer : Ausgabe {
                QByteArray& ziel;
                explicit Puffer(QByteArray& z) : ziel(z) {}
                void schreibe(const void* daten, size_t laenge) override {
                    ziel.append(static_cast<const char*>(daten), qsizetype(laenge));
                }
            } puffer(tabellenStrom);
            Strom teil(puffer);
            leser->schreibeTabelle(teil, e);
        } catch (const Unverstanden&) {
            s.zahl('F');
            s.zahl(quint8(TabelleNichtLesbar));
            return;
        }
        s.bytes(tabellenStrom.constData(), size_t(tabellenStrom.size()));
        return;
    }
    s.zahl('F');
    s.zahl(quint8(TabelleFehlt));
}

} // namespace findolin::accessdb::jet
