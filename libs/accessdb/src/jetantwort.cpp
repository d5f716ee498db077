// The game's half of reading Access files: the byte stream of the reading half (jetleser.cpp) turned back
// into table names or a table, every length and count checked against what is left of the stream.
#include "accesstage.h"
#include "jetleser.h"

#include "platform/laufzeitfehler.h"

#include <QDateTime>
#include <cstring>

namespace findolin::accessdb::jet {

namespace {

class Leser {
public:
    Leser(const QByteArray& strom, const QString& pfad) : strom_(strom), pfad_(pfad) {}

    template <typename T> T zahl() {
        T wert;
        std::memcpy(&wert, stueck(sizeof wert), sizeof wert);
        return wert;
    }
    QByteArray text() {
        const auto [daten, laenge] = bytes();
        return QByteArray(daten, qsizetype(laenge));
    }
    // A stretch of bytes with its length in front, left in the stream.
    std::pair<const char*, size_t> bytes() {
        const quint32 laenge = zahl<quint32>();
        return {stueck(laenge), laenge};
    }
    bool amEnde() const { return pos_ == strom_.size(); }
    [[noreturn]] void kaputt() const {
        throw Laufzeitfehler(QStringLiteral("Die Access-Datei ist beschädigt: Ihr Inhalt ist nicht lesbar"),
                             pfad_);
    }

private:
    const char* stueck(size_t laenge) {
        if (laenge > size_t(strom_.size() - pos_))
            kaputt();
        const char* p = strom_.constData() + pos_;
        pos_ += qsizetype(laenge);
        return p;
    }

    const QByteArray& strom_;
    const QString& pfad_;
    qsizetype pos_ = 0;
};

void pruefeFehler(Leser& l, char art, const QString& name, const QString& pfad) {
    if (art != 'F')
        return;
    QString problem;
    switch (l.zahl<quint8>()) {
    case 1:
        problem = QStringLiteral("Die Datenbankdatei kann nicht geöffnet werden");
        break;
    case 2:
        problem = QStringLiteral("Die Access-Datei ist beschädigt: Ihr Inhaltsverzeichnis ist nicht lesbar");
        break;
    case 3:
        problem = QStringLiteral("Die Tabelle „") + name + QStringLiteral("“ fehlt");
        break;
    case 4:
        problem = QStringLiteral("Die Access-Datei ist beschädigt: Die Tabelle „") + name +
                  QStringLiteral("“ ist nicht lesbar");
        break;
    default:
        l.kaputt();
    }
    throw Laufzeitfehler(problem, pfad);
}

} // namespace

QStringList tabellenAus(const QByteArray& strom, const QString& pfad) {
    Leser l(strom, pfad);
    const char art = l.zahl<char>();
    pruefeFehler(l, art, {}, pfad);
    if (art != 'V')
        l.kaputt();
    QStringList namen;
    for (quint32 n = l.zahl<quint32>(); n > 0; --n)
        namen.append(QString::fromUtf8(l.text()));
    if (!l.amEnde())
        l.kaputt();
    return namen;
}

std::shared_ptr<Tabelle> tabelleAus(const QByteArray& strom, const QString& name, const QString& pfad) {
    Leser l(strom, pfad);
    const char art = l.zahl<char>();
    pruefeFehler(l, art, name, pfad);
    if (art != 'T')
        l.kaputt();
    auto tabelle = std::make_shared<Tabelle>();
    tabelle->name = QString::fromUtf8(l.text());
    QStringList felder;
    QList<FeldArt> arten;
    for (quint32 n = l.zahl<quint32>(); n > 0; --n) {
        felder.append(QString::fromUtf8(l.text()));
        const quint8 feldArt = l.zahl<quint8>();
        if (feldArt > quint8(FeldArt::Binaer))
            l.kaputt();
        arten.append(FeldArt(feldArt));
    }
    tabelle->legeFelderAn(felder, arten);
    const quint32 angegeben = l.zahl<quint32>();
    // the count is the file's word; the stream shows how many rows there really are
    tabelle->reserviere(std::min<size_t>(angegeben, size_t(strom.size()) / 9));
    char marke;
    while ((marke = l.zahl<char>()) == 'Z') {
        const qint64 schluessel = qint64(l.zahl<quint64>());
        for (int i = 0; i < arten.size(); ++i) {
            Spalte& spalte = tabelle->spalteZumFuellen(i);
            if (l.zahl<quint8>() == 0) {
                spalte.haengeNull();
                continue;
            }
            switch (arten[i]) {
            case FeldArt::JaNein:
                spalte.haengeJaNein(l.zahl<quint8>() != 0);
                break;
            case FeldArt::Ganzzahl:
                spalte.haengeGanzzahl(l.zahl<qint64>());
                break;
            case FeldArt::Kommazahl:
                spalte.haengeKommazahl(l.zahl<double>());
                break;
            case FeldArt::Datum:
                spalte.haenge(ausAccessTagen(l.zahl<double>(), 1000));
                break;
            case FeldArt::Text:
            case FeldArt::Binaer: {
                const auto [daten, laenge] = l.bytes();
                spalte.haengeBytes(daten, laenge);
                break;
            }
            }
        }
        tabelle->zeilen.push_back(tabelle->schliesseZeile(schluessel));
    }
    if (marke != 'E' || !l.amEnde())
        l.kaputt();
    // a file cut short loses data pages without libmdb noticing; the table's own row count shows it
    if (tabelle->zeilen.size() != angegeben)
        throw Laufzeitfehler(
            QStringLiteral("Die Access-Datei ist beschädigt (unvollständig): Die Tabelle „") + name +
                QStringLiteral("“ hat weniger Zeilen als angegeben"),
            pfad);
    tabelle->verdichte();
    return tabelle;
}

} // namespace findolin::accessdb::jet
