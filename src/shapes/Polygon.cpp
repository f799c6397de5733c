#include "shapes/Polygon.h"

#include "shapes/Archive.h"
#include "shapes/DLine.h"
#include "shapes/KorDraw.h"

namespace zv {

const ShapeClass& CPolygon::Class() {
    static const ShapeClass c{"CPolygon", 1, &MakeOf<CPolygon>};
    return c;
}

void CPolygon::Serialize(CArchive& ar) {
    SerializeHead(ar);
    ar.Io(penColour);
    ar.Io(penStyle);
    ar.IoLength(penWidth);
    ar.Io(pointList);
}

void CPolygon::Paint(GdiDc& dc) {
    if (pointList.size() < 2) return;
    std::vector<Point> closed = pointList;
    closed.push_back(pointList.front());
    dc.Polyline(closed);
}

int CPolygon::HitHandle(int x, int y) {
    const int n = HitPointHandle(pointList, x, y, 4);
    if (n > 0) grabIndex = n - 1;
    return n;
}

void CPolygon::GrabHandle(CKorDraw& tool, int /*handle*/, Point /*mouse*/) {
    tool.BeginReshape(*this, startPoint, endPoint);
}

bool CPolygon::HitTest(int x, int y) {
    const std::size_t n = pointList.size();
    for (std::size_t i = 0; i < n; ++i) {
        const Point from = i == 0 ? pointList[n - 1] : pointList[i - 1];
        const Point to = pointList[i];
        const auto band = LineHitBand(from, to, penWidth);
        if (GdiRegion(band).Contains(x, y)) return true;
    }
    return false;
}

void CPolygon::DrawHandles(GdiDc& dc) {
    for (const Point& p : pointList) DrawHandleSquare(dc, p, 0xFF0000);
}

void CPolygon::DragTo(GdiDc& dc, CKorDraw& tool, int x, int y) {
    if (tool.state == 2) {
        const int dx = tool.current.x - tool.anchor.x, dy = tool.current.y - tool.anchor.y;
        for (Point& p : pointList) p = Offset(p, dx, dy);
        return;
    }
    dc.SetROP2(R2_XORPEN);
    if (tool.state == 5) {
        if (grabIndex < 0 || static_cast<std::size_t>(grabIndex) >= pointList.size()) return;
        DrawTracking(dc);
        pointList[static_cast<std::size_t>(grabIndex)] = tool.current = {x, y};
        DrawTracking(dc);
        return;
    }
    if (pointList.empty()) return;
    // Drawing: the next edge follows the mouse from the last vertex.
    Attributes attributes(dc, *this, 0, false);
    dc.MoveTo(tool.anchor);
    dc.LineTo(tool.current);
    tool.anchor = pointList.back();
    tool.current = {x, y};
    dc.MoveTo(tool.anchor);
    dc.LineTo(tool.current);
}

void CPolygon::ClosePolygon(GdiDc& dc, Point p) {
    if (pointList.empty()) return;
    Attributes attributes(dc, *this, drawMode, false);
    dc.MoveTo(p);
    dc.LineTo(pointList.front());
}

}  // namespace zv
