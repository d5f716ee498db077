#pragma once

#include <QAccessible>
#include <QWidget>
#include <optional>

namespace findolin::view {

// What a screen reader learns about one of the game's own widgets beyond the name and description it carries
// (QWidget::accessibleName and accessibleDescription): its role, a value within a range, whether the board's
// cursor can rest on it, and what a screen reader's "press" does.
class Zugaenglich {
public:
    struct Wert {
        int wert, minimum, maximum;
        bool operator==(const Wert&) const = default;
    };
    virtual ~Zugaenglich() = default;
    virtual QAccessible::Role zugangsRolle() const = 0;
    virtual std::optional<Wert> zugangsWert() const { return std::nullopt; }
    // The widget is read as one whole; the labels it is drawn with stay out of the tree (the digits of a
    // number).
    virtual bool zugangOhneTeile() const { return false; }
    // The keyboard cursor can rest on it; resting there, it holds the keyboard focus.
    virtual bool zugangFokussierbar() const { return false; }
    virtual bool zugangDrueckbar() const { return false; }
    virtual void zugangDruecken() {}
};

// Lets Qt's accessibility ask the game's widgets through Zugaenglich. Called once, before any window is
// built.
void installiereZugang();

// Sets a widget's accessible name or description; only a real change goes out to the screen reader.
void setzeZugangsName(QWidget* widget, const QString& name);
void setzeZugangsBeschreibung(QWidget* widget, const QString& text);

// A number that the window draws digit by digit in labels of its own (the points, the stake): read as one
// text.
class ZahlAnzeige : public QWidget, public Zugaenglich {
public:
    using QWidget::QWidget;
    QAccessible::Role zugangsRolle() const override { return QAccessible::StaticText; }
    bool zugangOhneTeile() const override { return true; }
};

// What the game says aloud: an invisible notification that a screen reader reads each time it appears.
class Ansage : public QWidget, public Zugaenglich {
public:
    explicit Ansage(QWidget* eltern);
    QAccessible::Role zugangsRolle() const override { return QAccessible::Notification; }
    // Says `text`; an empty text says nothing.
    void sage(const QString& text);
};

} // namespace findolin::view
