#include "compzugfrm.h"

#include "logging.h"

namespace findolin {

CompZugFrm::CompZugFrm(platform::ModalPresenter& presenter, platform::TimerFactory& timer,
                       std::function<bool()> computerZug)
    : presenter_(presenter), computerZug_(std::move(computerZug)),
      compZugTimer_(timer.createTimer(takt, [this] { CompZugTimer_Timer(); })) {}

void CompZugFrm::zeigeModal() {
    sichtbar_ = true;
    Form_Activate();
    qCDebug(lcComputer) << "computer's turn begins";
    presenter_.showModal(*this);
    sichtbar_ = false;
}

void CompZugFrm::Form_Activate() {
    zugWarteTakte = takteZuBeginn;
    zugTakte = 0;
}

void CompZugFrm::CompZugTimer_Timer() {
    if (zugTakte < zugWarteTakte) {
        ++zugTakte;
        return;
    }
    zugTakte = 0;
    if (computerZug_()) {
        compZugTimer_->setEnabled(false);
        verstecke();
        zugWarteTakte = takteZuBeginn;
    } else {
        verstecke();
        zugWarteTakte = takteNachTreffer;
    }
}

void CompZugFrm::verstecke() {
    if (!sichtbar_)
        return;
    sichtbar_ = false;
    presenter_.endModal(*this);
}

} // namespace findolin
