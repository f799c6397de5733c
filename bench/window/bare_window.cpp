// A bare main window that reports its first paint: the yardstick for the editor's
// start-up time.
#include <QApplication>
#include <QMainWindow>

#include "FirstPaintCanvas.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setCentralWidget(new FirstPaintCanvas);
    window.resize(800, 600);
    window.show();
    return app.exec();
}
