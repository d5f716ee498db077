#include "wiedergabe.h"

#include "platform/files.h"

#include "logging.h"
#include "platform/dateisystem.h"
#include "platform/laufzeitfehler.h"

#include <QFile>
#include <algorithm>

namespace findolin::platform {

namespace {

// Silence after the last sample: the played position can only pass the sound's end when more follows it.
constexpr qint64 nachlaufUs = 250'000;
// How far the played position must be past the end before the output may stop.
constexpr qint64 reserveUs = 20'000;
// If the played position never arrives, the output stops this long after the sound's length.
constexpr int sicherheitMs = 3000;

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
    if (ausgabe_)
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
    dauerUs_ = wav->dauerMikrosekunden();
    Ausgabefehler warum;
    ausgabe_ = starteTon(
        *wav, wav->samples + stille(*wav, nachlaufUs), this, [this] { ausgabeGeaendert(); }, warum);
    if (!ausgabe_) {
        meldeEinmal(warum.schluessel, warum.text);
        emit beendet(wavPfad, false);
        return;
    }
    sicherheit_.start(int(dauerUs_ / 1000) + sicherheitMs);
    pruefeAusklang();
    qCDebug(lcSoundAusgabe) << "plays" << wavPfad << dauerUs_ / 1000 << "ms";
}

qint64 Wiedergabe::restUs() const {
    if (!ausgabe_ || ausgabe_->fertig())
        return 0;
    return std::max<qint64>(dauerUs_ + reserveUs - ausgabe_->gespieltUs(), 0);
}

void Wiedergabe::schliesse() {
    if (ausgabe_)
        beende(false);
}

void Wiedergabe::ausgabeGeaendert() {
    if (!ausgabe_)
        return;
    if (const QString fehler = ausgabe_->fehler(); !fehler.isEmpty()) {
        meldeEinmal(fehler, fehler);
        beende(false);
    } else if (ausgabe_->fertig()) {
        pruefeAusklang();
    }
}

void Wiedergabe::pruefeAusklang() {
    if (!ausgabe_)
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
    ausgabe_.reset();
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
