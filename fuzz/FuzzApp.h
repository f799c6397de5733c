#pragma once
// Loaders make fonts and images, which need a (headless) Qt application.
#include <QGuiApplication>

#include <cstdlib>

inline void EnsureFuzzApp() {
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QGuiApplication app(argc, argv);
}
