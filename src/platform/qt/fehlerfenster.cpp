#include "fehlerfenster.h"

#include "platform/errorguard.h"
#include "qtservices.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <cstdlib>

namespace findolin::platform {

void installErrorWindow() {
    setFatalErrorHandler([](const Laufzeitfehler& fehler) {
        QString text = fehler.problem();
        if (!fehler.betroffen().isEmpty())
            text += QStringLiteral("\n\n") + fehler.betroffen();
        text += QStringLiteral("\n\nFindolin wird beendet.");
        // Also for whoever started the game (the launcher shows it again once the game has ended).
        std::fprintf(stderr, "Laufzeitfehler: %s\n", qUtf8Printable(text));
        std::fflush(stderr);
        if (Automation::active()) {
            Automation::reportWindow(QStringLiteral("Laufzeitfehler"),
                                     text.replace(QLatin1Char('\n'), QChar(13)));
        } else if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
            QMessageBox box(QMessageBox::Critical, QStringLiteral("Laufzeitfehler"), text,
                            QMessageBox::NoButton);
            box.setDefaultButton(box.addButton(QStringLiteral("&OK"), QMessageBox::AcceptRole));
            box.exec();
        }
        std::fflush(nullptr);
        std::exit(exitCodeRuntimeError);
    });
}

} // namespace findolin::platform
