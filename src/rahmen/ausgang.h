#pragma once

#include <QString>
#include <cstdio>
#include <optional>

// How the game ends for whoever started it: its exit code, and the message of a refusal or a run-time error
// on standard error after a marker. Header only, so that the platform's error handling ends the process the
// same way.
namespace findolin::rahmen {

inline constexpr int exitCodeNormal = 0;
inline constexpr int exitCodeRefused = 1;      // no launch list, or one of another protocol version
inline constexpr int exitCodeRuntimeError = 2; // a missing or malformed file, a malformed launch list

inline constexpr char laufzeitfehlerMarke[] = "Laufzeitfehler: ";

// Writes the message after the marker to standard error, at once.
inline void meldeLaufzeitfehler(const QString& text) {
    std::fprintf(stderr, "%s%s\n", laufzeitfehlerMarke, qUtf8Printable(text));
    std::fflush(stderr);
}

// The message after the last marker that starts a line of the game's error output, without blanks at its
// ends; nothing when there is none.
std::optional<QString> laufzeitfehlerIn(const QString& fehlerausgabe);

} // namespace findolin::rahmen
