// Test entry point: a headless Qt application (fonts, painting) around GoogleTest.
#include <QGuiApplication>

#include <cstdlib>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Test discovery and CI run the binary without a display.
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    testing::InitGoogleTest(&argc, argv);
    QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
