#include "compzugdialog.h"

#include "computer/compzugfrm.h"
#include "platform/qt/bilddatei.h"
#include "platform/qt/twips.h"

#include <QCloseEvent>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QPixmap>

namespace findolin::view {
namespace {

namespace tw = platform::twips;

// Only the computer's move ends this window: Esc and the window system's close do nothing.
class CompZugDialog : public QDialog {
public:
    CompZugDialog(QWidget* parent, const QString& bildPfad)
        : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint) {
        setModal(true);
        setFixedSize(tw::groesse(5160, 1710));
        auto* rahmen = new QFrame(this);
        rahmen->setFrameShape(QFrame::Box);
        rahmen->setFrameShadow(QFrame::Sunken);
        rahmen->setGeometry(tw::rechteck(120, 90, 4920, 1530));
        auto* bild = new QLabel(rahmen);
        bild->setObjectName(QStringLiteral("Image1"));
        bild->setPixmap(platform::ladePixmap(bildPfad));
        bild->setScaledContents(true);
        bild->setGeometry(tw::rechteck(180, 420, 675, 675));
        auto* label1 = new QLabel(CompZugFrm::label1, rahmen);
        label1->setObjectName(QStringLiteral("Label1"));
        label1->setFont(tw::schrift({QStringLiteral("Arial"), 12, true}));
        label1->setGeometry(tw::rechteck(1020, 180, 3720, 375));
        auto* label2 = new QLabel(CompZugFrm::label2, rahmen);
        label2->setObjectName(QStringLiteral("Label2"));
        label2->setFont(tw::schrift({QStringLiteral("Arial"), 9.75, false}));
        label2->setWordWrap(true);
        label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label2->setGeometry(tw::rechteck(1020, 660, 3720, 720));
    }

protected:
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
    void reject() override {}
};

} // namespace

void registriereCompZugDialog(platform::QtModalPresenter& presenter, const QString& bildPfad) {
    presenter.registerView(CompZugFrm::name, {[bildPfad](platform::ModalForm&, QWidget* parent) -> QDialog* {
                                                  return new CompZugDialog(parent, bildPfad);
                                              },
                                              [](QDialog*, platform::ModalForm&) {}});
}

} // namespace findolin::view
