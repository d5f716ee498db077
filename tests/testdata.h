#pragma once

#include <QDir>
#include <QString>
#include <QTest>

// The shared real files live beside the checkout; a test that needs them skips when they are absent.
inline QString testdataDir() {
    return QStringLiteral(FINDOLIN_TESTDATA_DIR);
}

inline QString testdataFile(const QString& relative) {
    return QDir(testdataDir()).filePath(relative);
}

#define REQUIRE_TESTDATA(relative)                                                                           \
    do {                                                                                                     \
        if (!QFileInfo::exists(testdataFile(relative)))                                                      \
            QSKIP(qPrintable(QStringLiteral("shared test data not found: ") + testdataFile(relative)));      \
    } while (false)
