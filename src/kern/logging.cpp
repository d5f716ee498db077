#include "logging.h"

Q_LOGGING_CATEGORY(lcLesen, "findolin.startup", QtInfoMsg)
