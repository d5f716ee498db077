// The sound output on Windows, through WinMM: the samples go to the wave mapper as one buffer; the driver
// sets an event when the buffer has been played (WOM_DONE), and the played position tells how far the sound
// has been heard before that.
#include "tonausgabe.h"

#include <QObject>
#include <QWinEventNotifier>

#include <windows.h>

#include <mmsystem.h>

#include <mmreg.h>

namespace findolin::platform {

namespace {

// The sub-format GUIDs of WAVEFORMATEXTENSIBLE: the format's tag in the first two bytes.
GUID unterformat(WORD tag) {
    return GUID{tag, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
}

WAVEFORMATEXTENSIBLE formatVon(const WavDaten& wav) {
    const bool fliess = wav.format == WavDaten::Format::Float;
    WAVEFORMATEXTENSIBLE f{};
    f.Format.wFormatTag = WAVE_FORMAT_EXTENSIBLE;
    f.Format.nChannels = WORD(wav.kanaele);
    f.Format.nSamplesPerSec = DWORD(wav.abtastrate);
    f.Format.nBlockAlign = WORD(wav.bytesProFrame());
    f.Format.nAvgBytesPerSec = DWORD(wav.abtastrate) * f.Format.nBlockAlign;
    f.Format.wBitsPerSample = WORD(wav.bytesProFrame() / wav.kanaele * 8);
    f.Format.cbSize = sizeof(WAVEFORMATEXTENSIBLE) - sizeof(WAVEFORMATEX);
    f.Samples.wValidBitsPerSample = f.Format.wBitsPerSample;
    f.dwChannelMask = 0; // the channels in the order the driver takes them
    f.SubFormat = unterformat(fliess ? WAVE_FORMAT_IEEE_FLOAT : WAVE_FORMAT_PCM);
    // Mono and stereo PCM and float in the plain form, which every driver knows.
    if (wav.kanaele <= 2 && wav.format != WavDaten::Format::Int32) {
        f.Format.wFormatTag = fliess ? WAVE_FORMAT_IEEE_FLOAT : WAVE_FORMAT_PCM;
        f.Format.cbSize = 0;
    }
    return f;
}

QString mmFehler(MMRESULT fehler) {
    wchar_t text[MAXERRORLENGTH] = {};
    waveOutGetErrorTextW(fehler, text, MAXERRORLENGTH);
    return QStringLiteral("%1 (%2)").arg(QString::fromWCharArray(text)).arg(fehler);
}

class WinmmTonausgabe : public Tonausgabe {
public:
    WinmmTonausgabe(const WavDaten& wav, const QByteArray& samples)
        : daten_(samples), bytesProFrame_(wav.bytesProFrame()), abtastrate_(wav.abtastrate),
          ereignis_(CreateEventW(nullptr, FALSE, FALSE, nullptr)), melder_(ereignis_) {}

    ~WinmmTonausgabe() override {
        melder_.setEnabled(false);
        if (geraet_) {
            waveOutReset(geraet_); // marks the buffer done, played or not
            waveOutUnprepareHeader(geraet_, &kopf_, sizeof kopf_);
            waveOutClose(geraet_);
        }
        CloseHandle(ereignis_);
    }

    MMRESULT starte(const WAVEFORMATEXTENSIBLE& format) {
        MMRESULT r =
            waveOutOpen(&geraet_, WAVE_MAPPER, &format.Format, DWORD_PTR(ereignis_), 0, CALLBACK_EVENT);
        if (r != MMSYSERR_NOERROR) {
            geraet_ = nullptr;
            return r;
        }
        kopf_.lpData = daten_.data();
        kopf_.dwBufferLength = DWORD(daten_.size());
        r = waveOutPrepareHeader(geraet_, &kopf_, sizeof kopf_);
        if (r == MMSYSERR_NOERROR) {
            vorbereitet_ = true;
            r = waveOutWrite(geraet_, &kopf_, sizeof kopf_);
        }
        return r;
    }

    QWinEventNotifier& melder() { return melder_; }

    qint64 gespieltUs() const override {
        MMTIME zeit{};
        zeit.wType = TIME_SAMPLES;
        if (waveOutGetPosition(geraet_, &zeit, sizeof zeit) != MMSYSERR_NOERROR)
            return 0;
        // a driver may answer in another unit than asked for
        qint64 frames = 0;
        if (zeit.wType == TIME_SAMPLES)
            frames = zeit.u.sample;
        else if (zeit.wType == TIME_BYTES)
            frames = zeit.u.cb / bytesProFrame_;
        else if (zeit.wType == TIME_MS)
            return qint64(zeit.u.ms) * 1000;
        return frames * 1'000'000 / abtastrate_;
    }
    bool fertig() const override { return vorbereitet_ && (kopf_.dwFlags & WHDR_DONE); }
    QString fehler() const override { return {}; }

private:
    QByteArray daten_;
    int bytesProFrame_;
    int abtastrate_;
    HANDLE ereignis_;
    QWinEventNotifier melder_;
    HWAVEOUT geraet_ = nullptr;
    WAVEHDR kopf_{};
    bool vorbereitet_ = false;
};

} // namespace

std::unique_ptr<Tonausgabe> starteTon(const WavDaten& wav, const QByteArray& samples, QObject* kontext,
                                      std::function<void()> geaendert, Ausgabefehler& warum) {
    if (waveOutGetNumDevs() == 0) {
        warum = {QStringLiteral("no device"), QStringLiteral("no audio output, the game stays silent")};
        return nullptr;
    }
    auto ausgabe = std::make_unique<WinmmTonausgabe>(wav, samples);
    QObject::connect(&ausgabe->melder(), &QWinEventNotifier::activated, kontext,
                     [geaendert](HANDLE) { geaendert(); });
    if (const MMRESULT r = ausgabe->starte(formatVon(wav)); r != MMSYSERR_NOERROR) {
        warum = {QStringLiteral("error %1").arg(r),
                 QStringLiteral("audio output cannot be opened: %1").arg(mmFehler(r))};
        return nullptr;
    }
    return ausgabe;
}

} // namespace findolin::platform
