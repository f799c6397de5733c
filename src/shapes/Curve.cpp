#include "shapes/Curve.h"

#include "shapes/Archive.h"
#include "shapes/KorDraw.h"

namespace zv {

const ShapeClass& CCurve::Class() {
    static const ShapeClass c{"CCurve", 1, &MakeOf<CCurve>};
    return c;
}

void CCurve::Serialize(CArchive& ar) {
    ar.Io(penColour);
    ar.Io(penStyle);
    ar.IoLength(penWidth);
    ar.Io(pointList);
}

void CCurve::Paint(GdiDc& dc) {
    dc.Polyline(pointList);
}

int CCurve::HitVertex(int x, int y) const {
    const Rect near{x - 9, y - 9, x + 9, y + 9};
    for (std::size_t i = 0; i < pointList.size(); ++i) {
        if (near.Contains(pointList[i].x, pointList[i].y)) return static_cast<int>(i);
    }
    return -1;
}

int CCurve::HitHandle(int x, int y) {
    // Numbered from 1: handle 0 would read as "no handle" and the first vertex could
    // never be taken.
    const int n = HitPointHandle(pointList, x, y, 4);
    if (n > 0) grabIndex = n - 1;
    return n;
}

void CCurve::GrabHandle(CKorDraw& tool, int /*handle*/, Point /*mouse*/) {
    tool.BeginMove(*this, startPoint, endPoint);
}

void CCurve::DrawHandles(GdiDc& dc) {
    if (pointList.empty()) return;
    DrawHandleSquare(dc, pointList.front(), 0xFF0000);
    if (pointList.size() > 1) DrawHandleSquare(dc, pointList.back(), 0xFF0000);
}

void CCurve::DragTo(GdiDc& dc, CKorDraw& tool, int x, int y) {
    if (tool.state == 2) {
        const int dx = tool.current.x - tool.anchor.x, dy = tool.current.y - tool.anchor.y;
        for (Point& p : pointList) p = Offset(p, dx, dy);
        startPoint = Offset(startPoint, dx, dy);
        endPoint = Offset(endPoint, dx, dy);
        return;
    }
    if (tool.state != 1) return;
    // Free hand: each new point is drawn for good at once, not rubber-banded.
    tool.anchor = tool.current;
    tool.current = {x, y};
    pointList.push_back(tool.current);
    Attributes attributes(dc, *this, R2_COPYPEN, false);
    dc.MoveTo(tool.anchor);
    dc.LineTo(tool.current);
}

}  // namespace zv
