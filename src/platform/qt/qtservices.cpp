#include "qtservices.h"

#include "fernsteuerung.h"
#include "platform/errorguard.h"
#include "twips.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDialog>
#include <QFontMetricsF>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QThread>
#include <QTimer>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace findolin::platform {

double QtClock::secondsSinceMidnight() const {
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

QDate QtClock::today() const {
    return QDate::currentDate();
}

namespace {

class QtTimer : public Timer {
public:
    QtTimer(int milliseconds, std::function<void()> onTick) : onTick_(std::move(onTick)) {
        timer_.setInterval(milliseconds);
        QObject::connect(&timer_, &QTimer::timeout, [this] { runGuarded(onTick_); });
    }
    void setInterval(int milliseconds) override { timer_.setInterval(milliseconds); }
    int interval() const override { return timer_.interval(); }
    void setEnabled(bool enabled) override {
        if (!enabled)
            timer_.stop();
        else if (!timer_.isActive())
            timer_.start();
    }
    bool isEnabled() const override { return timer_.isActive(); }

private:
    QTimer timer_;
    std::function<void()> onTick_;
};

} // namespace

std::unique_ptr<Timer> QtTimerFactory::createTimer(int milliseconds, std::function<void()> onTick) {
    return std::make_unique<QtTimer>(milliseconds, std::move(onTick));
}

void QtBlockingPause::block(double seconds) {
    if (seconds > 0)
        QThread::usleep(static_cast<unsigned long>(seconds * 1e6));
}

float SystemRandom::nextUnit() {
    // 24 random bits: every float in [0, 1) that they give is exact, and 1.0 never comes.
    return static_cast<float>(QRandomGenerator::global()->bounded(1u << 24)) / 16777216.0f;
}

// As a label lays the text out, to the whole pixel its last glyph reaches into; a line to the whole pixel its
// spacing reaches into.
double QtTextMeasure::breiteTwips(const QString& text, const Schrift& schrift) const {
    return twips::vonPixeln(std::ceil(QFontMetricsF(twips::schrift(schrift)).size(0, text).width()));
}

double QtTextMeasure::zeilenhoeheTwips(const Schrift& schrift) const {
    return twips::vonPixeln(std::ceil(QFontMetricsF(twips::schrift(schrift)).lineSpacing()));
}

namespace {
double massstab_ = 1.0;
} // namespace

double twips::massstab() {
    return massstab_;
}

void twips::setzeMassstab(double faktor) {
    massstab_ = faktor > 0 ? faktor : 1.0;
}

QFont twips::schrift(const Schrift& schrift) {
    // Whatever Windows font a form names ("MS Sans Serif", "Arial", ...): fontconfig would give another
    // family for some of them, wider than the forms were laid out for.
    QFont font(QStringLiteral("Liberation Sans"));
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(schrift.punkte * massstab());
    font.setBold(schrift.fett);
    return font;
}

QtModalPresenter::~QtModalPresenter() {
    for (const Behalten& behalten : std::as_const(behalten_))
        delete behalten.dialog.data();
}

void QtModalPresenter::registerView(const QString& formName, View view) {
    views_.insert(formName, std::move(view));
}

void QtModalPresenter::showModal(ModalForm& form) {
    const QString name = form.formName();
    const auto view = views_.constFind(name);
    if (view == views_.constEnd())
        throw Laufzeitfehler(QStringLiteral("Zu diesem Fenster gibt es keine Ansicht"), name);
    QPointer<QDialog> dialog;
    offen_.oeffne(form, [&dialog] {
        if (dialog)
            dialog->done(QDialog::Accepted);
    });
    const auto geschlossen = qScopeGuard([&] { offen_.schliesse(form); });
    Behalten& behalten = behalten_[name]; // not used once other windows may open
    if (!behalten.dialog)
        behalten = {view->create(form, parent_), &form};
    const bool nurDiesesMal = behalten.form != &form;
    dialog = nurDiesesMal ? view->create(form, parent_) : behalten.dialog.data();
    const auto aufgeraeumt = qScopeGuard([&] {
        if (nurDiesesMal)
            delete dialog.data();
    });
    view->refresh(dialog, form);
    if (Fernsteuerung* fern = fernsteuerung(); fern && fern->beantworte(form, *dialog))
        return;
    dialog->exec();
}

void QtModalPresenter::endModal(ModalForm& form) {
    offen_.beende(form);
}

void QtProcessControl::terminate(int exitCode) {
    std::fflush(nullptr);
    std::exit(exitCode);
}

} // namespace findolin::platform
