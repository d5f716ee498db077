#include "logging.h"

// The sound output shares its category with the sound table; off unless QT_LOGGING_RULES asks for it.
Q_LOGGING_CATEGORY(lcSoundAusgabe, "findolin.sound", QtInfoMsg)
