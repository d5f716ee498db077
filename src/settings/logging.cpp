#include "logging.h"

Q_LOGGING_CATEGORY(lcSettings, "findolin.settings", QtInfoMsg)
