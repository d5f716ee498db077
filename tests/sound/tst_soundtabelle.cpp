// The sound table read from "[Sound]" of the framework's configuration file, and which events make a sound.
#include "platform/audio/recordingsoundplayer.h"
#include "platform/cp1252.h"
#include "platform/files.h"
#include "sound/soundmodul.h"
#include "testdata.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace findolin;
using platform::QtFileSystem;
using platform::RecordingSoundPlayer;

class SoundTabelleTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void tabelleOhneDatei();
    void echteRahmendatei_data();
    void echteRahmendatei();
    void abschnittSound_data();
    void abschnittSound();
    void fehlendeDateiMachtAllesStumm();
    void erneutesLesenBeginntLeer();
    void spieltDasEreignis();
    void tonAusSpieltNichts();
    void schliessenSchliesstDenPlayer();

private:
    // Writes "Omnor.ini" as the framework does: Windows code page, CR LF.
    void schreibeIni(const QStringList& zeilen);

    std::unique_ptr<QTemporaryDir> dir_;
    Pfade pfade_;
    QtFileSystem dateien_;
    RecordingSoundPlayer player_;
    qint16 einstTon_ = 1;
};

void SoundTabelleTest::init() {
    dir_ = std::make_unique<QTemporaryDir>(); // each case starts without a configuration file
    QVERIFY(dir_->isValid());
    pfade_ = Pfade::ausProgrammordner(dir_->path());
    player_ = {};
    einstTon_ = 1;
}

void SoundTabelleTest::schreibeIni(const QStringList& zeilen) {
    QFile datei(pfade_.imProgrammordner(QStringLiteral("Omnor.ini")));
    QVERIFY(datei.open(QIODevice::WriteOnly | QIODevice::Truncate));
    datei.write(nachWindows1252(zeilen.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
}

void SoundTabelleTest::tabelleOhneDatei() {
    SoundModul sound(player_, pfade_, einstTon_);
    const QStringList erwartet = {"ProgrammStart",  "ProgrammEnde", "ProgrammMeldung",   "Gratulation1",
                                  "Gratulation2",   "Achtung",      "AllgemeinerFehler", "LeichterFehler",
                                  "SchwererFehler", "Annahme1",     "Annahme2",          "Glückstreffer",
                                  "BewegungStart",  "BewegungStop", "BewegungEnde"};
    QCOMPARE(int(sound.soundTab().size()), erwartet.size());
    for (int i = 0; i < erwartet.size(); ++i) {
        QCOMPARE(sound.soundTab()[i].ereignis, erwartet[i]);
        QCOMPARE(sound.soundTab()[i].datei, QStringLiteral("<NULL>"));
    }
}

void SoundTabelleTest::echteRahmendatei_data() {
    QTest::addColumn<QString>("ereignis");
    QTest::addColumn<QString>("datei");
    QTest::newRow("plain") << "ProgrammStart"
                           << "Fanfare";
    QTest::newRow("last of the section") << "BewegungEnde"
                                         << "Muenze";
    QTest::newRow("blanks around =") << "Gratulation1"
                                     << "<NULL>";
    QTest::newRow("blank before =") << "Annahme2"
                                    << "<NULL>";
    QTest::newRow("neighbour of a blank row") << "Gratulation2"
                                              << "Applaus2";
    QTest::newRow("<NULL> value") << "LeichterFehler"
                                  << "<NULL>";
    QTest::newRow("umlaut in the code page") << "Glückstreffer"
                                             << "Harfe";
}

void SoundTabelleTest::echteRahmendatei() {
    REQUIRE_TESTDATA("framework/Omnor.ini");
    QFETCH(QString, ereignis);
    QFETCH(QString, datei);
    const Pfade rahmen = Pfade::ausProgrammordner(testdataFile(QStringLiteral("framework")));
    SoundModul sound(player_, rahmen, einstTon_);
    sound.loadSoundIni(dateien_);
    QCOMPARE(sound.dateiFuer(ereignis), datei);
}

void SoundTabelleTest::abschnittSound_data() {
    QTest::addColumn<QStringList>("zeilen");
    QTest::addColumn<QString>("datei"); // what "Achtung" gets

    const QString s = QStringLiteral("[Sound]");
    QTest::newRow("plain") << QStringList{s, "Achtung=Glocke"} << "Glocke";
    QTest::newRow("blank before =") << QStringList{s, "Achtung =Glocke"} << "<NULL>";
    QTest::newRow("blanks after = and at the end") << QStringList{s, "Achtung=   Glocke  "} << "Glocke";
    QTest::newRow("a tab is no blank") << QStringList{s, "Achtung=\tGlocke"} << "\tGlocke";
    QTest::newRow("value containing =") << QStringList{s, "Achtung=Glocke=laut"} << "Glocke=laut";
    QTest::newRow("empty value") << QStringList{s, "Achtung="} << "";
    QTest::newRow("<NULL>") << QStringList{s, "Achtung=<NULL>"} << "<NULL>";
    QTest::newRow("name in other case") << QStringList{s, "achtung=Glocke"} << "<NULL>";
    QTest::newRow("comment and blank lines") << QStringList{s, "; Klänge", "", "Achtung=Glocke"} << "Glocke";
    QTest::newRow("repeated: later wins") << QStringList{s, "Achtung=Glocke", "Achtung=Gong"} << "Gong";
    QTest::newRow("next section ends the reading")
        << QStringList{s, "Achtung=Glocke", "[Findolin]", "Achtung=Gong"} << "Glocke";
    QTest::newRow("second section right after") << QStringList{s, "[Andere]", "Achtung=Glocke"} << "<NULL>";
    QTest::newRow("a second [Sound] later is never read")
        << QStringList{s, "Achtung=Glocke", "[Andere]", s, "Achtung=Gong"} << "Glocke";
    QTest::newRow("before the section") << QStringList{"Achtung=Glocke", s} << "<NULL>";
    QTest::newRow("no [Sound] section") << QStringList{"[Spiele]", "Achtung=Glocke"} << "<NULL>";
    QTest::newRow("header with a trailing blank") << QStringList{"[Sound] ", "Achtung=Glocke"} << "<NULL>";
    QTest::newRow("header in other case") << QStringList{"[SOUND]", "Achtung=Glocke"} << "<NULL>";
}

void SoundTabelleTest::abschnittSound() {
    QFETCH(QStringList, zeilen);
    QFETCH(QString, datei);
    schreibeIni(zeilen);
    SoundModul sound(player_, pfade_, einstTon_);
    sound.loadSoundIni(dateien_);
    QCOMPARE(sound.dateiFuer(QStringLiteral("Achtung")), datei);
}

void SoundTabelleTest::fehlendeDateiMachtAllesStumm() {
    SoundModul sound(player_, pfade_, einstTon_);
    sound.loadSoundIni(dateien_);
    for (const SoundEintrag& eintrag : sound.soundTab())
        QCOMPARE(eintrag.datei, QStringLiteral("<NULL>"));
}

void SoundTabelleTest::erneutesLesenBeginntLeer() {
    SoundModul sound(player_, pfade_, einstTon_);
    schreibeIni({"[Sound]", "Achtung=Glocke", "Annahme1=Plopp"});
    sound.loadSoundIni(dateien_);
    schreibeIni({"[Sound]", "Annahme1=Tock"});
    sound.loadSoundIni(dateien_);
    QCOMPARE(sound.dateiFuer(QStringLiteral("Achtung")), QStringLiteral("<NULL>"));
    QCOMPARE(sound.dateiFuer(QStringLiteral("Annahme1")), QStringLiteral("Tock"));
}

void SoundTabelleTest::spieltDasEreignis() {
    schreibeIni({"[Sound]", "Glückstreffer=Harfe", "Achtung=<NULL>", "Gratulation2=Applaus"});
    SoundModul sound(player_, pfade_, einstTon_);
    sound.loadSoundIni(dateien_);
    sound.playSound(QStringLiteral("Glückstreffer"));
    sound.playSound(QStringLiteral("Achtung"));      // no sound assigned
    sound.playSound(QStringLiteral("Gratulation1")); // only its neighbour has one
    QCOMPARE(player_.played, QStringList{dir_->filePath(QStringLiteral("Sound/Harfe.WAV"))});
}

void SoundTabelleTest::tonAusSpieltNichts() {
    schreibeIni({"[Sound]", "Achtung=Glocke", "ProgrammEnde=Abschied"});
    SoundModul sound(player_, pfade_, einstTon_);
    sound.loadSoundIni(dateien_);
    einstTon_ = 0;
    for (const SoundEintrag& eintrag : sound.soundTab())
        sound.playSound(eintrag.ereignis);
    QVERIFY(player_.played.isEmpty());
    einstTon_ = 1; // the setting is read at every call: switched on in the dialog, sounds come at once
    sound.playSound(QStringLiteral("Achtung"));
    QCOMPARE(player_.played.size(), 1);
}

void SoundTabelleTest::schliessenSchliesstDenPlayer() {
    SoundModul sound(player_, pfade_, einstTon_);
    sound.schliessen();
    QCOMPARE(player_.closeCount, 1);
    QVERIFY(player_.played.isEmpty());
}

QTEST_GUILESS_MAIN(SoundTabelleTest)
#include "tst_soundtabelle.moc"
