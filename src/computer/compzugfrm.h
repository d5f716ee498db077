#pragma once

#include "platform/services.h"

#include <functional>
#include <memory>

namespace findolin {

// The small waiting window of the computer's turn. Shown modally when the turn comes to the computer; its
// timer paces the moves: the first after ten ticks of 200 ms, each further one five ticks after a hit. The
// window hides itself after the first move and stays hidden for the rest of the turn.
class CompZugFrm : public platform::ModalForm {
public:
    static inline const QString name = QStringLiteral("CompZugFrm");
    static inline const QString label1 = QStringLiteral("Bitte warten!");
    static inline const QString label2 =
        QStringLiteral("Jetzt darf ich raten, wo sich der nächste Buchstabe versteckt hat.");
    static constexpr int takt = 200;
    static constexpr qint16 takteZuBeginn = 10;
    static constexpr qint16 takteNachTreffer = 5;

    // `computerZug` makes one move and returns true when it missed.
    CompZugFrm(platform::ModalPresenter& presenter, platform::TimerFactory& timer,
               std::function<bool()> computerZug);

    // Starts the pacing and shows the window modally; returns once it has hidden itself.
    void zeigeModal();
    void Form_Activate();
    void CompZugTimer_Timer();

    platform::Timer& compZugTimer() { return *compZugTimer_; }
    bool sichtbar() const { return sichtbar_; }

    QString formName() const override { return name; }
    void pressButton(const QString&) override {} // no buttons: the window ends its turn itself
    bool closesItself() const override { return true; }

    qint16 zugTakte = 0;
    qint16 zugWarteTakte = takteZuBeginn;

private:
    void verstecke();

    platform::ModalPresenter& presenter_;
    std::function<bool()> computerZug_;
    std::unique_ptr<platform::Timer> compZugTimer_;
    bool sichtbar_ = false;
};

} // namespace findolin
