#include "zugang.h"

#include "platform/qt/dialogzugang.h"

#include <QAccessibleWidget>

namespace findolin::view {

namespace {

// Qt's accessible widget, with the role, value, focus and press action the widget itself tells.
class ZugangsSchnittstelle : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    ZugangsSchnittstelle(QWidget* w, Zugaenglich& z) : QAccessibleWidget(w, z.zugangsRolle()), z_(z) {}

    QAccessible::Role role() const override { return z_.zugangsRolle(); }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.focusable = z_.zugangFokussierbar();
        return s;
    }
    int childCount() const override { return z_.zugangOhneTeile() ? 0 : QAccessibleWidget::childCount(); }
    QAccessibleInterface* child(int index) const override {
        return z_.zugangOhneTeile() ? nullptr : QAccessibleWidget::child(index);
    }
    int indexOfChild(const QAccessibleInterface* kind) const override {
        return z_.zugangOhneTeile() ? -1 : QAccessibleWidget::indexOfChild(kind);
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        return z_.zugangOhneTeile() ? nullptr : QAccessibleWidget::childAt(x, y);
    }
    void* interface_cast(QAccessible::InterfaceType typ) override {
        if (typ == QAccessible::ValueInterface)
            return z_.zugangsWert() ? static_cast<QAccessibleValueInterface*>(this) : nullptr;
        return QAccessibleWidget::interface_cast(typ);
    }

    QVariant currentValue() const override { return z_.zugangsWert().value_or(Zugaenglich::Wert{}).wert; }
    void setCurrentValue(const QVariant&) override {} // a meter is read, never set
    QVariant maximumValue() const override { return z_.zugangsWert().value_or(Zugaenglich::Wert{}).maximum; }
    QVariant minimumValue() const override { return z_.zugangsWert().value_or(Zugaenglich::Wert{}).minimum; }
    QVariant minimumStepSize() const override { return 1; }

    QStringList actionNames() const override {
        QStringList namen = QAccessibleWidget::actionNames();
        if (z_.zugangDrueckbar())
            namen.prepend(QAccessibleActionInterface::pressAction());
        return namen;
    }
    void doAction(const QString& aktion) override {
        if (aktion == QAccessibleActionInterface::pressAction() && z_.zugangDrueckbar())
            z_.zugangDruecken();
        else
            QAccessibleWidget::doAction(aktion);
    }

private:
    Zugaenglich& z_;
};

QAccessibleInterface* fabrik(const QString&, QObject* objekt) {
    auto* widget = qobject_cast<QWidget*>(objekt);
    if (auto* zugang = dynamic_cast<Zugaenglich*>(objekt); widget && zugang)
        return new ZugangsSchnittstelle(widget, *zugang);
    return nullptr;
}

} // namespace

void installiereZugang() {
    platform::installiereDialogZugang();
    static const bool installiert = [] {
        QAccessible::installFactory(fabrik);
        return true;
    }();
    Q_UNUSED(installiert);
}

void setzeZugangsName(QWidget* widget, const QString& name) {
    if (widget->accessibleName() != name)
        widget->setAccessibleName(name);
}

void setzeZugangsBeschreibung(QWidget* widget, const QString& text) {
    if (widget->accessibleDescription() != text)
        widget->setAccessibleDescription(text);
}

Ansage::Ansage(QWidget* eltern) : QWidget(eltern) {
    setObjectName(QStringLiteral("Ansage"));
    setGeometry(0, 0, 1, 1);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide(); // until there is something to say: an empty notification would be read too
}

void Ansage::sage(const QString& text) {
    if (text.isEmpty())
        return;
    // The name goes first, with its own event, so that the screen reader holds the text when it appears.
    setAccessibleName(text);
    if (isHidden()) {
        show(); // Qt tells of it
        return;
    }
    QAccessibleEvent erscheint(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&erscheint);
}

} // namespace findolin::view
