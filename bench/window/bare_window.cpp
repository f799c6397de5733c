// A bare main window that reports its first paint: the yardstick for the editor's
// start-up time.
#include <QApplication>
#include <QMainWindow>
#include <QPainter>
#include <QWidget>

#include <cstdio>

namespace {

class Canvas : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter(this).fillRect(rect(), Qt::black);
        if (!painted_) {
            painted_ = true;
            std::fputs("first paint\n", stderr);
            std::fflush(stderr);
        }
    }

private:
    bool painted_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setCentralWidget(new Canvas);
    window.resize(800, 600);
    window.show();
    return app.exec();
}
