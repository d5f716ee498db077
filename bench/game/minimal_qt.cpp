// The baseline for the start-up benchmark: the least a Qt Widgets program does to show a window with a menu
// and a label, reporting once the label has been painted, as the game reports its first board.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>
#include <cstdio>

namespace {
class ErstesBild : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !gemeldet_) {
            gemeldet_ = true;
            QTimer::singleShot(0, [] {
                std::fputs("shown\n", stdout);
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return false;
    }

private:
    bool gemeldet_ = false;
};
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow fenster;
    auto* label = new QLabel(QStringLiteral("Hallo"));
    ErstesBild melder;
    label->installEventFilter(&melder);
    fenster.setCentralWidget(label);
    fenster.menuBar()->addMenu(QStringLiteral("&Datei"));
    fenster.show();
    return QApplication::exec();
}
