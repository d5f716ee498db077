// The module that drives the real program in its tests, loaded when FINDOLIN_AUTOMATION names its file:
// every modal window writes its caption and text to standard error and is answered at once with the next
// caption from FINDOLIN_ANSWERS (comma-separated, "&" optional), or with its default button; a window that
// closes itself is only reported. Once the game is shown, FINDOLIN_MENUS chooses menu commands and
// FINDOLIN_CLICKS clicks widgets, by their names, one after the other (the fields are FldPic0 to FldPic24,
// row by row); FINDOLIN_QUIT_AFTER_MS chooses "&Ende ..." after that many milliseconds, as soon as it is
// enabled (it is greyed while the computer moves). FINDOLIN_EXIT_WHEN_SHOWN prints "shown" once the first
// board is painted and ends without writing anything. With FINDOLIN_BARRIER_BEFORE_WRITE, the first time the
// game opens a database it may write it prints "findolin: barrier" to standard error and waits for a line on
// standard input.
#include "platform/qt/fernsteuerung.h"
#include "platform/services.h"

#include <QAction>
#include <QCoreApplication>
#include <QDialog>
#include <QLabel>
#include <QMouseEvent>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace {

using findolin::platform::ModalForm;

void meldeFenster(const QString& titel, QString text) {
    text.replace(QChar(13), QLatin1Char('/')).replace(QLatin1Char('\n'), QLatin1Char('/'));
    std::fprintf(stderr, "findolin: Fenster \"%s\": %s\n", qUtf8Printable(titel), qUtf8Printable(text));
    std::fflush(stderr);
}

QStringList liste(const char* variable) {
    return qEnvironmentVariable(variable).split(QLatin1Char(','), Qt::SkipEmptyParts);
}

// A left click in the middle of the widget, as the mouse gives it.
void klicke(QWidget* widget) {
    if (!widget)
        return;
    const QPointF mitte = QRectF(widget->rect()).center();
    for (const QEvent::Type art : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent ereignis(art, mitte, widget->mapToGlobal(mitte), Qt::LeftButton,
                             art == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &ereignis);
    }
}

class Testfahrer final : public findolin::platform::Fernsteuerung {
public:
    bool beantworte(ModalForm& form, QDialog& dialog) override {
        QStringList texte;
        for (const QLabel* label : dialog.findChildren<QLabel*>())
            if (!label->text().isEmpty())
                texte.append(label->text());
        meldeFenster(dialog.windowTitle(), texte.join(QLatin1Char('|')));
        if (form.closesItself())
            return false;
        form.pressButton(antworten_.isEmpty() ? QString() : antworten_.takeFirst());
        return true;
    }

    bool nimmLaufzeitfehler(const QString& text) override {
        meldeFenster(QStringLiteral("Laufzeitfehler"), text);
        return true;
    }

    void hauptfensterGezeigt(QWidget& fenster) override {
        const int endeNach = qEnvironmentVariableIntValue("FINDOLIN_QUIT_AFTER_MS");
        if (endeNach > 0) {
            auto* ende = new QTimer(&fenster);
            QAction* mnuDateiEnde = fenster.findChild<QAction*>(QStringLiteral("mnuDateiEnde"));
            QObject::connect(ende, &QTimer::timeout, &fenster, [ende, mnuDateiEnde] {
                ende->setInterval(100);
                if (!mnuDateiEnde->isEnabled())
                    return;
                ende->stop();
                mnuDateiEnde->trigger();
            });
            ende->start(endeNach);
        }
        for (const QString& name : liste("FINDOLIN_MENUS"))
            if (QAction* aktion = fenster.findChild<QAction*>(name))
                QTimer::singleShot(0, aktion, &QAction::trigger);
        for (const QString& name : liste("FINDOLIN_CLICKS"))
            QTimer::singleShot(0, &fenster, [&fenster, name] { klicke(fenster.findChild<QWidget*>(name)); });
    }

    bool erstesBildGezeigt() override {
        if (!qEnvironmentVariableIsSet("FINDOLIN_EXIT_WHEN_SHOWN"))
            return false;
        std::fputs("shown\n", stdout);
        std::fflush(stdout);
        QCoreApplication::exit(0); // exit() closes no window, so there is no question
        return true;
    }

    void vorDemErstenSchreiben() override {
        if (!qEnvironmentVariableIsSet("FINDOLIN_BARRIER_BEFORE_WRITE"))
            return;
        std::fputs("findolin: barrier\n", stderr);
        std::fflush(stderr);
        char zeile[16];
        (void)!std::fgets(zeile, sizeof zeile, stdin);
    }

private:
    QStringList antworten_ = liste("FINDOLIN_ANSWERS");
};

} // namespace

extern "C" Q_DECL_EXPORT findolin::platform::Fernsteuerung* findolin_fernsteuerung() {
    static Testfahrer fahrer;
    return &fahrer;
}
