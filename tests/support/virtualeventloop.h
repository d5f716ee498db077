#pragma once

#include "platform/offeneformen.h"
#include "platform/services.h"

#include <QString>
#include <deque>
#include <functional>
#include <map>
#include <vector>

namespace findolin::platform {

// A single-threaded event loop on a virtual clock, for tests. Timers fire in time order as a real loop would
// fire them; a blocking pause lets time pass without serving anything, so whatever fell due meanwhile is
// served afterwards. Nothing here waits on the wall clock.
class VirtualEventLoop : public Clock, public TimerFactory, public BlockingPause {
public:
    explicit VirtualEventLoop(double startSecondsSinceMidnight = 36000.0,
                              QDate startDate = QDate(2026, 12, 6));
    ~VirtualEventLoop() override;

    // Clock
    double secondsSinceMidnight() const override;
    QDate today() const override { return today_; }
    // TimerFactory
    std::unique_ptr<Timer> createTimer(int milliseconds, std::function<void()> onTick) override;
    // BlockingPause
    void block(double seconds) override;

    // Lets `milliseconds` of virtual time pass, serving timers and posted events in time order.
    void advance(qint64 milliseconds);
    // Serves what is due now, without letting time pass.
    void processPending() { advance(0); }
    // A nested loop, as a modal window runs one: serves events in time order while `offen` holds.
    void runWhile(const std::function<bool()>& offen);
    // Sets the clock forward (positive) or back (negative), as a correction or the end of daylight saving
    // time does. Timers are not affected: they count elapsed time, not the time of day.
    void stelleUhr(double sekunden) { startSeconds_ += sekunden; }
    // Queues an event (a click, a key) to be handled at the current virtual time, after what is already due.
    void post(std::function<void()> event);
    // Queues an event that arrives `afterMs` from now, even if the thread is then blocked by a pause.
    void postAfter(qint64 afterMs, std::function<void()> event);
    // Milliseconds since the loop was made, and how long the blocking pauses lasted in all.
    qint64 nowMs() const { return nowMs_; }
    qint64 blockedMs() const { return blockedMs_; }

private:
    class VirtualTimer;
    struct Posted {
        qint64 atMs;
        quint64 order;
        std::function<void()> event;
    };

    bool serveNext(qint64 untilMs);
    void schedule(VirtualTimer* timer);

    double startSeconds_;
    QDate today_;
    qint64 nowMs_ = 0;
    qint64 blockedMs_ = 0;
    quint64 nextOrder_ = 0;
    std::vector<VirtualTimer*> timers_;
    std::deque<Posted> posted_;
};

// A reproducible random source for tests.
class SeededRandom : public RandomSource {
public:
    explicit SeededRandom(quint32 seed);
    float nextUnit() override;

private:
    quint64 state_;
};

// Answers modal dialogs from a script: each show takes the next answer for that form's name and presses the
// button with that caption. Every shown form is recorded so that tests can look at what the user saw. A
// handler that lets time pass models a window left open: what the timers show then opens on top of it.
class ScriptedPresenter : public ModalPresenter {
public:
    using Handler = std::function<void(ModalForm&)>;

    void showModal(ModalForm& form) override;
    void endModal(ModalForm& form) override;
    // Forms that hide themselves run a nested loop on `loop` while they are shown.
    void runSelfClosingFormsOn(VirtualEventLoop& loop) { loop_ = &loop; }

    // The next show of `formName` presses `caption`.
    void answer(const QString& formName, const QString& caption);
    // The next show of `formName` runs `handler` (it may let virtual time pass, then press a button).
    void onNext(const QString& formName, Handler handler);
    // Every show of `formName` without a scripted answer runs `handler`.
    void always(const QString& formName, Handler handler);

    const QStringList& shownForms() const { return shown_; }
    int pendingAnswers() const;

private:
    std::map<QString, std::deque<Handler>> scripted_;
    std::map<QString, Handler> fallback_;
    OffeneFormen offen_;
    VirtualEventLoop* loop_ = nullptr;
    QStringList shown_;
};

// Ends a "process" in tests by throwing, so the test sees the exit code instead of losing its runner.
struct ProcessTerminated {
    int exitCode;
};

class ThrowingProcessControl : public ProcessControl {
public:
    void terminate(int exitCode) override;
};

} // namespace findolin::platform
