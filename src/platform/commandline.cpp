#include "commandline.h"

#include <QProcess>
#include <QStringList>

#ifdef _WIN32
#include <windows.h>
#endif

namespace findolin::platform {

QString commandLineArguments(int argc, char** argv) {
#ifdef _WIN32
    Q_UNUSED(argc);
    Q_UNUSED(argv);
    const QString roh = QString::fromWCharArray(GetCommandLineW());
    // Skip the program name, quoted or not, and the blanks after it.
    qsizetype i = 0;
    if (roh.startsWith(QLatin1Char('"'))) {
        i = roh.indexOf(QLatin1Char('"'), 1);
        i = i < 0 ? roh.size() : i + 1;
    } else {
        while (i < roh.size() && roh[i] != QLatin1Char(' ') && roh[i] != QLatin1Char('\t'))
            ++i;
    }
    while (i < roh.size() && (roh[i] == QLatin1Char(' ') || roh[i] == QLatin1Char('\t')))
        ++i;
    return roh.mid(i);
#else
    QStringList teile;
    for (int i = 1; i < argc; ++i)
        teile.append(QString::fromLocal8Bit(argv[i]));
    return teile.join(QLatin1Char(' '));
#endif
}

void setzeStartliste(QProcess& prozess, const QString& startliste) {
#ifdef _WIN32
    prozess.setArguments({});
    prozess.setNativeArguments(startliste);
#else
    prozess.setArguments({startliste});
#endif
}

} // namespace findolin::platform
