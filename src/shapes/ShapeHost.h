#pragma once
// What the drawing tool needs from the window it works in. The view implements it;
// tests implement it over an image.

#include <memory>

#include "gdi/GdiDc.h"
#include "gdi/Geometry.h"

class QObject;

namespace zv {

struct ScrollSize {
    std::int32_t cx = 0;
    std::int32_t cy = 0;
};

class ShapeHost {
public:
    virtual ~ShapeHost() = default;
    // A drawing context over the window's client area, prepared with the window's
    // own mapping; the tool then sets the viewport origin it needs.
    virtual std::unique_ptr<GdiDc> GetClientDc() = 0;
    virtual void SetCapture() = 0;
    virtual void ReleaseCapture() = 0;
    // The object that receives the tool's posted UM_FRAME_CHANGED and UM_REDRAW
    // events; null when nobody listens.
    virtual QObject* MessageTarget() = 0;
    // Total size of the scrollable drawing area.
    virtual ScrollSize GetScrollSize() const = 0;
    // Marks a rectangle of the client area (device coordinates) for repainting.
    virtual void InvalidateRect(const Rect& deviceRect) = 0;
};

}  // namespace zv
