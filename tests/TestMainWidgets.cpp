// Test entry point for the window's tests: a headless Qt widget application around
// GoogleTest.
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cstdlib>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    testing::InitGoogleTest(&argc, argv);
    // Tests never read or write the user's own settings and data: both live in a
    // folder of this test process.
    QTemporaryDir home;
    setenv("XDG_CONFIG_HOME", QDir(home.path()).filePath(QStringLiteral("config")).toLocal8Bit(),
           1);
    setenv("XDG_DATA_HOME", QDir(home.path()).filePath(QStringLiteral("data")).toLocal8Bit(), 1);
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("ZorvaneTests"));
    QApplication::setApplicationName(QStringLiteral("ZorvaneTests"));
    return RUN_ALL_TESTS();
}
