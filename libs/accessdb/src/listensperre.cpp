#include "listensperre.h"
#include "pruefpunkte.h"

#include "logging.h"
#include "platform/dateisystem.h"
#include "platform/laufzeitfehler.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSysInfo>

namespace findolin::accessdb {

namespace {

namespace ds = platform::dateisystem;

constexpr qint64 exklusiv = 0x10000000; // an exclusive opening; the users' bytes follow it
constexpr qint64 nutzer = 255;
constexpr int eintrag = 64; // per user: the computer name (32 bytes), then the account name (32 bytes)

QByteArray feld(const QString& text) {
    QByteArray bytes = text.toLatin1().left(31);
    bytes.resize(32, '\0');
    return bytes;
}

// Work files that writers killed on the way left beside the database: copies and new lists, with their
// journals, ours of an earlier name included.
void entferneVerwaiste(const QString& datenbank) {
    const QFileInfo info(datenbank);
    const QString anfang = info.fileName() + u'.';
    const QDir ordner = info.dir();
    for (const QString& name : ordner.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (!name.startsWith(anfang) ||
            !(name.endsWith(QLatin1String(".neu")) || name.endsWith(QLatin1String(".neu-journal"))))
            continue;
        qCDebug(lcDb).noquote() << "left over by a writer that was stopped, removed:"
                                << ordner.filePath(name);
        QFile::remove(ordner.filePath(name));
    }
}

} // namespace

QString sperrDatei(const QString& datenbank) {
    const QFileInfo info(datenbank);
    const QString klein = info.dir().filePath(info.completeBaseName() + QStringLiteral(".ldb"));
    const QString gross = info.dir().filePath(info.completeBaseName() + QStringLiteral(".LDB"));
    return !QFileInfo::exists(klein) && QFileInfo::exists(gross) ? gross : klein;
}

QString arbeitsDatei(const QString& datenbank) {
    static const QString kennung =
        QStringLiteral("%1-%2")
            .arg(QCoreApplication::applicationPid())
            .arg(QRandomGenerator::system()->generate() & 0xffff, 4, 16, QLatin1Char('0'));
    return datenbank + u'.' + kennung + QStringLiteral(".neu");
}

ListenSperre::ListenSperre(const QString& datenbank) : datenbank_(datenbank), pfad_(sperrDatei(datenbank)) {
    const qint64 frist = ds::echteMillisekunden() + sperrWarteMs();
    for (;;) {
        const QString grund = datei_.oeffne(pfad_);
        if (grund.isEmpty() && datei_.sperre(exklusiv, 1 + nutzer)) {
            if (datei_.istNoch(pfad_))
                break;
            // the last holder removed the file as it let go; the next one is made anew
            datei_.schliesse();
            continue;
        }
        const QString wer = grund.isEmpty() ? werHaelt() : QString();
        datei_.schliesse();
        // one that cannot be made will not be made by waiting; one that is there may be on its way out
        const bool warten = grund.isEmpty() || ds::art(pfad_) != ds::Art::Fehlt;
        if (warten && ds::echteMillisekunden() < frist) {
            ds::schlafe(20);
            continue;
        }
        if (!grund.isEmpty())
            throw Laufzeitfehler(QStringLiteral("Die Sperrdatei ") + QFileInfo(pfad_).fileName() +
                                     QStringLiteral(" kann nicht angelegt werden: ") + grund,
                                 datenbank_);
        throw Laufzeitfehler(QStringLiteral("Die Datenbank ist in einem anderen Programm geöffnet (") +
                                 QFileInfo(pfad_).fileName() +
                                 (wer.isEmpty() ? QString() : QStringLiteral(", Rechner „") + wer + u'“') +
                                 QStringLiteral("); auch nach %1 Sekunden Warten wird sie nicht geschrieben")
                                     .arg(sperrWarteMs() / 1000.0),
                             datenbank_);
    }
    trageEin();
    entferneVerwaiste(datenbank_);
}

ListenSperre::~ListenSperre() {
    // we are the only user: the lock file goes, as Access removes it after its last user
    if (datei_.istNoch(pfad_))
        QFile::remove(pfad_);
    datei_.gibFrei(exklusiv, 1 + nutzer);
    datei_.schliesse();
}

void ListenSperre::pruefe() const {
    if (!datei_.istNoch(pfad_))
        throw Laufzeitfehler(QStringLiteral("Die Sperrdatei ") + QFileInfo(pfad_).fileName() +
                                 QStringLiteral(" wurde während des Schreibens gelöscht; die Datenbank wird "
                                                "nicht geschrieben"),
                             datenbank_);
}

// Where Access finds the names of the users: the first entry, as a user holding the first byte writes it.
void ListenSperre::trageEin() {
    datei_.schreibe(0, feld(QSysInfo::machineHostName()) + feld(QStringLiteral("Findolin")));
}

// The computer name the holder of the first locked byte wrote into its entry.
QString ListenSperre::werHaelt() {
    const qint64 byte = datei_.gesperrtAb(exklusiv, 1 + nutzer);
    if (byte < 0)
        return {};
    const qint64 nummer = std::max<qint64>(0, byte - exklusiv - 1);
    const QByteArray name = datei_.lies(nummer * eintrag, 32);
    return QString::fromLatin1(name.left(name.indexOf('\0') < 0 ? name.size() : name.indexOf('\0')))
        .trimmed();
}

} // namespace findolin::accessdb
