#include "db_sqlite_hilfen.h"
#include "platform/db/dateioeffner.h"
#include "platform/laufzeitfehler.h"
#include "testdata.h"

#include <QTemporaryDir>
#include <QTest>

using namespace findolin;
using namespace findolin::platform::db;

// Broken and foreign files are run-time errors that name the problem and the file, never a crash.
class FehlerTest : public QObject {
    Q_OBJECT

    QTemporaryDir ordner;

    QString schreibe(const QString& name, const QByteArray& inhalt) {
        const QString pfad = ordner.filePath(name);
        QFile f(pfad);
        f.open(QIODevice::WriteOnly);
        f.write(inhalt);
        return pfad;
    }

    QByteArray inhalt(const QString& pfad) {
        QFile f(pfad);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }

    QString sqliteWortDatei() {
        const QString pfad = ordner.filePath("Omnor-D.sqlite");
        if (QFileInfo::exists(pfad))
            return pfad;
        SqliteDatei datei(pfad);
        datei.sql(wortListeSchema);
        datei.sql("BEGIN");
        for (int i = 1; i <= 300; ++i)
            datei.sql(
                QStringLiteral("INSERT INTO WortListe VALUES (%1, 'Wort%1', NULL, 1, 0, 0, 1, 0)").arg(i));
        datei.sql("COMMIT");
        return pfad;
    }

    // Opens the file and reads the table whole; gives the number of rows.
    static int leseGanz(const QString& pfad, const QString& tabelle) {
        auto rs = DateiOeffner().open(pfad)->openRecordset(tabelle);
        for (int i = 0; i < rs->recordCount(); ++i) {
            for (const QString& feld : rs->fieldNames())
                rs->field(feld);
            rs->moveNext();
        }
        return rs->recordCount();
    }

private slots:
    void kaputte_dateien_data() {
        QTest::addColumn<QString>("pfad");
        QTest::addColumn<QString>("problem");
        QTest::newRow("missing") << ordner.filePath("fehlt.mdb") << "fehlt";
        QTest::newRow("a folder") << ordner.path() << "fehlt";
        QTest::newRow("empty") << schreibe("leer.mdb", {}) << "keine Datenbank";
        QTest::newRow("text") << schreibe("text.mdb", "RefNr,Wort\n1,Biene\n") << "keine Datenbank";
        QTest::newRow("future Jet version")
            << schreibe("jet5.mdb",
                        QByteArray("\0\1\0\0Standard Jet DB\0\3\0\0\0", 24) + QByteArray(8192, '\0'))
            << "keine Datenbank";
        QTest::newRow("Jet header only")
            << schreibe("kopf.mdb", QByteArray("\0\1\0\0Standard Jet DB\0\1\0\0\0", 24)) << "unvollständig";
        if (QFileInfo::exists(testdataFile("access/Omnor-D.mdb"))) {
            const QByteArray mdb = inhalt(testdataFile("access/Omnor-D.mdb"));
            QTest::newRow("Access cut inside a page")
                << schreibe("halb.mdb", mdb.left(mdb.size() / 2 + 100)) << "unvollständig";
            QTest::newRow("Access cut to one page")
                << schreibe("eine.mdb", mdb.left(4096)) << "unvollständig";
        }
        const QByteArray sqlite = inhalt(sqliteWortDatei());
        QTest::newRow("SQLite cut to its header") << schreibe("s1.mdb", sqlite.left(100)) << "";
        QTest::newRow("SQLite cut inside a page")
            << schreibe("s2.mdb", sqlite.left(sqlite.size() / 2 + 7)) << "";
    }
    void kaputte_dateien() {
        QFETCH(QString, pfad);
        QFETCH(QString, problem);
        try {
            leseGanz(pfad, "WortListe");
            QFAIL("no error");
        } catch (const Laufzeitfehler& e) {
            QVERIFY2(e.problem().contains(problem), qPrintable(e.problem()));
            QCOMPARE(e.betroffen(), pfad);
        }
    }

    // Cut at a page boundary, a file may still hold every page a table needs; then it reads whole, otherwise
    // it is a run-time error, never a crash and never a part of the rows.
    void access_an_jeder_seitengrenze_abgeschnitten() {
        REQUIRE_TESTDATA("access/Omnor-D.mdb");
        const QByteArray mdb = inhalt(testdataFile("access/Omnor-D.mdb"));
        int fehler = 0;
        for (qsizetype laenge = 2 * 4096; laenge < mdb.size(); laenge += 4096) {
            const QString pfad = schreibe(QStringLiteral("cut%1.mdb").arg(laenge), mdb.left(laenge));
            try {
                QCOMPARE(leseGanz(pfad, "WortListe"), 18);
                QCOMPARE(leseGanz(pfad, "LupenStellen"), 22);
            } catch (const Laufzeitfehler& e) {
                QCOMPARE(e.betroffen(), pfad);
                ++fehler;
            }
        }
        QVERIFY(fehler > 0);
    }

    void fehlende_teile_data() {
        QTest::addColumn<QString>("quelle");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("problem");
        QTest::newRow("missing table") << "Woerter"
                                       << ""
                                       << "Tabelle „Woerter“ fehlt";
        QTest::newRow("query on a missing table") << "SELECT * FROM Woerter"
                                                  << ""
                                                  << "Tabelle „Woerter“ fehlt";
        QTest::newRow("query ordered by a missing field") << "SELECT * FROM WortListe ORDER BY Punkte"
                                                          << ""
                                                          << "Unbekanntes Feld „Punkte“";
        QTest::newRow("query not understood") << "SELECT Wort FROM WortListe"
                                              << ""
                                              << "Abfrage";
        QTest::newRow("filter on a missing column") << "WortListe"
                                                    << "SZ__=TRUE"
                                                    << "Unbekanntes Feld „SZ__“";
        QTest::newRow("malformed filter") << "WortListe"
                                          << "LIP_==TRUE"
                                          << "Wert erwartet";
    }
    void fehlende_teile() {
        QFETCH(QString, quelle);
        QFETCH(QString, filter);
        QFETCH(QString, problem);
        QStringList dateien{sqliteWortDatei()};
        if (QFileInfo::exists(testdataFile("access/Omnor-D.mdb")))
            dateien.append(testdataFile("access/Omnor-D.mdb"));
        for (const QString& pfad : dateien) {
            try {
                auto rs = DateiOeffner().open(pfad)->openRecordset(quelle);
                if (!filter.isEmpty())
                    rs->openFiltered(filter);
                QFAIL("no error");
            } catch (const Laufzeitfehler& e) {
                QVERIFY2(e.problem().contains(problem), qPrintable(e.problem()));
                QCOMPARE(e.betroffen(), pfad);
            }
        }
    }

    void unbekanntes_feld_beim_lesen() {
        auto rs = DateiOeffner().open(sqliteWortDatei())->openRecordset("WortListe");
        QVERIFY_THROWS_EXCEPTION(Laufzeitfehler, rs->field("Wörter"));
        QVERIFY_THROWS_EXCEPTION(Laufzeitfehler, rs->findFirst("Nummer=3"));
        rs->movePrevious();
        QVERIFY(rs->bof());
        QVERIFY_THROWS_EXCEPTION(Laufzeitfehler, rs->movePrevious());
        QVERIFY_THROWS_EXCEPTION(Laufzeitfehler, rs->move(1));
    }
};

QTEST_GUILESS_MAIN(FehlerTest)
#include "db_fehler_test.moc"
