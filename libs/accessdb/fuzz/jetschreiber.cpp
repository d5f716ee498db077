// Writing into an Access file of any content: a refusal leaves the file byte for byte as it was; a write that
// succeeds reads back with one row fewer and one row more, and the copy beside the file is gone.
#include "fuzzhilfe.h"
#include <accessdb/dateioeffner.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace findolin;
using namespace findolin::accessdb;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    stilleLogs();
    return 0;
}

namespace {

QByteArray inhalt(const QString& pfad) {
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The first table's rows after one is deleted and one added in one transaction; -1 when refused.
int schreibe(const QString& pfad, QString& tabelle) {
    const auto db = DateiOeffner().open(pfad);
    const QStringList tabellen = db->tableNames();
    if (tabellen.isEmpty())
        return -1;
    tabelle = tabellen.first();
    const auto rs = db->openRecordset(tabelle);
    const int vorher = rs->recordCount();
    try {
        db->beginTrans();
        if (vorher > 0) {
            rs->moveLast();
            rs->deleteCurrent();
        }
        rs->addNew();
        const QStringList felder = rs->fieldNames();
        if (felder.size() > 1)
            rs->setField(felder.last(), Wert(QStringLiteral("7")));
        rs->update();
        db->commitTrans();
    } catch (const Laufzeitfehler&) {
        db->rollback();
        return -1;
    }
    return vorher > 0 ? vorher : 1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    QTemporaryDir ordner;
    FUZZ_PRUEFE(ordner.isValid());
    const QString pfad = ordner.filePath(QStringLiteral("Meister.mdb"));
    const QByteArray alt = eingabe(daten, groesse);
    {
        QFile f(pfad);
        FUZZ_PRUEFE(f.open(QIODevice::WriteOnly));
        f.write(alt);
    }
    QString tabelle;
    int erwartet = -1;
    try {
        erwartet = schreibe(pfad, tabelle);
    } catch (const Laufzeitfehler&) {
    }
    FUZZ_PRUEFE(!QFile::exists(pfad + QStringLiteral(".neu")));
    if (erwartet < 0) {
        FUZZ_PRUEFE(inhalt(pfad) == alt);
        return 0;
    }
    const auto rs = DateiOeffner().open(pfad)->openRecordset(tabelle);
    FUZZ_PRUEFE(rs->recordCount() == erwartet);
    return 0;
}
