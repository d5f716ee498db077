#include "support/virtualeventloop.h"

#include "platform/laufzeitfehler.h"

#include <QScopeGuard>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <limits>

namespace findolin::platform {

class VirtualEventLoop::VirtualTimer : public Timer {
public:
    VirtualTimer(VirtualEventLoop& loop, int interval, std::function<void()> onTick, quint64 order)
        : loop_(loop), interval_(interval), onTick_(std::move(onTick)), order_(order) {}
    ~VirtualTimer() override {
        auto& all = loop_.timers_;
        all.erase(std::remove(all.begin(), all.end(), this), all.end());
    }

    void setInterval(int milliseconds) override {
        interval_ = milliseconds;
        if (enabled_)
            loop_.schedule(this);
    }
    int interval() const override { return interval_; }
    void setEnabled(bool enabled) override {
        if (enabled == enabled_)
            return;
        enabled_ = enabled;
        if (enabled)
            loop_.schedule(this);
    }
    bool isEnabled() const override { return enabled_; }

    VirtualEventLoop& loop_;
    int interval_;
    std::function<void()> onTick_;
    quint64 order_;
    bool enabled_ = false;
    qint64 dueMs_ = 0;
};

VirtualEventLoop::VirtualEventLoop(double startSecondsSinceMidnight, QDate startDate)
    : startSeconds_(startSecondsSinceMidnight), today_(startDate) {}

VirtualEventLoop::~VirtualEventLoop() {
    for (auto* timer : timers_)
        timer->enabled_ = false;
}

double VirtualEventLoop::secondsSinceMidnight() const {
    const double sekunden = std::fmod(startSeconds_ + static_cast<double>(nowMs_) / 1000.0, 86400.0);
    return sekunden < 0 ? sekunden + 86400.0 : sekunden; // a clock set back past midnight
}

std::unique_ptr<Timer> VirtualEventLoop::createTimer(int milliseconds, std::function<void()> onTick) {
    auto timer = std::make_unique<VirtualTimer>(*this, milliseconds, std::move(onTick), nextOrder_++);
    timers_.push_back(timer.get());
    return timer;
}

void VirtualEventLoop::schedule(VirtualTimer* timer) {
    // Like a real timer: it falls due one interval after it was (re)started; a zero interval still waits a
    // turn.
    timer->dueMs_ = nowMs_ + std::max(timer->interval_, 0);
    timer->order_ = nextOrder_++;
}

void VirtualEventLoop::block(double seconds) {
    if (!(seconds > 0))
        return;
    // However short the pause, time moves on, as a real clock's does; a pause of nothing would leave a
    // wait for the clock to reach a reading waiting for ever.
    const qint64 ms = std::max<qint64>(1, std::llround(seconds * 1000.0));
    nowMs_ += ms;
    blockedMs_ += ms;
}

void VirtualEventLoop::post(std::function<void()> event) {
    postAfter(0, std::move(event));
}

void VirtualEventLoop::postAfter(qint64 afterMs, std::function<void()> event) {
    const Posted neu{nowMs_ + std::max<qint64>(afterMs, 0), nextOrder_++, std::move(event)};
    const auto spaeter = std::upper_bound(posted_.begin(), posted_.end(), neu,
                                          [](const Posted& a, const Posted& b) { return a.atMs < b.atMs; });
    posted_.insert(spaeter, std::move(neu));
}

bool VirtualEventLoop::serveNext(qint64 untilMs) {
    VirtualTimer* timer = nullptr;
    for (auto* candidate : timers_) {
        if (!candidate->enabled_ || candidate->dueMs_ > untilMs)
            continue;
        if (!timer || candidate->dueMs_ < timer->dueMs_ ||
            (candidate->dueMs_ == timer->dueMs_ && candidate->order_ < timer->order_))
            timer = candidate;
    }
    const Posted* event = posted_.empty() ? nullptr : &posted_.front();
    if (event && event->atMs > untilMs)
        event = nullptr;

    const bool eventFirst = event && (!timer || event->atMs < timer->dueMs_ ||
                                      (event->atMs == timer->dueMs_ && event->order < timer->order_));
    if (eventFirst) {
        nowMs_ = std::max(nowMs_, event->atMs);
        auto handler = std::move(posted_.front().event);
        posted_.pop_front();
        handler();
        return true;
    }
    if (!timer)
        return false;
    nowMs_ = std::max(nowMs_, timer->dueMs_);
    // A timer that fell due several times while the thread was blocked fires once, then counts on from now.
    schedule(timer);
    auto tick = timer->onTick_; // the handler may delete or re-arm its own timer
    tick();
    return true;
}

namespace {
void zaehleRunde(int& served) {
    if (++served > 10'000'000)
        throw Laufzeitfehler(QStringLiteral("Die virtuelle Ereignisschleife läuft endlos"));
}
} // namespace

void VirtualEventLoop::advance(qint64 milliseconds) {
    const qint64 untilMs = nowMs_ + std::max<qint64>(milliseconds, 0);
    int served = 0;
    while (serveNext(untilMs))
        zaehleRunde(served);
    nowMs_ = std::max(nowMs_, untilMs);
}

void VirtualEventLoop::runWhile(const std::function<bool()>& offen) {
    int served = 0;
    while (offen()) {
        if (!serveNext(std::numeric_limits<qint64>::max()))
            throw Laufzeitfehler(
                QStringLiteral("Ein modales Fenster wartet auf ein Ereignis, das nie kommt"));
        zaehleRunde(served);
    }
}

SeededRandom::SeededRandom(quint32 seed) : state_(seed * 0x9E3779B97F4A7C15ull + 1) {}

float SeededRandom::nextUnit() {
    // splitmix64: small, fast and the same on every platform, which std:: distributions are not.
    quint64 z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    // 24 random bits give a float in [0, 1) with every value exactly representable.
    return static_cast<float>(z >> 40) / 16777216.0f;
}

void ScriptedPresenter::showModal(ModalForm& form) {
    const QString name = form.formName();
    offen_.oeffne(form, [this, &form] { offen_.schliesse(form); });
    const auto geschlossen = qScopeGuard([&] { offen_.schliesse(form); });
    shown_.append(name);
    auto& queue = scripted_[name];
    if (!queue.empty()) {
        auto handler = std::move(queue.front());
        queue.pop_front();
        handler(form);
        return;
    }
    if (auto it = fallback_.find(name); it != fallback_.end()) {
        it->second(form);
        return;
    }
    if (form.closesItself() && loop_) {
        loop_->runWhile([&] { return offen_.offen(form); });
        return;
    }
    throw Laufzeitfehler(QStringLiteral("Für dieses Fenster hat der Test keine Antwort vorgesehen"), name);
}

void ScriptedPresenter::endModal(ModalForm& form) {
    offen_.beende(form);
}

void ScriptedPresenter::answer(const QString& formName, const QString& caption) {
    scripted_[formName].push_back([caption](ModalForm& form) { form.pressButton(caption); });
}

void ScriptedPresenter::onNext(const QString& formName, Handler handler) {
    scripted_[formName].push_back(std::move(handler));
}

void ScriptedPresenter::always(const QString& formName, Handler handler) {
    fallback_[formName] = std::move(handler);
}

int ScriptedPresenter::pendingAnswers() const {
    int n = 0;
    for (const auto& [name, queue] : scripted_)
        n += static_cast<int>(queue.size());
    return n;
}

void ThrowingProcessControl::terminate(int exitCode) {
    throw ProcessTerminated{exitCode};
}

} // namespace findolin::platform
