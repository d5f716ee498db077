#pragma once

#include <QString>

// The framework's files in the program folder, and the players' result files in its user folder.
namespace findolin::rahmen {

inline const QString omnorIni = QStringLiteral("Omnor.ini");
inline const QString uebungsliste = QStringLiteral("Omnor.tsp");
inline const QString userOrdner = QStringLiteral("User");

// A player's result file, named by the player's key from the launch list.
inline QString ergebnisDatei(const QString& kennung) {
    return kennung + QStringLiteral(".tmp");
}

} // namespace findolin::rahmen
