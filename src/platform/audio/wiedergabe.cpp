#include "wiedergabe.h"

#include "platform/files.h"

#include "logging.h"
#include "platform/dateisystem.h"
#include "platform/laufzeitfehler.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QFile>
#include <QMediaDevices>
#include <algorithm>

namespace findolin::platform {

namespace {

// Silence after the last sample: the played position can only pass the sound's end when more follows it.
constexpr qint64 nachlaufUs = 250'000;
// How far the played position must be past the end before the sink may stop.
constexpr qint64 reserveUs = 20'000;
// The server's buffer we ask for; short enough that a short sound starts at once.
constexpr qint64 pufferUs = 100'000;
// If the played position never arrives, the sink stops this long after the sound's length.
constexpr int sicherheitMs = 3000;

QAudioFormat::SampleFormat qtFormat(WavDaten::Format format) {
    switch (format) {
    case WavDaten::Format::UInt8:
        return QAudioFormat::UInt8;
    case WavDaten::Format::Int16:
        return QAudioFormat::Int16;
    case WavDaten::Format::Int32:
        return QAudioFormat::Int32;
    case WavDaten::Format::Float:
        break;
    }
    return QAudioFormat::Float;
}

QByteArray stille(const WavDaten& wav, qint64 mikrosekunden) {
    const qint64 frames = wav.abtastrate * mikrosekunden / 1'000'000;
    // Unsigned 8-bit samples are silent at their middle value.
    const char null = wav.format == WavDaten::Format::UInt8 ? char(0x80) : char(0);
    return QByteArray(frames * wav.bytesProFrame(), null);
}

} // namespace

Wiedergabe::Wiedergabe(QObject* parent) : QObject(parent), ausklang_(this), sicherheit_(this) {
    ausklang_.setSingleShot(true);
    ausklang_.setTimerType(Qt::PreciseTimer);
    connect(&ausklang_, &QTimer::timeout, this, &Wiedergabe::pruefeAusklang);
    sicherheit_.setSingleShot(true);
    connect(&sicherheit_, &QTimer::timeout, this, [this] { beende(false); });
}

Wiedergabe::~Wiedergabe() {
    schliesse();
}

void Wiedergabe::spiele(const QString& wavPfad) {
    if (sink_)
        beende(false); // a new sound cuts off the one still playing
    pfad_ = wavPfad;
    QByteArray inhalt;
    try {
        // sound files are matched without regard to case, as pictures are; a fifo is not waited for
        const QString gefunden = findeDatei(wavPfad);
        inhalt = dateisystem::liesGewoehnlich(gefunden.isEmpty() ? wavPfad : gefunden);
    } catch (const Laufzeitfehler& fehler) {
        meldeEinmal(wavPfad,
                    QStringLiteral("sound file cannot be read: %1 (%2)").arg(wavPfad, fehler.problem()));
        emit beendet(wavPfad, false);
        return;
    }
    QString grund;
    const auto wav = leseWav(inhalt, &grund);
    if (!wav || wav->samples.isEmpty()) {
        meldeEinmal(wavPfad, QStringLiteral("sound file cannot be played (%1): %2")
                                 .arg(wav ? QStringLiteral("empty") : grund, wavPfad));
        emit beendet(wavPfad, false);
        return;
    }
    const QAudioDevice geraet = QMediaDevices::defaultAudioOutput();
    if (geraet.isNull()) {
        meldeEinmal(QStringLiteral("no device"), QStringLiteral("no audio output, the game stays silent"));
        emit beendet(wavPfad, false);
        return;
    }
    QAudioFormat format;
    format.setSampleRate(wav->abtastrate);
    format.setChannelCount(wav->kanaele);
    format.setSampleFormat(qtFormat(wav->format));

    dauerUs_ = wav->dauerMikrosekunden();
    puffer_ = std::make_unique<QBuffer>();
    puffer_->setData(wav->samples + stille(*wav, nachlaufUs));
    puffer_->open(QIODevice::ReadOnly);
    sink_ = std::make_unique<QAudioSink>(geraet, format);
    sink_->setBufferSize(format.bytesForDuration(pufferUs));
    connect(sink_.get(), &QAudioSink::stateChanged, this, &Wiedergabe::zustandGeaendert);
    sink_->start(puffer_.get());
    if (sink_->error() != QAudio::NoError) {
        meldeEinmal(QStringLiteral("error %1").arg(sink_->error()),
                    QStringLiteral("audio output cannot be opened (error %1)").arg(sink_->error()));
        beende(false);
        return;
    }
    sicherheit_.start(int(dauerUs_ / 1000) + sicherheitMs);
    pruefeAusklang();
    qCDebug(lcSoundAusgabe) << "plays" << wavPfad << dauerUs_ / 1000 << "ms";
}

qint64 Wiedergabe::restUs() const {
    return sink_ ? std::max<qint64>(dauerUs_ + reserveUs - sink_->processedUSecs(), 0) : 0;
}

void Wiedergabe::schliesse() {
    if (sink_)
        beende(false);
}

void Wiedergabe::zustandGeaendert() {
    if (!sink_)
        return;
    if (sink_->state() == QAudio::StoppedState && sink_->error() != QAudio::NoError) {
        meldeEinmal(QStringLiteral("error %1").arg(sink_->error()),
                    QStringLiteral("audio output reports error %1").arg(sink_->error()));
        beende(false);
    }
}

void Wiedergabe::pruefeAusklang() {
    if (!sink_)
        return;
    const qint64 rest = restUs();
    if (rest == 0)
        beende(true);
    else
        ausklang_.start(std::max(int(rest / 1000), 1)); // when it should be there, then again
}

void Wiedergabe::beende(bool ganz) {
    ausklang_.stop();
    sicherheit_.stop();
    if (sink_) {
        sink_->disconnect(this);
        sink_->stop();
    }
    sink_.reset();
    puffer_.reset();
    qCDebug(lcSoundAusgabe) << (ganz ? "played to the end" : "cut off") << pfad_;
    emit beendet(pfad_, ganz);
}

void Wiedergabe::meldeEinmal(const QString& schluessel, const QString& text) {
    if (gemeldet_.contains(schluessel))
        return;
    gemeldet_.insert(schluessel);
    qCWarning(lcSoundAusgabe).noquote() << text;
}

} // namespace findolin::platform
