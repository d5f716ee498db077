#pragma once

#include "tonausgabe.h"

#include <QObject>
#include <QSet>
#include <QTimer>
#include <memory>

namespace findolin::platform {

// Plays one WAV file at a time on the thread it lives on, through the platform's output (tonausgabe.h).
//
// An output reports "idle" as soon as it has handed the last byte on, while the sound server or the driver
// still holds a buffer's worth of sound; stopping it then would cut off the end (the cause of clipped sounds
// with QSoundEffect). So the samples get a little silence appended, and the output is stopped only once its
// played position has passed the last real sample, once it has played everything, or after a generous safety
// time. The position is checked from the start, when the sound should be at its end, not when the output has
// gone idle (that came a buffer and the silence late).
class Wiedergabe : public QObject {
    Q_OBJECT
public:
    explicit Wiedergabe(QObject* parent = nullptr);
    ~Wiedergabe() override;

public slots:
    void spiele(const QString& wavPfad);
    void schliesse();

public:
    // How long the sound still plays until it has been heard to its end, 0 when none plays.
    qint64 restUs() const;

signals:
    // The sound has ended: `ganz` when it played to its last sample, otherwise it was cut off or never
    // played.
    void beendet(const QString& wavPfad, bool ganz);

private:
    void ausgabeGeaendert();
    void pruefeAusklang();
    void beende(bool ganz);
    // Logs each distinct problem once per run, so a missing sound card does not flood the log.
    void meldeEinmal(const QString& schluessel, const QString& text);

    std::unique_ptr<Tonausgabe> ausgabe_;
    QString pfad_;
    qint64 dauerUs_ = 0;
    QTimer ausklang_;
    QTimer sicherheit_;
    QSet<QString> gemeldet_;
};

} // namespace findolin::platform
