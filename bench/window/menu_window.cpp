// A main window with only what every editor window has: a menu bar of eight menus, a
// tool bar of sixteen theme icons and a status bar text, reporting its first paint.
// Timed beside the bare window, it shows what text and icons alone cost at start-up.
#include <QApplication>
#include <QIcon>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include "FirstPaintCanvas.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The editor's own fallback, so the icons are really loaded on a bare machine.
    QIcon::setFallbackThemeName(QStringLiteral("oxygen"));
    if (QIcon::themeName().isEmpty()) QIcon::setThemeName(QStringLiteral("oxygen"));
    QMainWindow window;
    for (const char* title :
         {"&File", "&Edit", "&View", "F&rames", "E&ffects", "&Picture", "&Settings", "&Help"}) {
        QMenu* menu = window.menuBar()->addMenu(QString::fromLatin1(title));
        for (int i = 1; i <= 12; ++i)
            menu->addAction(QStringLiteral("Command %1\tCtrl+%1").arg(i % 10));
    }
    QToolBar* bar = window.addToolBar(QStringLiteral("Standard"));
    for (const char* name :
         {"document-new", "document-open", "document-save", "edit-cut", "edit-copy", "edit-paste",
          "media-playback-start", "media-playback-pause", "media-playback-stop", "go-first",
          "go-previous", "go-next", "go-last", "list-add", "list-remove", "help-about"})
        bar->addAction(QIcon::fromTheme(QString::fromLatin1(name)), QString::fromLatin1(name));
    window.statusBar()->addWidget(new QLabel(QStringLiteral("Ready")));
    window.setCentralWidget(new FirstPaintCanvas);
    window.resize(800, 600);
    window.show();
    return app.exec();
}
