#pragma once

#include <wmf/picture.h>

#include <QWidget>
#include <memory>

namespace findolin::view {

// The framework's window behind the game, over the whole screen: its picture fills the screen, cut to the
// screen's shape rather than stretched, on a calm colour that stands alone until the picture is loaded or
// where there is none. It stays below the game's windows.
class HintergrundFenster : public QWidget {
public:
    HintergrundFenster();
    // Covers the screen the window is on.
    void zeige();
    void setzeBild(const QString& pfad);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::shared_ptr<const wmf::Picture> bild_;
};

} // namespace findolin::view
