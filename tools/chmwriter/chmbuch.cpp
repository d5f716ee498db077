#include "chmbuch.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

namespace findolin::tools {

namespace {

QString zeileOhneKommentar(const QString& zeile) {
    const QString ohneEnde = zeile.section(QLatin1Char('\r'), 0, 0);
    const QString ohneRand = ohneEnde.trimmed();
    if (ohneRand.isEmpty() || ohneRand.startsWith(QLatin1Char(';')))
        return {};
    return ohneEnde;
}

bool istAscii(const QString& text) {
    for (const QChar zeichen : text)
        if (zeichen.unicode() < 0x21 || zeichen.unicode() > 0x7e)
            return false;
    return !text.isEmpty();
}

} // namespace

std::optional<chm::HilfeBuch> leseProjekt(const QString& projektDatei, QString& fehler) {
    QFile datei(projektDatei);
    if (!datei.open(QIODevice::ReadOnly)) {
        fehler = QStringLiteral("cannot read %1").arg(projektDatei);
        return std::nullopt;
    }
    chm::HilfeBuch buch;
    QString abschnitt;
    int zeilenNr = 0;
    for (const QString& roh : QString::fromUtf8(datei.readAll()).split(QLatin1Char('\n'))) {
        ++zeilenNr;
        const QString zeile = zeileOhneKommentar(roh);
        if (zeile.isEmpty())
            continue;
        const QString ohneRand = zeile.trimmed();
        if (ohneRand.startsWith(QLatin1Char('[')) && ohneRand.endsWith(QLatin1Char(']'))) {
            abschnitt = ohneRand.mid(1, ohneRand.size() - 2).toUpper();
            continue;
        }
        const qsizetype gleich = zeile.indexOf(QLatin1Char('='));
        const QString schluessel = zeile.left(gleich).trimmed();
        const QString wert = zeile.mid(gleich + 1).trimmed();
        const auto falsch = [&](const QString& was) {
            fehler = QStringLiteral("%1:%2: %3").arg(projektDatei).arg(zeilenNr).arg(was);
            return std::nullopt;
        };
        if (gleich < 0 || schluessel.isEmpty() || wert.isEmpty())
            return falsch(QStringLiteral("expected name=value"));
        if (abschnitt == QLatin1String("OPTIONEN") && schluessel == QLatin1String("Titel")) {
            buch.titel = wert;
        } else if (abschnitt == QLatin1String("OPTIONEN") && schluessel == QLatin1String("Startseite")) {
            buch.startSeite = wert;
        } else if (abschnitt == QLatin1String("KONTEXTE")) {
            bool zahl = false;
            const quint32 id = schluessel.toUInt(&zahl);
            if (!zahl || buch.kontexte.contains(id))
                return falsch(QStringLiteral("bad or repeated context id %1").arg(schluessel));
            buch.kontexte.insert(id, wert);
        } else if (abschnitt == QLatin1String("INHALT") || abschnitt == QLatin1String("INDEX")) {
            QList<chm::InhaltsEintrag>& baum =
                abschnitt == QLatin1String("INHALT") ? buch.inhalt : buch.stichwoerter;
            const qsizetype einzug = zeile.indexOf(schluessel);
            const int ebene = int(einzug / 2);
            const int vorher = baum.isEmpty() ? -1 : baum.last().ebene;
            if (einzug % 2 != 0 || ebene > vorher + 1)
                return falsch(QStringLiteral("contents or index entry indented wrongly"));
            baum.append({ebene, schluessel, wert});
        } else {
            return falsch(QStringLiteral("unknown entry %1 in [%2]").arg(schluessel, abschnitt));
        }
    }

    const QFileInfo projekt(projektDatei);
    const QDir ordner = projekt.absoluteDir();
    for (const QFileInfo& seite : ordner.entryInfoList(QDir::Files, QDir::Name)) {
        if (seite.fileName() == projekt.fileName())
            continue;
        QFile inhalt(seite.absoluteFilePath());
        if (!istAscii(seite.fileName()) || !inhalt.open(QIODevice::ReadOnly)) {
            fehler = QStringLiteral("cannot take %1 as a page").arg(seite.absoluteFilePath());
            return std::nullopt;
        }
        buch.seiten.insert(seite.fileName(), inhalt.readAll());
    }

    QStringList verwiesen{buch.startSeite};
    verwiesen += buch.kontexte.values();
    for (const chm::InhaltsEintrag& eintrag : buch.inhalt + buch.stichwoerter)
        verwiesen += eintrag.seite;
    for (const QString& seite : std::as_const(verwiesen)) {
        if (!buch.seiten.contains(seite)) {
            fehler = QStringLiteral("%1: page \"%2\" is missing").arg(projektDatei, seite);
            return std::nullopt;
        }
    }
    if (buch.titel.isEmpty() || buch.seiten.contains(buch.inhaltsDatei) ||
        buch.seiten.contains(buch.stichwortDatei)) {
        fehler = QStringLiteral("%1: no title, or a page named %2 or %3")
                     .arg(projektDatei, buch.inhaltsDatei, buch.stichwortDatei);
        return std::nullopt;
    }
    return buch;
}

QMap<quint32, QString> kontextKarte(const QByteArray& ivb, const QByteArray& strings) {
    QMap<quint32, QString> karte;
    if (ivb.size() < 4)
        return karte;
    const auto wort = [&](qsizetype stelle) { return qFromLittleEndian<quint32>(ivb.constData() + stelle); };
    const qsizetype ende = qMin<qsizetype>(ivb.size(), 4 + qsizetype(wort(0)));
    for (qsizetype stelle = 4; stelle + 8 <= ende; stelle += 8) {
        const quint32 versatz = wort(stelle + 4);
        if (versatz >= quint32(strings.size()))
            continue;
        const qsizetype null = strings.indexOf('\0', versatz);
        const qsizetype laenge = (null < 0 ? strings.size() : null) - versatz;
        karte.insert(wort(stelle), QString::fromLatin1(strings.mid(versatz, laenge)));
    }
    return karte;
}

QMap<int, QByteArray> systemEintraege(const QByteArray& system) {
    QMap<int, QByteArray> eintraege;
    for (qsizetype stelle = 4; stelle + 4 <= system.size();) {
        const int code = qFromLittleEndian<quint16>(system.constData() + stelle);
        const int laenge = qFromLittleEndian<quint16>(system.constData() + stelle + 2);
        QByteArray daten = system.mid(stelle + 4, laenge);
        if (daten.endsWith('\0'))
            daten.chop(1);
        eintraege.insert(code, daten);
        stelle += 4 + laenge;
    }
    return eintraege;
}

} // namespace findolin::tools
