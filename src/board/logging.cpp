#include "logging.h"

// Debug messages are off unless QT_LOGGING_RULES="findolin.board.debug=true" asks for them.
Q_LOGGING_CATEGORY(lcBoard, "findolin.board", QtInfoMsg)
