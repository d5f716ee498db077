// Reading the samples of WAV files as writers really lay them out.
#include "platform/audio/wavdatei.h"

#include <QFile>
#include <QTest>

using findolin::platform::leseWav;
using findolin::platform::WavDaten;

Q_DECLARE_METATYPE(WavDaten::Format)

namespace {

QByteArray u16(quint16 v) {
    return QByteArray(reinterpret_cast<const char*>(&v), 2);
}
QByteArray u32(quint32 v) {
    return QByteArray(reinterpret_cast<const char*>(&v), 4);
}

QByteArray block(const char* kennung, const QByteArray& inhalt, quint32 laenge) {
    QByteArray b = QByteArray(kennung, 4) + u32(laenge) + inhalt;
    if (inhalt.size() % 2)
        b.append('\0');
    return b;
}
QByteArray block(const char* kennung, const QByteArray& inhalt) {
    return block(kennung, inhalt, inhalt.size());
}

QByteArray fmt(quint16 art, quint16 kanaele, quint32 rate, quint16 bits) {
    const quint16 frame = kanaele * bits / 8;
    return block("fmt ", u16(art) + u16(kanaele) + u32(rate) + u32(rate * frame) + u16(frame) + u16(bits));
}

// WAVE_FORMAT_EXTENSIBLE: the real format is the start of the sub-format GUID.
QByteArray fmtErweitert(quint16 art, quint16 kanaele, quint32 rate, quint16 bits) {
    const quint16 frame = kanaele * bits / 8;
    const QByteArray guid = u16(art) + QByteArray::fromHex("000000001000800000aa00389b71");
    return block("fmt ", u16(0xFFFE) + u16(kanaele) + u32(rate) + u32(rate * frame) + u16(frame) + u16(bits) +
                             u16(22) + u16(bits) + u32(kanaele == 1 ? 4 : 3) + guid);
}

QByteArray riff(const QByteArray& bloecke) {
    return "RIFF" + u32(4 + bloecke.size()) + "WAVE" + bloecke;
}

const QByteArray samples = QByteArray::fromHex("0100020003000400");

} // namespace

class WavDateiTest : public QObject {
    Q_OBJECT

private slots:
    void liestAbspielbareDateien_data();
    void liestAbspielbareDateien();
    void lehntUnbrauchbareAb_data();
    void lehntUnbrauchbareAb();
    void dauerAusFramesUndRate();
    void demoKlaenge_data();
    void demoKlaenge();
};

void WavDateiTest::liestAbspielbareDateien_data() {
    QTest::addColumn<QByteArray>("datei");
    QTest::addColumn<WavDaten::Format>("format");
    QTest::addColumn<int>("kanaele");
    QTest::addColumn<int>("rate");
    QTest::addColumn<QByteArray>("erwartet");

    QTest::newRow("16-bit mono PCM") << riff(fmt(1, 1, 22050, 16) + block("data", samples))
                                     << WavDaten::Format::Int16 << 1 << 22050 << samples;
    QTest::newRow("8-bit stereo") << riff(fmt(1, 2, 11025, 8) + block("data", samples))
                                  << WavDaten::Format::UInt8 << 2 << 11025 << samples;
    QTest::newRow("32-bit float") << riff(fmt(3, 1, 44100, 32) + block("data", samples))
                                  << WavDaten::Format::Float << 1 << 44100 << samples;
    QTest::newRow("extensible 16-bit") << riff(fmtErweitert(1, 1, 48000, 16) + block("data", samples))
                                       << WavDaten::Format::Int16 << 1 << 48000 << samples;
    // Editors put text blocks anywhere; a block of odd length is followed by a pad byte.
    QTest::newRow("odd LIST block before fmt")
        << riff(block("LIST", "INFOabc") + fmt(1, 1, 22050, 16) + block("data", samples))
        << WavDaten::Format::Int16 << 1 << 22050 << samples;
    QTest::newRow("data before fmt") << riff(block("data", samples) + fmt(1, 1, 22050, 16))
                                     << WavDaten::Format::Int16 << 1 << 22050 << samples;
    // Recorders that stream leave the length open; what is in the file is played.
    QTest::newRow("data length left open") << riff(fmt(1, 1, 22050, 16) + block("data", samples, 0xFFFFFFFF))
                                           << WavDaten::Format::Int16 << 1 << 22050 << samples;
    // A cut-off file ends in half a frame, which is dropped.
    QTest::newRow("half a frame at the end") << riff(fmt(1, 2, 22050, 16)) + "data" + u32(8) + samples.left(7)
                                             << WavDaten::Format::Int16 << 2 << 22050 << samples.left(4);
}

void WavDateiTest::liestAbspielbareDateien() {
    QFETCH(QByteArray, datei);
    QFETCH(WavDaten::Format, format);
    QFETCH(int, kanaele);
    QFETCH(int, rate);
    QFETCH(QByteArray, erwartet);
    QString grund;
    const auto wav = leseWav(datei, &grund);
    QVERIFY2(wav, qPrintable(grund));
    QCOMPARE(wav->format, format);
    QCOMPARE(wav->kanaele, kanaele);
    QCOMPARE(wav->abtastrate, rate);
    QCOMPARE(wav->samples, erwartet);
}

void WavDateiTest::lehntUnbrauchbareAb_data() {
    QTest::addColumn<QByteArray>("datei");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("not RIFF") << QByteArray("RIFX\0\0\0\0WAVE", 12) + fmt(1, 1, 22050, 16);
    QTest::newRow("RIFF but not WAVE") << "RIFF" + u32(4) + "AVI ";
    QTest::newRow("no fmt block") << riff(block("data", samples));
    QTest::newRow("no data block") << riff(fmt(1, 1, 22050, 16));
    QTest::newRow("fmt block too short") << riff(block("fmt ", u16(1) + u16(1)) + block("data", samples));
    QTest::newRow("ADPCM") << riff(fmt(2, 1, 22050, 4) + block("data", samples));
    QTest::newRow("24-bit PCM") << riff(fmt(1, 1, 44100, 24) + block("data", samples));
    QTest::newRow("no channels") << riff(fmt(1, 0, 22050, 16) + block("data", samples));
    QTest::newRow("rate zero") << riff(fmt(1, 1, 0, 16) + block("data", samples));
}

void WavDateiTest::lehntUnbrauchbareAb() {
    QFETCH(QByteArray, datei);
    QString grund;
    QVERIFY(!leseWav(datei, &grund));
    QVERIFY(!grund.isEmpty());
}

void WavDateiTest::dauerAusFramesUndRate() {
    WavDaten wav;
    wav.format = WavDaten::Format::Int16;
    wav.kanaele = 2;
    wav.abtastrate = 22050;
    wav.samples = QByteArray(22050 * 4 / 2, '\0');
    QCOMPARE(wav.dauerMikrosekunden(), 500000);
}

void WavDateiTest::demoKlaenge_data() {
    QTest::addColumn<QString>("name");
    for (const char* name : {"Start", "Ende", "Meldung", "Gratulation", "Achtung", "Fehler", "Leer", "Falsch",
                             "Joker", "Treffer", "Risiko"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

// The sounds the build makes for the demo folder: short, mono, 16 bit, at a common rate.
void WavDateiTest::demoKlaenge() {
    QFETCH(QString, name);
    QFile datei(QStringLiteral(FINDOLIN_DEMO_DIR "/Sound/") + name + QStringLiteral(".WAV"));
    if (!datei.open(QIODevice::ReadOnly))
        QSKIP("the demo sounds are not built (target demo_sounds)");
    const auto wav = leseWav(datei.readAll());
    QVERIFY(wav);
    QCOMPARE(wav->format, WavDaten::Format::Int16);
    QCOMPARE(wav->kanaele, 1);
    QVERIFY(wav->abtastrate == 22050 || wav->abtastrate == 44100);
    QVERIFY(wav->dauerMikrosekunden() >= 200000 && wav->dauerMikrosekunden() <= 1500000);
}

QTEST_GUILESS_MAIN(WavDateiTest)
#include "tst_wavdatei.moc"
