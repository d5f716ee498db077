// The Debian package: its installed size by part, against the installed size of the packages it depends on.
// The launcher: the time from starting findolin-start --sofort until the first dealt board, with the user's
// framework folder in place and on first use (the demo folder copied first), against the game started
// directly in the same folder with the same launch list, measured in the same run.
#include "launcher/spielordner.h"
#include "launcher/startwahl.h"
#include "prozessmessung.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

using namespace findolin::launcher;
using namespace messung;

namespace {

QString ausgabe(const QString& programm, const QStringList& argumente) {
    QProcess p;
    p.start(programm, argumente);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

void paketGroesse() {
    const QDir paketordner(QStringLiteral(FINDOLIN_PAKETORDNER));
    const QStringList pakete = paketordner.entryList({QStringLiteral("findolin_*.deb")});
    if (pakete.isEmpty()) {
        std::printf("package: none in %s (scripts/build-deb.sh makes it)\n", FINDOLIN_PAKETORDNER);
        return;
    }
    const QString deb = paketordner.filePath(pakete.first());
    const long installiert = ausgabe("dpkg-deb", {"-f", deb, "Installed-Size"}).trimmed().toLong();
    double programme = 0, demo = 0, rest = 0;
    for (const QString& zeile : ausgabe("dpkg-deb", {"-c", deb}).split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList f = zeile.split(u' ', Qt::SkipEmptyParts);
        const double kib = f.value(2).toDouble() / 1024;
        const QString pfad = f.value(5);
        (pfad.startsWith("./usr/libexec/") || pfad.startsWith("./usr/bin/") ? programme
         : pfad.startsWith("./usr/share/findolin/")                         ? demo
                                                                            : rest) += kib;
    }
    // The baseline: what the dependencies occupy on a machine that has them installed.
    long abhaengig = 0;
    int gezaehlt = 0;
    const QString depends = ausgabe("dpkg-deb", {"-f", deb, "Depends"});
    for (QString paket : depends.split(u',', Qt::SkipEmptyParts)) {
        paket = paket.section(u'(', 0, 0).trimmed();
        const QString groesse = ausgabe("dpkg-query", {"-W", "-f=${Installed-Size}", paket}).trimmed();
        abhaengig += groesse.toLong();
        gezaehlt += groesse.isEmpty() ? 0 : 1;
    }
    std::printf("package %s: %.0f KiB as a file, installed size %ld KiB (files %.0f KiB: programs %.0f, demo "
                "folder %.0f, desktop entry, icon, metadata, docs %.0f)\n",
                qPrintable(pakete.first()), QFileInfo(deb).size() / 1024.0, installiert,
                programme + demo + rest, programme, demo, rest);
    std::printf("its %d installed direct dependencies: %ld KiB; the package adds %.1f %% to them\n", gezaehlt,
                abhaengig, abhaengig ? 100.0 * installiert / abhaengig : 0.0);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    paketGroesse();

    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("FINDOLIN_AUTOMATION", FINDOLIN_FERNSTEUERUNG, 1);
    setenv("FINDOLIN_EXIT_WHEN_SHOWN", "1", 1);
    QTemporaryDir heim;
    const QByteArray daten = heim.filePath("daten").toUtf8(), erstDaten = heim.filePath("neu").toUtf8();
    setenv("XDG_CONFIG_HOME", heim.filePath("konfiguration").toUtf8().constData(), 1);
    setenv("XDG_DATA_HOME", daten.constData(), 1);

    // The launcher's first start lays out the game folder; the game is then started there with its list.
    const char* starter = FINDOLIN_LAUNCHER;
    laufe(starter, {"--sofort"}, "/");
    const QString ordner = standardSpielordner();
    QSettings leer(heim.filePath("leer.conf"), QSettings::IniFormat);
    const QByteArray liste = baueStartliste(ladeWahl(leer)).toUtf8();
    const QByteArray ordnerPfad = ordner.toUtf8();

    constexpr int runden = 15;
    std::vector<double> spiel, vorhanden, erstmals;
    for (int i = 0; i < runden; ++i) {
        setenv("FINDOLIN_FRAMEWORK_DIR", ordnerPfad.constData(), 1);
        spiel.push_back(laufe(FINDOLIN_PROGRAM, {liste.constData()}, ordnerPfad.constData()).sekunden);
        unsetenv("FINDOLIN_FRAMEWORK_DIR");
        vorhanden.push_back(laufe(starter, {"--sofort"}, "/").sekunden);
        QDir(QString::fromUtf8(erstDaten)).removeRecursively();
        setenv("XDG_DATA_HOME", erstDaten.constData(), 1);
        erstmals.push_back(laufe(starter, {"--sofort"}, "/").sekunden);
        setenv("XDG_DATA_HOME", daten.constData(), 1);
    }
    const double s = median(spiel), v = median(vorhanden), e = median(erstmals);
    std::printf(
        "start to first dealt board: game directly %.1f ms; through findolin-start %.1f ms (+%.1f ms, "
        "ratio %.2f); on first use with the copy of the demo folder %.1f ms (+%.1f ms, ratio %.2f)\n",
        s * 1e3, v * 1e3, (v - s) * 1e3, v / s, e * 1e3, (e - s) * 1e3, e / s);
    return 0;
}
