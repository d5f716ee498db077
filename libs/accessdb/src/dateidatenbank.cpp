#include "dateidatenbank.h"

#include "ausdruck.h"
#include "platform/laufzeitfehler.h"
#include "speicherrecordset.h"

#include <QDateTime>
#include <QRegularExpression>
#include <algorithm>

namespace findolin::accessdb {

namespace {

QString ohneKlammern(QString name) {
    name = name.trimmed();
    if (name.startsWith(u'[') && name.endsWith(u']'))
        return name.mid(1, name.size() - 2);
    return name;
}

struct Sortierung {
    int feld;
    bool absteigend;
};

// Null first, then numbers by value and texts without regard to case, as Access sorts.
int vergleiche(const Wert& a, const Wert& b) {
    if (a.isNull() || b.isNull())
        return int(!a.isNull()) - int(!b.isNull());
    if (a.typeId() == QMetaType::QString || b.typeId() == QMetaType::QString)
        return a.toString().compare(b.toString(), Qt::CaseInsensitive);
    if (a.typeId() == QMetaType::QDateTime)
        return a.toDateTime() < b.toDateTime() ? -1 : (b.toDateTime() < a.toDateTime() ? 1 : 0);
    const auto zahl = [](const Wert& w) {
        return w.typeId() == QMetaType::Bool ? (w.toBool() ? -1.0 : 0.0) : w.toDouble();
    };
    return zahl(a) < zahl(b) ? -1 : (zahl(a) > zahl(b) ? 1 : 0);
}

} // namespace

DateiDatenbank::DateiDatenbank(std::shared_ptr<Speicher> speicher) : speicher_(std::move(speicher)) {}

std::shared_ptr<Tabelle> DateiDatenbank::tabelle(const QString& name) {
    const QString schluessel = name.toLower();
    auto it = geladen_.find(schluessel);
    if (it != geladen_.end())
        return *it;
    auto tabelle = speicher_->lade(name);
    geladen_.insert(schluessel, tabelle);
    return tabelle;
}

// Tables read before the lock was taken may be stale by now, and after the commit they are read back from the
// file.
void DateiDatenbank::beginTrans() {
    speicher_->beginne();
    geladen_.clear();
}

void DateiDatenbank::commitTrans() {
    speicher_->bestaetige();
    geladen_.clear();
}

void DateiDatenbank::rollback() {
    speicher_->verwerfe();
    geladen_.clear(); // the tables held in memory may show rows that are undone now
}

void DateiDatenbank::execute(const QString& sql) {
    speicher_->fuehreAus(sql);
    geladen_.clear();
}

std::unique_ptr<Recordset> DateiDatenbank::openRecordset(const QString& recordSource) {
    static const QRegularExpression abfrage(
        QStringLiteral(R"(^\s*SELECT\s+\*\s+FROM\s+(\[[^\]]+\]|[^\s;]+)(?:\s+WHERE\s+(.*?))?)"
                       R"((?:\s+ORDER\s+BY\s+(.*?))?\s*;?\s*$)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    const bool istAbfrage = recordSource.trimmed().startsWith(QLatin1String("SELECT"), Qt::CaseInsensitive);
    if (!istAbfrage) {
        auto t = tabelle(ohneKlammern(recordSource));
        return std::make_unique<SpeicherRecordset>(t, speicher_, t->zeilen);
    }
    const auto treffer = abfrage.match(recordSource);
    if (!treffer.hasMatch())
        throw Laufzeitfehler(QStringLiteral("Die Abfrage wird nicht verstanden: ") + recordSource,
                             speicher_->datei());
    auto t = tabelle(ohneKlammern(treffer.captured(1)));
    std::vector<ZeilePtr> zeilen = t->zeilen;
    if (!treffer.captured(2).trimmed().isEmpty()) {
        const Ausdruck wo = Ausdruck::uebersetze(treffer.captured(2), t->felder, speicher_->datei());
        std::erase_if(zeilen, [&](ZeilePtr z) { return !wo.trifftZu([&](int f) { return t->wert(z, f); }); });
    }
    QList<Sortierung> ordnung;
    for (const QString& teil : treffer.captured(3).split(u',', Qt::SkipEmptyParts)) {
        static const QRegularExpression richtung(QStringLiteral(R"(^\s*(.*?)(?:\s+(ASC|DESC))?\s*$)"),
                                                 QRegularExpression::CaseInsensitiveOption);
        const auto r = richtung.match(teil);
        const int feld = t->feldIndex(ohneKlammern(r.captured(1)));
        if (feld < 0)
            throw Laufzeitfehler(QStringLiteral("Unbekanntes Feld „") + ohneKlammern(r.captured(1)) +
                                     QStringLiteral("“ in der Abfrage: ") + recordSource,
                                 speicher_->datei());
        ordnung.append({feld, r.captured(2).compare(QLatin1String("DESC"), Qt::CaseInsensitive) == 0});
    }
    std::stable_sort(zeilen.begin(), zeilen.end(), [&](ZeilePtr a, ZeilePtr b) {
        for (const Sortierung& s : ordnung) {
            const int v = vergleiche(t->wert(a, s.feld), t->wert(b, s.feld));
            if (v != 0)
                return s.absteigend ? v > 0 : v < 0;
        }
        return false;
    });
    return std::make_unique<SpeicherRecordset>(t, speicher_, std::move(zeilen));
}

} // namespace findolin::accessdb
