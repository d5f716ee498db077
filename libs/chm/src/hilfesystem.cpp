#include "hilfesystem.h"

#include "platform/cp1252.h"

#include <bytes/littleendian.h>

#include <QRegularExpression>

namespace findolin::chm {

namespace {

using bytes::u16;
using bytes::u32;

// A zero-terminated ANSI string (or one that ends with its field).
QString text(const QByteArray& b, qsizetype at = 0) {
    if (at < 0 || at >= b.size())
        return {};
    const qsizetype ende = b.indexOf('\0', at);
    return ausWindows1252(b.mid(at, ende < 0 ? -1 : ende - at));
}

// #STRINGS offset 0 is the empty string: "no value".
QString zeichenkette(const QByteArray& strings, quint32 versatz) {
    return versatz == 0 ? QString() : text(strings, qsizetype(versatz));
}

void ergaenze(QString& feld, const QString& wert) {
    if (feld.isEmpty())
        feld = wert;
}

} // namespace

HilfeSystemDaten leseSystemDaten(const ChmBehaelter& chm) {
    HilfeSystemDaten daten;
    const QByteArray system = chm.lese("/#SYSTEM").value_or(QByteArray());
    // Version, then records of code, length and data.
    for (qsizetype at = 4; at + 4 <= system.size();) {
        const quint16 code = u16(system, at), laenge = u16(system, at + 2);
        const QByteArray feld = system.mid(at + 4, laenge);
        at += 4 + laenge;
        if (code == 0)
            ergaenze(daten.inhaltsDatei, text(feld));
        else if (code == 1 && !text(feld).isEmpty())
            daten.stichwortDateien.append(text(feld));
        else if (code == 2)
            ergaenze(daten.standardThema, text(feld));
        else if (code == 3)
            ergaenze(daten.titel, text(feld));
    }
    // #WINDOWS: count, entry size, then the window types; names are offsets into #STRINGS.
    const QByteArray fenster = chm.lese("/#WINDOWS").value_or(QByteArray());
    const QByteArray strings = chm.lese("/#STRINGS").value_or(QByteArray());
    if (u32(fenster, 0) > 0 && u32(fenster, 4) >= 0x6c && fenster.size() >= 8 + 0x6c) {
        ergaenze(daten.titel, zeichenkette(strings, u32(fenster, 8 + 0x14)));
        ergaenze(daten.inhaltsDatei, zeichenkette(strings, u32(fenster, 8 + 0x60)));
        if (daten.stichwortDateien.isEmpty() && u32(fenster, 8 + 0x64))
            daten.stichwortDateien.append(zeichenkette(strings, u32(fenster, 8 + 0x64)));
        ergaenze(daten.standardThema, zeichenkette(strings, u32(fenster, 8 + 0x68)));
    }
    return daten;
}

QMap<qint32, QString> leseKontexte(const ChmBehaelter& chm) {
    QMap<qint32, QString> kontexte;
    // #IVB: its length, then pairs of context id and offset of the page name in #STRINGS.
    const QByteArray ivb = chm.lese("/#IVB").value_or(QByteArray());
    const QByteArray strings = chm.lese("/#STRINGS").value_or(QByteArray());
    const qsizetype ende = qMin<qsizetype>(ivb.size(), 4 + qsizetype(u32(ivb, 0)));
    for (qsizetype at = 4; at + 8 <= ende; at += 8) {
        const QString seite = zeichenkette(strings, u32(ivb, at + 4));
        if (!seite.isEmpty())
            kontexte.insert(static_cast<qint32>(u32(ivb, at)), seite);
    }
    static const QRegularExpression definiert(
        QStringLiteral("^\\s*#define\\s+(\\w+)\\s+(0[xX][0-9A-Fa-f]+|-?\\d+)"),
        QRegularExpression::MultilineOption);
    static const QRegularExpression alias(QStringLiteral("^\\s*(\\w+)\\s*=\\s*([^\\r\\n;]+?)\\s*$"),
                                          QRegularExpression::MultilineOption);
    QMap<QString, qint32> nummern;
    QMap<QString, QString> seiten;
    static const QRegularExpression endung(QStringLiteral("\\.(h|hh|hm|ali|alias)$"),
                                           QRegularExpression::CaseInsensitiveOption);
    for (const auto& e : chm.verzeichnis().eintraege()) {
        if (!endung.match(QString::fromUtf8(e.pfad)).hasMatch() || e.laenge > 1024 * 1024)
            continue;
        const QString inhalt = ausWindows1252(chm.lese(e.pfad).value_or(QByteArray()));
        for (auto it = definiert.globalMatch(inhalt); it.hasNext();) {
            const auto m = it.next();
            nummern.insert(m.captured(1), static_cast<qint32>(m.captured(2).toLongLong(nullptr, 0)));
        }
        for (auto it = alias.globalMatch(inhalt); it.hasNext();) {
            const auto m = it.next();
            seiten.insert(m.captured(1), m.captured(2));
        }
    }
    for (auto it = nummern.cbegin(); it != nummern.cend(); ++it)
        if (seiten.contains(it.key()) && !kontexte.contains(it.value()))
            kontexte.insert(it.value(), seiten.value(it.key()));
    return kontexte;
}

} // namespace findolin::chm
