#include "logging.h"

// Debug messages are off unless QT_LOGGING_RULES="findolin.computer.debug=true" asks for them.
Q_LOGGING_CATEGORY(lcComputer, "findolin.computer", QtInfoMsg)
