// Zorvane, the editor: start-up directory, command line, settings, splash, the main
// window, and the scheme named on the command line.

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>

#include "app/MainFrame.h"
#include "app/Splash.h"
#include "editor/Document.h"
#include "model/FrameCategoryNames.h"
#include "res/Resources.h"

int main(int argc, char* argv[]) {
    // The category names exist before anything shows them.
    zv::FrameCategoryNames();

    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Zorvane"));
    QApplication::setApplicationName(QStringLiteral("Zorvane"));
    QApplication::setApplicationVersion(QStringLiteral("4.0"));
    const QString startDir = QDir::currentPath();

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Zorvane, editor and player of light signs"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("A scheme (.zrx) to open"),
                                 QStringLiteral("[file]"));
    parser.process(app);

    zv::InitIcons();
    QApplication::setWindowIcon(zv::AppIcon());

    zv::CSplashWnd::ShowSplash(QDir(startDir).filePath(QStringLiteral("logo.bmp")));
    zv::CMainFrame frame;
    frame.show();

    const QStringList files = parser.positionalArguments();
    if (!files.isEmpty())
        frame.Doc().OpenSchemeFile(QDir(startDir).absoluteFilePath(files.first()));
    return app.exec();
}
