#include "einstelldialog.h"

#include "kern/meldungsfenster.h"
#include "platform/qt/rahmenwidget.h"
#include "platform/qt/twips.h"
#include "settings/einstellfrm.h"

#include <QCheckBox>
#include <QDialog>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

namespace findolin::view {
namespace {

namespace tw = platform::twips;

const platform::Schrift rahmenSchrift{QStringLiteral("MS Sans Serif"), 8.25, true};
const platform::Schrift schrift{QStringLiteral("MS Sans Serif"), 9.75, true};

// The layout in twips, each place relative to its container.
constexpr Rahmen optFrame1{90, 90, 3315, 1935};
constexpr Rahmen tonEin{120, 330, 2640, 240};
constexpr Rahmen rateZeitEin{120, 630, 2775, 330};
constexpr Rahmen feldMarkEin{120, 960, 3015, 330};
constexpr Rahmen einstSaveOpt{120, 1470, 2865, 330};
constexpr Rahmen optFrame2{3510, 90, 2490, 1335};
constexpr Rahmen gegenComp{120, 330, 2280, 270};
constexpr Rahmen spSt0{390, 675, 1230, 255};
constexpr Rahmen spSt1{390, 975, 1560, 270};
constexpr Rahmen okBtn{4950, 1560, 1035, 450};
constexpr Rahmen abbrBtn{3510, 1560, 1365, 450};

// The window holds its controls with the margin they keep at the top left on the other sides too.
QSize innenGroesse() {
    double rechts = 0, unten = 0, rand = optFrame1.left;
    for (const Rahmen& r : {optFrame1, optFrame2, okBtn, abbrBtn}) {
        rechts = std::max(rechts, r.left + r.width);
        unten = std::max(unten, r.top + r.height);
        rand = std::min({rand, r.left, r.top});
    }
    return tw::groesse(rechts + rand, unten + rand);
}

template <typename W>
W* steuerelement(QWidget* container, const char* name, const QString& caption, const Rahmen& r,
                 const platform::Schrift& s = schrift) {
    auto* w = new W(caption, container);
    w->setObjectName(QLatin1String(name));
    w->setFont(tw::schrift(s));
    w->setGeometry(tw::rechteck(r.left, r.top, r.width, r.height));
    return w;
}

QWidget* rahmen(QWidget* container, const char* name, const QString& caption, const Rahmen& r) {
    QWidget* w = platform::rahmen(container, caption, rahmenSchrift, r.left, r.top, r.width, r.height);
    w->setObjectName(QLatin1String(name));
    return w;
}

// The controls write into the form's control states at once; "&OK" takes them, "&abbrechen", Esc and the
// window's close box call abbrBtn_Click. Enter presses "&OK", unless "&abbrechen" has the focus.
class EinstellDialog : public QDialog {
public:
    EinstellDialog(QWidget* parent, EinstellFrm& frm) : QDialog(parent), frm_(frm) {
        setModal(true);
        setWindowTitle(EinstellFrm::caption);
        setFixedSize(innenGroesse());
        QWidget* frame1 = rahmen(this, "OptFrame1", QStringLiteral("Verschiedenes"), optFrame1);
        ton_ = steuerelement<QCheckBox>(frame1, "TonEin", QStringLiteral("&Ton einschalten"), tonEin);
        rateZeit_ = steuerelement<QCheckBox>(frame1, "RateZeitEin", QStringLiteral("&Ratezeit begrenzen"),
                                             rateZeitEin);
        feldMark_ = steuerelement<QCheckBox>(frame1, "FeldMarkEin", QStringLiteral("Feldmarkierung anzeigen"),
                                             feldMarkEin);
        speichern_ = steuerelement<QCheckBox>(frame1, "EinstSaveOpt",
                                              QStringLiteral("Einstellungen s&peichern"), einstSaveOpt);
        QWidget* frame2 = rahmen(this, "OptFrame2", QStringLiteral("Computer"), optFrame2);
        gegenComp_ =
            steuerelement<QCheckBox>(frame2, "gegenComp", QStringLiteral("&als Gegenspieler"), gegenComp);
        stark_ = steuerelement<QRadioButton>(frame2, "SpSt0", QStringLiteral("&stark"), spSt0);
        schwach_ = steuerelement<QRadioButton>(frame2, "SpSt1", QStringLiteral("sch&wach"), spSt1);
        auto* ok = steuerelement<QPushButton>(this, "okBtn", EinstellFrm::okCaption, okBtn);
        auto* abbr = steuerelement<QPushButton>(this, "abbrBtn", EinstellFrm::abbrCaption, abbrBtn);
        ok->setDefault(true);

        QWidget* const reihe[] = {ton_,   rateZeit_, feldMark_, speichern_, gegenComp_,
                                  stark_, schwach_,  ok,        abbr};
        for (std::size_t i = 1; i < std::size(reihe); ++i)
            setTabOrder(reihe[i - 1], reihe[i]);

        EinstellFormular& f = frm_.formular();
        for (const auto& [box, feld] : {std::pair{ton_, &EinstellFormular::tonEin},
                                        std::pair{rateZeit_, &EinstellFormular::rateZeitEin},
                                        std::pair{feldMark_, &EinstellFormular::feldMarkEin},
                                        std::pair{speichern_, &EinstellFormular::einstSaveOpt},
                                        std::pair{gegenComp_, &EinstellFormular::gegenComp}})
            connect(box, &QCheckBox::toggled, this, [&f, wert = feld](bool an) { f.*wert = an ? 1 : 0; });
        connect(schwach_, &QRadioButton::toggled, this, [&f](bool an) { f.spSt = an ? 1 : 0; });
        connect(ok, &QPushButton::clicked, this, [this] {
            frm_.okBtn_Click();
            accept();
        });
        connect(abbr, &QPushButton::clicked, this, &QDialog::reject);
    }

    // Shows the form's control states; the focus starts on the first control.
    void zeige() {
        const EinstellFormular& f = frm_.formular();
        ton_->setChecked(f.tonEin == 1);
        rateZeit_->setChecked(f.rateZeitEin == 1);
        feldMark_->setChecked(f.feldMarkEin == 1);
        speichern_->setChecked(f.einstSaveOpt == 1);
        gegenComp_->setChecked(f.gegenComp == 1);
        gegenComp_->setEnabled(f.gegenCompEnabled);
        (f.spSt == 1 ? schwach_ : stark_)->setChecked(true);
        stark_->setEnabled(f.spStEnabled);
        schwach_->setEnabled(f.spStEnabled);
        ton_->setFocus();
    }

protected:
    void reject() override {
        frm_.abbrBtn_Click();
        QDialog::reject();
    }

private:
    EinstellFrm& frm_;
    QCheckBox* ton_;
    QCheckBox* rateZeit_;
    QCheckBox* feldMark_;
    QCheckBox* speichern_;
    QCheckBox* gegenComp_;
    QRadioButton* stark_;
    QRadioButton* schwach_;
};

} // namespace

void registriereEinstellDialog(platform::QtModalPresenter& presenter) {
    presenter.registerView(
        EinstellFrm::name,
        {[](platform::ModalForm& form, QWidget* parent) -> QDialog* {
             return new EinstellDialog(parent, static_cast<EinstellFrm&>(form));
         },
         [](QDialog* dialog, platform::ModalForm&) { static_cast<EinstellDialog*>(dialog)->zeige(); }});
}

} // namespace findolin::view
