#include "jokerbilder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>

// jokerwmf <folder>: writes JOKER1.WMF, JOKER2.WMF and JOKER3.WMF into the folder.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream fehler(stderr);
    const QStringList argumente = QCoreApplication::arguments();
    if (argumente.size() != 2) {
        fehler << "usage: jokerwmf <folder>\n";
        return 2;
    }
    const QDir ordner(argumente[1]);
    if (!QDir().mkpath(ordner.path())) {
        fehler << "cannot create " << ordner.path() << "\n";
        return 1;
    }
    const std::pair<const char*, QByteArray> bilder[] = {{"JOKER1.WMF", findolin::tools::narrenBild()},
                                                         {"JOKER2.WMF", findolin::tools::sternBild()},
                                                         {"JOKER3.WMF", findolin::tools::clownBild()}};
    for (const auto& [name, daten] : bilder) {
        QFile datei(ordner.filePath(QString::fromLatin1(name)));
        if (!datei.open(QIODevice::WriteOnly) || datei.write(daten) != daten.size()) {
            fehler << "cannot write " << datei.fileName() << "\n";
            return 1;
        }
    }
    return 0;
}
