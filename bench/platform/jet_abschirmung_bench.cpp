// Access files with a damaged catalog, on which libmdb loops for ever (one growing its memory without bound,
// one writing warnings without end): how long opening takes until the run-time error, and the peak memory of
// the reading process, beside opening the undamaged file in the same run.
#include "platform/laufzeitfehler.h"
#include <accessdb/dateioeffner.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <cstdio>
#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

using namespace findolin;

namespace {

// The highest peak of any reading process ended so far, in MiB; -1 where the figure is not available.
double kindSpitzeMiB() {
#ifdef Q_OS_UNIX
    rusage nutzung{};
    getrusage(RUSAGE_CHILDREN, &nutzung);
    return nutzung.ru_maxrss / 1024.0;
#else
    return -1;
#endif
}

void oeffne(const char* was, const QString& pfad) {
    QElapsedTimer t;
    t.start();
    QString ergebnis = QStringLiteral("opened");
    try {
        accessdb::DateiOeffner().open(pfad)->openRecordset(QStringLiteral("WortListe"));
    } catch (const Laufzeitfehler& e) {
        ergebnis = e.problem();
    }
    std::printf("  %-40s %8.0f ms   reader peak so far %6.1f MiB   %s\n", was, t.nsecsElapsed() / 1e6,
                kindSpitzeMiB(), qPrintable(ergebnis));
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QFile quelle(QStringLiteral(FINDOLIN_TESTDATA_DIR "/access/Omnor-D.mdb"));
    if (!quelle.open(QIODevice::ReadOnly)) {
        std::printf("test data not found: %s\n", qPrintable(quelle.fileName()));
        return 0;
    }
    const QByteArray mdb = quelle.readAll();
    QTemporaryDir ordner;
    std::printf("Opening Omnor-D.mdb and two damaged copies (limits: 5 s, 256 MiB beyond the game's own)\n");
    oeffne("baseline: the undamaged file", quelle.fileName());
    // the second record of the first property block of the catalog gets the length 0
    const qsizetype block = mdb.indexOf(QByteArray("MR2\0", 4));
    const qsizetype zweiter = block + 4 + qFromLittleEndian<quint32>(mdb.constData() + block + 4);
    for (const auto& [art, was] :
         {std::pair<quint16, const char*>{5, "unknown record of length 0 (warnings)"},
          {0, "property record of length 0 (memory)"}}) {
        QByteArray kaputt = mdb;
        qToLittleEndian<quint32>(0, kaputt.data() + zweiter);
        qToLittleEndian<quint16>(art, kaputt.data() + zweiter + 4);
        QFile datei(ordner.filePath(QStringLiteral("kaputt%1.mdb").arg(art)));
        datei.open(QIODevice::WriteOnly);
        datei.write(kaputt);
        datei.close();
        oeffne(was, datei.fileName());
    }
    return 0;
}
