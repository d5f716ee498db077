// Sound without a sound server: WAV files as writers lay them out, the event table from "[Sound]" of the
// framework's configuration file, the player module loaded in the background, and a game that stays silent.
#include "platform/audio/nachladenderplayer.h"
#include "platform/audio/qtsoundplayer.h"
#include "platform/audio/wavdatei.h"
#include "platform/cp1252.h"
#include "platform/files.h"
#include "sound/soundmodul.h"
#include "support/recordingsoundplayer.h"
#include "testdata.h"

#include <QDeadlineTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace findolin;

namespace {

const auto u16 = [](quint16 v) { return QByteArray(reinterpret_cast<const char*>(&v), 2); };
const auto u32 = [](quint32 v) { return QByteArray(reinterpret_cast<const char*>(&v), 4); };
// A RIFF block; one of odd length is followed by a pad byte.
QByteArray block(const char* kennung, const QByteArray& inhalt, quint32 laenge = 0) {
    return QByteArray(kennung, 4) + u32(laenge ? laenge : inhalt.size()) + inhalt +
           QByteArray(inhalt.size() % 2, '\0');
}
QByteArray fmt(quint16 art, quint16 kanaele, quint32 rate, quint16 bits, const QByteArray& mehr = {}) {
    const quint16 frame = kanaele * bits / 8;
    return block("fmt ",
                 u16(art) + u16(kanaele) + u32(rate) + u32(rate * frame) + u16(frame) + u16(bits) + mehr);
}
const auto riff = [](const QByteArray& bloecke) {
    return "RIFF" + u32(4 + bloecke.size()) + "WAVE" + bloecke;
};
const QByteArray samples = QByteArray::fromHex("0100020003000400");
const QByteArray data = block("data", samples);
// The PCM sub-format GUID after its first two bytes, which name the format.
const QByteArray guidRest = QByteArray::fromHex("000000001000800000aa00389b71");

} // namespace

class SoundModulTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    Pfade pfade_ = Pfade::ausProgrammordner(dir_.path());
    platform::QtFileSystem dateien_;
    platform::RecordingSoundPlayer player_;
    qint16 einstTon_ = 1;

    QString schreibe(const QString& name, const QByteArray& inhalt) {
        QFile datei(dir_.filePath(name));
        if (!datei.open(QIODevice::WriteOnly | QIODevice::Truncate) || datei.write(inhalt) != inhalt.size())
            qFatal("cannot write %s", qPrintable(datei.fileName()));
        return datei.fileName();
    }

private slots:
    void initTestCase() {
        // A sound server that does not exist: this process has no sound output.
        qputenv("PULSE_SERVER", QFile::encodeName("unix:" + dir_.filePath("nirgends")));
    }

    // What the reader makes of a file: format, channels, rate and length; nothing from a file it cannot play.
    void leseWav_data() {
        QTest::addColumn<QByteArray>("datei");
        QTest::addColumn<QString>("befund");
        QTest::newRow("16-bit mono PCM") << riff(fmt(1, 1, 8000, 16) + data) << "Int16 1 8000 500";
        QTest::newRow("8-bit stereo") << riff(fmt(1, 2, 4000, 8) + data) << "UInt8 2 4000 1000";
        QTest::newRow("32-bit float") << riff(fmt(3, 1, 4000, 32) + data) << "Float 1 4000 500";
        // WAVE_FORMAT_EXTENSIBLE: the real format is the start of the sub-format GUID.
        QTest::newRow("extensible 16-bit")
            << riff(fmt(0xFFFE, 1, 48000, 16, u16(22) + u16(16) + u32(4) + u16(1) + guidRest) + data)
            << "Int16 1 48000 83";
        // Editors put text blocks anywhere.
        QTest::newRow("odd LIST block before fmt")
            << riff(block("LIST", "INFOabc") + fmt(1, 1, 8000, 16) + data) << "Int16 1 8000 500";
        QTest::newRow("data before fmt") << riff(data + fmt(1, 1, 8000, 16)) << "Int16 1 8000 500";
        // Recorders that stream leave the length open; what is in the file is played.
        QTest::newRow("data length left open")
            << riff(fmt(1, 1, 8000, 16) + block("data", samples, 0xFFFFFFFF)) << "Int16 1 8000 500";
        // A cut-off file ends in half a frame, which is dropped.
        QTest::newRow("half a frame at the end")
            << riff(fmt(1, 2, 8000, 16)) + "data" + u32(8) + samples.left(7) << "Int16 2 8000 125";
        QTest::newRow("empty") << QByteArray() << "";
        QTest::newRow("not RIFF") << QByteArray("RIFX\0\0\0\0WAVE", 12) + fmt(1, 1, 22050, 16) << "";
        QTest::newRow("RIFF but not WAVE") << "RIFF" + u32(4) + "AVI "
                                           << "";
        QTest::newRow("no fmt block") << riff(data) << "";
        QTest::newRow("no data block") << riff(fmt(1, 1, 22050, 16)) << "";
        QTest::newRow("fmt block too short") << riff(block("fmt ", u16(1) + u16(1)) + data) << "";
        QTest::newRow("ADPCM") << riff(fmt(2, 1, 22050, 4) + data) << "";
        QTest::newRow("24-bit PCM") << riff(fmt(1, 1, 44100, 24) + data) << "";
        QTest::newRow("no channels") << riff(fmt(1, 0, 22050, 16) + data) << "";
        QTest::newRow("rate zero") << riff(fmt(1, 1, 0, 16) + data) << "";
    }
    void leseWav() {
        QFETCH(QByteArray, datei);
        QString grund;
        const auto wav = platform::leseWav(datei, &grund);
        const char* formate[] = {"UInt8", "Int16", "Int32", "Float"};
        QTEST(wav ? QString::asprintf("%s %d %d %lld", formate[int(wav->format)], wav->kanaele,
                                      wav->abtastrate, wav->dauerMikrosekunden())
                  : QString(),
              "befund");
        QCOMPARE(grund.isEmpty(), bool(wav));
        QVERIFY(!wav || samples.startsWith(wav->samples)); // whole frames, from where the samples begin
    }

    // Without sound output the game plays on silently: playAsync returns at once, nothing hangs.
    void ohneGeraetStumm() {
        const QString datei =
            schreibe("Klang.WAV", riff(fmt(1, 1, 8000, 16) + block("data", QByteArray(1600, 1))));
        const QDeadlineTimer sofort(100);
        platform::QtSoundPlayer player;
        QSignalSpy ende(&player, &platform::QtSoundPlayer::soundEnded);
        for (int i = 0; i < 3; ++i)
            player.playAsync(datei);
        QVERIFY2(!sofort.hasExpired(), "playAsync must return at once");
        QVERIFY(QTest::qWaitFor([&] { return ende.size() == 3; }, 5000));
        for (const QVariantList& signal : ende)
            QCOMPARE(signal, (QVariantList{datei, false}));
        player.close();
    }

    // The player comes from a module loaded in the background; the game never waits for it.
    void nachladen_data() {
        QTest::addColumn<QString>("modul");
        QTest::addColumn<bool>("bereit");
        QTest::newRow("real module") << FINDOLIN_DEMO_DIR "/findolin_klang" << true;
        QTest::newRow("no module: silent") << "/nicht/vorhanden/findolin_klang" << false;
    }
    void nachladen() {
        QFETCH(QString, modul);
        QFETCH(bool, bereit);
        platform::NachladenderSoundPlayer ton(modul);
        ton.playAsync("/nicht/da.WAV"); // waits for the player, then plays nothing: no file
        QVERIFY(!ton.bereit());
        ton.ladeImHintergrund();
        QTRY_COMPARE_WITH_TIMEOUT(ton.bereit(), bereit, 20000);
        ton.close();
    }

    // The real framework file: its spacing variants, <NULL> values and the umlaut in the code page.
    void echteRahmendatei() {
        REQUIRE_TESTDATA("framework/Omnor.ini");
        const Pfade rahmen = Pfade::ausProgrammordner(testdataFile("framework"));
        SoundModul sound(player_, rahmen, einstTon_);
        sound.loadSoundIni(dateien_);
        // The sound setting is read at every call: switched on in the dialog, sounds come at once.
        einstTon_ = 0;
        sound.playSound("Achtung");
        QVERIFY(player_.played.isEmpty());
        einstTon_ = 1;
        QStringList tabelle, erwartet;
        for (const SoundEintrag& e : sound.soundTab()) {
            tabelle << e.ereignis + "=" + e.datei;
            sound.playSound(e.ereignis);
            if (e.datei != keinSound)
                erwartet << rahmen.imProgrammordner("Sound/" + e.datei + ".WAV");
        }
        QCOMPARE(tabelle,
                 (QStringList{"ProgrammStart=Fanfare", "ProgrammEnde=Abschied", "ProgrammMeldung=Gong",
                              "Gratulation1=<NULL>", "Gratulation2=Applaus2", "Achtung=Glocke",
                              "AllgemeinerFehler=Buzzer", "LeichterFehler=<NULL>", "SchwererFehler=<NULL>",
                              "Annahme1=Plopp", "Annahme2=<NULL>", "Glückstreffer=Harfe",
                              "BewegungStart=Klick", "BewegungStop=<NULL>", "BewegungEnde=Muenze"}));
        QCOMPARE(player_.played, erwartet);
        sound.schliessen();
        QCOMPARE(player_.closeCount, 1);
    }

    void abschnittSound_data() {
        QTest::addColumn<QStringList>("zeilen"); // no lines: no file
        QTest::addColumn<QString>("datei");      // what "Achtung" gets
        const QString s = QStringLiteral("[Sound]");
        QTest::newRow("no file") << QStringList{} << "<NULL>";
        QTest::newRow("blanks after = and at the end") << QStringList{s, "Achtung=   Glocke  "} << "Glocke";
        QTest::newRow("a tab is no blank") << QStringList{s, "Achtung=\tGlocke"} << "\tGlocke";
        QTest::newRow("value containing =") << QStringList{s, "Achtung=Glocke=laut"} << "Glocke=laut";
        QTest::newRow("empty value") << QStringList{s, "Achtung="} << "";
        QTest::newRow("name in other case") << QStringList{s, "achtung=Glocke"} << "<NULL>";
        QTest::newRow("comment and blank lines")
            << QStringList{s, "; Klänge", "", "Achtung=Glocke"} << "Glocke";
        QTest::newRow("repeated: later wins") << QStringList{s, "Achtung=Glocke", "Achtung=Gong"} << "Gong";
        QTest::newRow("next section ends the reading")
            << QStringList{s, "Achtung=Glocke", "[Findolin]", "Achtung=Gong"} << "Glocke";
        QTest::newRow("a second [Sound] later is never read")
            << QStringList{s, "Achtung=Glocke", "[Andere]", s, "Achtung=Gong"} << "Glocke";
        QTest::newRow("before the section") << QStringList{"Achtung=Glocke", s} << "<NULL>";
        QTest::newRow("header with a trailing blank")
            << QStringList{"[Sound] ", "Achtung=Glocke"} << "<NULL>";
        QTest::newRow("header in other case") << QStringList{"[SOUND]", "Achtung=Glocke"} << "<NULL>";
    }
    void abschnittSound() {
        QFETCH(QStringList, zeilen);
        // Each reading starts from an empty table.
        schreibe("Omnor.ini", "[Sound]\r\nAchtung=Vorher\r\n");
        SoundModul sound(player_, pfade_, einstTon_);
        sound.loadSoundIni(dateien_);
        QFile::remove(dir_.filePath("Omnor.ini"));
        if (!zeilen.isEmpty()) // as the framework writes it: Windows code page, CR LF
            schreibe("Omnor.ini", nachWindows1252(zeilen.join("\r\n") + "\r\n"));
        sound.loadSoundIni(dateien_);
        QTEST(sound.dateiFuer("Achtung"), "datei");
    }
};

QTEST_GUILESS_MAIN(SoundModulTest)
#include "tst_soundmodul.moc"
