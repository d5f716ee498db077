#include "meldungsdialoge.h"

#include "kern/meldungsfenster.h"
#include "platform/qt/bilddatei.h"
#include "platform/qt/twips.h"

#include <QCloseEvent>
#include <QDialog>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

namespace findolin::view {
namespace {

using platform::twips::rechteck;

// A fixed-size dialog with a picture, a framed text and two buttons, closed only through its buttons:
// Enter presses the first, Esc the second while it is shown.
class MeldungsDialog : public QDialog {
public:
    MeldungsDialog(QWidget* parent, const QString& bildPfad, std::function<void(int)> gedrueckt)
        : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
          gedrueckt_(std::move(gedrueckt)) {
        setModal(true);
        bild_ = new QLabel(this);
        bild_->setPixmap(platform::ladePixmap(bildPfad));
        bild_->setScaledContents(true);
        rahmen_ = new QFrame(this);
        rahmen_->setFrameShape(QFrame::Box);
        rahmen_->setFrameShadow(QFrame::Sunken);
        text_ = new QLabel(rahmen_);
        text_->setFont(platform::twips::schrift(MldFenster::schrift));
        for (int i = 0; i < 2; ++i) {
            knopf_[i] = new QPushButton(this);
            knopf_[i]->setFont(platform::twips::schrift(MldFenster::schrift));
            connect(knopf_[i], &QPushButton::clicked, this, [this, i] { druecke(i + 1); });
        }
        knopf_[0]->setDefault(true);
        setTabOrder(knopf_[0], knopf_[1]);
    }

    void zeige(const QString& titel, const QString& text, const Rahmen& innen, const Rahmen& bild,
               const Rahmen& rahmen, const Rahmen& label, bool umbrechen) {
        setWindowTitle(titel);
        setFixedSize(platform::twips::groesse(innen.width, innen.height));
        bild_->setGeometry(rechteck(bild.left, bild.top, bild.width, bild.height));
        rahmen_->setGeometry(rechteck(rahmen.left, rahmen.top, rahmen.width, rahmen.height));
        QString zeilen = text;
        text_->setText(zeilen.replace(QChar(13), QLatin1Char('\n')));
        text_->setWordWrap(umbrechen);
        text_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        text_->setGeometry(rechteck(label.left, label.top, label.width, label.height));
        zentriereAufBildschirm();
    }

    void setzeKnopf(int nummer, const QString& caption, const Rahmen& r, bool sichtbar) {
        QPushButton* knopf = knopf_[nummer - 1];
        knopf->setText(caption);
        knopf->setGeometry(rechteck(r.left, r.top, r.width, r.height));
        knopf->setVisible(sichtbar);
        if (nummer == 1)
            knopf->setDefault(true); // hiding a pressed default button makes Qt forget it
    }

    QPushButton* knopf(int nummer) const { return knopf_[nummer - 1]; }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Escape) {
            if (knopf_[1]->isVisible())
                druecke(2);
            return;
        }
        QDialog::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
    void reject() override {} // only the buttons close the window

private:
    // The window stands in the middle of the screen the main window is on, title bar included once known.
    void zentriereAufBildschirm() {
        const QScreen* bildschirm = parentWidget() ? parentWidget()->screen() : screen();
        const QSize aussen = size() + frameGeometry().size() - geometry().size();
        const QRect flaeche = bildschirm->geometry();
        move(flaeche.x() + (flaeche.width() - aussen.width()) / 2,
             flaeche.y() + (flaeche.height() - aussen.height()) / 2);
    }

    void druecke(int nummer) {
        gedrueckt_(nummer);
        knopf_[nummer - 1]->hide();
        accept();
    }

    std::function<void(int)> gedrueckt_;
    QLabel* bild_;
    QFrame* rahmen_;
    QLabel* text_;
    QPushButton* knopf_[2];
};

} // namespace

void registriereMeldungsdialoge(platform::QtModalPresenter& presenter, const QString& bildPfad) {
    presenter.registerView(MldFenster::name,
                           {[bildPfad](platform::ModalForm& form, QWidget* parent) -> QDialog* {
                                auto& fenster = static_cast<MldFenster&>(form);
                                return new MeldungsDialog(
                                    parent, bildPfad, [&fenster](int nummer) { fenster.druecke(nummer); });
                            },
                            [](QDialog* dialog, platform::ModalForm& form) {
                                auto& f = static_cast<MldFenster&>(form);
                                auto* d = static_cast<MeldungsDialog*>(dialog);
                                d->zeige(f.titel, f.meldung, {0, 0, f.breite, f.hoehe}, f.image1, f.mldFrame,
                                         f.meldungLabel, false);
                                d->setzeKnopf(1, f.btn1.caption, f.btn1.rahmen, f.btn1.visible);
                                d->setzeKnopf(2, f.btn2.caption, f.btn2.rahmen, f.btn2.visible);
                            }});
    presenter.registerView(EndeFrm::name,
                           {[bildPfad](platform::ModalForm& form, QWidget* parent) -> QDialog* {
                                auto& frage = static_cast<EndeFrm&>(form);
                                return new MeldungsDialog(parent, bildPfad, [&frage](int nummer) {
                                    frage.pressButton(nummer == 1 ? QStringLiteral("&ja")
                                                                  : QStringLiteral("&nein"));
                                });
                            },
                            [](QDialog* dialog, platform::ModalForm& form) {
                                auto& f = static_cast<EndeFrm&>(form);
                                auto* d = static_cast<MeldungsDialog*>(dialog);
                                d->zeige(EndeFrm::caption, f.meldung, EndeFrm::innen, EndeFrm::image1,
                                         EndeFrm::mldFrame, EndeFrm::meldungLabel, true);
                                d->setzeKnopf(1, QStringLiteral("&ja"), EndeFrm::jaBtn, true);
                                d->setzeKnopf(2, QStringLiteral("&nein"), EndeFrm::neinBtn, true);
                            }});
}

} // namespace findolin::view
