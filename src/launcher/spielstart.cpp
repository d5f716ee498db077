#include "spielstart.h"

#include "dateizugriff.h"
#include "logging.h"
#include "platform/commandline.h"
#include "platform/laufzeitfehler.h"
#include "rahmen/ausgang.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>

namespace findolin::launcher {

namespace {
constexpr qsizetype behalteBytes = 64 * 1024; // the end of the error output is what counts
}

QString ergebnisText(const QList<Spielergebnis>& ergebnisse) {
    QList<Spielergebnis> rangfolge = ergebnisse;
    std::stable_sort(rangfolge.begin(), rangfolge.end(),
                     [](const Spielergebnis& a, const Spielergebnis& b) { return a.punkte > b.punkte; });
    QStringList zeilen;
    if (rangfolge.size() > 1) {
        QStringList beste;
        for (const Spielergebnis& e : rangfolge)
            if (e.punkte == rangfolge.first().punkte)
                beste.append(e.name);
        if (beste.size() == 1)
            zeilen.append(QStringLiteral("Gewonnen hat %1!").arg(beste.first()));
        else
            zeilen.append(QStringLiteral("Gleichstand auf dem ersten Platz: %1!")
                              .arg(beste.mid(0, beste.size() - 1).join(QStringLiteral(", ")) +
                                   QStringLiteral(" und ") + beste.last()));
    }
    for (const Spielergebnis& e : rangfolge)
        zeilen.append(QStringLiteral("%1: %2 %3")
                          .arg(e.name)
                          .arg(e.punkte)
                          .arg(e.punkte == 1 ? QStringLiteral("Punkt") : QStringLiteral("Punkte")));
    return zeilen.join(u'\n');
}

QString meldungDesSpiels(const QByteArray& fehlerausgabe, int exitCode, bool abgestuerzt) {
    if (exitCode == 0 && !abgestuerzt)
        return {};
    if (const auto meldung = rahmen::laufzeitfehlerIn(QString::fromUtf8(fehlerausgabe)))
        return *meldung;
    if (abgestuerzt)
        return QStringLiteral("Findolin ist unerwartet beendet worden.");
    return QStringLiteral("Findolin wurde mit dem Code %1 beendet.").arg(exitCode);
}

namespace {
const QString berichtName = QStringLiteral("ergebnis.txt");
}

void Spielstart::starte(const QString& spiel, const QString& rahmenordner, const QString& startliste,
                        bool originalgroesse) {
    fehlerausgabe_.clear();
    gemeldet_ = false;
    prozess_.disconnect(this);
    prozess_.setProgram(spiel);
    platform::setzeStartliste(prozess_, startliste);
    prozess_.setWorkingDirectory(rahmenordner);
    QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
    umgebung.insert(QStringLiteral("FINDOLIN_FRAMEWORK_DIR"), rahmenordner);
    if (originalgroesse)
        umgebung.insert(QStringLiteral("FINDOLIN_ORIGINALGROESSE"), QStringLiteral("1"));
    else
        umgebung.remove(QStringLiteral("FINDOLIN_ORIGINALGROESSE"));
    const QString bericht = berichtOrdner_.filePath(berichtName);
    QFile::remove(bericht);
    if (berichtOrdner_.isValid())
        umgebung.insert(QStringLiteral("FINDOLIN_ERGEBNISDATEI"), bericht);
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
        fehlerausgabe_ = (QString::fromLatin1(rahmen::laufzeitfehlerMarke) +
                          QStringLiteral("Findolin lässt sich nicht starten\n\n%1\n%2"))
                             .arg(QDir::toNativeSeparators(prozess_.program()), prozess_.errorString())
                             .toUtf8();
        melde(rahmen::exitCodeRuntimeError, false);
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
    Spielende ende{abgestuerzt ? -1 : exitCode, meldungDesSpiels(fehlerausgabe_, exitCode, abgestuerzt), {}};
    const QString bericht = berichtOrdner_.filePath(berichtName);
    if (ende.exitCode == 0 && QFileInfo::exists(bericht)) {
        try {
            ende.ergebnisse = leseErgebnisbericht(liesDatei(bericht));
        } catch (const Laufzeitfehler& fehler) {
            qCDebug(lcLauncher) << "no points from the game:" << fehler.what();
        }
    }
    emit beendet(ende);
}

} // namespace findolin::launcher
