// Word choice on large spelling databases (SQLite and Access): opening and filtering, 1,000 picks with a
// filled used-word list, and the memory the tables take; each figure beside a baseline measured in the same
// run.
#include "kern/hilfsfunktionen.h"
#include "support/virtualeventloop.h"
#include "words/rdbmanager.h"
#include "wortdatenbank.h"
#include <accessdb/dateioeffner.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#ifdef __GLIBC__
#include <malloc.h>
#endif

using namespace findolin;

namespace {

constexpr int anzahlWorte = 32767;
constexpr int anzahlZuege = 1000;
constexpr int wiederholungen = 5;

double ms(qint64 ns) {
    return double(ns) / 1e6;
}

// Heap memory in use, in KiB (glibc: small blocks and the large ones glibc maps on their own); -1 where the
// figure is not available.
long heapKiB() {
#ifdef __GLIBC__
    const auto info = mallinfo2();
    return long((info.uordblks + info.hblkhd) / 1024);
#else
    return -1;
#endif
}

// The median of five runs of `f`, which returns the nanoseconds it measured itself.
template <typename F> double medianMs(F f) {
    std::vector<double> zeiten;
    for (int i = 0; i < wiederholungen; ++i)
        zeiten.push_back(ms(f()));
    std::sort(zeiten.begin(), zeiten.end());
    return zeiten[zeiten.size() / 2];
}

// Made-up words of 5 to 14 letters; every third holds "ie", every fifth is basic vocabulary.
QList<wortdb::WortEintrag> erzeugeWorte() {
    QList<wortdb::WortEintrag> worte;
    const QString silben[] = {"ba", "ke", "lo", "mu", "ti", "ra", "so", "ne", "fu", "da"};
    for (int i = 0; i < anzahlWorte; ++i) {
        QString wort = i % 3 == 0 ? QStringLiteral("Lie") : QStringLiteral("Ma");
        for (int n = i; n > 0 || wort.size() < 5; n /= 10)
            wort += silben[n % 10];
        worte.append({wort.left(24), i % 2 ? QStringLiteral("die") : QString(), i % 5 == 0});
    }
    return worte;
}

void ziel(const char* was, double wert, double grenze, const char* einheit) {
    std::printf("  %-44s %10.4f %s   goal < %g %s: %s\n", was, wert, einheit, grenze, einheit,
                wert < grenze ? "met" : "MISSED");
}

struct Ergebnis {
    double oeffnenMs;
    double leseBasisMs;
};

Ergebnis oeffnenUndFiltern(const QString& datei, const StartKontext& kontext) {
    accessdb::DateiOeffner oeffner;
    platform::SeededRandom zufall(1);
    const double basis = medianMs([&] {
        QElapsedTimer t;
        t.start();
        QFile f(datei);
        f.open(QIODevice::ReadOnly);
        volatile qsizetype n = f.readAll().size();
        (void)n;
        return t.nsecsElapsed();
    });
    // the manager is freed after the clock stops: the game keeps the database open for the whole run
    std::unique_ptr<RdbManager> rdb;
    const double oeffnen = medianMs([&] {
        rdb.reset();
        QElapsedTimer t;
        t.start();
        rdb = std::make_unique<RdbManager>(kontext, zufall, oeffner);
        rdb->oeffneDatenbank(datei);
        rdb->setzeWortFilter();
        return t.nsecsElapsed();
    });
    return {oeffnen, basis};
}

// Opening, memory and picks on one spelling database of the game's schema with focus LIP_.
void wortDatenbank(const QString& datei, const StartKontext& kontext, double zielOeffnenMs) {
    const double dateiKiB = QFileInfo(datei).size() / 1024.0;
    const Ergebnis e = oeffnenUndFiltern(datei, kontext);
    std::printf("  %-44s %10.4f ms\n", "baseline: sequential read of the file", e.leseBasisMs);
    ziel("open + filter (median of 5)", e.oeffnenMs, zielOeffnenMs, "ms");

    const long vorher = heapKiB();
    accessdb::DateiOeffner oeffner;
    platform::SeededRandom zufall(2026);
    RdbManager rdb(kontext, zufall, oeffner);
    rdb.oeffneDatenbank(datei);
    rdb.setzeWortFilter();
    const long nachher = heapKiB();
    if (vorher >= 0) {
        std::printf("  %-44s %10ld KiB   baseline: the file itself, %.0f KiB\n",
                    "memory: heap held while open", nachher - vorher, dateiKiB);
        ziel("memory: heap held / file size", (nachher - vorher) / dateiKiB, 3, "x");
    }
    std::printf("  word set LIP_=TRUE: %d words, %lld error words\n", rdb.wortAnzahl(),
                static_cast<long long>(kontext.fehlerWorte.anzahl()));

    for (double anteil : {0.5, 0.9}) {
        // filled as a long run fills it: by earlier picks, spread over the word set
        rdb.leereBenutzteWorte();
        const int gefuellt = int(rdb.wortAnzahl() * anteil);
        while (rdb.benutzteWorte().anzahl() < gefuellt)
            rdb.waehleWort();
        QElapsedTimer basis;
        basis.start();
        volatile int summe = 0;
        for (int i = 0; i < anzahlZuege; ++i)
            summe = summe + zufallsZahl(zufall, 1, rdb.wortAnzahl());
        const double basisMs = ms(basis.nsecsElapsed()) / anzahlZuege;
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < anzahlZuege; ++i)
            rdb.waehleWort();
        const double jeZug = ms(t.nsecsElapsed()) / anzahlZuege;
        std::printf("  used-word list filled to %d%% (%d entries):\n", int(anteil * 100), gefuellt);
        std::printf("  %-44s %10.5f ms\n", "  baseline: one random draw", basisMs);
        ziel("  waehleWort, average of 1,000", jeZug, 0.1, "ms");
    }
}

StartKontext kontextLip() {
    StartKontext kontext;
    kontext.ubixFeldName = QStringLiteral("LIP_");
    kontext.ubixNr = 3;
    for (qint16 k = 1; k <= 400; k += 20)
        kontext.fehlerWorte.merke(k);
    return kontext;
}

void sqliteVariante(const QString& ordner) {
    const QString datei = QDir(ordner).filePath(QStringLiteral("Omnor-D.mdb"));
    wortdb::schreibeWortDatenbank(datei, erzeugeWorte());
    std::printf("SQLite, %d words (%.1f MiB)\n", anzahlWorte, QFileInfo(datei).size() / 1048576.0);
    wortDatenbank(datei, kontextLip(), 50);
}

// The same words in an Access file written by our writer: the framework's 32,767-word file is emptied and
// refilled row by row in one transaction.
void accessVomSchreiber(const QString& ordner) {
    const QString vorlage = QStringLiteral(FINDOLIN_TESTDATA_DIR "/access/Omnor-D-32767.mdb");
    const QString datei = QDir(ordner).filePath(QStringLiteral("Omnor-D-Jet.mdb"));
    if (!QFile::copy(vorlage, datei))
        return;
    QFile::setPermissions(datei, QFile::ReadOwner | QFile::WriteOwner);
    const QList<wortdb::WortEintrag> worte = erzeugeWorte();
    QElapsedTimer t;
    t.start();
    {
        auto db = accessdb::DateiOeffner().open(datei);
        auto rs = db->openRecordset(QStringLiteral("WortListe"));
        db->beginTrans();
        while (rs->recordCount() > 0) {
            rs->moveLast();
            rs->deleteCurrent();
        }
        for (int i = 0; i < worte.size(); ++i) {
            rs->addNew();
            rs->setField(QStringLiteral("RefNr"), qint64(i + 1));
            rs->setField(QStringLiteral("Wort"), worte[i].wort);
            rs->setField(QStringLiteral("Kontext"),
                         worte[i].kontext.isNull() ? QVariant() : worte[i].kontext);
            rs->setField(QStringLiteral("GWS"), worte[i].gws);
            rs->setField(QStringLiteral("LIP_"), worte[i].wort.contains(QLatin1String("ie")));
            rs->update();
        }
        db->commitTrans();
    }
    std::printf("\nAccess (Jet 4), %d words written by our writer in %.0f ms (%.1f MiB, the emptied pages "
                "included)\n",
                anzahlWorte, ms(t.nsecsElapsed()), QFileInfo(datei).size() / 1048576.0);
    wortDatenbank(datei, kontextLip(), 100);
}

void accessVariante() {
    const QString ordner = QStringLiteral(FINDOLIN_TESTDATA_DIR);
    const QString gross = QDir(ordner).filePath(QStringLiteral("access/Omnor-D-32767.mdb"));
    if (QFileInfo::exists(gross)) {
        std::printf("\nAccess (Jet 4), %d words (%.1f MiB), read by libmdb in a child process\n", anzahlWorte,
                    QFileInfo(gross).size() / 1048576.0);
        wortDatenbank(gross, kontextLip(), 100);
    }
    const QString omnor = QDir(ordner).filePath(QStringLiteral("access/Omnor-D.mdb"));
    if (QFileInfo::exists(omnor)) {
        const Ergebnis e = oeffnenUndFiltern(omnor, kontextLip());
        std::printf("\n  Omnor-D.mdb (18 words, 22 spots)\n");
        std::printf("  %-44s %10.4f ms\n", "baseline: sequential read of the file", e.leseBasisMs);
        ziel("open + filter (median of 5)", e.oeffnenMs, 100, "ms");
    }
    const QString nwind = QDir(ordner).filePath(QStringLiteral("mdb-public/nwind.mdb"));
    if (!QFileInfo::exists(nwind))
        return;
    int zeilen = 0;
    std::unique_ptr<accessdb::Database> db;
    std::vector<std::unique_ptr<accessdb::Recordset>> gefiltert;
    const double alle = medianMs([&] {
        gefiltert.clear();
        db.reset();
        QElapsedTimer t;
        t.start();
        db = accessdb::DateiOeffner().open(nwind);
        zeilen = 0;
        for (const QString& tabelle : db->tableNames()) {
            gefiltert.push_back(db->openRecordset(tabelle)->openFiltered(QStringLiteral("1=1")));
            zeilen += gefiltert.back()->recordCount();
        }
        return t.nsecsElapsed();
    });
    gefiltert.clear();
    db.reset();
    const long vorher = heapKiB();
    db = accessdb::DateiOeffner().open(nwind);
    for (const QString& tabelle : db->tableNames())
        gefiltert.push_back(db->openRecordset(tabelle));
    const long gehalten = heapKiB() - vorher;
    // many tables of every kind of field: one child process for each
    std::printf("\n  nwind.mdb (Jet 3, %.0f KiB): all tables, %d rows, opened and filtered\n",
                QFileInfo(nwind).size() / 1024.0, zeilen);
    if (vorher >= 0)
        std::printf("  %-44s %10ld KiB   baseline: the file itself, %lld KiB\n",
                    "memory: heap held, every table loaded", gehalten,
                    static_cast<long long>(QFileInfo(nwind).size() / 1024));
    std::printf("  %-44s %10.4f ms\n", "open + load + filter (median of 5)", alle);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir ordner;
    sqliteVariante(ordner.path());
    accessVomSchreiber(ordner.path());
    accessVariante();
    return 0;
}
