#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <functional>
#include <memory>

// The services the game needs from outside its own logic. Production implements them with Qt; tests use the
// virtual event loop and scripted dialogs of tests/support, so a whole game runs in milliseconds and repeats
// from a seed.
namespace findolin::platform {

// Time of day and the calendar.
class Clock {
public:
    virtual ~Clock() = default;
    // Seconds since midnight, with fractions; starts again at 0 at midnight.
    virtual double secondsSinceMidnight() const = 0;
    virtual QDate today() const = 0;
};

// A repeating timer on the user-interface thread. It fires only while the thread waits for events.
class Timer {
public:
    virtual ~Timer() = default;
    virtual void setInterval(int milliseconds) = 0;
    virtual int interval() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool isEnabled() const = 0;
};

class TimerFactory {
public:
    virtual ~TimerFactory() = default;
    // The timer starts disabled, as every timer of the game's layout does.
    virtual std::unique_ptr<Timer> createTimer(int milliseconds, std::function<void()> onTick) = 0;
};

// A pause during which no input, timer or paint event is handled; what arrives meanwhile is handled after it.
class BlockingPause {
public:
    virtual ~BlockingPause() = default;
    virtual void block(double seconds) = 0;
};

// A uniform random value in [0, 1).
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual float nextUnit() = 0;
};

// A font as the forms name it: family, size in points, bold.
struct Schrift {
    QString familie = QStringLiteral("Arial");
    double punkte = 8.25;
    bool fett = false;
};

// Text measurement in twips (15 twips make one logical pixel).
class TextMeasure {
public:
    virtual ~TextMeasure() = default;
    virtual double breiteTwips(const QString& text, const Schrift& schrift) const = 0;
    // The height of one line of text, as an auto-sized label grows per line.
    virtual double zeilenhoeheTwips(const Schrift& schrift) const = 0;
};

// The file access the game needs. Reading a missing file is a run-time error.
class FileSystem {
public:
    virtual ~FileSystem() = default;
    // Whether anything lies at `path`; what is no regular file is then refused by readAll.
    virtual bool exists(const QString& path) const = 0;
    virtual QByteArray readAll(const QString& path) const = 0;
    // For files read later, by another part: a run-time error naming `path` when something other than a
    // regular file lies there (a fifo would block whoever opens it); a missing file passes.
    virtual void pruefeGewoehnlich(const QString& path) const = 0;
    // Replaces `path` with `content`, writing `tempPath` first. At every moment either the old or the new
    // file exists whole; afterwards `tempPath` is gone.
    virtual void replaceVia(const QString& path, const QString& tempPath, const QByteArray& content) = 0;
};

// A dialog's state, owned by the logic; the presenter shows it and returns once the dialog has hidden itself.
class ModalForm {
public:
    virtual ~ModalForm() = default;
    virtual QString formName() const = 0;
    // A press on the button with this caption ("&OK", "&ja"); dialogs without such a button ignore it.
    virtual void pressButton(const QString& caption) = 0;
    // A form without buttons that hides itself (a waiting window driven by its own timer): it stays shown,
    // with timers running, until it calls ModalPresenter::endModal.
    virtual bool closesItself() const { return false; }
};

// Timers go on while a modal window is open, so a form can be shown while others are: it opens on top, and
// showModal returns once it has hidden itself; the windows below stay as they are until their turn comes
// again. A second form of a kind that is open (another MldFenster) gets a window of its own. Showing a form
// that is still open would overwrite what its window shows: that is a run-time error.
class ModalPresenter {
public:
    virtual ~ModalPresenter() = default;
    virtual void showModal(ModalForm& form) = 0;
    // Ends the modal display of a form that hides itself; showModal returns once the current event is done.
    virtual void endModal(ModalForm& form) = 0;
};

// The view of a form. The logic changes the state of the form's controls; where a change must show at once,
// before a blocking pause, it asks for an immediate repaint.
class FormView {
public:
    virtual ~FormView() = default;
    virtual void repaintNow() = 0;
};

// The help viewer: compiled HTML help files shown in windows of their own beside the game, one window per
// file. `datei` is the help file's full path. A page that cannot be shown is logged, and the window says so.
class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    // Opens the file at its default topic, or brings its window to the front there.
    virtual void displayTopic(const QString& datei) = 0;
    // Opens the file at the page of a context id; an id the file does not know opens the default topic.
    virtual void helpContext(const QString& datei, qint32 id) = 0;
    // Closes every window of the file.
    virtual void closeAll(const QString& datei) = 0;
};

// Ending the process at once, as the program end and the start-up refusals do.
class ProcessControl {
public:
    virtual ~ProcessControl() = default;
    virtual void terminate(int exitCode) = 0;
};

} // namespace findolin::platform
