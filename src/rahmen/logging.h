#pragma once

#include <QLoggingCategory>

// What the game read from the framework. Logged under the start-up's category, which scripts filter by.
Q_DECLARE_LOGGING_CATEGORY(lcRahmen)
