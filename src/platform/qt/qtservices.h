#pragma once

#include "platform/offeneformen.h"
#include "platform/services.h"

#include <QDialog>
#include <QHash>
#include <QPointer>
#include <functional>

class QWidget;

namespace findolin::platform {

class QtClock : public Clock {
public:
    double secondsSinceMidnight() const override;
    QDate today() const override;
};

// Timers on Qt's event loop. A run-time error in a handler goes to the error report, never through Qt.
class QtTimerFactory : public TimerFactory {
public:
    std::unique_ptr<Timer> createTimer(int milliseconds, std::function<void()> onTick) override;
};

// Sleeps on the user-interface thread: nothing is served, the processor stays idle, and input that arrives
// meanwhile waits in the window system's queue until the pause is over.
class QtBlockingPause : public BlockingPause {
public:
    void block(double seconds) override;
};

class SystemRandom : public RandomSource {
public:
    float nextUnit() override;
};

// Measures in the font as drawn, at the scale the forms are drawn at, so that a width in twips holds the
// text on screen.
class QtTextMeasure : public TextMeasure {
public:
    double breiteTwips(const QString& text, const Schrift& schrift) const override;
    double zeilenhoeheTwips(const Schrift& schrift) const override;
};

// Shows the logic's dialogs as Qt dialogs. Each kind of form registers a view; its dialog is made on first
// use for that form and kept, as the forms are only hidden and shown again. Another form of the same kind
// (a message that comes while a message is open) gets a dialog of its own for as long as it is shown.
class QtModalPresenter : public ModalPresenter {
public:
    // Builds the dialog for a form and refreshes it from the form before each show.
    struct View {
        std::function<QDialog*(ModalForm&, QWidget* parent)> create;
        std::function<void(QDialog*, ModalForm&)> refresh;
    };

    explicit QtModalPresenter(QWidget* parent = nullptr) : parent_(parent) {}
    ~QtModalPresenter() override;
    void setParent(QWidget* parent) { parent_ = parent; }
    void registerView(const QString& formName, View view);
    void showModal(ModalForm& form) override;
    void endModal(ModalForm& form) override;

private:
    // The dialog a kind of form keeps, and the form it was made for. A dialog made with a parent window goes
    // when that window goes; the pointer then turns null.
    struct Behalten {
        QPointer<QDialog> dialog;
        const ModalForm* form = nullptr;
    };

    QWidget* parent_;
    QHash<QString, View> views_;
    QHash<QString, Behalten> behalten_;
    OffeneFormen offen_;
};

class QtProcessControl : public ProcessControl {
public:
    void terminate(int exitCode) override;
};

} // namespace findolin::platform
