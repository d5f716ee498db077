#include "dialogzugang.h"

#include <QAbstractButton>
#include <QAccessibleWidget>

namespace findolin::platform {

namespace {

// A check box or option button of the dialogs. Qt tells their access key only for a "press" they do not
// offer; a screen reader asks for the key of the action they do offer, "toggle".
class WahlKnopf : public QAccessibleWidget {
public:
    WahlKnopf(QAbstractButton* knopf, QAccessible::Role rolle) : QAccessibleWidget(knopf, rolle) {}

    QString text(QAccessible::Text art) const override {
        if (art == QAccessible::Name && widget()->accessibleName().isEmpty()) {
            QString name = knopf()->text();
            for (int i = 0; i < name.size(); ++i)
                if (name[i] == u'&')
                    name.remove(i, 1); // "&&" leaves one "&"
            return name;
        }
        if (art == QAccessible::Accelerator)
            return knopf()->shortcut().toString(QKeySequence::NativeText);
        return QAccessibleWidget::text(art);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = knopf()->isChecked();
        return s;
    }
    QStringList actionNames() const override {
        QStringList namen = QAccessibleWidget::actionNames();
        if (knopf()->isEnabled())
            namen.prepend(toggleAction());
        return namen;
    }
    void doAction(const QString& aktion) override {
        if (aktion == toggleAction())
            knopf()->click();
        else
            QAccessibleWidget::doAction(aktion);
    }
    QStringList keyBindingsForAction(const QString& aktion) const override {
        if (aktion == toggleAction() && !knopf()->shortcut().isEmpty())
            return {knopf()->shortcut().toString(QKeySequence::NativeText)};
        return QAccessibleWidget::keyBindingsForAction(aktion);
    }

private:
    QAbstractButton* knopf() const { return static_cast<QAbstractButton*>(widget()); }
};

// A frame of the forms (platform::RahmenWidget): a group named by its caption, as Qt's group boxes are.
class RahmenZugang : public QAccessibleWidget {
public:
    explicit RahmenZugang(QWidget* rahmen) : QAccessibleWidget(rahmen, QAccessible::Grouping) {}
    QString text(QAccessible::Text art) const override {
        if (art == QAccessible::Name && widget()->accessibleName().isEmpty())
            return widget()->property("title").toString();
        return QAccessibleWidget::text(art);
    }
};

QAccessibleInterface* fabrik(const QString& klasse, QObject* objekt) {
    auto* widget = qobject_cast<QWidget*>(objekt);
    if (!widget)
        return nullptr;
    if (klasse == QLatin1String("QCheckBox"))
        return new WahlKnopf(static_cast<QAbstractButton*>(widget), QAccessible::CheckBox);
    if (klasse == QLatin1String("QRadioButton"))
        return new WahlKnopf(static_cast<QAbstractButton*>(widget), QAccessible::RadioButton);
    if (klasse == QLatin1String("findolin::platform::RahmenWidget"))
        return new RahmenZugang(widget);
    return nullptr;
}

} // namespace

void installiereDialogZugang() {
    static const bool installiert = [] {
        QAccessible::installFactory(fabrik);
        return true;
    }();
    Q_UNUSED(installiert);
}

} // namespace findolin::platform
