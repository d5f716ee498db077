#include "platform/db/dateioeffner.h"
#include "testdata.h"

#include <QDateTime>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

using namespace findolin::platform::db;

namespace {

const QString datumsFormat = QStringLiteral("%Y-%m-%d %H:%M:%S");
const QString nullZeichen = QStringLiteral("~");

// One CSV field of mdb-export: its text and whether it stood in quotes (an unquoted "~" is Null).
struct CsvFeld {
    QString text;
    bool zitiert = false;
};

QList<QList<CsvFeld>> leseCsv(const QString& text) {
    QList<QList<CsvFeld>> zeilen;
    QList<CsvFeld> zeile;
    CsvFeld feld;
    bool inZitat = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (inZitat) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
                feld.text += c;
                ++i;
            } else if (c == u'"') {
                inZitat = false;
            } else {
                feld.text += c;
            }
        } else if (c == u'"') {
            inZitat = feld.zitiert = true;
        } else if (c == u',') {
            zeile.append(feld);
            feld = {};
        } else if (c == u'\n') {
            zeile.append(feld);
            zeilen.append(zeile);
            zeile.clear();
            feld = {};
        } else if (c != u'\r') {
            feld.text += c;
        }
    }
    return zeilen;
}

QString laufe(const QString& programm, const QStringList& argumente) {
    QProcess p;
    p.start(programm, argumente);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

// Every table of the public Access files reads without error and gives what mdb-export gives.
class MdbExportTest : public QObject {
    Q_OBJECT

    QString mdbExport;

private slots:
    void initTestCase() {
        mdbExport = QStandardPaths::findExecutable(QStringLiteral("mdb-export"));
        if (mdbExport.isEmpty())
            QSKIP("mdb-export is not installed");
        REQUIRE_TESTDATA("mdb-public");
    }

    void tabelle_wie_mdb_export_data() {
        QTest::addColumn<QString>("datei");
        QTest::addColumn<QString>("tabelle");
        const QDir ordner(testdataFile("mdb-public"));
        for (const QString& name : ordner.entryList({"*.mdb"}, QDir::Files, QDir::Name)) {
            auto db = DateiOeffner().open(ordner.filePath(name));
            for (const QString& tabelle : db->tableNames())
                QTest::addRow("%s %s", qPrintable(name), qPrintable(tabelle))
                    << ordner.filePath(name) << tabelle;
        }
    }
    void tabelle_wie_mdb_export() {
        QFETCH(QString, datei);
        QFETCH(QString, tabelle);
        auto rs = DateiOeffner().open(datei)->openRecordset(tabelle);
        const QString csv = laufe(mdbExport, {"-0", nullZeichen, "-b", "hex", "-D", datumsFormat, "-T",
                                              datumsFormat, datei, tabelle});
        QVERIFY(!csv.isEmpty());
        const QList<QList<CsvFeld>> export_ = leseCsv(csv);
        QStringList kopf;
        for (const CsvFeld& f : export_.first())
            kopf.append(f.text);
        QCOMPARE(rs->fieldNames(), kopf);
        QCOMPARE(rs->recordCount(), export_.size() - 1);
        for (int z = 1; z < export_.size(); ++z) {
            QCOMPARE(rs->absolutePosition(), z - 1);
            for (int s = 0; s < kopf.size(); ++s) {
                const CsvFeld& e = export_[z][s];
                const QVariant w = rs->field(kopf[s]);
                const QByteArray wo = QStringLiteral("row %1 field %2").arg(z).arg(kopf[s]).toUtf8();
                if (!e.zitiert && e.text == nullZeichen) {
                    QVERIFY2(w.isNull(), wo.constData());
                    continue;
                }
                QVERIFY2(!w.isNull(), wo.constData());
                switch (w.typeId()) {
                case QMetaType::QByteArray:
                    break; // OLE objects are exported whole, the cursor holds only their first part
                case QMetaType::Bool:
                    QCOMPARE(w.toBool() ? "1" : "0", e.text);
                    break;
                case QMetaType::LongLong:
                    QCOMPARE(w.toLongLong(), e.text.toLongLong());
                    break;
                case QMetaType::Double:
                    QVERIFY2(qFuzzyCompare(1.0 + w.toDouble(), 1.0 + e.text.toDouble()), wo.constData());
                    break;
                case QMetaType::QDateTime:
                    QCOMPARE(w.toDateTime().toString("yyyy-MM-dd HH:mm:ss"), e.text);
                    break;
                default:
                    QCOMPARE(w.toString(), e.text);
                }
            }
            rs->moveNext();
        }
        QVERIFY(rs->eof());
    }

    void tabellen_wie_mdb_tables_data() {
        QTest::addColumn<QString>("datei");
        const QDir ordner(testdataFile("mdb-public"));
        for (const QString& name : ordner.entryList({"*.mdb"}, QDir::Files, QDir::Name))
            QTest::addRow("%s", qPrintable(name)) << ordner.filePath(name);
    }
    void tabellen_wie_mdb_tables() {
        QFETCH(QString, datei);
        const QString mdbTables = QStandardPaths::findExecutable(QStringLiteral("mdb-tables"));
        if (mdbTables.isEmpty())
            QSKIP("mdb-tables is not installed");
        QStringList erwartet = laufe(mdbTables, {"-1", datei}).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(DateiOeffner().open(datei)->tableNames(), erwartet);
    }
};

QTEST_GUILESS_MAIN(MdbExportTest)
#include "db_mdbexport_test.moc"
