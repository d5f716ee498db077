#pragma once

#include <QLabel>

namespace findolin::platform {

// A label for a player's name. A name wider than the label is shown whole in a smaller size of the same
// font, down to seven tenths of the label's size; a name wider even then is cut at its end with "…" and
// shown whole as the label's tool tip. Never cut at its beginning, as a centred text too wide would be.
class NamensLabel : public QLabel {
    Q_OBJECT

public:
    NamensLabel(QWidget* eltern, const QFont& schrift);

    void setzeName(const QString& name);
    const QString& name() const { return name_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void passeEin();

    QFont schrift_;
    QString name_;
};

} // namespace findolin::platform
