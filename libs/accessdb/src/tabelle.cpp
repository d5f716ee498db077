#include "tabelle.h"

#include "platform/laufzeitfehler.h"

#include <limits>

namespace findolin::accessdb {

void Spalte::legeAb(size_t stelle, const Wert& wert) {
    switch (art_) {
    case FeldArt::JaNein:
        janein_[stelle] = wert.toBool() ? 1 : 0;
        return;
    case FeldArt::Ganzzahl:
        zahlen_[stelle] = wert.toLongLong();
        return;
    case FeldArt::Kommazahl:
        kommas_[stelle] = wert.toDouble();
        return;
    case FeldArt::Datum:
        daten_[stelle] = wert.toDateTime();
        return;
    case FeldArt::Text:
    case FeldArt::Binaer:
        break;
    }
    const QByteArray bytes = art_ == FeldArt::Text ? wert.toString().toUtf8() : wert.toByteArray();
    legeBytesAb(stelle, bytes.constData(), size_t(bytes.size()));
}

void Spalte::legeBytesAb(size_t stelle, const char* daten, size_t laenge) {
    // a changed value goes to the end of the pool; the old one stays behind unused
    if (pool_.size() + laenge > std::numeric_limits<quint32>::max())
        throw Laufzeitfehler(QStringLiteral("Die Tabelle ist zu groß für den Speicher des Spiels"));
    anfang_[stelle] = quint32(pool_.size());
    laenge_[stelle] = quint32(laenge);
    pool_.append(daten, laenge);
}

void Spalte::haengeBytes(const char* daten, size_t laenge) {
    legeBytesAb(neu(false), daten, laenge);
}

size_t Spalte::neu(bool null) {
    null_.push_back(null);
    switch (art_) {
    case FeldArt::JaNein:
        janein_.push_back(0);
        break;
    case FeldArt::Ganzzahl:
        zahlen_.push_back(0);
        break;
    case FeldArt::Kommazahl:
        kommas_.push_back(0);
        break;
    case FeldArt::Datum:
        daten_.emplace_back();
        break;
    case FeldArt::Text:
    case FeldArt::Binaer:
        anfang_.push_back(0);
        laenge_.push_back(0);
        break;
    }
    return null_.size() - 1;
}

void Spalte::haenge(const Wert& wert) {
    const size_t stelle = neu(wert.isNull());
    if (!wert.isNull())
        legeAb(stelle, wert);
}

void Spalte::setze(ZeilePtr zeile, const Wert& wert) {
    null_[zeile] = wert.isNull();
    if (!wert.isNull())
        legeAb(zeile, wert);
}

Wert Spalte::wert(ZeilePtr zeile) const {
    if (null_[zeile])
        return {};
    switch (art_) {
    case FeldArt::JaNein:
        return janein_[zeile] != 0;
    case FeldArt::Ganzzahl:
        return zahlen_[zeile];
    case FeldArt::Kommazahl:
        return kommas_[zeile];
    case FeldArt::Datum:
        return daten_[zeile];
    case FeldArt::Text:
        return QString::fromUtf8(pool_.data() + anfang_[zeile], qsizetype(laenge_[zeile]));
    case FeldArt::Binaer:
        return QByteArray(pool_.data() + anfang_[zeile], qsizetype(laenge_[zeile]));
    }
    return {};
}

void Spalte::reserviere(size_t zeilen) {
    null_.reserve(zeilen);
    switch (art_) {
    case FeldArt::JaNein:
        janein_.reserve(zeilen);
        break;
    case FeldArt::Ganzzahl:
        zahlen_.reserve(zeilen);
        break;
    case FeldArt::Kommazahl:
        kommas_.reserve(zeilen);
        break;
    case FeldArt::Datum:
        daten_.reserve(zeilen);
        break;
    case FeldArt::Text:
    case FeldArt::Binaer:
        anfang_.reserve(zeilen);
        laenge_.reserve(zeilen);
        break;
    }
}

void Spalte::verdichte() {
    null_.shrink_to_fit();
    zahlen_.shrink_to_fit();
    kommas_.shrink_to_fit();
    janein_.shrink_to_fit();
    daten_.shrink_to_fit();
    pool_.shrink_to_fit();
    anfang_.shrink_to_fit();
    laenge_.shrink_to_fit();
}

void Tabelle::legeFelderAn(const QStringList& namen, const QList<FeldArt>& feldArten) {
    felder = namen;
    arten = feldArten;
    spalten_.clear();
    for (FeldArt art : feldArten)
        spalten_.emplace_back(art);
}

ZeilePtr Tabelle::neueZeile(const Zeile& zeile) {
    for (int i = 0; i < int(spalten_.size()); ++i)
        spalten_[i].haenge(passend(i, zeile.werte.value(i)));
    return schliesseZeile(zeile.schluessel);
}

ZeilePtr Tabelle::schliesseZeile(qint64 schluessel) {
    if (schluessel_.size() >= std::numeric_limits<ZeilePtr>::max())
        throw Laufzeitfehler(QStringLiteral("Die Tabelle „") + name +
                             QStringLiteral("“ hat zu viele Zeilen"));
    schluessel_.push_back(schluessel);
    geloescht_.push_back(false);
    return ZeilePtr(schluessel_.size() - 1);
}

Zeile Tabelle::zeile(ZeilePtr zeile) const {
    Zeile z;
    z.schluessel = schluessel_[zeile];
    z.werte.reserve(qsizetype(spalten_.size()));
    for (const Spalte& spalte : spalten_)
        z.werte.append(spalte.wert(zeile));
    return z;
}

void Tabelle::setze(ZeilePtr zeile, const QList<Wert>& werte) {
    for (int i = 0; i < int(spalten_.size()); ++i)
        spalten_[i].setze(zeile, passend(i, werte.value(i)));
}

void Tabelle::reserviere(size_t anzahl) {
    for (Spalte& spalte : spalten_)
        spalte.reserviere(anzahl);
    schluessel_.reserve(anzahl);
    geloescht_.reserve(anzahl);
    zeilen.reserve(anzahl);
}

void Tabelle::verdichte() {
    for (Spalte& spalte : spalten_)
        spalte.verdichte();
    schluessel_.shrink_to_fit();
    geloescht_.shrink_to_fit();
    zeilen.shrink_to_fit();
}

int Tabelle::feldIndex(const QString& feld) const {
    for (int i = 0; i < felder.size(); ++i)
        if (felder[i].compare(feld, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

Wert Tabelle::passend(int feld, const Wert& wert) const {
    if (wert.isNull())
        return {};
    switch (arten.at(feld)) {
    case FeldArt::JaNein:
        return wert.toBool();
    case FeldArt::Ganzzahl:
        return wert.toLongLong();
    case FeldArt::Kommazahl:
        return wert.toDouble();
    case FeldArt::Text:
        return wert.toString();
    case FeldArt::Datum:
        return wert.toDateTime();
    case FeldArt::Binaer:
        return wert.toByteArray();
    }
    return wert;
}

} // namespace findolin::accessdb
