#include "fehlerfenster.h"

#include "fernsteuerung.h"
#include "platform/errorguard.h"

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
        rahmen::meldeLaufzeitfehler(text);
        Fernsteuerung* fern = fernsteuerung();
        const bool genommen = fern && fern->nimmLaufzeitfehler(text);
        if (!genommen && qobject_cast<QApplication*>(QCoreApplication::instance())) {
            QMessageBox box(QMessageBox::Critical, QStringLiteral("Laufzeitfehler"), text,
                            QMessageBox::NoButton);
            box.setDefaultButton(box.addButton(QStringLiteral("&OK"), QMessageBox::AcceptRole));
            box.exec();
        }
        std::fflush(nullptr);
        std::exit(rahmen::exitCodeRuntimeError);
    });
}

} // namespace findolin::platform
