#include "jetzeilen.h"

#include "accesstage.h"
#include "platform/cp1252.h"

#include <QDateTime>
#include <QtEndian>
#include <cmath>
#include <cstring>

namespace findolin::accessdb::jet {

namespace {

template <typename T> void lege(QByteArray& z, int o, T wert) {
    qToLittleEndian(wert, z.data() + o);
}

[[noreturn]] void passtNicht(const SpaltenDef& s, const QString& warum) {
    unverstanden(QStringLiteral("der Wert für „") + s.name + QStringLiteral("“ ") + warum);
}

qint64 ganzzahl(const SpaltenDef& s, const Wert& w, qint64 von, qint64 bis) {
    bool ok = false;
    const double d = w.toDouble(&ok);
    if (!ok || d != std::round(d) || d < double(von) || d > double(bis))
        passtNicht(s, QStringLiteral("passt nicht in die Spalte"));
    return qint64(d);
}

QByteArray textBytes(const SpaltenDef& s, const Format& f, const QString& text) {
    if (f.jet3) {
        if (f.codepage != 1252)
            passtNicht(s, QStringLiteral("wäre in einer Codepage zu schreiben, die das Spiel nicht kennt"));
        const QByteArray b = nachWindows1252(text);
        if (ausWindows1252(b) != text)
            passtNicht(s, QStringLiteral("hat Zeichen außerhalb der Codepage der Datei"));
        if (b.size() > s.laenge)
            passtNicht(s, QStringLiteral("ist länger als die Spalte"));
        return b;
    }
    if (text.size() * 2 > s.laenge)
        passtNicht(s, QStringLiteral("ist länger als die Spalte"));
    bool schmal = s.komprimierbar && text.size() > 2;
    for (QChar c : text)
        schmal = schmal && c.unicode() > 0 && c.unicode() < 0x100;
    QByteArray b;
    if (schmal) { // the compressed form: a marker, then one byte a character
        b = QByteArrayLiteral("\xff\xfe");
        for (QChar c : text)
            b.append(char(c.unicode()));
        return b;
    }
    b.resize(text.size() * 2);
    for (int i = 0; i < text.size(); ++i)
        qToLittleEndian(quint16(text[i].unicode()), b.data() + 2 * i);
    return b;
}

} // namespace

QString textAus(const Format& f, const QByteArray& b) {
    if (f.jet3)
        return ausWindows1252(b);
    QString t;
    if (b.startsWith(QByteArrayLiteral("\xff\xfe"))) { // compressed: a 0 byte switches the form
        bool schmal = true;
        for (qsizetype i = 2; i < b.size();) {
            if (b[i] == 0) {
                schmal = !schmal;
                ++i;
            } else if (schmal) {
                t.append(QChar(quint8(b[i++])));
            } else if (i + 1 < b.size()) {
                t.append(QChar(quint16(quint8(b[i]) | quint8(b[i + 1]) << 8)));
                i += 2;
            } else {
                break;
            }
        }
        return t;
    }
    for (qsizetype i = 0; i + 1 < b.size(); i += 2)
        t.append(QChar(quint16(quint8(b[i]) | quint8(b[i + 1]) << 8)));
    return t;
}

namespace {

// The fixed-length bytes of a value.
void legeFest(QByteArray& z, int o, const SpaltenDef& s, const Wert& w) {
    switch (s.typ) {
    case Byte:
        z[o] = char(ganzzahl(s, w, 0, 255));
        return;
    case Integer:
        lege(z, o, qint16(ganzzahl(s, w, -32768, 32767)));
        return;
    case Long:
        lege(z, o, qint32(ganzzahl(s, w, INT32_MIN, INT32_MAX)));
        return;
    case Waehrung:
        lege(z, o, qint64(std::llround(w.toDouble() * 10000.0)));
        return;
    case Single:
        lege(z, o, float(w.toDouble()));
        return;
    case Double:
        lege(z, o, w.toDouble());
        return;
    case Datum:
        if (!w.toDateTime().isValid())
            passtNicht(s, QStringLiteral("ist kein Datum"));
        lege(z, o, alsAccessTage(w.toDateTime()));
        return;
    default:
        passtNicht(s, QStringLiteral("gehört zu einer Spaltenart, die das Spiel nicht schreibt"));
    }
}

Wert festAus(const SpaltenDef& s, const char* p) {
    switch (s.typ) {
    case Byte:
        return qint64(quint8(*p));
    case Integer:
        return qint64(qFromLittleEndian<qint16>(p));
    case Long:
        return qint64(qFromLittleEndian<qint32>(p));
    case Waehrung:
        return double(qFromLittleEndian<qint64>(p)) / 10000.0;
    case Single:
        return double(qFromLittleEndian<float>(p));
    case Double:
        return qFromLittleEndian<double>(p);
    case Datum: {
        const QDateTime datum = ausAccessTagen(qFromLittleEndian<double>(p));
        if (!datum.isValid())
            unverstanden(QStringLiteral("„") + s.name + QStringLiteral("“ enthält kein Datum"));
        return datum;
    }
    default:
        return {};
    }
}

} // namespace

int maxZeilenLaenge(const Format& format) {
    return format.seite - format.datenKopf() - 2;
}

QByteArray baueZeile(const TabellenDef& t, const Format& f, const QList<Wert>& werte) {
    const int n = int(t.spalten.size());
    const int zaehler = f.jet3 ? 1 : 2;
    QByteArray z(zaehler + t.festeLaenge, '\0');
    z[0] = char(n & 0xff);
    if (!f.jet3)
        z[1] = char(n >> 8);
    QByteArray maske((n + 7) / 8, '\0');
    QList<QByteArray> var(t.anzahlVar);
    for (int i = 0; i < n; ++i) {
        const SpaltenDef& s = t.spalten[i];
        const Wert& w = werte.at(i);
        const bool gesetzt = s.typ == JaNein ? (!w.isNull() && w.toBool()) : !w.isNull();
        if (gesetzt)
            maske[s.nummer / 8] = char(quint8(maske[s.nummer / 8]) | 1 << (s.nummer % 8));
        if (w.isNull() || s.typ == JaNein)
            continue;
        if (s.fest)
            legeFest(z, zaehler + s.festOffset, s, w);
        else if (s.typ == Text)
            var[s.varNummer] = textBytes(s, f, w.toString());
        else
            passtNicht(s, QStringLiteral("gehört zu einer Spaltenart, die das Spiel nicht schreibt"));
    }
    if (t.anzahlVar == 0)
        return z + maske;
    QList<int> offsets;
    for (const QByteArray& v : var) {
        offsets.append(int(z.size()));
        z += v;
    }
    offsets.append(int(z.size())); // the end of the data, stored first
    const int nv = t.anzahlVar;
    if (!f.jet3) {
        QByteArray ende(2 * (nv + 2), '\0');
        for (int i = 0; i <= nv; ++i)
            lege(ende, 2 * (nv - i), quint16(offsets[i]));
        lege(ende, 2 * (nv + 1), quint16(nv));
        return z + ende + maske;
    }
    // Jet 3 keeps one byte an offset; a jump table names the first entry of every further 256 bytes
    const int daten = int(z.size());
    int spruenge = 0;
    for (int vorher = -1; vorher != spruenge;) {
        vorher = spruenge;
        spruenge = (daten + 1 + nv + spruenge + 1 + int(maske.size()) - 1) / 256;
    }
    if (offsets[nv] / 256 < spruenge - 1)
        unverstanden(QStringLiteral("die Zeile ist für eine Jet-3-Tabelle zu lang"));
    QByteArray ende;
    for (int i = nv; i >= 0; --i)
        ende.append(char(offsets[i] & 0xff));
    for (int j = spruenge - 1; j >= 0; --j) {
        int erste = -1;
        for (int i = 0; i <= nv && erste < 0; ++i)
            if (offsets[i] >= 256 * (j + 1))
                erste = i;
        ende.append(char(erste < 0 ? 0xff : erste));
    }
    ende.append(char(nv));
    return z + ende + maske;
}

QList<Feldinhalt> felderDerZeile(const TabellenDef& t, const Format& f, const QByteArray& z) {
    const int groesse = int(z.size());
    const auto kaputt = [&] { unverstanden(QStringLiteral("eine Zeile passt nicht zu ihrer Tabelle")); };
    if (groesse < 3)
        kaputt();
    const int spalten = f.jet3 ? quint8(z[0]) : lies16(z, 0);
    const int zaehler = f.jet3 ? 1 : 2;
    const int bm = (spalten + 7) / 8;
    if (bm + zaehler >= groesse || spalten > t.maxSpalten)
        kaputt();
    const int ende = groesse - 1;
    const char* maske = z.constData() + groesse - bm;
    int varZahl = 0;
    QList<int> offsets;
    if (t.anzahlVar > 0) {
        varZahl = f.jet3 ? quint8(z[ende - bm]) : lies16(z, ende - bm - 1);
        if (!f.jet3) {
            if (bm + 3 + varZahl * 2 + 2 > ende)
                kaputt();
            for (int i = 0; i <= varZahl; ++i)
                offsets.append(lies16(z, ende - bm - 3 - 2 * i));
        } else {
            int spruenge = (groesse - 1) / 256;
            const int zeiger = ende - bm - spruenge - 1;
            if ((zeiger - varZahl) / 256 < spruenge)
                --spruenge;
            if (zeiger < varZahl || zeiger >= groesse)
                kaputt();
            for (int i = 0, benutzt = 0; i <= varZahl; ++i) {
                while (benutzt < spruenge && i == quint8(z[ende - bm - benutzt - 1]))
                    ++benutzt;
                offsets.append(quint8(z[zeiger - i]) + benutzt * 256);
            }
        }
        for (int i = 0; i < varZahl; ++i)
            if (offsets[i] > offsets[i + 1] || offsets[i] < zaehler || offsets[i + 1] > groesse)
                kaputt();
    }
    const int festeSpalten = spalten - varZahl;
    int festGefunden = 0;
    QList<Feldinhalt> felder;
    for (const SpaltenDef& s : t.spalten) {
        Feldinhalt feld;
        feld.da = s.nummer / 8 < bm && (quint8(maske[s.nummer / 8]) >> (s.nummer % 8) & 1);
        if (s.typ != JaNein && s.fest && festGefunden < festeSpalten) {
            ++festGefunden;
            if (zaehler + s.festOffset + s.laenge > groesse)
                kaputt();
            feld.bytes = z.mid(zaehler + s.festOffset, s.laenge);
        } else if (s.typ != JaNein && !s.fest && s.varNummer < varZahl) {
            feld.bytes = z.mid(offsets[s.varNummer], offsets[s.varNummer + 1] - offsets[s.varNummer]);
        } else if (s.typ != JaNein) {
            feld.da = false; // a column added after the row was written
        }
        felder.append(feld);
    }
    return felder;
}

QList<Wert> zerlegeZeile(const TabellenDef& t, const Format& f, const QByteArray& z) {
    const QList<Feldinhalt> felder = felderDerZeile(t, f, z);
    QList<Wert> werte;
    for (int i = 0; i < felder.size(); ++i) {
        const SpaltenDef& s = t.spalten[i];
        const Feldinhalt& feld = felder[i];
        if (s.typ == JaNein)
            werte.append(feld.da);
        else if (!feld.da)
            werte.append(Wert());
        else if (s.fest)
            werte.append(festAus(s, feld.bytes.constData()));
        else
            werte.append(s.typ == Text ? Wert(textAus(f, feld.bytes)) : Wert());
    }
    return werte;
}

} // namespace findolin::accessdb::jet
