#pragma once
// The central widget of the yardstick windows: black, and a "first paint" line on
// standard error when it is first painted, which the start-up benchmark waits for.
#include <QPainter>
#include <QWidget>

#include <cstdio>

class FirstPaintCanvas : public QWidget {
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
