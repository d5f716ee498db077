#include "chmbuch.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>

// chmwriter <project file> <help file>: writes the compiled help file from the project file and the pages
// beside it.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream fehlerAusgabe(stderr);
    const QStringList argumente = QCoreApplication::arguments();
    if (argumente.size() != 3) {
        fehlerAusgabe << "usage: chmwriter <project file> <help file>\n";
        return 2;
    }
    QString fehler;
    const auto buch = findolin::tools::leseProjekt(argumente[1], fehler);
    if (!buch) {
        fehlerAusgabe << fehler << "\n";
        return 1;
    }
    const QByteArray chm = findolin::chm::schreibeChm(*buch);
    if (chm.isEmpty()) {
        fehlerAusgabe << "too many files for one directory index: " << argumente[1] << "\n";
        return 1;
    }
    QDir().mkpath(QFileInfo(argumente[2]).absolutePath());
    QSaveFile datei(argumente[2]);
    if (!datei.open(QIODevice::WriteOnly) || datei.write(chm) != chm.size() || !datei.commit()) {
        fehlerAusgabe << "cannot write " << argumente[2] << "\n";
        return 1;
    }
    return 0;
}
