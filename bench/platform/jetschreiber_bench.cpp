// The Access writer: one high-score row written into a list of 10 rows and into a table of 10,000 rows,
// against copying the file; then a table of 32,767 rows made with the writer, opened and filtered, against
// the same rows in an SQLite file. Each figure beside its baseline of the same run.
#include <accessdb/dateioeffner.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#ifdef __GLIBC__
#include <malloc.h>
#endif

using namespace findolin::accessdb;

namespace {

constexpr int wiederholungen = 5;

long heapKiB() {
#ifdef __GLIBC__
    return long(mallinfo2().uordblks / 1024);
#else
    return -1;
#endif
}

double medianMs(const std::function<void()>& f) {
    std::vector<double> zeiten;
    for (int i = 0; i < wiederholungen; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        zeiten.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(zeiten.begin(), zeiten.end());
    return zeiten[zeiten.size() / 2];
}

// Appends `anzahl` high-score rows in one transaction.
void fuegeAn(Database& db, int anzahl, int start) {
    auto rs = db.openRecordset(QStringLiteral("Punkte"));
    db.beginTrans();
    for (int i = 0; i < anzahl; ++i) {
        rs->addNew();
        rs->setField(QStringLiteral("Name"), QStringLiteral("Spieler %1").arg(start + i));
        rs->setField(QStringLiteral("Programm"),
                     (start + i) % 3 ? QStringLiteral("Findolin") : QStringLiteral("Rechenmeister"));
        rs->setField(QStringLiteral("Datum"), QStringLiteral("06.12.2026"));
        rs->setField(QStringLiteral("Punkte"), qint64((start + i) * 7 % 2000));
        rs->update();
    }
    db.commitTrans();
}

void kopieren(const QString& von, const QString& nach) {
    QFile::remove(nach);
    QFile::copy(von, nach);
}

// One row written into a list of `zeilen` rows, the median of five writes.
void eineZeile(const QString& meister, const QString& ordner, int zeilen) {
    const QString datei = QDir(ordner).filePath(QStringLiteral("Meister-%1.mdb").arg(zeilen));
    kopieren(meister, datei);
    QFile::setPermissions(datei, QFile::ReadOwner | QFile::WriteOwner);
    QElapsedTimer t;
    t.start();
    if (zeilen > 12)
        fuegeAn(*DateiOeffner().open(datei), zeilen - 12, 0);
    const double aufbau = double(t.nsecsElapsed()) / 1e6;
    const double kopie = medianMs([&] { kopieren(datei, datei + QStringLiteral(".kopie")); });
    int n = 0;
    const double schreiben = medianMs([&] { fuegeAn(*DateiOeffner().open(datei), 1, ++n); });
    std::printf("Access list of %d rows (%.0f KiB)%s\n", zeilen, QFileInfo(datei).size() / 1024.0,
                zeilen > 12
                    ? qPrintable(QStringLiteral(", made by the writer in %1 ms").arg(aufbau, 0, 'f', 0))
                    : "");
    std::printf("  %-48s %10.3f ms\n", "baseline: copying the file", kopie);
    std::printf("  %-48s %10.3f ms  (%.1f x the copy)\n", "open, add one row, commit (median of 5)",
                schreiben, schreiben / kopie);
}

struct Messung {
    double ms;
    long heap;
    int treffer;
};

Messung oeffneUndFiltere(const QString& datei) {
    std::unique_ptr<Database> db;
    std::unique_ptr<Recordset> rs;
    int treffer = 0;
    const double ms = medianMs([&] {
        rs.reset();
        db.reset();
        db = DateiOeffner().openReadOnly(datei);
        rs = db->openRecordset(QStringLiteral("Punkte"))->openFiltered(QStringLiteral("Programm='Findolin'"));
        treffer = rs->recordCount();
    });
    rs.reset();
    db.reset();
    const long vorher = heapKiB();
    db = DateiOeffner().openReadOnly(datei);
    rs = db->openRecordset(QStringLiteral("Punkte"))->openFiltered(QStringLiteral("Programm='Findolin'"));
    return {ms, heapKiB() - vorher, treffer};
}

void grosseTabelle(const QString& meister, const QString& ordner) {
    constexpr int zeilen = 32767;
    const QString access = QDir(ordner).filePath(QStringLiteral("Gross.mdb"));
    kopieren(meister, access);
    QFile::setPermissions(access, QFile::ReadOwner | QFile::WriteOwner);
    fuegeAn(*DateiOeffner().open(access), zeilen - 12, 0);
    const QString sqlite = QDir(ordner).filePath(QStringLiteral("Gross.sqlite"));
    QFile::remove(sqlite);
    fuegeAn(
        *DateiOeffner().create(sqlite, {QStringLiteral("CREATE TABLE Punkte (ID INTEGER PRIMARY KEY, Name "
                                                       "TEXT, Programm TEXT, Datum TEXT, Punkte INTEGER)")}),
        zeilen, 0);
    const Messung s = oeffneUndFiltere(sqlite);
    const Messung a = oeffneUndFiltere(access);
    std::printf("\nA table of %d rows made with the writer (Access %.0f KiB, SQLite %.0f KiB)\n", zeilen,
                QFileInfo(access).size() / 1024.0, QFileInfo(sqlite).size() / 1024.0);
    std::printf("  %-48s %10.3f ms  (%d rows of this game)\n",
                "baseline: SQLite, open + filter (median of 5)", s.ms, s.treffer);
    std::printf("  %-48s %10.3f ms  goal < 100 ms: %s\n", "Access, open + filter (median of 5)", a.ms,
                a.ms < 100 ? "met" : "MISSED");
    const double datei = QFileInfo(access).size() / 1024.0;
    std::printf("  %-48s %10ld KiB  goal <= 3 x file = %.0f KiB: %s (SQLite: %ld KiB)\n",
                "Access, heap held while open", a.heap, 3 * datei, a.heap <= 3 * datei ? "met" : "MISSED",
                s.heap);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString meister =
        QDir(QStringLiteral(FINDOLIN_TESTDATA_DIR)).filePath(QStringLiteral("access/Meister.mdb"));
    if (!QFileInfo::exists(meister)) {
        std::printf("shared test data not found: %s\n", qPrintable(meister));
        return 0;
    }
    QTemporaryDir ordner;
    eineZeile(meister, ordner.path(), 12);
    eineZeile(meister, ordner.path(), 10000);
    grosseTabelle(meister, ordner.path());
    return 0;
}
