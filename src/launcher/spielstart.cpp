#include "spielstart.h"

#include "logging.h"
#include "platform/commandline.h"

#include <QDir>
#include <cstdio>

namespace findolin::launcher {

namespace {
constexpr qsizetype behalteBytes = 64 * 1024; // the end of the error output is what counts
}

QString meldungDesSpiels(const QByteArray& fehlerausgabe, int exitCode, bool abgestuerzt) {
    if (exitCode == 0 && !abgestuerzt)
        return {};
    const QString text = QString::fromUtf8(fehlerausgabe);
    const QString marke = QStringLiteral("Laufzeitfehler: ");
    qsizetype p = text.lastIndexOf(u'\n' + marke);
    p = p >= 0 ? p + 1 : (text.startsWith(marke) ? 0 : -1);
    if (p >= 0)
        return text.mid(p + marke.size()).trimmed();
    if (abgestuerzt)
        return QStringLiteral("Findolin ist unerwartet beendet worden.");
    return QStringLiteral("Findolin wurde mit dem Code %1 beendet.").arg(exitCode);
}

void Spielstart::starte(const QString& spiel, const QString& rahmenordner, const QString& startliste) {
    fehlerausgabe_.clear();
    gemeldet_ = false;
    prozess_.disconnect(this);
    prozess_.setProgram(spiel);
    platform::setzeStartliste(prozess_, startliste);
    prozess_.setWorkingDirectory(rahmenordner);
    QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
    umgebung.insert(QStringLiteral("FINDOLIN_FRAMEWORK_DIR"), rahmenordner);
    prozess_.setProcessEnvironment(umgebung);
    prozess_.setProcessChannelMode(QProcess::ForwardedOutputChannel);
    connect(&prozess_, &QProcess::readyReadStandardError, this, [this] {
        const QByteArray neu = prozess_.readAllStandardError();
        std::fwrite(neu.constData(), 1, size_t(neu.size()), stderr);
        fehlerausgabe_ = (fehlerausgabe_ + neu).right(behalteBytes);
    });
    connect(&prozess_, &QProcess::finished, this,
            [this](int code, QProcess::ExitStatus status) { melde(code, status == QProcess::CrashExit); });
    connect(&prozess_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError fehler) {
        if (fehler != QProcess::FailedToStart)
            return;
        fehlerausgabe_ = QStringLiteral("Laufzeitfehler: Findolin lässt sich nicht starten\n\n%1\n%2")
                             .arg(QDir::toNativeSeparators(prozess_.program()), prozess_.errorString())
                             .toUtf8();
        melde(2, false);
    });
    qCDebug(lcLauncher).noquote() << "start" << spiel << "in" << rahmenordner << "with" << startliste;
    prozess_.start();
}

void Spielstart::melde(int exitCode, bool abgestuerzt) {
    if (gemeldet_)
        return;
    gemeldet_ = true;
    const QByteArray rest = prozess_.readAllStandardError();
    std::fwrite(rest.constData(), 1, size_t(rest.size()), stderr);
    fehlerausgabe_ += rest;
    qCDebug(lcLauncher) << "game ended with" << exitCode << (abgestuerzt ? "(crash)" : "");
    emit beendet({abgestuerzt ? -1 : exitCode, meldungDesSpiels(fehlerausgabe_, exitCode, abgestuerzt)});
}

} // namespace findolin::launcher
