#include "logging.h"

Q_LOGGING_CATEGORY(lcLauncher, "findolin.launcher", QtInfoMsg)
