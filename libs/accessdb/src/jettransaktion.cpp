#include "jettransaktion.h"

#include "jetablage.h"
#include "jetschreiber.h"
#include "logging.h"
#include "platform/laufzeitfehler.h"

namespace findolin::accessdb {

namespace {

[[noreturn]] void abgelehnt(const QString& grund, const QString& pfad) {
    throw Laufzeitfehler(QStringLiteral("Die Access-Datei wird nicht geschrieben: ") + grund, pfad);
}

} // namespace

JetTransaktion::JetTransaktion(QString pfad, Leser leser)
    : pfad_(std::move(pfad)), leser_(std::move(leser)) {}

JetTransaktion::~JetTransaktion() = default;

template <typename Tue> auto JetTransaktion::aendere(const Tabelle& tabelle, Tue&& tue) {
    if (gescheitert_)
        abgelehnt(QStringLiteral("eine frühere Änderung dieser Transaktion ist gescheitert"), pfad_);
    try {
        if (!schreiber_) {
            sperre();
            schreiber_ = std::make_unique<jet::Schreiber>(jet::liesGanz(pfad_));
        }
        Erwartung& e = erwartet_[tabelle.name];
        if (!e.vorher)
            e.vorher = leser_(pfad_, tabelle.name);
        auto ergebnis = tue(*schreiber_, e);
        if (!offen_)
            schreibe();
        return ergebnis;
    } catch (const jet::Unverstanden& u) {
        verwerfe();
        gescheitert_ = offen_;
        qCDebug(lcDb).noquote() << "Access file not written:" << pfad_ << u.grund;
        abgelehnt(u.grund, pfad_);
    } catch (const Laufzeitfehler& f) {
        verwerfe();
        gescheitert_ = offen_;
        qCDebug(lcDb).noquote() << "Access file not written:" << pfad_ << f.problem();
        throw;
    } catch (...) {
        verwerfe();
        gescheitert_ = offen_;
        throw;
    }
}

qint64 JetTransaktion::fuegeEin(const Tabelle& tabelle, const Zeile& zeile) {
    return aendere(tabelle, [&](jet::Schreiber& s, Erwartung& e) {
        QList<Wert> gespeichert;
        const qint64 schluessel = s.fuegeEin(tabelle.name, tabelle.felder, zeile.werte, gespeichert);
        e.neu.insert(schluessel, gespeichert);
        return schluessel;
    });
}

void JetTransaktion::loesche(const Tabelle& tabelle, const Zeile& zeile) {
    aendere(tabelle, [&](jet::Schreiber& s, Erwartung& e) {
        s.loesche(tabelle.name, zeile.schluessel, tabelle.felder, zeile.werte);
        if (!e.neu.remove(zeile.schluessel))
            e.weg.insert(zeile.schluessel);
        return 0;
    });
}

void JetTransaktion::sperre() {
    if (!sperre_)
        sperre_ = std::make_unique<ListenSperre>(pfad_);
}

void JetTransaktion::beginne() {
    sperre();
    offen_ = true;
}

bool JetTransaktion::bestaetige() {
    offen_ = false;
    if (gescheitert_) {
        gescheitert_ = false;
        abgelehnt(QStringLiteral("eine Änderung dieser Transaktion ist gescheitert"), pfad_);
    }
    try {
        return schreibe();
    } catch (const Laufzeitfehler& f) {
        verwerfe();
        qCDebug(lcDb).noquote() << "Access file not written:" << pfad_ << f.problem();
        throw;
    } catch (...) {
        verwerfe();
        throw;
    }
}

void JetTransaktion::verwerfe() {
    schreiber_.reset();
    erwartet_.clear();
    gescheitert_ = false;
}

bool JetTransaktion::schreibe() {
    if (!schreiber_ || !schreiber_->geaendert()) {
        verwerfe();
        return false;
    }
    jet::ersetzeSicher(pfad_, *sperre_, schreiber_->original(), schreiber_->daten(),
                       [this](const QString& kopie) { pruefeKopie(kopie); });
    qCDebug(lcDb) << "Access file written:" << pfad_ << "pages touched:" << schreiber_->beruehrt().size();
    verwerfe();
    return true;
}

// The copy as our own check and as the reader see it: each table holds its rows from before, without the
// deleted ones and with the added ones at their keys, value for value.
void JetTransaktion::pruefeKopie(const QString& kopie) const {
    try {
        jet::pruefeSeiten(jet::liesGanz(kopie), schreiber_->original(), schreiber_->beruehrt());
    } catch (const jet::Unverstanden& u) {
        abgelehnt(u.grund, pfad_);
    }
    for (auto it = erwartet_.constBegin(); it != erwartet_.constEnd(); ++it) {
        QHash<qint64, QList<Wert>> soll = it->neu;
        const Tabelle& vorher = *it->vorher;
        for (const ZeilePtr z : vorher.zeilen)
            if (!it->weg.contains(vorher.schluessel(z)))
                soll.insert(vorher.schluessel(z), vorher.zeile(z).werte);
        const auto nachher = leser_(kopie, it.key());
        bool gleich = nachher->zeilen.size() == std::size_t(soll.size());
        for (const ZeilePtr z : nachher->zeilen) {
            const Zeile zeile = nachher->zeile(z);
            const auto s = soll.constFind(zeile.schluessel);
            gleich = gleich && s != soll.constEnd() && s->size() == zeile.werte.size();
            for (int i = 0; gleich && i < zeile.werte.size(); ++i)
                gleich = jet::gleicheWerte(zeile.werte[i], s->at(i));
        }
        if (!gleich)
            abgelehnt(QStringLiteral("die Tabelle „") + it.key() +
                          QStringLiteral("“ liest sich nach dem Schreiben nicht wie erwartet"),
                      pfad_);
    }
}

} // namespace findolin::accessdb
