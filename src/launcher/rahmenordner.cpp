#include "rahmenordner.h"

#include "logging.h"
#include "platform/dateisystem.h"
#include "platform/files.h"
#include "platform/laufzeitfehler.h"
#include "startup/lesehilfen.h"
#include "startup/rahmendateien.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QStandardPaths>

namespace findolin::launcher {

Installation Installation::neben(const QString& launcherOrdner) {
    const QDir ordner(launcherOrdner);
    const QString installiert = ordner.absoluteFilePath(QStringLiteral("../libexec/findolin/findolin"));
    if (QFileInfo::exists(installiert))
        return {QDir::cleanPath(installiert),
                QDir::cleanPath(ordner.absoluteFilePath(QStringLiteral("../share/findolin/omnor")))};
#ifdef Q_OS_WIN
    const QString spiel = QStringLiteral("omnor/findolin.exe");
#else
    const QString spiel = QStringLiteral("omnor/findolin");
#endif
    return {ordner.absoluteFilePath(spiel), ordner.absoluteFilePath(QStringLiteral("omnor"))};
}

QString standardRahmenordner() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .absoluteFilePath(QStringLiteral("findolin/omnor"));
}

namespace {

// Copies the folder's files, not the programs that lie beside them in the build tree.
void kopiereOrdner(const QString& quelle, const QString& ziel) {
    if (!QFileInfo(quelle).isDir())
        throw Laufzeitfehler(QStringLiteral("Der Demo-Ordner fehlt"), QDir::toNativeSeparators(quelle));
    QDirIterator it(quelle, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo datei(it.next());
        if (datei.isExecutable())
            continue;
        const QString nach = QDir(ziel).filePath(QDir(quelle).relativeFilePath(datei.filePath()));
        if (!QDir().mkpath(QFileInfo(nach).path()) || !QFile::copy(datei.filePath(), nach))
            throw Laufzeitfehler(QStringLiteral("Der Demo-Ordner lässt sich nicht kopieren"),
                                 QDir::toNativeSeparators(nach));
        // The game rewrites its settings and high-score list: the copy belongs to the user.
        QFile::setPermissions(nach,
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    }
    QDir().mkpath(QDir(ziel).filePath(QStringLiteral("User")));
}

} // namespace

QString bereiteRahmenordnerVor(const Startwahl& wahl, const Installation& installation) {
    if (!wahl.rahmenordner.isEmpty())
        return wahl.rahmenordner;
    const QString ordner = standardRahmenordner();
    if (QFileInfo::exists(ordner))
        return ordner;
    // Into a folder of its own first, so that an interrupted copy is never taken for a whole one.
    const QString neu = ordner + QStringLiteral(".neu");
    QDir(neu).removeRecursively();
    try {
        kopiereOrdner(installation.vorlage, neu);
    } catch (...) {
        QDir(neu).removeRecursively();
        throw;
    }
    if (!QDir().rename(neu, ordner))
        throw Laufzeitfehler(QStringLiteral("Der Demo-Ordner lässt sich nicht anlegen"),
                             QDir::toNativeSeparators(ordner));
    qCDebug(lcLauncher) << "copied the demo folder" << installation.vorlage << "to" << ordner;
    return ordner;
}

QList<Schwerpunkt> leseSchwerpunkte(const QString& rahmenordner) {
    platform::QtFileSystem dateien;
    const QString pfad = platform::imOrdner(rahmenordner, QStringLiteral("Omnor.tsp"));
    if (!dateien.exists(pfad))
        throw Laufzeitfehler(QStringLiteral("Der Ordner enthält keine Liste der Übungsschwerpunkte"),
                             QDir::toNativeSeparators(pfad));
    FeldLeser leser(leseTextdatei(dateien, pfad), QDir::toNativeSeparators(pfad));
    QList<Schwerpunkt> liste;
    while (!leser.amEnde()) {
        Schwerpunkt s;
        s.titel = leser.naechstesFeld();
        s.feldName = leser.naechstesFeld();
        liste.append(s);
    }
    return liste;
}

void legeErgebnisdateienAn(const QString& rahmenordner, const QStringList& kennungen) {
    const QString user = platform::imOrdner(rahmenordner, QStringLiteral("User"));
    QDir().mkpath(user);
    for (const QString& kennung : kennungen) {
        const QString datei = platform::imOrdner(user, kennung + QStringLiteral(".tmp"));
        if (QFileInfo::exists(datei))
            continue;
        platform::dateisystem::legeLeerAn(datei,
                                          QStringLiteral("Die Ergebnisdatei lässt sich nicht anlegen"));
        qCDebug(lcLauncher) << "new result file" << datei;
    }
}

Startbereit bereiteStartVor(const Startwahl& wahl, const Installation& installation) {
    const QString ordner = bereiteRahmenordnerVor(wahl, installation);
    const QStringList namen = mitspieler(wahl);
    QStringList kennungen;
    for (int i = 0; i < namen.size(); ++i)
        kennungen.append(spielerKennung(namen[i], i + 1));
    legeErgebnisdateienAn(ordner, kennungen);
    return {ordner, baueStartliste(wahl, waehleSchwerpunkt(leseSchwerpunkte(ordner), wahl.schwerpunkt))};
}

} // namespace findolin::launcher
