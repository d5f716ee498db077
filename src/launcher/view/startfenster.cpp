#include "startfenster.h"

#include "launcher/spielordner.h"
#include "launcher/startvorbereitung.h"
#include "platform/laufzeitfehler.h"
#include "platform/qt/programmsymbol.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QStandardItemModel>
#include <QStyle>
#include <QStyleOptionButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace findolin::launcher {

namespace {

// A grey note beside a control that cannot be chosen, saying why.
QLabel* grundLabel(const QString& name) {
    auto* label = new QLabel;
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setForegroundRole(QPalette::PlaceholderText);
    label->hide();
    return label;
}

// The control, and right under its text the note why it cannot be chosen.
QWidget* mitGrund(QCheckBox* steuerelement, QLabel* grund) {
    auto* zeile = new QWidget;
    auto* layout = new QVBoxLayout(zeile);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(steuerelement);
    QStyleOptionButton option;
    option.initFrom(steuerelement);
    const int einzug =
        steuerelement->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, steuerelement).left();
    grund->setContentsMargins(einzug, 0, 0, 0);
    layout->addWidget(grund);
    return zeile;
}

void zeigeGrund(QWidget* steuerelement, QLabel* label, const QString& grund) {
    steuerelement->setEnabled(grund.isEmpty());
    label->setText(grund);
    label->setVisible(!grund.isEmpty());
}

QString fehlerText(const Laufzeitfehler& fehler) {
    return fehler.meldung().replace(QChar(13), u'\n');
}

} // namespace

StartFenster::StartFenster(const Installation& installation, QSettings& einstellungen,
                           const Startwahl& anfang, QWidget* parent)
    : QDialog(parent), installation_(installation), einstellungen_(einstellungen) {
    setWindowTitle(QStringLiteral("Findolin"));
    setWindowIcon(platform::programmSymbol());

    auto* einleitung =
        new QLabel(QStringLiteral("Findolin ist ein Buchstaben-Merkspiel für ein bis fünf Kinder: Reihum "
                                  "deckt ihr Felder auf und sucht "
                                  "die Buchstaben eines Wortes in der richtigen Reihenfolge."));
    einleitung->setWordWrap(true);

    ergebnis_ = new QLabel;
    ergebnis_->setObjectName(QStringLiteral("ergebnis"));
    ergebnis_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    ergebnis_->setFrameShape(QFrame::StyledPanel);
    ergebnis_->setMargin(6);
    ergebnis_->hide();
    meldung_ = new QLabel;
    meldung_->setObjectName(QStringLiteral("meldung"));
    meldung_->setWordWrap(true);
    meldung_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    meldung_->hide();

    auto* knoepfe = new QDialogButtonBox;
    spielenKnopf_ = knoepfe->addButton(QStringLiteral("&Spielen"), QDialogButtonBox::AcceptRole);
    spielenKnopf_->setObjectName(QStringLiteral("spielen"));
    QPushButton* beenden = knoepfe->addButton(QStringLiteral("&Beenden"), QDialogButtonBox::RejectRole);
    beenden->setAutoDefault(false);
    connect(knoepfe, &QDialogButtonBox::accepted, this, &StartFenster::spielen);
    connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(&spielstart_, &Spielstart::beendet, this, &StartFenster::nachDemSpiel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(einleitung);
    layout->addWidget(ergebnis_);
    layout->addWidget(baueSpielerRahmen());
    layout->addWidget(baueUebungsRahmen());
    layout->addWidget(baueWeitereEinstellungen());
    layout->addWidget(meldung_);
    layout->addStretch(1);
    layout->addWidget(knoepfe);
    layout->setSizeConstraint(QLayout::SetMinimumSize);

    zeigeWahl(anfang);
    // As wide as with "Weitere Einstellungen" open, so that opening it does not make the window jump.
    einleitung->setMinimumWidth(weitereBereich_->sizeHint().width());
}

QWidget* StartFenster::baueSpielerRahmen() {
    auto* rahmen = new QGroupBox(QStringLiteral("Wer spielt mit?"));
    auto* form = new QFormLayout(rahmen);
    for (int i = 0; i < int(namen_.size()); ++i) {
        namen_[i] = new QLineEdit;
        namen_[i]->setObjectName(QStringLiteral("name%1").arg(i + 1));
        namen_[i]->setMaxLength(30);
        form->addRow(QStringLiteral("Kind &%1:").arg(i + 1), namen_[i]);
        connect(namen_[i], &QLineEdit::textChanged, this, &StartFenster::pruefeComputer);
    }
    computer_ = new QCheckBox(QStringLiteral("Der &Computer spielt mit"));
    computer_->setObjectName(QStringLiteral("computer"));
    computerGrund_ = grundLabel(QStringLiteral("computerGrund"));
    form->addRow(mitGrund(computer_, computerGrund_));
    return rahmen;
}

QWidget* StartFenster::baueUebungsRahmen() {
    auto* rahmen = new QGroupBox(QStringLiteral("Was wird geübt?"));
    auto* form = new QFormLayout(rahmen);
    schwerpunkt_ = new QComboBox;
    schwerpunkt_->setObjectName(QStringLiteral("schwerpunkt"));
    form->addRow(QStringLiteral("Üb&ungsschwerpunkt:"), schwerpunkt_);
    lupe_ = new QCheckBox(QStringLiteral("&Lupe: schwierige Stellen im Wort zeigen"));
    lupe_->setObjectName(QStringLiteral("lupe"));
    lupeGrund_ = grundLabel(QStringLiteral("lupeGrund"));
    form->addRow(mitGrund(lupe_, lupeGrund_));
    grundwortschatz_ = new QCheckBox(QStringLiteral("Nur Wörter aus dem &Grundwortschatz"));
    grundwortschatz_->setObjectName(QStringLiteral("grundwortschatz"));
    grundwortschatzGrund_ = grundLabel(QStringLiteral("grundwortschatzGrund"));
    form->addRow(mitGrund(grundwortschatz_, grundwortschatzGrund_));
    connect(schwerpunkt_, &QComboBox::currentIndexChanged, this, &StartFenster::pruefeSchwerpunkt);
    return rahmen;
}

QWidget* StartFenster::baueWeitereEinstellungen() {
    weitere_ = new QToolButton;
    weitere_->setObjectName(QStringLiteral("weitere"));
    weitere_->setText(QStringLiteral("&Weitere Einstellungen"));
    weitere_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    weitere_->setArrowType(Qt::RightArrow);
    weitere_->setCheckable(true);
    weitere_->setAutoRaise(true);

    weitereBereich_ = new QWidget;
    weitereBereich_->setObjectName(QStringLiteral("weitereBereich"));
    auto* form = new QFormLayout(weitereBereich_);
    ordnerAnzeige_ = new QLineEdit;
    ordnerAnzeige_->setObjectName(QStringLiteral("ordner"));
    ordnerAnzeige_->setReadOnly(true);
    ordnerAnzeige_->setMinimumWidth(260);
    auto* aendern = new QPushButton(QStringLiteral("Ä&ndern ..."));
    aendern->setObjectName(QStringLiteral("aendern"));
    auto* ordnerZeile = new QHBoxLayout;
    ordnerZeile->addWidget(ordnerAnzeige_, 1);
    ordnerZeile->addWidget(aendern);
    auto* ordnerLabel = new QLabel(QStringLiteral("Wörter, Bilder und Klänge aus:"));
    ordnerLabel->setBuddy(ordnerAnzeige_);
    form->addRow(ordnerLabel, ordnerZeile);
    auto* demo = new QPushButton(QStringLiteral("&Demo wiederherstellen ..."));
    demo->setObjectName(QStringLiteral("demo"));
    auto* leeren = new QPushButton(QStringLiteral("&Meisterliste leeren ..."));
    leeren->setObjectName(QStringLiteral("leeren"));
    auto* knopfZeile = new QHBoxLayout;
    knopfZeile->addWidget(demo);
    knopfZeile->addWidget(leeren);
    knopfZeile->addStretch(1);
    form->addRow(knopfZeile);
    originalgroesse_ =
        new QCheckBox(QStringLiteral("Spielfenster in &Originalgröße (1:1), nicht bildschirmfüllend"));
    originalgroesse_->setObjectName(QStringLiteral("originalgroesse"));
    form->addRow(originalgroesse_);
    auto* ablage =
        new QLabel(QStringLiteral("Einstellungen, Meisterliste und Ergebnisse der Kinder bleiben in %1.")
                       .arg(QDir::toNativeSeparators(standardSpielordner())));
    ablage->setWordWrap(true);
    ablage->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form->addRow(ablage);
    weitereBereich_->hide();
    for (QPushButton* knopf : {aendern, demo, leeren})
        knopf->setAutoDefault(false); // Enter always plays
    connect(aendern, &QPushButton::clicked, this, &StartFenster::waehleOrdner);
    connect(demo, &QPushButton::clicked, this, &StartFenster::stelleDemoWiederHer);
    connect(leeren, &QPushButton::clicked, this, &StartFenster::leereMeisterliste);
    connect(weitere_, &QToolButton::toggled, this, [this](bool offen) {
        weitere_->setArrowType(offen ? Qt::DownArrow : Qt::RightArrow);
        weitereBereich_->setVisible(offen);
        passeHoeheAn();
    });

    auto* abschnitt = new QWidget;
    auto* layout = new QVBoxLayout(abschnitt);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(weitere_, 0, Qt::AlignLeft);
    layout->addWidget(weitereBereich_);
    return abschnitt;
}

void StartFenster::zeigeWahl(const Startwahl& wahl) {
    for (int i = 0; i < int(namen_.size()); ++i)
        namen_[i]->setText(wahl.spieler.value(i));
    computer_->setChecked(wahl.computer);
    lupe_->setChecked(wahl.lupe);
    grundwortschatz_->setChecked(wahl.grundwortschatz);
    originalgroesse_->setChecked(wahl.originalgroesse);
    rahmenordner_ = wahl.rahmenordner;
    ladeAngebot(wahl.schwerpunkt);
    pruefeComputer();
}

Startwahl StartFenster::wahl() const {
    Startwahl wahl;
    for (const QLineEdit* name : namen_)
        wahl.spieler.append(name->text());
    wahl.schwerpunkt = schwerpunkt_->currentData().toString();
    wahl.lupe = lupe_->isChecked();
    wahl.grundwortschatz = grundwortschatz_->isChecked();
    wahl.computer = computer_->isChecked();
    wahl.originalgroesse = originalgroesse_->isChecked();
    wahl.rahmenordner = rahmenordner_;
    return wahl;
}

// The practice foci of the framework folder, the group headings greyed between them, and each focus that
// cannot be played greyed with its reason.
void StartFenster::ladeAngebot(const QString& gewaehlt) {
    schwerpunkt_->clear();
    zeigeMeldung({});
    const QString quelle = quellordner(wahl(), installation_);
    ordnerAnzeige_->setText(rahmenordner_.isEmpty() ? QStringLiteral("Demo (mit Findolin geliefert)")
                                                    : QDir::toNativeSeparators(rahmenordner_));
    ordnerAnzeige_->setCursorPosition(0);
    try {
        angebot_ = leseAngebot(quelle);
    } catch (const Laufzeitfehler& fehler) {
        angebot_ = {};
        zeigeMeldung(fehlerText(fehler));
    }
    auto* modell = qobject_cast<QStandardItemModel*>(schwerpunkt_->model());
    for (const Schwerpunkt& s : angebot_.schwerpunkte) {
        if (s.istUeberschrift())
            schwerpunkt_->addItem(s.titel.mid(3).trimmed());
        else if (s.spielbar())
            schwerpunkt_->addItem(s.titel, s.titel);
        else
            schwerpunkt_->addItem(QStringLiteral("%1 (%2)").arg(s.titel, s.grund), s.titel);
        modell->item(schwerpunkt_->count() - 1)->setEnabled(s.spielbar());
    }
    const Schwerpunkt* waehlbar = angebot_.waehle(gewaehlt);
    schwerpunkt_->setCurrentIndex(waehlbar ? schwerpunkt_->findData(waehlbar->titel) : -1);
    spielenKnopf_->setEnabled(waehlbar != nullptr);
    if (!waehlbar && meldung_->isHidden())
        zeigeMeldung(QStringLiteral("Dieser Ordner bietet keinen Übungsschwerpunkt, zu dem es Wörter gibt."));
    pruefeSchwerpunkt();
}

void StartFenster::pruefeComputer() {
    zeigeGrund(computer_, computerGrund_, computerGrund(int(mitspieler(wahl()).size())));
    passeHoeheAn();
}

// A note, a message or the points shown or hidden: the window takes the height its texts need at its width.
// (The minimum size that the layout keeps does not see wrapped lines.)
void StartFenster::passeHoeheAn() {
    layout()->activate();
    const int noetig =
        layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(width()) : sizeHint().height();
    if (isVisible() && noetig != height())
        resize(width(), noetig);
}

void StartFenster::pruefeSchwerpunkt() {
    const Schwerpunkt* s = angebot_.spielbarer(schwerpunkt_->currentData().toString());
    zeigeGrund(lupe_, lupeGrund_, s ? lupenGrund(*s) : QString());
    zeigeGrund(grundwortschatz_, grundwortschatzGrund_, s ? grundwortschatzGrund(angebot_, *s) : QString());
    passeHoeheAn();
}

void StartFenster::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Enter plays, whatever had the focus before the game; the typing goes to the first empty name.
    spielenKnopf_->setDefault(true);
    for (QLineEdit* name : namen_) {
        if (name->text().trimmed().isEmpty()) {
            name->setFocus();
            return;
        }
    }
    spielenKnopf_->setFocus();
}

void StartFenster::holeNachVorn() {
    show();
    raise();
    activateWindow();
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
        ergebnis_->hide();
        hide();
        spielstart_.starte(installation_.spiel, bereit.spielordner, bereit.startliste,
                           bereit.originalgroesse);
    } catch (const Laufzeitfehler& fehler) {
        zeigeMeldung(fehlerText(fehler));
    }
}

void StartFenster::nachDemSpiel(const Spielende& ende) {
    if (!ende.meldung.isEmpty())
        zeigeMeldung(QStringLiteral("Findolin hat gemeldet:\n") + ende.meldung);
    ergebnis_->setText(ergebnisText(ende.ergebnisse));
    ergebnis_->setAccessibleName(ergebnis_->text());
    ergebnis_->setVisible(!ende.ergebnisse.isEmpty());
    holeNachVorn();
    passeHoeheAn();
    emit spielBeendet(ende);
}

void StartFenster::zeigeMeldung(const QString& text, bool fehler) {
    meldung_->setText(text);
    meldung_->setStyleSheet(fehler ? QStringLiteral("color: #a00000") : QString());
    meldung_->setVisible(!text.isEmpty());
    passeHoeheAn();
}

void StartFenster::done(int ergebnis) {
    if (spieltGerade())
        return; // the window is hidden while a game runs; it closes after the game
    merkeWahl(einstellungen_, wahl());
    QDialog::done(ergebnis);
}

} // namespace findolin::launcher
