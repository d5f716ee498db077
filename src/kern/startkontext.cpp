#include "startkontext.h"

#include "platform/files.h"

#include <QDir>

namespace findolin {

Pfade Pfade::ausProgrammordner(const QString& programmordner) {
    QString app = QDir::cleanPath(programmordner);
    // A drive root keeps no trailing separator, so that appending "/Omnor.ini" gives one separator.
    while (app.size() > 1 && app.endsWith(QLatin1Char('/')))
        app.chop(1);
    return {app, platform::imOrdner(app, QStringLiteral("User"))};
}

QString Pfade::imProgrammordner(const QString& name) const {
    return platform::imOrdner(appPfad, name);
}
QString Pfade::imUserOrdner(const QString& name) const {
    return platform::imOrdner(userPfad, name);
}

} // namespace findolin
