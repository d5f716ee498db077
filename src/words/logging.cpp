#include "logging.h"

// Debug messages are off unless QT_LOGGING_RULES="findolin.words.debug=true" asks for them.
Q_LOGGING_CATEGORY(lcWords, "findolin.words", QtInfoMsg)
