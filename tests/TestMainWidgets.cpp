// Test entry point for the window's tests: a headless Qt widget application around
// GoogleTest.
#include <QApplication>

#include <cstdlib>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("ZorvaneTests"));
    QApplication::setApplicationName(QStringLiteral("ZorvaneTests"));
    return RUN_ALL_TESTS();
}
