#include "deutsch.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QLoggingCategory>
#include <QTranslator>

namespace findolin::platform {

namespace {
Q_LOGGING_CATEGORY(lcSprache, "findolin.platform", QtInfoMsg)
}

void sprichDeutsch(QCoreApplication& app) {
    const QLocale deutsch(QLocale::German, QLocale::Germany);
    QLocale::setDefault(deutsch);
    // Qt's translations where Qt keeps them (Debian: qt6-translations-l10n), else beside the program, where
    // a build for Windows carries them.
    const QStringList orte{
        QLibraryInfo::path(QLibraryInfo::TranslationsPath),
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("translations"))};
    auto* uebersetzung = new QTranslator(&app);
    for (const QString& ort : orte) {
        if (uebersetzung->load(deutsch, QStringLiteral("qtbase"), QStringLiteral("_"), ort)) {
            QCoreApplication::installTranslator(uebersetzung);
            qCDebug(lcSprache) << "Qt's German texts from" << uebersetzung->filePath();
            return;
        }
    }
    qCDebug(lcSprache) << "no German translation of Qt found in" << orte << "- Qt's own texts stay English";
    delete uebersetzung;
}

} // namespace findolin::platform
