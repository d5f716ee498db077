#include "jetspeicher.h"

#include "jettransaktion.h"
#include "platform/laufzeitfehler.h"

#include <QFile>
#include <QFileInfo>

namespace findolin::accessdb {

#ifdef FINDOLIN_LIBMDB
const jet::Lesefunktion jet::libmdbLeser = &jet::lies;
#else
const jet::Lesefunktion jet::libmdbLeser = nullptr;
#endif

namespace {

// An answer may be larger than its file (texts grow to UTF-8, every value carries a mark), but not by much.
qint64 hoechsteAntwort(const QString& pfad) {
    return 32 * QFileInfo(pfad).size() + (16 << 20);
}

// Reads the catalog (`tabelle` null) or one table of the file, shielded.
QByteArray liesJet(const QString& pfad, const QByteArray& tabelle, const Lesegrenzen& grenzen) {
    const QByteArray datei = QFile::encodeName(pfad);
    return liesAbgeschirmt(
        [&](jet::Ausgabe& ausgabe) {
            jet::spielLeser()(datei.constData(), tabelle.isNull() ? nullptr : tabelle.constData(), ausgabe);
        },
        pfad, grenzen, hoechsteAntwort(pfad));
}

// Read shielded through libmdb; rows are added and deleted by our own writer (JetTransaktion).
class JetSpeicher : public Speicher {
public:
    JetSpeicher(QString pfad, QStringList tabellen, const Lesegrenzen& grenzen, bool nurLesen)
        : pfad_(std::move(pfad)), tabellen_(std::move(tabellen)), grenzen_(grenzen), nurLesen_(nurLesen),
          transaktion_(pfad_, [grenzen](const QString& pfad, const QString& name) {
              return jet::tabelleAus(liesJet(pfad, name.toUtf8(), grenzen), name, pfad);
          }) {}

    QString datei() const override { return pfad_; }
    bool nurLesen() const override { return nurLesen_; }
    QStringList tabellen() const override { return tabellen_; }

    std::shared_ptr<Tabelle> lade(const QString& name) override {
        return jet::tabelleAus(liesJet(pfad_, name.toUtf8(), grenzen_), name, pfad_);
    }

    qint64 fuegeEin(const Tabelle& tabelle, const Zeile& zeile) override {
        schreibbar();
        return transaktion_.fuegeEin(tabelle, zeile);
    }
    void aendere(const Tabelle&, const Zeile&) override {
        throw Laufzeitfehler(QStringLiteral("Zeilen einer Access-Datei können nicht geändert werden, nur "
                                            "angefügt und gelöscht"),
                             pfad_);
    }
    void loesche(const Tabelle& tabelle, const Zeile& zeile) override {
        schreibbar();
        transaktion_.loesche(tabelle, zeile);
    }
    // read-only files have nothing to undo
    void beginne() override {
        if (!nurLesen_)
            transaktion_.beginne();
    }
    void bestaetige() override {
        if (!nurLesen_)
            transaktion_.bestaetige();
    }
    void verwerfe() override { transaktion_.verwerfe(); }
    bool legtTabellenAn() const override { return false; }
    void fuehreAus(const QString&) override {
        throw Laufzeitfehler(QStringLiteral("In Access-Dateien legt das Spiel keine Tabellen an"), pfad_);
    }

private:
    void schreibbar() const {
        if (nurLesen_)
            throw Laufzeitfehler(QStringLiteral("Die Datenbank kann nur gelesen werden"), pfad_);
    }

    QString pfad_;
    QStringList tabellen_;
    Lesegrenzen grenzen_;
    bool nurLesen_;
    JetTransaktion transaktion_;
};

} // namespace

std::shared_ptr<Speicher> oeffneJetDatei(const QString& pfad, int seitengroesse, bool nurLesen,
                                         const Lesegrenzen& grenzen) {
    const qint64 groesse = QFileInfo(pfad).size();
    if (groesse < 2 * seitengroesse || groesse % seitengroesse != 0)
        throw Laufzeitfehler(QStringLiteral("Die Access-Datei ist beschädigt (unvollständig)"), pfad);
    // by the permission bits too: the administrator may write everywhere, but a file marked read-only stays
    // so
    const auto schreibbar = [](const QFileInfo& info) {
        return info.isWritable() &&
               (info.permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther));
    };
    const QFileInfo info(pfad);
    nurLesen = nurLesen || !schreibbar(info) || !schreibbar(QFileInfo(info.absolutePath()));
    QStringList tabellen = jet::tabellenAus(liesJet(pfad, {}, grenzen), pfad);
    return std::make_shared<JetSpeicher>(pfad, std::move(tabellen), grenzen, nurLesen);
}

} // namespace findolin::accessdb
