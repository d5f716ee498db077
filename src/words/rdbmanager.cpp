#include "rdbmanager.h"

#include "kern/hilfsfunktionen.h"
#include "logging.h"
#include "platform/laufzeitfehler.h"

namespace findolin {

using accessdb::Recordset;

namespace {

// The number as the game's number-to-text conversion writes it: a blank in front of a number that is not
// negative (57 gives " 57").
QString mitVorzeichenstelle(qint16 zahl) {
    return zahl < 0 ? QString::number(zahl) : u' ' + QString::number(zahl);
}

} // namespace

RdbManager::RdbManager(const StartKontext& kontext, platform::RandomSource& zufall,
                       accessdb::DatabaseOpener& oeffner)
    : kontext_(kontext), zufall_(zufall), oeffner_(oeffner) {}

void RdbManager::oeffneDatenbank(const QString& pfad) {
    pfad_ = pfad;
    db_ = oeffner_.openReadOnly(pfad); // the spelling database is never written
    rdb_ = db_->openRecordset(QStringLiteral("WortListe"));
    lup_ = db_->openRecordset(QStringLiteral("LupenStellen"));
    wortAnzahl_ = 0;
    qCDebug(lcWords) << "word database opened:" << pfad;
}

Recordset& RdbManager::rdb() const {
    if (!rdb_)
        throw Laufzeitfehler(QStringLiteral("Die Wortdatenbank ist nicht geöffnet"), pfad_);
    return *rdb_;
}

void RdbManager::setzeWortFilter() {
    QString f = kontext_.ubixFeldName + QStringLiteral("=TRUE");
    if (kontext_.gwsFlag) {
        f = QStringLiteral("GWS=TRUE AND ") + f;
        datInfLbl_[1] = QStringLiteral("ja");
    } else {
        datInfLbl_[1] = QStringLiteral("nein");
    }
    filter_ = f;
    rdb_ = rdb().openFiltered(f);
    if (!rdb_->bof()) {
        rdb_->moveLast();
        wortAnzahl_ = alsInt16(rdb_->recordCount(), QStringLiteral("wortAnzahl"));
        rdb_->moveFirst();
    } else {
        wortAnzahl_ = 0;
    }
    datInfLbl_[0] = QString::number(wortAnzahl_);
    qCDebug(lcWords) << "word filter:" << f << "word count:" << wortAnzahl_;
}

qint16 RdbManager::zahlFeld(const Recordset& rs, const QString& feld) const {
    const accessdb::Wert wert = rs.field(feld);
    if (wert.isNull())
        throw Laufzeitfehler(QStringLiteral("Das Feld „") + feld + QStringLiteral("“ ist leer (Null)"),
                             pfad_);
    bool ok = false;
    const qint64 zahl = wert.toLongLong(&ok);
    if (!ok)
        throw Laufzeitfehler(QStringLiteral("Das Feld „") + feld + QStringLiteral("“ enthält keine Zahl"),
                             pfad_);
    return alsInt16(zahl, feld);
}

qint16 RdbManager::refNr(const Recordset& rs) const {
    return zahlFeld(rs, QStringLiteral("RefNr"));
}

void RdbManager::waehleWort() {
    Recordset& rs = rdb();
    if (wortAnzahl_ <= 0)
        throw Laufzeitfehler(QStringLiteral("Die Wortliste enthält kein Wort für den Filter „") + filter_ +
                                 QStringLiteral("“"),
                             pfad_);
    if (rs.eof())
        rs.moveFirst();
    const bool fehlerWort = versucheFehlerWort();
    if (!fehlerWort) {
        zieheZufallsWort();
        ueberspringeBenutzte();
    }
    fuelleWortDatensatz();
    const qint16 k = refNr(rs);
    merkeWortBenutzt(k);
    qCDebug(lcWords).nospace() << "word chosen: " << wort_.aktWort << " (RefNr " << k
                               << (fehlerWort ? ", from the error words" : "") << ")";
}

// Now and then (25 in 100) a word a player got wrong before, if it is unused and in the word set.
bool RdbManager::versucheFehlerWort() {
    const WortNummern& fehler = kontext_.fehlerWorte;
    if (fehler.obererIndex() < 0)
        return false;
    if (zufallsZahl(zufall_, 1, 100) <= 75)
        return false;
    const qint16 k = fehler[zufallsZahl(zufall_, 0, fehler.obererIndex())];
    if (istWortBenutzt(k))
        return false;
    rdb_->findFirst(QStringLiteral("RefNr=") + QString::number(k));
    return !rdb_->noMatch();
}

// The t-th row of the word set, reached by a move relative to the current row.
void RdbManager::zieheZufallsWort() {
    const qint16 t = zufallsZahl(zufall_, 1, wortAnzahl_);
    const int p = rdb_->absolutePosition();
    rdb_->move(t - p - 1);
}

// From a used word, on to the next unused one, past the last row to the first. Once the list holds as many
// words as the set, the drawn word is taken again. A set whose RefNr values repeat could keep the scan going
// round; after one full round the word reached is taken.
void RdbManager::ueberspringeBenutzte() {
    qint16 k = refNr(*rdb_);
    if (!istWortBenutzt(k) || benutzteWorte_.anzahl() >= wortAnzahl_)
        return;
    for (int schritte = 0; schritte < wortAnzahl_ && istWortBenutzt(k); ++schritte) {
        rdb_->moveNext();
        if (rdb_->eof())
            rdb_->moveFirst();
        k = refNr(*rdb_);
    }
}

void RdbManager::fuelleWortDatensatz() {
    wort_.aktWort = rdb_->field(QStringLiteral("Wort")).toString();
    wort_.wortLaenge = alsInt16(wort_.aktWort.size(), QStringLiteral("wortLaenge"));
    wort_.aktKontext.clear();
    const accessdb::Wert kontext = rdb_->field(QStringLiteral("Kontext"));
    if (!kontext.isNull())
        wort_.aktKontext = kontext.toString();
    wort_.vonPos = 0;
    wort_.bisPos = 0;
    if (hatLupenStelle()) {
        wort_.vonPos = zahlFeld(*lup_, QStringLiteral("vonPos"));
        wort_.bisPos = zahlFeld(*lup_, QStringLiteral("bisPos"));
    }
}

// The spot rows of one word follow each other; the first row of the practice focus gives the spot.
bool RdbManager::hatLupenStelle() {
    const qint16 k = refNr(rdb());
    if (!lup_)
        throw Laufzeitfehler(QStringLiteral("Die Wortdatenbank ist nicht geöffnet"), pfad_);
    lup_->findFirst(QStringLiteral("refNr=") + mitVorzeichenstelle(k));
    if (lup_->noMatch())
        return false;
    for (;;) {
        if (lup_->eof())
            return false;
        const accessdb::Wert ubix = lup_->field(QStringLiteral("ubix"));
        if (!ubix.isNull() && ubix.toLongLong() == kontext_.ubixNr)
            return true;
        lup_->moveNext();
        if (lup_->eof())
            return false;
        if (refNr(*lup_) != k)
            return false;
    }
}

} // namespace findolin
