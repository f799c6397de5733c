#pragma once
// A drawing tool host over an image, standing in for the view in tests.

#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <QObject>

#include <vector>

#include "gdi/WindowMessages.h"
#include "shapes/KorDraw.h"
#include "shapes/ShapeHost.h"

namespace zv::test {

class ImageHost : public QObject, public ShapeHost {
public:
    explicit ImageHost(int w = 400, int h = 300) : screen(w, h, QImage::Format_RGB32) {
        screen.fill(Qt::black);
    }

    std::unique_ptr<GdiDc> GetClientDc() override { return std::make_unique<GdiDc>(screen); }
    void SetCapture() override { captured = true; }
    void ReleaseCapture() override { captured = false; }
    QObject* MessageTarget() override { return this; }
    ScrollSize GetScrollSize() const override { return {screen.width(), screen.height()}; }
    void InvalidateRect(const Rect& r) override { invalidated.push_back(r); }

    bool event(QEvent* e) override {
        if (const int um = MessageOfEventType(e->type())) {
            posted.push_back(um);
            return true;
        }
        return QObject::event(e);
    }
    // Delivers what the tool posted and returns it.
    std::vector<int> Messages() {
        QCoreApplication::sendPostedEvents(this);
        return std::exchange(posted, {});
    }

    QImage screen;
    bool captured = false;
    std::vector<Rect> invalidated;
    std::vector<int> posted;
};

// Mouse input in device (view) coordinates.
inline void Click(CKorDraw& tool, int x, int y) {
    tool.OnLButtonDown(1, {x, y});
    tool.OnLButtonUp(0, {x, y});
}
inline void Move(CKorDraw& tool, int x, int y) {
    tool.OnMouseMove(0, {x, y});
}
inline void MoveClick(CKorDraw& tool, int x, int y) {
    Move(tool, x, y);
    Click(tool, x, y);
}

inline std::vector<Point> LitPixels(const QImage& img) {
    std::vector<Point> lit;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if ((img.pixel(x, y) & 0xFFFFFF) != 0) lit.push_back({x, y});
    return lit;
}

inline int LitCount(const QImage& img) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) n += (img.pixel(x, y) & 0xFFFFFF) != 0;
    return n;
}

}  // namespace zv::test
