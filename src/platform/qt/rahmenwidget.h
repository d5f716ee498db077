#pragma once

#include "platform/services.h"

#include <QWidget>

namespace findolin::platform {

// A frame as the forms draw it: an etched border over the whole rectangle the layout gives, the caption
// standing in the top border line, which breaks for it. Controls inside take their places from the frame's
// top left corner, as the layout's twips count them.
class RahmenWidget : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString title READ titel)

public:
    RahmenWidget(const QString& titel, QWidget* eltern);
    QString titel() const { return titel_; }
    // The height of the top border line within the frame: half the caption's line height, 0 without one.
    int oberkante() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString titel_;
};

// A frame at its place in twips, relative to its container.
RahmenWidget* rahmen(QWidget* eltern, const QString& titel, const Schrift& schrift, double left, double top,
                     double width, double height);

} // namespace findolin::platform
