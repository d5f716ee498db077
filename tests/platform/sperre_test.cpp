#include "db_sqlite_hilfen.h"
#include "platform/db/dateioeffner.h"
#include "platform/db/listensperre.h"
#include "platform/laufzeitfehler.h"
#include "testdata.h"

#include <QTemporaryDir>
#include <QTest>
#include <sqlite3.h>

using namespace findolin;
using namespace findolin::platform;
using namespace findolin::platform::db;

namespace {

QByteArray inhalt(const QString& pfad) {
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

constexpr qint64 exklusiv = 0x10000000, ersterNutzer = 0x10000001;

} // namespace

// A list is written only while no other program has it: Access (seen by its locks in the lock file, not by
// the file being there), another game of ours, or another SQLite writer. What crashed programs left (a lock
// file nobody holds, work files) is taken over and removed.
class SperreTest : public QObject {
    Q_OBJECT

    QTemporaryDir ordner_;

private slots:
    void init() { sperrWarteMs = 0; }

    void schreiben_data() {
        QTest::addColumn<QString>("art");     // the list: access, sqlite or none
        QTest::addColumn<QString>("anderer"); // who else holds it
        QTest::addColumn<QString>("grund");   // why the write is refused; empty: written
        QTest::newRow("Access: a lock file nobody holds, work files of a killed writer") << "access"
                                                                                         << "verwaist"
                                                                                         << "";
        QTest::newRow("Access: Access has the list open")
            << "access"
            << "access"
            << "in einem anderen Programm geöffnet (Meister.ldb, Rechner „PC-07“)";
        QTest::newRow("Access: Access has it open exclusively")
            << "access"
            << "exklusiv"
            << "in einem anderen Programm geöffnet (Meister.ldb";
        QTest::newRow("Access: another game writes it") << "access"
                                                        << "spiel"
                                                        << "in einem anderen Programm geöffnet (Meister.ldb";
        QTest::newRow("SQLite: another program writes it") << "sqlite"
                                                           << "sqlite"
                                                           << "in einem anderen Programm belegt";
        QTest::newRow("SQLite: work files of a killed writer") << "sqlite"
                                                               << "verwaist"
                                                               << "";
        QTest::newRow("no list: another game is making one") << "keine"
                                                             << "spiel"
                                                             << "Meister.ldb";
        QTest::newRow("no list: a lock file nobody holds") << "keine"
                                                           << "verwaist"
                                                           << "";
    }
    void schreiben() {
        QFETCH(QString, art);
        QFETCH(QString, anderer);
        QFETCH(QString, grund);
        const QString datei = ordner_.filePath("Meister.mdb"), sperre = ordner_.filePath("Meister.ldb");
        for (const QString& rest : QDir(ordner_.path()).entryList(QDir::Files))
            QFile::remove(ordner_.filePath(rest));
        if (art == "access") {
            REQUIRE_TESTDATA("access/Meister.mdb");
            QVERIFY(QFile::copy(testdataFile("access/Meister.mdb"), datei));
            QFile::setPermissions(datei, QFile::ReadOwner | QFile::WriteOwner);
        } else if (art == "sqlite") {
            SqliteDatei(datei).sql("CREATE TABLE Punkte (Name TEXT, Punkte INTEGER)");
        }
        const QStringList verwaist{"Meister.mdb.4711-beef.neu", "Meister.mdb.neu",
                                   "Meister.mdb.815-cafe.neu-journal"};
        dateisystem::Sperrdatei fremd;
        std::unique_ptr<ListenSperre> spiel;
        sqlite3* sqlite = nullptr;
        if (anderer == "verwaist") {
            for (const QString& name : verwaist)
                QFile(ordner_.filePath(name)).open(QIODevice::WriteOnly);
            QFile ldb(sperre); // an entry of a user gone long ago
            QVERIFY(ldb.open(QIODevice::WriteOnly) && ldb.write(QByteArray("PC-03").leftJustified(64, '\0')));
        } else if (anderer == "access" || anderer == "exklusiv") {
            QVERIFY(fremd.oeffne(sperre).isEmpty());
            QVERIFY(fremd.sperre(anderer == "access" ? ersterNutzer : exklusiv, 1));
            fremd.schreibe(0, QByteArray("PC-07").leftJustified(32, '\0') +
                                  QByteArray("Admin").leftJustified(32, '\0'));
        } else if (anderer == "spiel") {
            spiel = std::make_unique<ListenSperre>(datei);
        } else if (anderer == "sqlite") {
            QCOMPARE(sqlite3_open(QFile::encodeName(datei).constData(), &sqlite), SQLITE_OK);
            QCOMPARE(sqlite3_exec(sqlite, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
        }
        const QByteArray vorher = inhalt(datei);

        QString fehler;
        try {
            auto db = art == "keine"
                          ? DateiOeffner().create(datei, {"CREATE TABLE Punkte (Name TEXT, Punkte INTEGER)"})
                          : DateiOeffner().open(datei);
            db->beginTrans();
            const auto rs = db->openRecordset("Punkte");
            rs->addNew();
            rs->setField("Name", "Ida");
            rs->setField("Punkte", 610);
            rs->update();
            db->commitTrans();
        } catch (const Laufzeitfehler& f) {
            fehler = f.problem() + u'|' + f.betroffen();
        }
        sqlite3_close(sqlite);
        if (!grund.isEmpty()) {
            QVERIFY2(fehler.contains(grund) && fehler.endsWith("|" + datei), qPrintable(fehler));
            QCOMPARE(inhalt(datei), vorher);
            return;
        }
        QCOMPARE(fehler, QString());
        const auto rs = DateiOeffner().open(datei)->openRecordset("SELECT * FROM Punkte WHERE Name='Ida'");
        QCOMPARE(rs->recordCount(), 1);
        // the lock file is gone with its last user, and so is what killed writers left
        QCOMPARE(QDir(ordner_.path()).entryList(QDir::Files), QStringList{"Meister.mdb"});
    }
};

QTEST_GUILESS_MAIN(SperreTest)
#include "sperre_test.moc"
