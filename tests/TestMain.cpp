// Test entry point: a headless Qt application (fonts, painting) around GoogleTest.
#include <QGuiApplication>

#include <QDir>
#include <QTemporaryDir>

#include <cstdlib>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Test discovery and CI run the binary without a display.
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    testing::InitGoogleTest(&argc, argv);
    // Tests never read or write the user's own settings and data: both live in a
    // folder of this test process.
    QTemporaryDir home;
    setenv("XDG_CONFIG_HOME", QDir(home.path()).filePath(QStringLiteral("config")).toLocal8Bit(),
           1);
    setenv("XDG_DATA_HOME", QDir(home.path()).filePath(QStringLiteral("data")).toLocal8Bit(), 1);
    QGuiApplication app(argc, argv);
    QGuiApplication::setOrganizationName(QStringLiteral("ZorvaneTests"));
    QGuiApplication::setApplicationName(QStringLiteral("ZorvaneTests"));
    return RUN_ALL_TESTS();
}
