#include "wortdatenbank.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>

// mkwortdb <word list> <database file>: builds the demo spelling database from its word list.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: mkwortdb <woerter.txt> <Omnor-D.mdb>\n");
        return 2;
    }
    QFile liste(args[1]);
    if (!liste.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "mkwortdb: cannot read %s\n", qPrintable(args[1]));
        return 1;
    }
    try {
        const auto worte = findolin::wortdb::leseWortliste(QString::fromUtf8(liste.readAll()));
        findolin::wortdb::schreibeWortDatenbank(args[2], worte);
        std::printf("mkwortdb: %lld words written to %s\n", static_cast<long long>(worte.size()),
                    qPrintable(args[2]));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "mkwortdb: %s: %s\n", qPrintable(args[1]), e.what());
        return 1;
    }
    return 0;
}
