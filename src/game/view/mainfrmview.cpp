#include "mainfrmview.h"

#include "game/mainfrm.h"
#include "platform/errorguard.h"
#include "platform/qt/twips.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>

namespace findolin::view {

namespace tw = platform::twips;

namespace {

const platform::Schrift formSchrift{QStringLiteral("MS Sans Serif"), 8.25, false};
const platform::Schrift beschriftung{QStringLiteral("Arial"), 9.75, true};
const platform::Schrift titelSchrift{QStringLiteral("Arial"), 12, true};

QGroupBox* rahmen(QWidget* eltern, const QString& titel, double l, double t, double w, double h) {
    auto* box = new QGroupBox(titel, eltern);
    box->setFont(tw::schrift(formSchrift));
    box->setGeometry(tw::rechteck(l, t, w, h));
    return box;
}

QLabel* label(QWidget* eltern, const QString& text, double l, double t, double w, double h,
              const platform::Schrift& schrift, Qt::Alignment ausrichtung = Qt::AlignLeft | Qt::AlignTop) {
    auto* lbl = new QLabel(text, eltern);
    lbl->setFont(tw::schrift(schrift));
    lbl->setGeometry(tw::rechteck(l, t, w, h));
    lbl->setAlignment(ausrichtung);
    return lbl;
}

// An etched separator: a grey line with a white one right below it.
void linie(QWidget* eltern, double y, double breite, QColor farbe) {
    auto* l = new QFrame(eltern);
    l->setGeometry(tw::rechteck(0, y, breite, 15));
    l->setStyleSheet(QStringLiteral("background-color: %1").arg(farbe.name()));
}

} // namespace

MainFrmView::MainFrmView(MainFrm& mainFrm, const QString& appPfad) : mainFrm_(mainFrm), appPfad_(appPfad) {
    setWindowTitle(MainFrm::caption);
    auto* flaeche = new QWidget(this);
    flaeche->setFixedSize(tw::groesse(9600, 6630));
    setCentralWidget(flaeche);
    baueMenue();
    baueSpielfeldBeschriftung(flaeche);
    baueWortRahmen(flaeche);
    baueSpielerRahmen(flaeche);
    baueUebungsZeile(flaeche);
    aktualisiere();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void MainFrmView::baueMenue() {
    struct Eintrag {
        const char* name;
        QString caption;
        std::function<void()> aktion;
    };
    const auto menue = [this](const QString& titel, const char* name, const std::vector<Eintrag>& eintraege) {
        QMenu* m = menuBar()->addMenu(titel);
        m->setObjectName(QLatin1String(name));
        for (const Eintrag& e : eintraege) {
            if (!e.name) {
                m->addSeparator();
                continue;
            }
            QAction* a = m->addAction(e.caption);
            a->setObjectName(QLatin1String(e.name));
            if (e.aktion)
                connect(a, &QAction::triggered, this, [fn = e.aktion] { platform::runGuarded(fn); });
        }
    };
    menue(QStringLiteral("&Datei"), "mnuDatei",
          {{"mnuDateiNeu", QStringLiteral("&Neu ..."), {}},
           {nullptr, {}, {}},
           {"mnuDateiInfo", QStringLiteral("&Info ..."), {}},
           {"mnuDateiMeisterliste", QStringLiteral("&Meisterliste ..."), {}},
           {nullptr, {}, {}},
           {"mnuDateiEnde", QStringLiteral("&Ende ..."), [this] { mainFrm_.mnuDateiEnde_Click(); }}});
    menue(QStringLiteral("&Bearbeiten"), "mnuBearbeiten",
          {{"mnuBearbEinstell", QStringLiteral("&Einstellungen ..."), {}}});
    menue(QStringLiteral("&Hilfe"), "mnuHilfe",
          {{"mnuHilfeInfo", QStringLiteral("&Info über ..."), {}},
           {nullptr, {}, {}},
           {"mnuHilfeBedienung", QStringLiteral("&Bedienungshinweise ..."), {}},
           {"mnuHilfeSpielregeln", QStringLiteral("&Spielregeln ..."), {}},
           {"mnuHilfeAktKat", QStringLiteral("Üb&ungsschwerpunkt ..."), {}}});
}

void MainFrmView::baueSpielfeldBeschriftung(QWidget* flaeche) {
    auto* fldFrame = new QFrame(flaeche);
    fldFrame->setObjectName(QStringLiteral("FldFrame"));
    fldFrame->setFrameShape(QFrame::Box);
    fldFrame->setGeometry(tw::rechteck(360, 420, 4815, 4875));
    for (int spalte = 0; spalte < 5; ++spalte)
        label(flaeche, QString(QChar(u'A' + spalte)), 855 + 900 * spalte, 150, 255, 315, beschriftung);
    for (int zeile = 0; zeile < 5; ++zeile)
        label(flaeche, QString::number(zeile + 1), 90, 975 + 900 * zeile, 255, 315, beschriftung);
}

void MainFrmView::baueWortRahmen(QWidget* flaeche) {
    rahmen(flaeche, QStringLiteral("gesucht"), 5490, 420, 3255, 945)->setObjectName(QStringLiteral("SuchWortFrame"));
    rahmen(flaeche, QStringLiteral("gefunden"), 5490, 1500, 3255, 945)->setObjectName(QStringLiteral("FundWortFrame"));
}

void MainFrmView::baueSpielerRahmen(QWidget* flaeche) {
    QGroupBox* spFld = rahmen(flaeche, {}, 5475, 4340, 3285, 945);
    QGroupBox* name = rahmen(spFld, QStringLiteral("Name"), 120, 150, 1575, 675);
    spNameLbl_ = label(name, {}, 60, 270, 1455, 330, beschriftung, Qt::AlignCenter);
    spNameLbl_->setObjectName(QStringLiteral("SpNameLbl"));
    QGroupBox* punkte = rahmen(spFld, QStringLiteral("Punkte"), 1830, 150, 1335, 675);
    for (int i = 0; i < 5; ++i)
        label(punkte, QStringLiteral("0"), 60 + 240 * i, 210, 240, 390, titelSchrift, Qt::AlignCenter);
    QGroupBox* bonus = rahmen(flaeche, QStringLiteral("Bonus"), 6300, 3030, 855, 675);
    for (int i = 0; i < 3; ++i)
        label(bonus, QStringLiteral("0"), 60 + 240 * i, 210, 240, 390, titelSchrift, Qt::AlignCenter)->setEnabled(false);
    risikoBtn_ = new QPushButton(QStringLiteral("&Risiko"), flaeche);
    risikoBtn_->setObjectName(QStringLiteral("RisikoBtn"));
    risikoBtn_->setFont(tw::schrift(titelSchrift));
    risikoBtn_->setGeometry(tw::rechteck(7260, 3150, 1185, 525));
    risikoBtn_->setEnabled(false);
}

void MainFrmView::baueUebungsZeile(QWidget* flaeche) {
    linie(flaeche, 5600, 9600, QColor(128, 128, 128));
    linie(flaeche, 5615, 9600, Qt::white);
    QGroupBox* titel = rahmen(flaeche, {}, 1200, 5790, 7305, 600);
    uebTitelLabel_ = label(titel, {}, 120, 210, 7020, 315, titelSchrift, Qt::AlignHCenter | Qt::AlignTop);
    uebTitelLabel_->setObjectName(QStringLiteral("UebTitelLabel"));
    uebBausteinImage_ = new QLabel(flaeche);
    uebBausteinImage_->setGeometry(tw::rechteck(135, 5850, 825, 600));
}

void MainFrmView::aktualisiere() {
    spNameLbl_->setText(mainFrm_.spNameLbl);
    uebTitelLabel_->setText(mainFrm_.uebTitelLabel);
}

QAction* MainFrmView::aktion(const QString& name) const { return findChild<QAction*>(name); }

void MainFrmView::closeEvent(QCloseEvent* event) {
    bool offenHalten = true;
    platform::runGuarded([&] { offenHalten = mainFrm_.Form_Unload(); });
    if (offenHalten)
        event->ignore();
}

} // namespace findolin::view
