#include "logging.h"

// Warnings of the Access library are logged here; debug messages are off unless
// QT_LOGGING_RULES="findolin.db.debug=true" asks for them.
Q_LOGGING_CATEGORY(lcDb, "findolin.db", QtInfoMsg)
