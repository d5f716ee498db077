#pragma once

#include <QLoggingCategory>

// The readers' warnings about the framework's text files. They keep the category they were always logged
// under, which scripts filter by.
Q_DECLARE_LOGGING_CATEGORY(lcLesen)
