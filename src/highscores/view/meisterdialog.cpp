#include "meisterdialog.h"

#include "highscores/meisterfrm.h"
#include "platform/qt/twips.h"

#include <QDialog>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace findolin::view {
namespace {

namespace tw = platform::twips;

// The columns, in twips: left edge, width and alignment; the rank and the points line up on the right.
struct Spalte {
    double left, width;
    Qt::Alignment ausrichtung;
};
constexpr Spalte platzSpalte{240, 600, Qt::AlignRight};
constexpr Spalte nameSpalte{1020, 3300, Qt::AlignLeft};
constexpr Spalte datumSpalte{4440, 1560, Qt::AlignLeft};
constexpr Spalte punkteSpalte{6120, 1080, Qt::AlignRight};
constexpr double breite = 7560;
constexpr double kopfTop = 240, kopfHoehe = 360, listeTop = 720;
constexpr int mindestZeilen = 10; // the window keeps its size for a list that is not full yet

const platform::Schrift kopfSchrift{QStringLiteral("Arial"), 12, true};
const platform::Schrift listenSchrift{QStringLiteral("Arial"), 12, false};

class MeisterDialog : public QDialog {
public:
    MeisterDialog(QWidget* parent, MeisterFrm& form)
        : QDialog(parent,
                  Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
          form_(form) {
        setModal(true);
        setWindowTitle(MeisterFrm::caption);
        const std::pair<const Spalte*, QString> koepfe[] = {{&nameSpalte, MeisterFrm::kopfName},
                                                            {&datumSpalte, MeisterFrm::kopfDatum},
                                                            {&punkteSpalte, MeisterFrm::kopfPunkte}};
        for (const auto& [spalte, text] : koepfe) {
            auto* kopf = new QLabel(text, this);
            kopf->setFont(tw::schrift(kopfSchrift));
            kopf->setAlignment(spalte->ausrichtung | Qt::AlignVCenter);
            kopf->setGeometry(tw::rechteck(spalte->left, kopfTop, spalte->width, kopfHoehe));
        }
        linie_ = new QFrame(this);
        linie_->setFrameShape(QFrame::HLine);
        linie_->setFrameShadow(QFrame::Sunken);
        const char* namen[] = {"PlatzLbl", "NameLbl", "DatumLbl", "PunkteLbl"};
        for (int i = 0; i < 4; ++i) {
            spalten_[i] = new QLabel(this);
            spalten_[i]->setObjectName(QLatin1String(namen[i]));
            spalten_[i]->setFont(tw::schrift(listenSchrift));
            spalten_[i]->setTextFormat(Qt::PlainText); // a name is never markup
        }
        // in place of the rows, when the list cannot be read
        hinweis_ = new QLabel(this);
        hinweis_->setObjectName(QStringLiteral("HinweisLbl"));
        hinweis_->setFont(tw::schrift(listenSchrift));
        hinweis_->setTextFormat(Qt::PlainText);
        hinweis_->setWordWrap(true);
        hinweis_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        ok_ = new QPushButton(MeisterFrm::okKnopf, this);
        ok_->setFont(tw::schrift(kopfSchrift));
        ok_->setDefault(true);
        connect(ok_, &QPushButton::clicked, this, [this] { schliesse(); });
    }

    void zeige() {
        const QString texte[] = {form_.platzLbl, form_.nameLbl, form_.datumLbl, form_.punkteLbl};
        const Spalte* lagen[] = {&platzSpalte, &nameSpalte, &datumSpalte, &punkteSpalte};
        const int zeilen = std::max<int>(mindestZeilen, int(form_.platzLbl.count(QChar(13))));
        const double hoehe = tw::vonPixeln(spaltenHoehe(zeilen));
        linie_->setGeometry(
            tw::rechteck(platzSpalte.left, listeTop - 120, breite - 2 * platzSpalte.left, 30));
        for (int i = 0; i < 4; ++i) {
            spalten_[i]->setAlignment(lagen[i]->ausrichtung | Qt::AlignTop);
            spalten_[i]->setGeometry(tw::rechteck(lagen[i]->left, listeTop, lagen[i]->width, hoehe));
            QStringList text = texte[i].split(QChar(13));
            if (texte[i].endsWith(QChar(13)))
                text.removeLast();
            // A name wider than its column is cut at its end, so that every row keeps its line.
            if (lagen[i] == &nameSpalte)
                for (QString& name : text)
                    name = spalten_[i]->fontMetrics().elidedText(name, Qt::ElideRight, spalten_[i]->width());
            spalten_[i]->setText(text.join(QLatin1Char('\n')));
        }
        hinweis_->setText(QString(form_.hinweis).replace(QChar(13), QLatin1Char('\n')));
        hinweis_->setGeometry(tw::rechteck(platzSpalte.left, listeTop, breite - 2 * platzSpalte.left, hoehe));
        hinweis_->setVisible(!form_.hinweis.isEmpty());
        const double knopfTop = listeTop + hoehe + 240;
        ok_->setGeometry(tw::rechteck((breite - 1215) / 2, knopfTop, 1215, 450));
        setFixedSize(tw::groesse(breite, knopfTop + 450 + 240));
    }

protected:
    // Esc and the close box do what "&OK" does.
    void reject() override { schliesse(); }

private:
    // The height of a column of so many lines, as the label draws them: each line is a little higher than
    // the font's line spacing rounded to whole pixels.
    int spaltenHoehe(int zeilen) const {
        const QString probe = QStringList(zeilen, QStringLiteral("Ag")).join(QLatin1Char('\n'));
        return spalten_[0]
            ->fontMetrics()
            .boundingRect(QRect(0, 0, 1000, 100000), Qt::AlignTop, probe)
            .height();
    }

    void schliesse() {
        form_.pressButton(MeisterFrm::okKnopf);
        accept();
    }

    MeisterFrm& form_;
    QFrame* linie_;
    QLabel* spalten_[4];
    QLabel* hinweis_;
    QPushButton* ok_;
};

} // namespace

void registriereMeisterDialog(platform::QtModalPresenter& presenter) {
    presenter.registerView(
        MeisterFrm::name,
        {[](platform::ModalForm& form, QWidget* parent) -> QDialog* {
             return new MeisterDialog(parent, static_cast<MeisterFrm&>(form));
         },
         [](QDialog* dialog, platform::ModalForm&) { static_cast<MeisterDialog*>(dialog)->zeige(); }});
}

} // namespace findolin::view
