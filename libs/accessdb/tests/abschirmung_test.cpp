#include "abgeschirmt.h"
#include "platform/laufzeitfehler.h"

#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <condition_variable>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <thread>
#include <unistd.h>

using namespace findolin;
using namespace findolin::accessdb;

namespace {

// Ends the reading child itself when the reading has not ended after `ms`: then a limit did not hold. The
// child tells its process id through a file.
class Waechter {
public:
    Waechter(std::chrono::milliseconds ms, const QString& pidDatei)
        : faden_([this, ms, pidDatei] {
              std::unique_lock sperre(m_);
              if (cv_.wait_for(sperre, ms, [this] { return fertig_; }))
                  return;
              if (QFile f(pidDatei); f.open(QIODevice::ReadOnly))
                  ::kill(pid_t(f.readAll().toInt()), SIGKILL);
              eingegriffen = true;
          }) {}
    ~Waechter() {
        {
            std::lock_guard sperre(m_);
            fertig_ = true;
        }
        cv_.notify_all();
        faden_.join();
    }
    std::atomic<bool> eingegriffen = false;

private:
    std::mutex m_;
    std::condition_variable cv_;
    bool fertig_ = false;
    std::thread faden_;
};

} // namespace

// The child that reads Access files (a library that may hang, crash or grow without end on a damaged file):
// each of its limits ends a reader that breaks it, in real time and by itself, and a reader within its limits
// gives its answer whole.
class AbschirmungTest : public QObject {
    Q_OBJECT

    QTemporaryDir ordner_;

private slots:
    void grenzen_data() {
        QTest::addColumn<QString>("leser"); // what the reader in the child does, and how much
        QTest::addColumn<int>("sekunden");  // processor time
        QTest::addColumn<int>("wandMs");    // real time
        QTest::addColumn<int>("antwort");   // the size of the answer; -1: a run-time error
        QTest::addColumn<QString>("fehler");
        QTest::addColumn<int>("waechterMs");
        // a reader that waits uses no processor time: only the real-time limit ends it
        QTest::newRow("sleeps") << "schlaeft" << 30 << 250 << -1 << "länger als 0.25 Sekunden" << 5000;
        // working, it meets the processor-time limit long before the real-time one
        QTest::newRow("works") << "rechnet" << 1 << 15000 << -1 << "mehr als 1 Sekunden Rechenzeit" << 40000;
        QTest::newRow("answer as large as allowed") << "antwortet:4096" << 30 << 15000 << 4096 << "" << 40000;
        QTest::newRow("answer one byte larger")
            << "antwortet:4097" << 30 << 15000 << -1 << "mehr Daten, als sie enthalten kann" << 40000;
        // the memory limit of 64 MiB is the one applied, not only the one named
        QTest::newRow("memory within the limit") << "belegt:24" << 30 << 15000 << 1 << "" << 40000;
        QTest::newRow("memory beyond the limit")
            << "belegt:112" << 30 << 15000 << -1 << "mehr als 64 MiB Speicher" << 40000;
    }
    void grenzen() {
        QFETCH(QString, leser);
        QFETCH(int, sekunden);
        QFETCH(int, wandMs);
        QFETCH(int, waechterMs);
        const QString pidDatei = ordner_.filePath(QStringLiteral("kind.pid"));
        QFile::remove(pidDatei);
        const QByteArray pidName = QFile::encodeName(pidDatei);
        const QString art = leser.section(u':', 0, 0);
        const int menge = leser.section(u':', 1).toInt();
        const auto lesen = [&](jet::Ausgabe& ausgabe) {
            const QByteArray pid = QByteArray::number(::getpid());
            if (const int fd = ::open(pidName.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600); fd >= 0) {
                (void)!::write(fd, pid.constData(), size_t(pid.size()));
                ::close(fd);
            }
            if (art == QLatin1String("schlaeft"))
                for (;;)
                    ::pause();
            if (art == QLatin1String("rechnet"))
                for (volatile bool weiter = true; weiter;) {
                }
            if (art == QLatin1String("antwortet"))
                ausgabe.schreibe(QByteArray(menge, 'x').constData(), size_t(menge));
            if (art == QLatin1String("belegt")) {
                const size_t groesse = size_t(menge) << 20;
                auto* block = new char[groesse];
                std::memset(block, 1, groesse);
                ausgabe.schreibe(block + groesse / 2, 1);
                delete[] block;
            }
        };
        QString gemeldet;
        QByteArray erhalten;
        bool eingegriffen = false;
        {
            Waechter waechter(std::chrono::milliseconds(waechterMs), pidDatei);
            try {
                erhalten = liesAbgeschirmt(
                    lesen, "Test.mdb", Lesegrenzen{sekunden, 64, std::chrono::milliseconds(wandMs)}, 4096);
            } catch (const Laufzeitfehler& f) {
                gemeldet = f.problem() + u'|' + f.betroffen();
            }
            eingegriffen = waechter.eingegriffen;
        }
        QVERIFY2(!eingegriffen, "the reading did not end by itself");
        QFETCH(int, antwort);
        QFETCH(QString, fehler);
        if (antwort >= 0) {
            QCOMPARE(gemeldet, QString());
            QCOMPARE(erhalten.size(), antwort);
        } else {
            QVERIFY2(gemeldet.contains(QStringLiteral("beschädigt")) && gemeldet.contains(fehler) &&
                         gemeldet.endsWith(QStringLiteral("|Test.mdb")),
                     qPrintable(gemeldet));
        }
    }
};

QTEST_GUILESS_MAIN(AbschirmungTest)
#include "abschirmung_test.moc"
