#include "startfenster.h"

#include "platform/laufzeitfehler.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QStandardItemModel>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

namespace findolin::launcher {

StartFenster::StartFenster(const Installation& installation, QSettings& einstellungen, QWidget* parent)
    : QDialog(parent), installation_(installation), einstellungen_(einstellungen) {
    setWindowTitle(QStringLiteral("Findolin starten"));
    setWindowIcon(QIcon::fromTheme(QStringLiteral("org.findolin.Findolin")));

    auto* spielerRahmen = new QGroupBox(QStringLiteral("Wer spielt mit?"));
    auto* spielerForm = new QFormLayout(spielerRahmen);
    for (int i = 0; i < int(namen_.size()); ++i) {
        namen_[i] = new QLineEdit;
        namen_[i]->setObjectName(QStringLiteral("name%1").arg(i + 1));
        namen_[i]->setMaxLength(30);
        spielerForm->addRow(QStringLiteral("Kind &%1:").arg(i + 1), namen_[i]);
    }

    schwerpunkt_ = new QComboBox;
    schwerpunkt_->setObjectName(QStringLiteral("schwerpunkt"));
    lupe_ = new QCheckBox(QStringLiteral("&Lupe: schwierige Stellen im Wort zeigen"));
    lupe_->setObjectName(QStringLiteral("lupe"));
    grundwortschatz_ = new QCheckBox(QStringLiteral("Nur Wörter aus dem &Grundwortschatz"));
    grundwortschatz_->setObjectName(QStringLiteral("grundwortschatz"));
    auto* uebungForm = new QFormLayout;
    uebungForm->addRow(QStringLiteral("Übungs&schwerpunkt:"), schwerpunkt_);
    uebungForm->addRow(lupe_);
    uebungForm->addRow(grundwortschatz_);

    ordnerAnzeige_ = new QLineEdit;
    ordnerAnzeige_->setReadOnly(true);
    ordnerAnzeige_->setMinimumWidth(320);
    ordnerAnzeige_->setToolTip(QStringLiteral("Hier liegen die Wörter, Bilder und Klänge; Findolin speichert "
                                              "hier seine Einstellungen und die Meisterliste."));
    auto* aendern = new QPushButton(QStringLiteral("Ä&ndern ..."));
    auto* demo = new QPushButton(QStringLiteral("&Demo"));
    demo->setToolTip(QStringLiteral("Den Demo-Ordner in den eigenen Daten verwenden"));
    auto* ordnerZeile = new QHBoxLayout;
    ordnerZeile->addWidget(ordnerAnzeige_, 1);
    ordnerZeile->addWidget(aendern);
    ordnerZeile->addWidget(demo);
    auto* ordnerLabel = new QLabel(QStringLiteral("Rahmen&ordner:"));
    ordnerLabel->setBuddy(ordnerAnzeige_);
    uebungForm->addRow(ordnerLabel, ordnerZeile);
    connect(aendern, &QPushButton::clicked, this, &StartFenster::waehleOrdner);
    connect(demo, &QPushButton::clicked, this, [this] {
        rahmenordner_.clear();
        ladeSchwerpunkte(schwerpunkt_->currentText());
    });

    meldung_ = new QLabel;
    meldung_->setObjectName(QStringLiteral("meldung"));
    meldung_->setWordWrap(true);
    meldung_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    meldung_->setStyleSheet(QStringLiteral("color: #a00000"));
    meldung_->hide();

    auto* knoepfe = new QDialogButtonBox;
    spielenKnopf_ = knoepfe->addButton(QStringLiteral("&Spielen"), QDialogButtonBox::AcceptRole);
    spielenKnopf_->setObjectName(QStringLiteral("spielen"));
    spielenKnopf_->setDefault(true);
    knoepfe->addButton(QStringLiteral("S&chließen"), QDialogButtonBox::RejectRole);
    connect(knoepfe, &QDialogButtonBox::accepted, this, &StartFenster::spielen);
    connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(&spielstart_, &Spielstart::beendet, this, &StartFenster::nachDemSpiel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(spielerRahmen);
    layout->addLayout(uebungForm);
    layout->addWidget(meldung_);
    layout->addWidget(knoepfe);

    zeigeWahl(ladeWahl(einstellungen_));
}

void StartFenster::zeigeWahl(const Startwahl& wahl) {
    for (int i = 0; i < int(namen_.size()); ++i)
        namen_[i]->setText(wahl.spieler.value(i));
    lupe_->setChecked(wahl.lupe);
    grundwortschatz_->setChecked(wahl.grundwortschatz);
    rahmenordner_ = wahl.rahmenordner;
    ladeSchwerpunkte(wahl.schwerpunkt);
}

Startwahl StartFenster::wahl() const {
    Startwahl wahl;
    for (const QLineEdit* name : namen_)
        wahl.spieler.append(name->text());
    wahl.schwerpunkt = schwerpunkt_->currentText();
    wahl.lupe = lupe_->isChecked();
    wahl.grundwortschatz = grundwortschatz_->isChecked();
    wahl.rahmenordner = rahmenordner_;
    return wahl;
}

// The titles of the folder's practice foci, the group headings greyed between them; the demo folder is
// copied here on first use.
void StartFenster::ladeSchwerpunkte(const QString& gewaehlt) {
    schwerpunkt_->clear();
    zeigeMeldung({});
    try {
        const QString ordner = bereiteRahmenordnerVor(wahl(), installation_);
        ordnerAnzeige_->setText(QDir::toNativeSeparators(ordner));
        ordnerAnzeige_->setCursorPosition(0);
        const QList<Schwerpunkt> liste = leseSchwerpunkte(ordner);
        auto* modell = qobject_cast<QStandardItemModel*>(schwerpunkt_->model());
        // Foci the game does not practise are shown greyed, so nobody picks one and gets other words.
        const bool einerWirdGeuebt =
            std::any_of(liste.begin(), liste.end(), std::mem_fn(&Schwerpunkt::wirdGeuebt));
        for (const Schwerpunkt& s : liste) {
            schwerpunkt_->addItem(s.istUeberschrift() ? s.titel.mid(3).trimmed() : s.titel);
            if (s.istUeberschrift() || (einerWirdGeuebt && !s.wirdGeuebt())) {
                QStandardItem* eintrag = modell->item(schwerpunkt_->count() - 1);
                eintrag->setEnabled(false);
                if (!s.istUeberschrift())
                    eintrag->setToolTip(QStringLiteral("Findolin übt die Wörter mit „ie“."));
            }
        }
        schwerpunkt_->setCurrentText(waehleSchwerpunkt(liste, gewaehlt).titel);
        spielenKnopf_->setEnabled(true);
    } catch (const Laufzeitfehler& fehler) {
        zeigeMeldung(fehler.meldung().replace(QChar(13), u'\n'));
        spielenKnopf_->setEnabled(false);
    }
}

void StartFenster::waehleOrdner() {
    const QString ordner = QFileDialog::getExistingDirectory(this, QStringLiteral("Rahmenordner wählen"),
                                                             ordnerAnzeige_->text());
    if (ordner.isEmpty())
        return;
    rahmenordner_ = ordner;
    ladeSchwerpunkte(schwerpunkt_->currentText());
}

void StartFenster::spielen() {
    const Startwahl gewaehlt = wahl();
    if (const QString fehler = pruefeWahl(gewaehlt); !fehler.isEmpty()) {
        zeigeMeldung(fehler);
        return;
    }
    merkeWahl(einstellungen_, gewaehlt);
    try {
        const Startbereit bereit = bereiteStartVor(gewaehlt, installation_);
        zeigeMeldung({});
        hide();
        spielstart_.starte(installation_.spiel, bereit.rahmenordner, bereit.startliste);
    } catch (const Laufzeitfehler& fehler) {
        zeigeMeldung(fehler.meldung().replace(QChar(13), u'\n'));
    }
}

void StartFenster::nachDemSpiel(const Spielende& ende) {
    if (!ende.meldung.isEmpty())
        zeigeMeldung(QStringLiteral("Findolin hat gemeldet:\n") + ende.meldung);
    show();
    raise();
    activateWindow();
    emit spielBeendet(ende);
}

void StartFenster::zeigeMeldung(const QString& text) {
    meldung_->setText(text);
    meldung_->setVisible(!text.isEmpty());
}

void StartFenster::done(int ergebnis) {
    merkeWahl(einstellungen_, wahl());
    QDialog::done(ergebnis);
}

} // namespace findolin::launcher
