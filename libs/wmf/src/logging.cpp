#include "logging.h"

// Debug messages are off unless QT_LOGGING_RULES="findolin.*.debug=true" asks for them.
Q_LOGGING_CATEGORY(lcPictures, "findolin.pictures", QtInfoMsg)
