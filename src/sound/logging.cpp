#include "logging.h"

// Debug messages are off unless QT_LOGGING_RULES="findolin.sound.debug=true" asks for them.
Q_LOGGING_CATEGORY(lcSound, "findolin.sound", QtInfoMsg)
