#include "speicherrecordset.h"

#include "ausdruck.h"
#include "platform/laufzeitfehler.h"

namespace findolin::accessdb {

SpeicherRecordset::SpeicherRecordset(std::shared_ptr<Tabelle> tabelle, std::shared_ptr<Speicher> speicher,
                                     std::vector<ZeilePtr> zeilen)
    : tabelle_(std::move(tabelle)), speicher_(std::move(speicher)), zeilen_(std::move(zeilen)) {
    pos_ = zeilen_.empty() ? -1 : 0;
}

void SpeicherRecordset::fehler(const QString& problem) const {
    throw Laufzeitfehler(problem + QStringLiteral(" (Tabelle ") + tabelle_->name + QStringLiteral(")"),
                         speicher_->datei());
}

std::unique_ptr<Recordset> SpeicherRecordset::openFiltered(const QString& filter) const {
    const Ausdruck ausdruck = Ausdruck::uebersetze(filter, tabelle_->felder, speicher_->datei());
    std::vector<ZeilePtr> treffer;
    for (const ZeilePtr zeile : zeilen_)
        if (!tabelle_->geloescht(zeile) && ausdruck.trifftZu([&](int f) { return tabelle_->wert(zeile, f); }))
            treffer.push_back(zeile);
    return std::make_unique<SpeicherRecordset>(tabelle_, speicher_, std::move(treffer));
}

bool SpeicherRecordset::bof() const {
    return zeilen_.empty() || (pos_ < 0 && !geloescht_);
}

bool SpeicherRecordset::eof() const {
    return zeilen_.empty() || (pos_ >= int(zeilen_.size()) && !geloescht_);
}

bool SpeicherRecordset::hatAktuelleZeile() const {
    return !geloescht_ && pos_ >= 0 && pos_ < int(zeilen_.size());
}

ZeilePtr SpeicherRecordset::aktuelleZeile() const {
    if (!hatAktuelleZeile())
        fehler(QStringLiteral("Kein aktueller Datensatz"));
    const ZeilePtr zeile = zeilen_[pos_];
    if (tabelle_->geloescht(zeile))
        fehler(QStringLiteral("Der Datensatz wurde gelöscht"));
    return zeile;
}

void SpeicherRecordset::moveFirst() {
    if (zeilen_.empty())
        fehler(QStringLiteral("Kein aktueller Datensatz"));
    geloescht_ = false;
    pos_ = 0;
}

void SpeicherRecordset::moveLast() {
    if (zeilen_.empty())
        fehler(QStringLiteral("Kein aktueller Datensatz"));
    geloescht_ = false;
    pos_ = int(zeilen_.size()) - 1;
}

void SpeicherRecordset::moveNext() {
    if (geloescht_) {
        geloescht_ = false;
        return;
    }
    if (eof())
        fehler(QStringLiteral("Kein aktueller Datensatz"));
    ++pos_;
}

void SpeicherRecordset::movePrevious() {
    if (geloescht_) {
        geloescht_ = false;
        --pos_;
        return;
    }
    if (bof())
        fehler(QStringLiteral("Kein aktueller Datensatz"));
    --pos_;
}

void SpeicherRecordset::move(int rows) {
    if (!hatAktuelleZeile())
        fehler(QStringLiteral("Kein aktueller Datensatz"));
    const qint64 ziel = qint64(pos_) + rows;
    pos_ = int(std::clamp<qint64>(ziel, -1, qint64(zeilen_.size())));
}

int SpeicherRecordset::absolutePosition() const {
    return hatAktuelleZeile() ? pos_ : -1;
}

const QHash<double, int>& SpeicherRecordset::index(int feld) const {
    auto it = indizes_.find(feld);
    if (it != indizes_.end())
        return *it;
    QHash<double, int> erste;
    // walking backwards, the first row of each value is the one that stays
    for (int i = int(zeilen_.size()) - 1; i >= 0; --i) {
        if (const auto zahl = Ausdruck::alsZahl(tabelle_->wert(zeilen_[i], feld)))
            erste[*zahl] = i;
    }
    return *indizes_.insert(feld, erste);
}

void SpeicherRecordset::findFirst(const QString& kriterium) {
    const Ausdruck ausdruck = Ausdruck::uebersetze(kriterium, tabelle_->felder, speicher_->datei());
    int gefunden = -1;
    const auto gleichheit = ausdruck.alsGleichheit();
    if (gleichheit && tabelle_->arten.at(gleichheit->feld) != FeldArt::Text &&
        tabelle_->arten.at(gleichheit->feld) != FeldArt::Binaer) {
        gefunden = index(gleichheit->feld).value(gleichheit->zahl, -1);
    } else {
        for (int i = 0; i < int(zeilen_.size()) && gefunden < 0; ++i)
            if (!tabelle_->geloescht(zeilen_[i]) &&
                ausdruck.trifftZu([&](int f) { return tabelle_->wert(zeilen_[i], f); }))
                gefunden = i;
    }
    noMatch_ = gefunden < 0;
    if (!noMatch_) {
        pos_ = gefunden;
        geloescht_ = false;
    }
}

int SpeicherRecordset::feldIndex(const QString& name) const {
    const int i = tabelle_->feldIndex(name);
    if (i < 0)
        fehler(QStringLiteral("Unbekanntes Feld „") + name + QStringLiteral("“"));
    return i;
}

Wert SpeicherRecordset::field(const QString& name) const {
    const int i = feldIndex(name);
    return tabelle_->wert(aktuelleZeile(), i);
}

void SpeicherRecordset::schreibenErlaubt() const {
    if (speicher_->nurLesen())
        fehler(QStringLiteral("Die Datenbank kann nur gelesen werden"));
}

void SpeicherRecordset::addNew() {
    schreibenErlaubt();
    Zeile zeile;
    zeile.werte.resize(tabelle_->felder.size());
    puffer_ = Puffer{zeile, std::nullopt};
}

void SpeicherRecordset::edit() {
    schreibenErlaubt();
    const ZeilePtr zeile = aktuelleZeile();
    puffer_ = Puffer{tabelle_->zeile(zeile), zeile};
}

void SpeicherRecordset::setField(const QString& name, const Wert& wert) {
    if (!puffer_)
        fehler(QStringLiteral("Kein Datensatz in Bearbeitung"));
    const int i = feldIndex(name);
    puffer_->zeile.werte[i] = tabelle_->passend(i, wert);
}

void SpeicherRecordset::update() {
    if (!puffer_)
        fehler(QStringLiteral("Kein Datensatz in Bearbeitung"));
    Puffer puffer = std::move(*puffer_);
    puffer_.reset();
    indizes_.clear();
    if (!puffer.ziel) {
        puffer.zeile.schluessel = speicher_->fuegeEin(*tabelle_, puffer.zeile);
        if (tabelle_->schluesselFeld >= 0) // the file has numbered the row: its key field shows the number
            puffer.zeile.werte[tabelle_->schluesselFeld] = Wert(puffer.zeile.schluessel);
        const ZeilePtr zeile = tabelle_->neueZeile(puffer.zeile);
        tabelle_->zeilen.push_back(zeile);
        const bool amEnde = pos_ >= int(zeilen_.size());
        zeilen_.push_back(zeile);
        if (amEnde && !geloescht_)
            pos_ = int(zeilen_.size());
        return;
    }
    if (tabelle_->geloescht(*puffer.ziel))
        fehler(QStringLiteral("Der Datensatz wurde gelöscht"));
    speicher_->aendere(*tabelle_, puffer.zeile);
    tabelle_->setze(*puffer.ziel, puffer.zeile.werte);
}

void SpeicherRecordset::deleteCurrent() {
    schreibenErlaubt();
    const ZeilePtr weg = aktuelleZeile();
    speicher_->loesche(*tabelle_, tabelle_->zeile(weg));
    tabelle_->markiereGeloescht(weg);
    std::erase(tabelle_->zeilen, weg);
    zeilen_.erase(zeilen_.begin() + pos_);
    geloescht_ = true;
    indizes_.clear();
}

} // namespace findolin::accessdb
