// Filters and find criteria: a named error or an expression that every row can be tested against; "field =
// number" as the direct lookup reads it agrees with the evaluation.
#include "ausdruck.h"
#include "fuzzhilfe.h"

#include <QDateTime>

using namespace findolin;
using findolin::accessdb::Ausdruck;
using findolin::accessdb::Wert;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    static const QStringList felder = {QStringLiteral("RefNr"), QStringLiteral("Wort"),
                                       QStringLiteral("Kontext"), QStringLiteral("LIP_"),
                                       QStringLiteral("Datum")};
    static const QList<QList<Wert>> zeilen = {
        {qint64(1), QStringLiteral("Biene"), QStringLiteral("die"), true, QDateTime(QDate(2001, 2, 3), {})},
        {qint64(-12), QStringLiteral("Straße"), Wert(), false, Wert()},
        {2.5, QString(), QStringLiteral("DIE"), Wert(), QDateTime()},
    };
    std::optional<Ausdruck> ausdruck;
    try {
        ausdruck =
            Ausdruck::uebersetze(QString::fromUtf8(eingabe(daten, groesse)), felder, QStringLiteral("x"));
    } catch (const Laufzeitfehler&) {
        return 0;
    }
    const auto gleichheit = ausdruck->alsGleichheit();
    if (gleichheit)
        FUZZ_PRUEFE(gleichheit->feld >= 0 && gleichheit->feld < felder.size());
    for (const QList<Wert>& zeile : zeilen) {
        try {
            const bool trifft = ausdruck->trifftZu(zeile);
            const Wert& wert = gleichheit ? zeile[gleichheit->feld] : Wert();
            if (gleichheit && wert.typeId() == QMetaType::LongLong)
                FUZZ_PRUEFE(trifft == (wert.toDouble() == gleichheit->zahl));
        } catch (const Laufzeitfehler&) {
        }
    }
    return 0;
}
