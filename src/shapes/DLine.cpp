#include "shapes/DLine.h"

namespace zv {

std::array<Point, 4> LineHitBand(Point s, Point e, std::int32_t w) {
    std::array<Point, 4> p{};
    const std::int64_t product = (std::int64_t{s.x} - e.x) * (std::int64_t{s.y} - e.y);
    // Later cases replace earlier ones, so a single point ends as the horizontal one.
    if (product < 0) {
        const Point a = s.x <= e.x ? s : e, b = s.x <= e.x ? e : s;
        p = {Point{a.x - 3 - w, a.y - 4 - w}, Point{a.x + w + 3, a.y + w + 4},
             Point{b.x + w + 3, b.y + w + 4}, Point{b.x - 3 - w, b.y - 4 - w}};
    }
    if (product > 0) {
        const Point a = s.x <= e.x ? e : s, b = s.x <= e.x ? s : e;
        p = {Point{a.x + w + 3, a.y - 4 - w}, Point{a.x - 3 - w, a.y + w + 4},
             Point{b.x - 3 - w, b.y + w + 4}, Point{b.x + w + 3, b.y - 4 - w}};
    }
    if (s.x == e.x) {
        p = {Point{s.x - 3 - w, s.y - 4 - w}, Point{s.x + w + 3, s.y - 4 - w},
             Point{e.x + w + 3, e.y + w + 4}, Point{e.x - 3 - w, e.y + w + 4}};
    }
    if (s.y == e.y) {
        p = {Point{s.x - 4 - w, s.y - 3 - w}, Point{s.x - 4 - w, s.y + w + 3},
             Point{e.x + w + 4, e.y + w + 3}, Point{e.x + w + 4, e.y - 3 - w}};
    }
    return p;
}

const ShapeClass& CDLine::Class() {
    static const ShapeClass c{"CDLine", 1, &MakeOf<CDLine>};
    return c;
}

CDLine::CDLine() {
    CDLine::ResetDefaults();
}

void CDLine::ResetDefaults() {
    startPoint = endPoint = Point{};
    penColour = 0;
    penWidth = 1;
    penStyle = PS_SOLID;
}

void CDLine::SetEndsFromDoubles(double x1, double y1, double x2, double y2) {
    startPoint = {TruncToInt(x1), TruncToInt(y1)};
    endPoint = {TruncToInt(x2), TruncToInt(y2)};
}

void CDLine::Paint(GdiDc& dc) {
    dc.MoveTo(startPoint);
    dc.LineTo(endPoint);
}

const GdiRegion& CDLine::GetHitRegion() {
    const auto band = LineHitBand(startPoint, endPoint, penWidth);
    hitRegion = std::make_unique<GdiRegion>(band);
    return *hitRegion;
}

bool CDLine::HitTest(int x, int y) {
    return GetHitRegion().Contains(x, y);
}

int CDLine::HitHandle(int x, int y) {
    const Point handles[3] = {startPoint, endPoint, Midpoint(startPoint, endPoint)};
    const std::int32_t half = penWidth + 5;
    for (int i = 0; i < 3; ++i) {
        const Rect square{handles[i].x - half, handles[i].y - half, handles[i].x + half,
                          handles[i].y + half};
        if (square.Contains(x, y)) {
            grabPoint = handles[i];
            return i + 1;
        }
    }
    return 0;
}

void CDLine::DrawHandles(GdiDc& dc) {
    DrawHandleSquare(dc, startPoint, 0xFF0000);
    DrawHandleSquare(dc, endPoint, 0xFF0000);
    DrawHandleSquare(dc, Midpoint(startPoint, endPoint), 0x0000FF);
}

}  // namespace zv
