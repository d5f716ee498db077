// The actions under "Weitere Einstellungen": another framework folder, the demo restored, the high-score
// list emptied. Each asks first where something is lost.
#include "launcher/spielordner.h"
#include "launcher/startvorbereitung.h"
#include "platform/laufzeitfehler.h"
#include "startfenster.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace findolin::launcher {

bool StartFenster::frage(const QString& titel, const QString& text, const QString& ja) {
    QMessageBox frage(QMessageBox::Question, titel, text, QMessageBox::NoButton, this);
    QPushButton* jaKnopf = frage.addButton(ja, QMessageBox::AcceptRole);
    QPushButton* nein = frage.addButton(QStringLiteral("&Abbrechen"), QMessageBox::RejectRole);
    frage.setDefaultButton(nein);
    frage.setEscapeButton(nein);
    frage.exec();
    return frage.clickedButton() == jaKnopf;
}

void StartFenster::waehleOrdner() {
    const QString ordner =
        QFileDialog::getExistingDirectory(this, QStringLiteral("Ordner des Rahmenprogramms wählen"),
                                          rahmenordner_.isEmpty() ? QDir::homePath() : rahmenordner_);
    if (ordner.isEmpty())
        return;
    rahmenordner_ = ordner;
    ladeAngebot(schwerpunkt_->currentData().toString());
}

void StartFenster::stelleDemoWiederHer() {
    if (!frage(QStringLiteral("Demo wiederherstellen"),
               QStringLiteral("Findolin nimmt wieder die Wörter, Bilder, Klänge und Einstellungen der Demo, "
                              "so wie sie mitgeliefert wurden.\nDie Meisterliste und die Namen der Kinder "
                              "bleiben erhalten."),
               QStringLiteral("&Wiederherstellen")))
        return;
    try {
        const QString spielordner = standardSpielordner();
        pruefeSchreibbar(spielordner);
        gleicheAb(spielordner, installation_.vorlage, true);
        rahmenordner_.clear();
        ladeAngebot(schwerpunkt_->currentData().toString());
        if (meldung_->isHidden())
            zeigeMeldung(QStringLiteral("Die Demo ist wiederhergestellt."), false);
    } catch (const Laufzeitfehler& fehler) {
        zeigeMeldung(fehler.meldung().replace(QChar(13), u'\n'));
    }
}

void StartFenster::leereMeisterliste() {
    if (!frage(
            QStringLiteral("Meisterliste leeren"),
            QStringLiteral("Alle Einträge von Findolin in der Meisterliste werden gelöscht.\nDas lässt sich "
                           "nicht rückgängig machen."),
            QStringLiteral("&Leeren")))
        return;
    try {
        const int weg = launcher::leereMeisterliste(standardSpielordner());
        zeigeMeldung(weg == 1 ? QStringLiteral("Die Meisterliste ist leer: ein Eintrag wurde gelöscht.")
                     : weg > 1
                         ? QStringLiteral("Die Meisterliste ist leer: %1 Einträge wurden gelöscht.").arg(weg)
                         : QStringLiteral("Die Meisterliste ist leer."),
                     false);
    } catch (const Laufzeitfehler& fehler) {
        zeigeMeldung(fehler.meldung().replace(QChar(13), u'\n'));
    }
}

} // namespace findolin::launcher
