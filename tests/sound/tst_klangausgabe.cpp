// The real player, heard through a PulseAudio null sink: the whole sound reaches the output, to its last
// sample, while the caller goes on at once.
#include "aufnahmeanalyse.h"
#include "nullsink.h"
#include "platform/audio/qtsoundplayer.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

using findolin::platform::QtSoundPlayer;

class KlangausgabeTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void spieltBisZumLetztenSample_data();
    void spieltBisZumLetztenSample();
    void neuerKlangSchneidetDenLaufenden();
    void closeBeendetDenKlang();
    void kaputteDateiBleibtStumm_data();
    void kaputteDateiBleibtStumm();

private:
    // A tone without fades, so its first and last samples stand out of the silence.
    QString ton(const QString& name, double sekunden, int rate, int kanaele);

    NullSink sink_;
};

QString KlangausgabeTest::ton(const QString& name, double sekunden, int rate, int kanaele) {
    const QString pfad = sink_.pfad(name);
    if (!QFile::exists(pfad)) {
        const int rc = QProcess::execute(
            QStringLiteral("sox"),
            {QStringLiteral("-n"), QStringLiteral("-r"), QString::number(rate), QStringLiteral("-c"),
             QString::number(kanaele), QStringLiteral("-b"), QStringLiteral("16"), pfad,
             QStringLiteral("synth"), QString::number(sekunden), QStringLiteral("sine"),
             QStringLiteral("440"), QStringLiteral("vol"), QStringLiteral("0.5")});
        if (rc != 0)
            qFatal("sox cannot make %s", qPrintable(pfad));
    }
    return pfad;
}

void KlangausgabeTest::initTestCase() {
    const QStringList fehlend = NullSink::fehlendeProgramme();
    if (!fehlend.isEmpty())
        QSKIP(qPrintable(QStringLiteral("not installed: ") + fehlend.join(QStringLiteral(", "))));
    const QString fehler = sink_.starte();
    if (!fehler.isEmpty())
        QSKIP(qPrintable(fehler));
}

void KlangausgabeTest::spieltBisZumLetztenSample_data() {
    QTest::addColumn<double>("sekunden");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("kanaele");
    QTest::addColumn<int>("pauseMs"); // the caller's busy pause right after starting the sound

    QTest::newRow("1 s mono 44100 Hz during a busy pause") << 1.0 << 44100 << 1 << 600;
    QTest::newRow("short stereo 22050 Hz") << 0.25 << 22050 << 2 << 0;
}

void KlangausgabeTest::spieltBisZumLetztenSample() {
    QFETCH(double, sekunden);
    QFETCH(int, rate);
    QFETCH(int, kanaele);
    QFETCH(int, pauseMs);
    const QString datei =
        ton(QStringLiteral("ton-%1-%2-%3.wav").arg(sekunden).arg(rate).arg(kanaele), sekunden, rate, kanaele);
    QtSoundPlayer player;
    QSignalSpy ende(&player, &QtSoundPlayer::soundEnded);
    QCOMPARE(sink_.starteAufnahme(), QString());
    QElapsedTimer uhr;
    uhr.start();

    player.playAsync(datei);
    QVERIFY2(uhr.elapsed() < 100, "playAsync must return at once");
    if (pauseMs > 0)
        QThread::msleep(pauseMs); // the game sleeps through its pauses; the sound must go on meanwhile

    QVERIFY(ende.wait(int(sekunden * 1000) + 5000));
    QCOMPARE(ende.first().at(0).toString(), datei);
    QCOMPARE(ende.first().at(1).toBool(), true);
    // Keep recording until the recording surely covers the moment the sound ended.
    const double bisMs = double(uhr.elapsed()) + 200;
    QVERIFY(QTest::qWaitFor([&] { return aufnahmeLaengeMs(sink_.aufnahmePfad()) >= bisMs; }, 10000));
    QCOMPARE(sink_.stopAufnahme(), QString());

    const Hoerbefund befund = analysiereAufnahme(sink_.aufnahmePfad());
    QVERIFY(befund.gelesen);
    QVERIFY2(befund.klingt, "nothing reached the output");
    qInfo(
        "heard %.1f ms of a %.0f ms file (from %.1f ms to %.1f ms of %.1f ms recorded), longest gap %.2f ms",
        befund.dauerMs(), sekunden * 1000, befund.anfangMs, befund.endeMs, befund.aufnahmeMs,
        befund.laengsteLueckeMs);
    // The null sink takes the samples as they are, so the heard length matches the file to the sample; a
    // player that stops as soon as the last byte is handed over loses tens of milliseconds here.
    QVERIFY2(std::abs(befund.dauerMs() - sekunden * 1000) <= 5, "the sound was cut or stretched");
    QVERIFY2(befund.anfangMs >= 50, "the recording missed the start of the sound");
    QVERIFY2(befund.laengsteLueckeMs < 5, "the sound had a gap");
}

void KlangausgabeTest::neuerKlangSchneidetDenLaufenden() {
    const QString lang = ton(QStringLiteral("lang.wav"), 1.0, 44100, 1);
    const QString kurz = ton(QStringLiteral("kurz.wav"), 0.2, 44100, 1);
    QtSoundPlayer player;
    QSignalSpy ende(&player, &QtSoundPlayer::soundEnded);
    player.playAsync(lang);
    player.playAsync(kurz);
    QVERIFY(QTest::qWaitFor([&] { return ende.size() == 2; }, 5000));
    QCOMPARE(ende.at(0), (QVariantList{lang, false}));
    QCOMPARE(ende.at(1), (QVariantList{kurz, true}));
}

void KlangausgabeTest::closeBeendetDenKlang() {
    QtSoundPlayer player;
    QSignalSpy ende(&player, &QtSoundPlayer::soundEnded);
    QElapsedTimer uhr;
    uhr.start();
    player.playAsync(ton(QStringLiteral("lang.wav"), 1.0, 44100, 1));
    player.close();
    QVERIFY(ende.wait(2000));
    QCOMPARE(ende.first().at(1).toBool(), false);
    QVERIFY2(uhr.elapsed() < 800, "close must stop the sound, not wait for its end");
    player.close(); // closing again does no harm
}

void KlangausgabeTest::kaputteDateiBleibtStumm_data() {
    QTest::addColumn<QByteArray>("inhalt");
    QTest::newRow("missing file") << QByteArray();
    QTest::newRow("empty file") << QByteArray("");
    QTest::newRow("text, not a sound") << QByteArray("[Sound]\r\nAchtung=Glocke\r\n");
    QTest::newRow("header without samples") << QByteArray("RIFF\x24\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0"
                                                          "\x44\xac\0\0\x88\x58\x01\0\x02\0\x10\0",
                                                          36);
}

void KlangausgabeTest::kaputteDateiBleibtStumm() {
    QFETCH(QByteArray, inhalt);
    const QString pfad = sink_.pfad(QStringLiteral("kaputt.WAV"));
    QFile::remove(pfad);
    if (!inhalt.isNull()) {
        QFile datei(pfad);
        QVERIFY(datei.open(QIODevice::WriteOnly));
        datei.write(inhalt);
    }
    QtSoundPlayer player;
    QSignalSpy ende(&player, &QtSoundPlayer::soundEnded);
    player.playAsync(pfad);
    QVERIFY(ende.wait(2000));
    QCOMPARE(ende.first(), (QVariantList{pfad, false}));
    // The player is still fine afterwards.
    const QString gut = ton(QStringLiteral("kurz.wav"), 0.2, 44100, 1);
    player.playAsync(gut);
    QVERIFY(ende.wait(3000));
    QCOMPARE(ende.last(), (QVariantList{gut, true}));
}

QTEST_GUILESS_MAIN(KlangausgabeTest)
#include "tst_klangausgabe.moc"
