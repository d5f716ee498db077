#pragma once

#include <QString>

class QDialog;
class QWidget;

namespace findolin::platform {

class ModalForm;

// Whoever drives the running program from outside instead of a user: the program's own tests, through a
// module that FINDOLIN_AUTOMATION names by its file. The module is built with the tests and never installed;
// without it the program has no driver and waits for its user.
class Fernsteuerung {
public:
    // The function the module exports: no arguments, returns its driver.
    static constexpr const char* einstieg = "findolin_fernsteuerung";

    // A modal window is about to open: true when the driver has answered it, so that it does not open.
    virtual bool beantworte(ModalForm& form, QDialog& dialog) = 0;
    // A run-time error ends the program: true when the driver has taken its message, so that no window shows
    // it.
    virtual bool nimmLaufzeitfehler(const QString& text) = 0;
    // The main window is on screen; its event loop runs next.
    virtual void hauptfensterGezeigt(QWidget& fenster) = 0;
    // The first board is painted: true when the driver ends the program here.
    virtual bool erstesBildGezeigt() = 0;
    // The game is about to open a database it may write, for the first time in this run.
    virtual void vorDemErstenSchreiben() = 0;

protected:
    ~Fernsteuerung() = default;
};

// The driver the environment asks for, loaded the first time anyone asks; null when none is asked for, or
// when its module cannot be loaded (which is said on standard error).
Fernsteuerung* fernsteuerung();

} // namespace findolin::platform
