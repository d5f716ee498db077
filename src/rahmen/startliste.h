#pragma once

#include "kern/startkontext.h"

namespace findolin {

// The yes/no column of the spelling database by which the game filters its words: the launch list's item for
// the practice focus always means this field, whatever value the framework gives it.
inline const QString gefiltertesFeld = QStringLiteral("LIP_");

// Whether the command line carries the framework's list at all: characters 2 to 8 read "Version".
bool istRahmenAufruf(const QString& cmd);

// Parses the launch parameter list into the launch context. False when the list is of another protocol
// version. Too few names or keys, or a sixth player, are run-time errors.
bool leseStartParameter(const QString& cmd, StartKontext& kontext);

// The launch list as the framework hands it over, with its two delimiters, for the players, keys and flags of
// the context; the practice focus is always the filtered field. A name or key must not hold ";", which ends
// every item.
QString schreibeStartParameter(const StartKontext& kontext);

} // namespace findolin
