// The sound output on Qt's audio sink.
#include "tonausgabe.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>

namespace findolin::platform {

namespace {

// The server's buffer we ask for; short enough that a short sound starts at once.
constexpr qint64 pufferUs = 100'000;

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

class QtTonausgabe : public Tonausgabe {
public:
    QtTonausgabe(const QAudioDevice& geraet, const QAudioFormat& format, const QByteArray& samples)
        : sink_(geraet, format) {
        puffer_.setData(samples);
        puffer_.open(QIODevice::ReadOnly);
        sink_.setBufferSize(format.bytesForDuration(pufferUs));
    }
    ~QtTonausgabe() override {
        sink_.disconnect();
        sink_.stop();
    }
    QAudioSink& sink() { return sink_; }
    void starte() { sink_.start(&puffer_); }

    qint64 gespieltUs() const override { return sink_.processedUSecs(); }
    bool fertig() const override { return false; } // the sink goes idle a buffer before the end: not a sign
    QString fehler() const override {
        return sink_.error() == QAudio::NoError
                   ? QString()
                   : QStringLiteral("audio output reports error %1").arg(sink_.error());
    }

private:
    QBuffer puffer_;
    QAudioSink sink_;
};

} // namespace

std::unique_ptr<Tonausgabe> starteTon(const WavDaten& wav, const QByteArray& samples, QObject* kontext,
                                      std::function<void()> geaendert, Ausgabefehler& warum) {
    const QAudioDevice geraet = QMediaDevices::defaultAudioOutput();
    if (geraet.isNull()) {
        warum = {QStringLiteral("no device"), QStringLiteral("no audio output, the game stays silent")};
        return nullptr;
    }
    QAudioFormat format;
    format.setSampleRate(wav.abtastrate);
    format.setChannelCount(wav.kanaele);
    format.setSampleFormat(qtFormat(wav.format));
    auto ausgabe = std::make_unique<QtTonausgabe>(geraet, format, samples);
    QObject::connect(&ausgabe->sink(), &QAudioSink::stateChanged, kontext,
                     [geaendert](QAudio::State zustand) {
                         if (zustand == QAudio::StoppedState)
                             geaendert();
                     });
    ausgabe->starte();
    if (ausgabe->sink().error() != QAudio::NoError) {
        warum = {QStringLiteral("error %1").arg(ausgabe->sink().error()),
                 QStringLiteral("audio output cannot be opened (error %1)").arg(ausgabe->sink().error())};
        return nullptr;
    }
    return ausgabe;
}

} // namespace findolin::platform
