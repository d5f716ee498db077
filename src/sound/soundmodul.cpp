#include "soundmodul.h"

#include "kern/lesehilfen.h"
#include "logging.h"
#include "platform/laufzeitfehler.h"
#include "rahmen/dateinamen.h"
#include "startup/rahmendateien.h"

#include <QDir>

namespace findolin {

namespace {

// The events in the order of the table; the game never plays rows 4, 7, 8 and 13, but the file may name them.
constexpr std::array<const char16_t*, nSoundEreignisse> ereignisNamen = {
    u"ProgrammStart", u"ProgrammEnde",      u"ProgrammMeldung", u"Gratulation1",   u"Gratulation2",
    u"Achtung",       u"AllgemeinerFehler", u"LeichterFehler",  u"SchwererFehler", u"Annahme1",
    u"Annahme2",      u"Glückstreffer",     u"BewegungStart",   u"BewegungStop",   u"BewegungEnde",
};

// Blanks at both ends go; tabs and other white space stay, as they are part of the name.
QString ohneRandBlanks(const QString& text) {
    qsizetype anfang = 0;
    qsizetype ende = text.size();
    while (anfang < ende && text.at(anfang) == QLatin1Char(' '))
        ++anfang;
    while (ende > anfang && text.at(ende - 1) == QLatin1Char(' '))
        --ende;
    return text.mid(anfang, ende - anfang);
}

} // namespace

SoundModul::SoundModul(platform::SoundPlayer& player, const Pfade& pfade, const qint16& einstTon)
    : player_(player), pfade_(pfade), einstTon_(einstTon) {
    initSoundTab();
}

void SoundModul::initSoundTab() {
    for (int i = 0; i < nSoundEreignisse; ++i)
        soundTab_[i] = {QString::fromUtf16(ereignisNamen[i]), keinSound};
}

void SoundModul::loadSoundIni(const platform::FileSystem& dateien) {
    initSoundTab();
    const QString pfad = pfade_.imProgrammordner(rahmen::omnorIni);
    QString text;
    try {
        text = leseTextdatei(dateien, pfad);
    } catch (const Laufzeitfehler& fehler) {
        qCWarning(lcSound).noquote() << "no sounds:" << fehler.problem() << fehler.betroffen();
        return;
    }
    leseSoundAbschnitt(text);
    // the sounds are read later, in the background, where a fifo must not be met
    for (const SoundEintrag& eintrag : soundTab_)
        if (eintrag.datei != keinSound)
            dateien.pruefeGewoehnlich(wavDatei(eintrag.datei));
}

void SoundModul::leseSoundAbschnitt(const QString& text) {
    const QStringList zeilen = zeilenVon(text);
    qsizetype i = zeilen.indexOf(QStringLiteral("[Sound]"));
    if (i < 0) {
        qCDebug(lcSound) << "no section [Sound]: every event silent";
        return;
    }
    for (++i; i < zeilen.size(); ++i) {
        const QString& zeile = zeilen.at(i);
        if (zeile.startsWith(QLatin1Char('[')))
            return;
        for (SoundEintrag& eintrag : soundTab_) {
            if (zeile.startsWith(eintrag.ereignis + QLatin1Char('='))) {
                eintrag.datei = ohneRandBlanks(wertNachGleich(zeile));
                break;
            }
        }
    }
}

QString SoundModul::dateiFuer(const QString& ereignis) const {
    for (const SoundEintrag& eintrag : soundTab_) {
        if (eintrag.ereignis == ereignis)
            return eintrag.datei;
    }
    return keinSound;
}

void SoundModul::playSound(const QString& ereignis) {
    if (einstTon_ == 0)
        return;
    const QString datei = dateiFuer(ereignis);
    qCDebug(lcSound) << "event" << ereignis << "->" << datei;
    if (datei != keinSound)
        playWave(datei);
}

QString SoundModul::wavDatei(const QString& datei) const {
    return pfade_.imProgrammordner(QStringLiteral("Sound/") + datei + QStringLiteral(".WAV"));
}

void SoundModul::playWave(const QString& datei) {
    player_.playAsync(wavDatei(datei));
}

void SoundModul::schliessen() {
    player_.close();
}

} // namespace findolin
