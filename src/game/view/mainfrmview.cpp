#include "mainfrmview.h"

#include "anzeigen.h"
#include "board/brettlayout.h"
#include "board/feldauswertung.h"
#include "brettansicht.h"
#include "game/mainfrm.h"
#include "game/menueleiste.h"
#include "platform/dateisystem.h"
#include "platform/errorguard.h"
#include "platform/files.h"
#include "platform/laufzeitfehler.h"
#include "platform/qt/namenslabel.h"
#include "platform/qt/rahmenwidget.h"
#include "platform/qt/twips.h"
#include "vorleser.h"
#include "zugang.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

namespace findolin::view {

namespace tw = platform::twips;

namespace {

const platform::Schrift formSchrift{QStringLiteral("MS Sans Serif"), 8.25, false};
const platform::Schrift beschriftung{QStringLiteral("Arial"), 9.75, true};
const platform::Schrift titelSchrift{QStringLiteral("Arial"), 12, true};

// The form's inner size, in twips.
constexpr double innenBreite = 9600, innenHoehe = 6630;

QWidget* rahmen(QWidget* eltern, const QString& titel, double l, double t, double w, double h) {
    return platform::rahmen(eltern, titel, formSchrift, l, t, w, h);
}

QLabel* label(QWidget* eltern, const QString& text, double l, double t, double w, double h,
              const platform::Schrift& schrift, Qt::Alignment ausrichtung = Qt::AlignLeft | Qt::AlignTop) {
    auto* lbl = new QLabel(text, eltern);
    lbl->setFont(tw::schrift(schrift));
    lbl->setGeometry(tw::rechteck(l, t, w, h));
    lbl->setAlignment(ausrichtung);
    return lbl;
}

// The whole inside of a frame, holding the digit labels of one number, which a screen reader reads as one.
QWidget* zahlAnzeige(QWidget* rahmen) {
    auto* zahl = new ZahlAnzeige(rahmen);
    zahl->setGeometry(rahmen->rect());
    return zahl;
}

// An etched separator: a grey line with a white one right below it.
void linie(QWidget* eltern, double y, double breite, QColor farbe) {
    auto* l = new QFrame(eltern);
    l->setGeometry(tw::rechteck(0, y, breite, 15));
    l->setStyleSheet(QStringLiteral("background-color: %1").arg(farbe.name()));
}

void zeigeElement(QLabel* lbl, const AnzeigeElement& e) {
    lbl->setText(e.caption);
    lbl->setGeometry(tw::rechteck(e.left, e.top, e.width, e.height));
    QFont font = tw::schrift({QStringLiteral("Arial"), e.punkte, true});
    lbl->setFont(font);
    lbl->setVisible(e.sichtbar);
}

// The form's key codes for the keys the board listens to; 0 for every other key.
int tastenCode(int qtTaste) {
    switch (qtTaste) {
    case Qt::Key_Left:
        return tasteLinks;
    case Qt::Key_Up:
        return tasteHoch;
    case Qt::Key_Right:
        return tasteRechts;
    case Qt::Key_Down:
        return tasteRunter;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return tasteEnter;
    default:
        return 0;
    }
}

} // namespace

MainFrmView::MainFrmView(MainFrm& mainFrm, const QString& appPfad) : mainFrm_(mainFrm), appPfad_(appPfad) {
    installiereZugang();
    setWindowTitle(MainFrm::caption);
    // The form's inside keeps its size; on the whole screen it stands in the middle.
    auto* buehne = new QWidget(this);
    auto* mitte = new QGridLayout(buehne);
    mitte->setContentsMargins(0, 0, 0, 0);
    auto* flaeche = flaeche_ = new QWidget(buehne);
    flaeche->setFixedSize(tw::groesse(innenBreite, innenHoehe));
    mitte->addWidget(flaeche, 0, 0, Qt::AlignCenter);
    setCentralWidget(buehne);
    baueMenue();
    baueSpielfeld(flaeche);
    baueWortRahmen(flaeche);
    baueSpielerRahmen(flaeche);
    baueRisikoUndZeit(flaeche);
    baueUebungsZeile(flaeche);
    setzeFesteGroesse(true);
    ansage_ = new Ansage(flaeche);
    vorleser_ = std::make_unique<Vorleser>(mainFrm_,
                                           Vorleser::Anzeigen{punkte_, einsatz_, spNameLbl_, suchWortLbl_,
                                                              fundWortLbl_, risikoAusImg_, risikoEinImg_,
                                                              vuMeter_, restZeitStand_},
                                           *ansage_);
    qApp->installEventFilter(this);
    mainFrm_.verbindeAnsicht(this);
    platform::setAfterEachEvent([this] { aktualisiere(); });
    aktualisiere();
    // The pictures are drawn when they are needed, in the middle of a paint, where a run-time error cannot
    // stop the program cleanly: so whatever lies in their place and is no regular file (a fifo, which would
    // block the reading) stops it here.
    QStringList bilder{grafik(QStringLiteral("ENERGIE.GIF")),
                       grafik(QStringLiteral("VUEIN.GIF")),
                       grafik(QStringLiteral("VUAUS.GIF")),
                       lampenBild(Lampe::Rot),
                       lampenBild(Lampe::Gruen),
                       lampenBild(Lampe::Dunkel),
                       mainFrm_.uebBausteinBild};
    for (int n = 1; n <= 3; ++n)
        bilder.append(Feldauswertung::jokerBild(appPfad_, n));
    for (const QString& bild : bilder)
        if (const QString gefunden = platform::findeDatei(bild); !gefunden.isEmpty())
            platform::dateisystem::pruefeGewoehnlich(gefunden);
    // The practice focus's picture belongs to the framework's files: without it the game does not start.
    if (!bilder_.picture(mainFrm_.uebBausteinBild))
        throw Laufzeitfehler(QStringLiteral("Das Bild des Übungsschwerpunkts fehlt oder ist beschädigt"),
                             QDir::toNativeSeparators(mainFrm_.uebBausteinBild));
}

MainFrmView::~MainFrmView() {
    qApp->removeEventFilter(this);
    platform::setAfterEachEvent({});
    mainFrm_.verbindeAnsicht(nullptr);
}

void MainFrmView::baueMenue() {
    for (const Menue& menue : menueLeiste()) {
        QMenu* m = menuBar()->addMenu(menue.kopf.caption);
        m->setObjectName(menue.kopf.name);
        for (const MenuePunkt& punkt : menue.punkte) {
            if (punkt.name.isEmpty()) {
                m->addSeparator();
                continue;
            }
            QAction* a = m->addAction(punkt.caption);
            a->setObjectName(punkt.name);
            aktionen_.insert(punkt.name, a);
            connect(a, &QAction::triggered, this,
                    [this, befehl = punkt.befehl] { platform::runGuarded([&] { (mainFrm_.*befehl)(); }); });
        }
    }
}

void MainFrmView::baueSpielfeld(QWidget* flaeche) {
    using namespace brettlayout;
    brett_ = new BrettAnsicht(flaeche, mainFrm_.brett().feld, mainFrm_.brett().zuege, bilder_);
    for (int i = 0; i < label4Anzahl; ++i)
        label(flaeche, QString(QChar(label4Text(i))), label4Left(i), label4Top(i), label4Width, label4Height,
              {QStringLiteral("Arial"), label4Punkte, true});
}

void MainFrmView::baueWortRahmen(QWidget* flaeche) {
    using namespace brettlayout;
    QWidget* such = rahmen(flaeche, QStringLiteral("gesucht"), suchWortFrameLeft, suchWortFrameTop,
                           wortFrameWidth, wortFrameHeight);
    such->setObjectName(QStringLiteral("SuchWortFrame"));
    suchKontLbl_ = new QLabel(such);
    suchWortLbl_ = new QLabel(such);
    leseLupe_ = new QFrame(such);
    leseLupe_->setObjectName(QStringLiteral("LeseLupe"));
    leseLupe_->setStyleSheet(
        QStringLiteral("border: %1px solid #c03020; border-radius: %2px; background: transparent;")
            .arg(std::max(1, tw::px(30)))
            .arg(tw::px(90)));
    leseLupe_->setAttribute(Qt::WA_TransparentForMouseEvents);
    QWidget* fund = rahmen(flaeche, QStringLiteral("gefunden"), fundWortFrameLeft, fundWortFrameTop,
                           wortFrameWidth, wortFrameHeight);
    fund->setObjectName(QStringLiteral("FundWortFrame"));
    fundKontLbl_ = new QLabel(fund);
    fundWortLbl_ = new QLabel(fund);
    suchKontLbl_->setObjectName(QStringLiteral("SuchKontLbl"));
    suchWortLbl_->setObjectName(QStringLiteral("SuchWortLbl"));
    fundKontLbl_->setObjectName(QStringLiteral("FundKontLbl"));
    fundWortLbl_->setObjectName(QStringLiteral("FundWortLbl"));
    for (QLabel* l : {suchKontLbl_, suchWortLbl_, fundKontLbl_, fundWortLbl_})
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    fundWortLbl_->setStyleSheet(QStringLiteral("color: #1a6a1a"));
}

void MainFrmView::baueSpielerRahmen(QWidget* flaeche) {
    QWidget* spFld = rahmen(flaeche, {}, 5475, 4340, 3285, 945);
    QWidget* name = rahmen(spFld, QStringLiteral("Name"), 120, 150, 1575, 675);
    spNameLbl_ = new platform::NamensLabel(name, tw::schrift(beschriftung));
    spNameLbl_->setGeometry(tw::rechteck(60, 270, 1455, 330));
    spNameLbl_->setAlignment(Qt::AlignCenter);
    spNameLbl_->setObjectName(QStringLiteral("SpNameLbl"));
    QWidget* punkte = rahmen(spFld, QStringLiteral("Punkte"), 1830, 150, 1335, 675);
    punkte_ = zahlAnzeige(punkte);
    for (int i = 0; i < 5; ++i)
        punkZiff_[i] =
            label(punkte_, QStringLiteral("0"), 60 + 240 * i, 210, 240, 390, titelSchrift, Qt::AlignCenter);
    QWidget* bonus = rahmen(flaeche, QStringLiteral("Bonus"), 6300, 3030, 855, 675);
    einsatz_ = zahlAnzeige(bonus);
    for (int i = 0; i < 3; ++i)
        risikoZiff_[i] =
            label(einsatz_, QStringLiteral("0"), 60 + 240 * i, 210, 240, 390, titelSchrift, Qt::AlignCenter);
}

void MainFrmView::baueRisikoUndZeit(QWidget* flaeche) {
    risikoBtn_ = new QPushButton(QStringLiteral("&Risiko"), flaeche);
    risikoBtn_->setObjectName(QStringLiteral("RisikoBtn"));
    risikoBtn_->setFont(tw::schrift(titelSchrift));
    risikoBtn_->setGeometry(tw::rechteck(7260, 3150, 1185, 525));
    connect(risikoBtn_, &QPushButton::clicked, this,
            [this] { platform::runGuarded([this] { mainFrm_.risiko().RisikoBtn_Click(); }); });
    risikoAusImg_ = new BildWidget(flaeche, bilder_);
    risikoAusImg_->setObjectName(QStringLiteral("RisikoAusImg"));
    risikoAusImg_->setGeometry(tw::rechteck(5790, 2970, 390, 390));
    risikoEinImg_ = new BildWidget(flaeche, bilder_);
    risikoEinImg_->setObjectName(QStringLiteral("RisikoEinImg"));
    risikoEinImg_->setGeometry(tw::rechteck(5790, 3450, 390, 390));
    vuMeter_ = new VuMeterWidget(flaeche, bilder_);
    vuMeter_->alsMessgeraet();
    vuMeter_->setGeometry(
        tw::rechteck(VuMeter::dialLeft, VuMeter::dialTop, VuMeter::dialWidth, VuMeter::dialWidth));
    restZeitStand_ = new BildWidget(flaeche, bilder_);
    restZeitStand_->setObjectName(QStringLiteral("RestZeitStand"));
    restZeitStand_->alsMessgeraet();
    restZeitStand_->setzeBild(grafik(QStringLiteral("ENERGIE.GIF")));
}

QString MainFrmView::grafik(const QString& datei) const {
    return QDir(appPfad_).filePath(QStringLiteral("Grafik/") + datei);
}

QString MainFrmView::lampenBild(Lampe lampe) const {
    switch (lampe) {
    case Lampe::Rot:
        return grafik(QStringLiteral("LAMPEROT.GIF"));
    case Lampe::Gruen:
        return grafik(QStringLiteral("LAMPEGRN.GIF"));
    default:
        return grafik(QStringLiteral("LAMPEAUS.GIF"));
    }
}

void MainFrmView::aktualisiereMenues() {
    for (const Menue& menue : menueLeiste())
        for (const MenuePunkt& punkt : menue.punkte)
            if (punkt.imComputerzugGrau)
                aktionen_.value(punkt.name)->setEnabled(mainFrm_.spieler().menuesFreigegeben);
}

void MainFrmView::baueUebungsZeile(QWidget* flaeche) {
    linie(flaeche, 5600, 9600, QColor(128, 128, 128));
    linie(flaeche, 5615, 9600, Qt::white);
    QWidget* titel = rahmen(flaeche, {}, 1200, 5790, 7305, 600);
    uebTitelLabel_ = label(titel, {}, 120, 210, 7020, 315, titelSchrift, Qt::AlignHCenter | Qt::AlignTop);
    uebTitelLabel_->setObjectName(QStringLiteral("UebTitelLabel"));
    uebBausteinImage_ = new BildWidget(flaeche, bilder_);
    uebBausteinImage_->setGeometry(tw::rechteck(135, 5850, 825, 600));
    uebBausteinImage_->setAccessibleName(QStringLiteral("Bild zum Übungsschwerpunkt"));
}

void MainFrmView::aktualisiereWorte() {
    const Wortanzeige& a = mainFrm_.brett().anzeige;
    zeigeElement(suchKontLbl_, a.suchKontLbl);
    zeigeElement(suchWortLbl_, a.suchWortLbl);
    zeigeElement(fundKontLbl_, a.fundKontLbl);
    zeigeElement(fundWortLbl_, a.fundWortLbl);
    leseLupe_->setGeometry(
        tw::rechteck(a.leseLupe.left, a.leseLupe.top, a.leseLupe.width, a.leseLupe.height));
    leseLupe_->setVisible(a.leseLupe.sichtbar);
    leseLupe_->raise();
}

void MainFrmView::aktualisiere() {
    brett_->aktualisiere();
    aktualisiereWorte();
    const PunkteAnzeige& punkte = mainFrm_.spieler().anzeige;
    spNameLbl_->setzeName(punkte.spNameLbl);
    for (int i = 0; i < 5; ++i)
        punkZiff_[i]->setText(punkte.punkZiff[i]);
    const Risiko& risiko = mainFrm_.risiko();
    for (int i = 0; i < 3; ++i) {
        risikoZiff_[i]->setText(punkte.risikoZiff[i]);
        risikoZiff_[i]->setEnabled(risiko.risikoZiffEnabled);
    }
    risikoBtn_->setEnabled(risiko.risikoBtnEnabled);
    risikoAusImg_->setzeBild(lampenBild(risiko.risikoAusImg));
    risikoEinImg_->setzeBild(lampenBild(risiko.risikoEinImg));
    aktualisiereMenues();

    const RateZeit& rate = mainFrm_.rateZeit();
    const VuMeter& vu = rate.vuMeter;
    vuMeter_->setzeBild(
        grafik(rate.vuRestZeitEin ? QStringLiteral("VUEIN.GIF") : QStringLiteral("VUAUS.GIF")));
    vuMeter_->setzeZeiger({vu.x1 - VuMeter::dialLeft, vu.y1 - VuMeter::dialTop, vu.x2 - VuMeter::dialLeft,
                           vu.y2 - VuMeter::dialTop, vu.achseWidth});
    // The bar drains from the top: its lower edge stays where the layout puts it.
    const SpielZeit& zeit = mainFrm_.spielZeit();
    restZeitStand_->setGeometry(tw::rechteck(9060, zeit.top, 75, zeit.hoehe));
    restZeitStand_->setVisible(zeit.hoehe > 0);
    uebTitelLabel_->setText(mainFrm_.uebTitelLabel);
    uebBausteinImage_->setzeBild(mainFrm_.uebBausteinBild);
    if (vorleser_)
        vorleser_->aktualisiere(!imZug_);
}

// Called by a move before its pause: what it did is said when it is over.
void MainFrmView::repaintNow() {
    imZug_ = true;
    aktualisiere();
    imZug_ = false;
    flaeche_->repaint();
}

QAction* MainFrmView::aktion(const QString& name) const {
    return aktionen_.value(name);
}

// F1 on a highlighted menu or menu item opens the help at its topic.
bool MainFrmView::hilfeZuMenue(QObject* objekt, QEvent* event) {
    if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1)
        return false;
    QString name;
    if (auto* menue = qobject_cast<QMenu*>(objekt); menue && menue->window() != this) {
        name = menue->activeAction() ? menue->activeAction()->objectName() : menue->objectName();
        menue->close();
    } else if (auto* leiste = qobject_cast<QMenuBar*>(objekt);
               leiste && leiste->activeAction() && leiste->activeAction()->menu()) {
        name = leiste->activeAction()->menu()->objectName();
    }
    if (name.isEmpty())
        return false;
    platform::runGuarded([&] { mainFrm_.hilfeZuMenue(name); });
    return true;
}

bool MainFrmView::eventFilter(QObject* objekt, QEvent* event) {
    if (event->type() == QEvent::Paint && objekt == brett_ && nachErstemZeichnen)
        QTimer::singleShot(0, this, std::exchange(nachErstemZeichnen, {}));
    if (hilfeZuMenue(objekt, event))
        return true;
    if (event->type() != QEvent::KeyPress || !objekt->isWidgetType() ||
        static_cast<QWidget*>(objekt)->window() != this)
        return false;
    if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_F11) {
        schalteVollbild();
        return true;
    }
    const int code = tastenCode(static_cast<QKeyEvent*>(event)->key());
    if (code == 0)
        return false;
    platform::runGuarded([&] { mainFrm_.brett().zuege.Form_KeyDown(code); });
    return true;
}

double MainFrmView::massstabFuer(QSize bildschirm) {
    if (qgetenv("FINDOLIN_ORIGINALGROESSE") == "1")
        return 1;
    // The window at the original size: the form and its menu bar of about 20 pixels, which grows with the
    // scale; the window system's title bar and edges do not, about 40 pixels.
    constexpr double menue = 300, rahmen = 40, hoehenAnteil = 0.9, breitenAnteil = 0.96;
    const double hoch = (bildschirm.height() - rahmen) * hoehenAnteil / ((innenHoehe + menue) / tw::proPixel),
                 breit = (bildschirm.width() - rahmen) * breitenAnteil / (innenBreite / tw::proPixel);
    // In steps of a twentieth, so that a full HD screen gets exactly twice the size.
    return std::max(1.0, std::floor(std::min(hoch, breit) * 20) / 20);
}

void MainFrmView::setzeFesteGroesse(bool fest) {
    if (fest) {
        layout()->setSizeConstraint(QLayout::SetFixedSize);
        return;
    }
    layout()->setSizeConstraint(QLayout::SetMinimumSize);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

void MainFrmView::schalteVollbild() {
    if (isFullScreen()) {
        showNormal();
        setzeFesteGroesse(true);
    } else {
        setzeFesteGroesse(false);
        showFullScreen();
    }
}

void MainFrmView::closeEvent(QCloseEvent* event) {
    bool offenHalten = true;
    platform::runGuarded([&] { offenHalten = mainFrm_.Form_Unload(); });
    if (offenHalten)
        event->ignore();
}

} // namespace findolin::view
