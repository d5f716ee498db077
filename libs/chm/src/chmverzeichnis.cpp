#include "chmverzeichnis.h"

#include "chmkonstanten.h"
#include "platform/dateisystem.h"
#include "platform/laufzeitfehler.h"

#include <bytes/littleendian.h>

#include <QFile>
#include <QSet>

#include <algorithm>
#include <functional>

namespace findolin::chm {

namespace {

constexpr int laengsterPfad = 512; // what libchm accepts
constexpr quint64 lzxRahmen = 0x8000;

const char* const inhaltPfad = "::DataSpace/Storage/MSCompressed/Content";
const char* const steuerPfad = "::DataSpace/Storage/MSCompressed/ControlData";
const char* const ruecksetzPfad = "::DataSpace/Storage/MSCompressed/Transform/"
                                  "{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}/InstanceData/ResetTable";

using bytes::u32;
using bytes::u64;

// The directory's variable-length numbers: seven bits a byte, most significant first, high bit = more
// follows.
bool encint(const QByteArray& b, qsizetype& at, qsizetype ende, quint64& wert) {
    wert = 0;
    for (int n = 0; n < 9 && at < ende; ++n) {
        const auto byte = static_cast<uchar>(b[at++]);
        wert = wert << 7 | (byte & 0x7f);
        if (!(byte & 0x80))
            return true;
    }
    return false;
}

bool istPotenzVonZwei(quint64 x) {
    return x && !(x & (x - 1));
}

} // namespace

ChmVerzeichnis::ChmVerzeichnis(const QString& datei) : datei_(datei) {
    platform::dateisystem::pruefeGewoehnlich(datei_); // neither this nor libchm may wait on a fifo
    QFile f(datei_);
    if (!f.open(QIODevice::ReadOnly))
        throw Laufzeitfehler(QStringLiteral("Die Hilfedatei lässt sich nicht öffnen"), datei_);
    dateiGroesse_ = static_cast<quint64>(f.size());
    leseKopf();
    leseVerzeichnis(lese(verzeichnisBeginn_, verzeichnisLaenge_));
    pruefeKomprimiertenBereich();
}

void ChmVerzeichnis::beschaedigt(const QString& grund) const {
    throw Laufzeitfehler(QStringLiteral("Die Hilfedatei ist beschädigt (") + grund + QStringLiteral(")"),
                         datei_);
}

QByteArray ChmVerzeichnis::lese(quint64 position, quint64 laenge) const {
    if (position > dateiGroesse_ || laenge > dateiGroesse_ - position)
        beschaedigt(QStringLiteral("sie ist kürzer als ihr Verzeichnis angibt"));
    if (laenge > groessteLaenge)
        beschaedigt(QStringLiteral("ein Teil ist unglaubwürdig groß"));
    QFile f(datei_);
    if (!f.open(QIODevice::ReadOnly) || !f.seek(static_cast<qint64>(position)))
        throw Laufzeitfehler(QStringLiteral("Die Hilfedatei lässt sich nicht lesen"), datei_);
    QByteArray daten = f.read(static_cast<qint64>(laenge));
    if (static_cast<quint64>(daten.size()) != laenge)
        throw Laufzeitfehler(QStringLiteral("Die Hilfedatei lässt sich nicht lesen"), datei_);
    return daten;
}

void ChmVerzeichnis::leseKopf() {
    const QByteArray kopf = lese(0, qMin<quint64>(itsfKopfV3, dateiGroesse_));
    if (kopf.size() < qsizetype(itsfKopfV2) || !kopf.startsWith(itsfKennung))
        beschaedigt(QStringLiteral("keine kompilierte HTML-Hilfe"));
    const quint32 version = u32(kopf, 4);
    if (version != 2 && version != 3)
        beschaedigt(QStringLiteral("unbekannte Version ") + QString::number(version));
    if (version == 3 && kopf.size() < qsizetype(itsfKopfV3))
        beschaedigt(QStringLiteral("Kopf abgeschnitten"));
    verzeichnisBeginn_ = u64(kopf, 0x48);
    verzeichnisLaenge_ = u64(kopf, 0x50);
    if (verzeichnisBeginn_ > dateiGroesse_ || verzeichnisLaenge_ > dateiGroesse_ - verzeichnisBeginn_)
        beschaedigt(QStringLiteral("Verzeichnis außerhalb der Datei"));
    inhaltsBeginn_ = version == 3 ? u64(kopf, itsfKopfV2) : verzeichnisBeginn_ + verzeichnisLaenge_;
    if (inhaltsBeginn_ > dateiGroesse_)
        beschaedigt(QStringLiteral("Inhalt außerhalb der Datei"));
}

void ChmVerzeichnis::leseVerzeichnis(const QByteArray& verzeichnis) {
    if (verzeichnis.size() < itspKopf || !verzeichnis.startsWith(itspKennung))
        beschaedigt(QStringLiteral("Verzeichniskopf fehlt"));
    const quint64 itspLaenge = u32(verzeichnis, 8);
    blockGroesse_ = u32(verzeichnis, 0x10);
    indexWurzel_ = static_cast<qint32>(u32(verzeichnis, 0x1c));
    ersteListe_ = static_cast<qint32>(u32(verzeichnis, 0x20));
    blockAnzahl_ = u32(verzeichnis, 0x2c);
    if (itspLaenge < itspKopf || blockGroesse_ < 0x40 || blockGroesse_ > 0x10000 ||
        itspLaenge + quint64(blockAnzahl_) * blockGroesse_ > verzeichnisLaenge_)
        beschaedigt(QStringLiteral("Verzeichnisblöcke passen nicht in das Verzeichnis"));
    if (ersteListe_ < 0 || quint32(ersteListe_) >= blockAnzahl_ || indexWurzel_ < -1 ||
        (indexWurzel_ >= 0 && quint32(indexWurzel_) >= blockAnzahl_))
        beschaedigt(QStringLiteral("Verzeichnisblock außerhalb des Verzeichnisses"));
    const QByteArray bloecke = verzeichnis.mid(qsizetype(itspLaenge));
    QSet<qint32> gesehen;
    for (qint32 nr = ersteListe_; nr != -1;) {
        if (nr < 0 || quint32(nr) >= blockAnzahl_ || gesehen.contains(nr))
            beschaedigt(QStringLiteral("Verzeichnisblöcke verweisen im Kreis oder ins Leere"));
        gesehen.insert(nr);
        const QByteArray block = bloecke.mid(qsizetype(nr) * blockGroesse_, blockGroesse_);
        if (!block.startsWith(pmglKennung))
            beschaedigt(QStringLiteral("Verzeichnisblock ohne Liste"));
        leseListe(block);
        nr = static_cast<qint32>(u32(block, 0x10));
    }
    pruefeIndex(bloecke);
}

void ChmVerzeichnis::leseListe(const QByteArray& block) {
    const quint32 frei = u32(block, 4);
    if (frei > blockGroesse_ - pmglKopf)
        beschaedigt(QStringLiteral("Verzeichnisblock zu voll"));
    const qsizetype ende = blockGroesse_ - frei;
    const quint64 inhaltsLaenge = dateiGroesse_ - inhaltsBeginn_;
    for (qsizetype at = pmglKopf; at < ende;) {
        quint64 namensLaenge = 0;
        ChmEintrag e;
        if (!encint(block, at, ende, namensLaenge) || namensLaenge == 0 || namensLaenge > laengsterPfad ||
            qsizetype(namensLaenge) > ende - at)
            beschaedigt(QStringLiteral("Verzeichniseintrag abgeschnitten"));
        e.pfad = block.mid(at, qsizetype(namensLaenge));
        at += qsizetype(namensLaenge);
        if (!encint(block, at, ende, e.bereich) || !encint(block, at, ende, e.start) ||
            !encint(block, at, ende, e.laenge))
            beschaedigt(QStringLiteral("Verzeichniseintrag abgeschnitten"));
        if (e.bereich > 1)
            beschaedigt(QStringLiteral("unbekannter Bereich"));
        if (e.bereich == 0 && (e.start > inhaltsLaenge || e.laenge > inhaltsLaenge - e.start))
            beschaedigt(QString::fromUtf8(e.pfad) + QStringLiteral(" liegt hinter dem Dateiende"));
        eintraege_.append(e);
    }
}

// libchm walks the index from its root down to a list without counting steps: a loop among the index blocks
// would never end. So every index block's children must be blocks of the directory, without a cycle.
void ChmVerzeichnis::pruefeIndex(const QByteArray& bloecke) {
    if (indexWurzel_ < 0)
        return;
    QSet<qint32> fertig;
    QList<qint32> pfad;
    std::function<void(qint32)> besuche = [&](qint32 nr) {
        if (nr < 0 || quint32(nr) >= blockAnzahl_ || pfad.contains(nr) || pfad.size() > 64)
            beschaedigt(QStringLiteral("Verzeichnisindex verweist im Kreis oder ins Leere"));
        if (fertig.contains(nr))
            return;
        const QByteArray block = bloecke.mid(qsizetype(nr) * blockGroesse_, blockGroesse_);
        if (block.startsWith(pmglKennung))
            return;
        if (!block.startsWith(pmgiKennung) || u32(block, 4) > blockGroesse_ - pmgiKopf)
            beschaedigt(QStringLiteral("Verzeichnisindex unlesbar"));
        pfad.append(nr);
        const qsizetype ende = blockGroesse_ - u32(block, 4);
        for (qsizetype at = pmgiKopf; at < ende;) {
            quint64 namensLaenge = 0, kind = 0;
            if (!encint(block, at, ende, namensLaenge) || namensLaenge > laengsterPfad ||
                qsizetype(namensLaenge) > ende - at)
                beschaedigt(QStringLiteral("Verzeichnisindex abgeschnitten"));
            at += qsizetype(namensLaenge);
            if (!encint(block, at, ende, kind) || kind >= blockAnzahl_)
                beschaedigt(QStringLiteral("Verzeichnisindex verweist ins Leere"));
            besuche(static_cast<qint32>(kind));
        }
        pfad.removeLast();
        fertig.insert(nr);
    };
    besuche(indexWurzel_);
}

const ChmEintrag* ChmVerzeichnis::finde(const QByteArray& pfad) const {
    for (const auto& e : eintraege_)
        if (e.pfad.compare(pfad, Qt::CaseInsensitive) == 0)
            return &e;
    return nullptr;
}

QByteArray ChmVerzeichnis::leseUnkomprimiert(const char* pfad) const {
    const ChmEintrag* e = finde(pfad);
    if (!e || e->bereich != 0)
        beschaedigt(QStringLiteral("Angaben zur Kompression fehlen"));
    return lese(inhaltsBeginn_ + e->start, e->laenge);
}

// libchm decompresses with the reset table and the control data as they stand; they must describe LZX
// frames that lie inside the compressed content.
void ChmVerzeichnis::pruefeKomprimiertenBereich() {
    if (std::none_of(eintraege_.begin(), eintraege_.end(),
                     [](const ChmEintrag& e) { return e.bereich == 1; }))
        return;
    const quint64 inhalt = finde(inhaltPfad) ? finde(inhaltPfad)->laenge : 0;
    const QByteArray steuer = leseUnkomprimiert(steuerPfad);
    const QByteArray tabelle = leseUnkomprimiert(ruecksetzPfad);
    if (steuer.size() < 0x18 || steuer.mid(4, 4) != "LZXC" || tabelle.size() < 0x28 || u32(tabelle, 8) != 8)
        beschaedigt(QStringLiteral("Angaben zur Kompression unlesbar"));
    const quint32 version = u32(steuer, 8);
    const quint64 faktor = version == 2 ? lzxRahmen : 1;
    const quint64 intervall = u32(steuer, 0xc) * faktor, fenster = u32(steuer, 0x10) * faktor;
    if ((version != 1 && version != 2) || !istPotenzVonZwei(fenster) || fenster < (1u << 15) ||
        fenster > (1u << 21) || intervall == 0 || intervall % (fenster / 2) != 0 || u32(steuer, 0x14) == 0)
        beschaedigt(QStringLiteral("unbekannte Kompression"));
    const quint64 anzahl = u32(tabelle, 4), tabellenBeginn = u32(tabelle, 0xc);
    const quint64 ausgepackt = u64(tabelle, 0x10), gepackt = u64(tabelle, 0x18);
    if (u64(tabelle, 0x20) != lzxRahmen || anzahl == 0 ||
        tabellenBeginn + anzahl * 8 > quint64(tabelle.size()) || gepackt > inhalt ||
        ausgepackt > anzahl * lzxRahmen)
        beschaedigt(QStringLiteral("Rücksetztabelle passt nicht zum Inhalt"));
    quint64 vorher = 0;
    for (quint64 i = 0; i < anzahl; ++i) {
        const quint64 versatz = u64(tabelle, qsizetype(tabellenBeginn + i * 8));
        if (versatz < vorher || versatz > gepackt)
            beschaedigt(QStringLiteral("Rücksetztabelle ungeordnet"));
        vorher = versatz;
    }
    for (const auto& e : eintraege_)
        if (e.bereich == 1 && (e.start > ausgepackt || e.laenge > ausgepackt - e.start))
            beschaedigt(QString::fromUtf8(e.pfad) + QStringLiteral(" liegt hinter dem komprimierten Inhalt"));
}

} // namespace findolin::chm
