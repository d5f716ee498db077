// A machine without sound output: the game plays on silently, the player neither hangs nor crashes.
#include "platform/audio/qtsoundplayer.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using findolin::platform::QtSoundPlayer;

namespace {
// A valid sound of 0.1 s: 16-bit mono at 8000 Hz.
QByteArray kurzerKlang() {
    const int bytes = 1600;
    QByteArray wav("RIFF");
    const auto u32 = [&](quint32 v) { wav.append(reinterpret_cast<const char*>(&v), 4); };
    const auto u16 = [&](quint16 v) { wav.append(reinterpret_cast<const char*>(&v), 2); };
    u32(36 + bytes);
    wav.append("WAVEfmt ");
    u32(16);
    u16(1);
    u16(1);
    u32(8000);
    u32(16000);
    u16(2);
    u16(16);
    wav.append("data");
    u32(bytes);
    wav.append(QByteArray(bytes, '\x10'));
    return wav;
}
} // namespace

class OhneGeraetTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void spieltStummUndKehrtSofortZurueck();

private:
    QTemporaryDir dir_;
};

void OhneGeraetTest::initTestCase() {
    QVERIFY(dir_.isValid());
    // A sound server that does not exist, and no server started on demand.
    QFile konfiguration(dir_.filePath(QStringLiteral("client.conf")));
    QVERIFY(konfiguration.open(QIODevice::WriteOnly));
    konfiguration.write("autospawn = no\n");
    konfiguration.close();
    qputenv("PULSE_CLIENTCONFIG", QFile::encodeName(konfiguration.fileName()));
    qputenv("PULSE_SERVER",
            QFile::encodeName(QStringLiteral("unix:") + dir_.filePath(QStringLiteral("nirgends"))));
}

void OhneGeraetTest::spieltStummUndKehrtSofortZurueck() {
    const QString datei = dir_.filePath(QStringLiteral("Klang.WAV"));
    QFile f(datei);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(kurzerKlang());
    f.close();

    QElapsedTimer uhr;
    uhr.start();
    {
        QtSoundPlayer player;
        QSignalSpy ende(&player, &QtSoundPlayer::soundEnded);
        for (int i = 0; i < 3; ++i)
            player.playAsync(datei);
        QVERIFY2(uhr.elapsed() < 100, "playAsync must return at once");
        QVERIFY(QTest::qWaitFor([&] { return ende.size() == 3; }, 5000));
        for (const QVariantList& signal : ende)
            QCOMPARE(signal, (QVariantList{datei, false}));
        player.close();
    }
    QVERIFY2(uhr.elapsed() < 5000, "the player hung without a sound device");
}

QTEST_GUILESS_MAIN(OhneGeraetTest)
#include "tst_ohnegeraet.moc"
