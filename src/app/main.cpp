// Zorvane, the editor: start-up directory, command line, settings, splash, the main
// window, and the scheme named on the command line.

#include <QApplication>
#include <QCommandLineParser>
#include <QDBusConnection>
#include <QDir>

#include <cstdio>
#include <thread>

#include "app/Language.h"
#include "app/MainFrame.h"
#include "app/Splash.h"
#include "app/ZorvaneView.h"
#include "editor/Document.h"
#include "model/FrameCategoryNames.h"
#include "res/Resources.h"

int main(int argc, char* argv[]) {
    // The category names exist before anything shows them.
    zv::FrameCategoryNames();

    QApplication app(argc, argv);
    // The menu bar and the accessibility bridge both connect to the session bus while
    // the window is built, and wait until the connection is made or has failed (with
    // no bus running, only after a try at starting one). Connecting starts now, beside
    // that work; the thread ends before the application does.
    const std::jthread connectToBus([] { QDBusConnection::sessionBus(); });
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

    // Before anything with a text is built.
    if (!zv::InstallTranslations(app, zv::StoredLanguageChoice()))
        std::fputs("zorvane: a translation of the interface is not installed\n", stderr);

    zv::InitIcons();

    zv::CSplashWnd::ShowSplash(QDir(startDir).filePath(QStringLiteral("logo.bmp")));
    zv::CMainFrame frame;
    // The start-up benchmark times the way to the view's first paint.
    if (qEnvironmentVariableIsSet("ZORVANE_REPORT_FIRST_PAINT"))
        QObject::connect(frame.View(), &zv::CZorvaneView::FirstPaint, [] {
            std::fputs("first paint\n", stderr);
            std::fflush(stderr);
        });
    frame.show();

    // Unsaved work of a run that did not end cleanly comes first.
    const bool restored = frame.OfferRecovery();
    const QStringList files = parser.positionalArguments();
    if (!files.isEmpty() && !restored)
        frame.Doc().OpenSchemeFile(QDir(startDir).absoluteFilePath(files.first()));
    return app.exec();
}
