#include "nullsink.h"

#include "aufnahmeanalyse.h"

#include <QFile>
#include <QStandardPaths>
#include <QTest>

namespace {
constexpr int startZeitMs = 10000;
}

NullSink::NullSink() : dir_(QStringLiteral("/tmp/findolin-pa-XXXXXX")) {}

NullSink::~NullSink() {
    for (QProcess* p : {&recorder_, &server_}) {
        if (p->state() != QProcess::NotRunning) {
            p->terminate();
            if (!p->waitForFinished(3000))
                p->kill();
            p->waitForFinished(3000);
        }
    }
}

QStringList NullSink::fehlendeProgramme() {
    QStringList fehlend;
    for (const char* programm : {"pulseaudio", "parec", "pactl", "sox"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(programm)).isEmpty())
            fehlend << QString::fromLatin1(programm);
    }
    return fehlend;
}

QProcessEnvironment NullSink::umgebung() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:") + socket());
    env.insert(QStringLiteral("PULSE_RUNTIME_PATH"), dir_.path());
    env.insert(QStringLiteral("PULSE_STATE_PATH"), dir_.path());
    env.insert(QStringLiteral("HOME"),
               dir_.path()); // the server keeps its cookie there, not in the user's home
    return env;
}

bool NullSink::pactlMeldet(const QStringList& argumente, const QString& erwartet) const {
    QProcess pactl;
    pactl.setProcessEnvironment(umgebung());
    pactl.start(QStringLiteral("pactl"), argumente);
    if (!pactl.waitForFinished(3000) || pactl.exitCode() != 0)
        return false;
    return QString::fromUtf8(pactl.readAllStandardOutput()).contains(erwartet);
}

QString NullSink::starte() {
    if (!dir_.isValid())
        return QStringLiteral("no temporary folder");
    server_.setProcessEnvironment(umgebung());
    server_.setProcessChannelMode(QProcess::MergedChannels);
    // Root may run a per-user server too: it only warns. No shared memory, no pid file; should this test
    // crash, the orphaned server ends itself 10 s after its last client.
    server_.start(
        QStringLiteral("pulseaudio"),
        {QStringLiteral("-n"), QStringLiteral("--daemonize=no"), QStringLiteral("--system=false"),
         QStringLiteral("--exit-idle-time=10"), QStringLiteral("--use-pid-file=no"),
         QStringLiteral("--disable-shm=yes"), QStringLiteral("--log-target=stderr"), QStringLiteral("-L"),
         QStringLiteral("module-native-protocol-unix auth-anonymous=1 socket=") + socket(),
         QStringLiteral("-L"), QStringLiteral("module-null-sink sink_name=%1 norewinds=1").arg(sinkName)});
    if (!server_.waitForStarted(startZeitMs))
        return QStringLiteral("pulseaudio does not start");
    const bool bereit = QTest::qWaitFor(
        [&] {
            return server_.state() == QProcess::Running &&
                   pactlMeldet({QStringLiteral("info")}, QStringLiteral("Default Sink: %1").arg(sinkName));
        },
        startZeitMs);
    if (!bereit)
        return QStringLiteral("pulseaudio is not ready: ") + QString::fromLocal8Bit(server_.readAll());
    // From now on this process plays into the null sink.
    qputenv("PULSE_SERVER", (QStringLiteral("unix:") + socket()).toLocal8Bit());
    return {};
}

QString NullSink::starteAufnahme() {
    QFile::remove(aufnahmePfad());
    recorder_.setProcessEnvironment(umgebung());
    recorder_.start(QStringLiteral("parec"),
                    {QStringLiteral("-d"), QStringLiteral("%1.monitor").arg(sinkName),
                     QStringLiteral("--file-format=wav"), QStringLiteral("--format=s16le"),
                     QStringLiteral("--rate=44100"), QStringLiteral("--channels=1"),
                     QStringLiteral("--latency-msec=20"), aufnahmePfad()});
    if (!recorder_.waitForStarted(startZeitMs))
        return QStringLiteral("parec does not start");
    // Recording has begun once silence arrives in the file: whatever is played from now on is recorded whole.
    const bool laeuft = QTest::qWaitFor([&] { return aufnahmeLaengeMs(aufnahmePfad()) >= 100; }, startZeitMs);
    return laeuft ? QString() : QStringLiteral("parec does not record");
}

QString NullSink::stopAufnahme() {
    recorder_.terminate(); // parec closes its file properly on SIGTERM
    if (!recorder_.waitForFinished(startZeitMs))
        return QStringLiteral("parec does not stop");
    return QFile::exists(aufnahmePfad()) ? QString() : QStringLiteral("no recording");
}
