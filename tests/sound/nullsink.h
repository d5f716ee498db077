#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A private PulseAudio server whose only sink is a null sink: whatever is played there can be recorded from
// its monitor, without a sound card. The server and the recorder stop with this object.
class NullSink {
public:
    static constexpr const char* sinkName = "findolin_test";

    NullSink();
    ~NullSink();

    // The programs that are missing on this machine, empty when all are there.
    static QStringList fehlendeProgramme();

    // Starts the server and points this process's sound output at it. Returns an error text, empty on
    // success.
    QString starte();
    // Records the monitor into a WAV file until stopAufnahme(); returns an error text, empty on success.
    QString starteAufnahme();
    // Ends the recording; the file then holds everything played since starteAufnahme().
    QString stopAufnahme();
    QString aufnahmePfad() const { return dir_.filePath(QStringLiteral("aufnahme.wav")); }
    QString pfad(const QString& name) const { return dir_.filePath(name); }

private:
    QProcessEnvironment umgebung() const;
    QString socket() const { return dir_.filePath(QStringLiteral("native")); }
    bool pactlMeldet(const QStringList& argumente, const QString& erwartet) const;

    QTemporaryDir dir_;
    QProcess server_;
    QProcess recorder_;
};
