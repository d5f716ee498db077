#include "logging.h"

// Debug messages are off unless QT_LOGGING_RULES="findolin.scoring.debug=true" asks for them.
Q_LOGGING_CATEGORY(lcScoring, "findolin.scoring", QtInfoMsg)
