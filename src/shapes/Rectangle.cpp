#include "shapes/Rectangle.h"

#include "shapes/Archive.h"
#include "shapes/KorDraw.h"

namespace zv {

const ShapeClass& CRectangle::Class() {
    static const ShapeClass c{"CRectangle", 1, &MakeOf<CRectangle>};
    return c;
}

void CRectangle::Serialize(CArchive& ar) {
    SerializeHead(ar);
    ar.Io(brushStyle);
    ar.Io(hatchStyle);
    ar.Io(brushColour);
}

void CRectangle::Paint(GdiDc& dc) {
    dc.Rectangle(Box());
}

std::array<Point, 5> CRectangle::HandlePoints() const {
    const int l = std::min(startPoint.x, endPoint.x), r = std::max(startPoint.x, endPoint.x);
    const int t = std::min(startPoint.y, endPoint.y), b = std::max(startPoint.y, endPoint.y);
    return {Point{l, t}, Point{r, t}, Point{r, b}, Point{l, b}, Midpoint({l, t}, {r, b})};
}

int CRectangle::HitHandle(int x, int y) {
    const auto points = HandlePoints();
    return HitPointHandle(points, x, y, HandleReach());
}

void CRectangle::GrabHandle(CKorDraw& tool, int handle, Point mouse) {
    const auto points = HandlePoints();
    if (handle >= 1 && handle <= 4) {
        // The opposite corner stays; it becomes the start point.
        tool.BeginReshape(*this, points[static_cast<std::size_t>((handle + 1) % 4)], mouse);
    } else if (handle == 5) {
        tool.BeginMove(*this, startPoint, endPoint);
    }
}

bool CRectangle::HitTest(int x, int y) {
    OrderCorners();
    const Rect box = Box();
    const Rect outer{box.left - 4, box.top - 4, box.right + 4, box.bottom + 4};
    const Rect inner{box.left + 4, box.top + 4, box.right - 4, box.bottom - 4};
    return outer.Contains(x, y) && !inner.Contains(x, y);
}

void CRectangle::DrawHandles(GdiDc& dc) {
    const auto points = HandlePoints();
    for (int i = 0; i < 4; ++i) DrawHandleSquare(dc, points[static_cast<std::size_t>(i)], 0xFF0000);
    DrawHandleSquare(dc, points[4], 0x0000FF);
}

bool InEllipse(const Rect& box, int x, int y) {
    const double a = (static_cast<double>(box.right) - box.left) / 2.0;
    const double b = (static_cast<double>(box.bottom) - box.top) / 2.0;
    if (a <= 0 || b <= 0) return false;
    const double cx = box.left + a, cy = box.top + b;
    const double dx = (x + 0.5 - cx) / a, dy = (y + 0.5 - cy) / b;
    return dx * dx + dy * dy <= 1.0;
}

}  // namespace zv
