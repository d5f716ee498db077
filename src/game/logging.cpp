#include "logging.h"

Q_LOGGING_CATEGORY(lcGame, "findolin.game", QtInfoMsg)
