#include "jetspeicher.h"

#include "platform/laufzeitfehler.h"

#include <QFile>
#include <QFileInfo>

namespace findolin::platform::db {

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
            jet::lies(datei.constData(), tabelle.isNull() ? nullptr : tabelle.constData(), ausgabe);
        },
        pfad, grenzen, hoechsteAntwort(pfad));
}

class JetSpeicher : public Speicher {
public:
    JetSpeicher(QString pfad, QStringList tabellen, const Lesegrenzen& grenzen)
        : pfad_(std::move(pfad)), tabellen_(std::move(tabellen)), grenzen_(grenzen) {}

    QString datei() const override { return pfad_; }
    bool nurLesen() const override { return true; }
    QStringList tabellen() const override { return tabellen_; }

    std::shared_ptr<Tabelle> lade(const QString& name) override {
        return jet::tabelleAus(liesJet(pfad_, name.toUtf8(), grenzen_), name, pfad_);
    }

    qint64 fuegeEin(const Tabelle&, const Zeile&) override { nurLesbar(); }
    void aendere(const Tabelle&, const Zeile&) override { nurLesbar(); }
    void loesche(const Tabelle&, const Zeile&) override { nurLesbar(); }
    // nothing can be written, so there is nothing to undo
    void beginne() override {}
    void bestaetige() override {}
    void verwerfe() override {}
    void fuehreAus(const QString&) override { nurLesbar(); }

private:
    [[noreturn]] void nurLesbar() const {
        throw Laufzeitfehler(QStringLiteral("Access-Dateien können nur gelesen werden"), pfad_);
    }

    QString pfad_;
    QStringList tabellen_;
    Lesegrenzen grenzen_;
};

} // namespace

std::shared_ptr<Speicher> oeffneJetDatei(const QString& pfad, int seitengroesse, const Lesegrenzen& grenzen) {
    const qint64 groesse = QFileInfo(pfad).size();
    if (groesse < 2 * seitengroesse || groesse % seitengroesse != 0)
        throw Laufzeitfehler(QStringLiteral("Die Datenbankdatei ist unvollständig"), pfad);
    QStringList tabellen = jet::tabellenAus(liesJet(pfad, {}, grenzen), pfad);
    return std::make_shared<JetSpeicher>(pfad, std::move(tabellen), grenzen);
}

} // namespace findolin::platform::db
