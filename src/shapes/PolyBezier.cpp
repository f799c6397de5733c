#include "shapes/PolyBezier.h"

#include <QPainterPath>

#include <cmath>

#include "shapes/Archive.h"
#include "shapes/KorDraw.h"

namespace zv {

namespace {

// Distance from (x, y) to the segment a-b.
double SegmentDistance(double x, double y, QPointF a, QPointF b) {
    const double vx = b.x() - a.x(), vy = b.y() - a.y();
    const double len2 = vx * vx + vy * vy;
    double t = len2 > 0 ? ((x - a.x()) * vx + (y - a.y()) * vy) / len2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    const double dx = a.x() + t * vx - x, dy = a.y() + t * vy - y;
    return std::sqrt(dx * dx + dy * dy);
}

}  // namespace

const ShapeClass& CPolyBezier::Class() {
    static const ShapeClass c{"CPolyBezier", 1, &MakeOf<CPolyBezier>};
    return c;
}

void CPolyBezier::Serialize(CArchive& ar) {
    SerializeHead(ar);
    ar.Io(controlPoints);
}

void CPolyBezier::Paint(GdiDc& dc) {
    dc.PolyBezier(controlPoints);
}

void CPolyBezier::DrawBand(GdiDc& dc) {
    if (controlPoints.empty()) return;
    std::vector<Point> band = controlPoints;
    if (band.size() % 3 == 0) band.push_back(bandEnd_);
    Attributes attributes(dc, *this, 0, false);
    dc.PolyBezier(band);
}

void CPolyBezier::DrawMarkers(GdiDc& dc, std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to && i < controlPoints.size(); ++i)
        DrawHandleSquare(dc, controlPoints[i], i % 3 == 0 ? 0xFF0000 : 0x0000FF);
}

void CPolyBezier::AddCurveClick(GdiDc& dc, int step, Point p) {
    dc.SetROP2(R2_XORPEN);
    DrawBand(dc);
    switch (step % 3) {
        case 1:
            controlPoints.insert(controlPoints.end(), 3, p);
            break;
        case 2:
            controlPoints[controlPoints.size() - 1] = p;
            controlPoints[controlPoints.size() - 2] = p;
            break;
        default:
            controlPoints.back() = p;
            DrawMarkers(dc, controlPoints.size() - 3, controlPoints.size());
            markedCount_ = controlPoints.size();
            break;
    }
    bandEnd_ = p;
    DrawBand(dc);
}

void CPolyBezier::SelectAt(GdiDc& dc, CKorDraw& tool, int x, int y) {
    if (tool.state == 1) {
        AddCurveClick(dc, tool.step, {x, y});
        return;
    }
    CUnit::SelectAt(dc, tool, x, y);
}

void CPolyBezier::FinishCurve(GdiDc& dc, CKorDraw& tool) {
    dc.SetROP2(R2_XORPEN);
    DrawBand(dc);
    DrawMarkers(dc, 0, markedCount_);
    markedCount_ = 0;
    controlPoints.push_back(tool.lastPoint);
    selected = true;
    tool.toggled = true;
    tool.state = 3;
    tool.tool = 20;
    Draw(dc);
    DrawHandles(dc);
}

void CPolyBezier::DragTo(GdiDc& dc, CKorDraw& tool, int x, int y) {
    if (tool.state == 2) {
        const int dx = tool.current.x - tool.anchor.x, dy = tool.current.y - tool.anchor.y;
        for (Point& p : controlPoints) p = Offset(p, dx, dy);
        return;
    }
    dc.SetROP2(R2_XORPEN);
    const Point p{x, y};
    if (tool.state == 5) {
        if (grabIndex < 0 || static_cast<std::size_t>(grabIndex) >= controlPoints.size()) return;
        DrawTracking(dc);
        controlPoints[static_cast<std::size_t>(grabIndex)] = tool.current = p;
        DrawTracking(dc);
        return;
    }
    if (controlPoints.empty()) return;
    // The open piece follows the mouse: its unplaced control points sit on it.
    DrawBand(dc);
    const std::size_t n = controlPoints.size();
    if (tool.step % 3 == 1) controlPoints[n - 1] = controlPoints[n - 2] = p;
    if (tool.step % 3 == 2) controlPoints[n - 1] = p;
    bandEnd_ = tool.current = p;
    DrawBand(dc);
}

int CPolyBezier::HitHandle(int x, int y) {
    const int n = HitPointHandle(controlPoints, x, y, 4);
    if (n > 0) grabIndex = n - 1;
    return n;
}

void CPolyBezier::GrabHandle(CKorDraw& tool, int /*handle*/, Point /*mouse*/) {
    tool.BeginReshape(*this, startPoint, endPoint);
}

bool CPolyBezier::HitTest(int x, int y) {
    const Rect near{x - 4, y - 4, x + 4, y + 4};
    for (const Point& p : controlPoints) {
        if (near.Contains(p.x, p.y)) return true;
    }
    if (controlPoints.size() < 4 || (controlPoints.size() - 1) % 3 != 0) return false;
    QPainterPath path(QPointF(controlPoints[0].x, controlPoints[0].y));
    for (std::size_t i = 1; i + 2 < controlPoints.size(); i += 3) {
        path.cubicTo(QPointF(controlPoints[i].x, controlPoints[i].y),
                     QPointF(controlPoints[i + 1].x, controlPoints[i + 1].y),
                     QPointF(controlPoints[i + 2].x, controlPoints[i + 2].y));
    }
    const double reach = std::max(4.0, penWidth / 2.0 + 3.0);
    for (const QPolygonF& poly : path.toSubpathPolygons()) {
        for (int i = 1; i < poly.size(); ++i) {
            if (SegmentDistance(x + 0.5, y + 0.5, poly[i - 1], poly[i]) <= reach) return true;
        }
    }
    return false;
}

void CPolyBezier::DrawHandles(GdiDc& dc) {
    DrawMarkers(dc, 0, controlPoints.size());
}

void CPolyBezier::RotateAbout(int cx, int cy, int angle) {
    CUnit::RotateAbout(cx, cy, angle);
    for (Point& p : controlPoints) RotatePoint(cx, cy, angle, p);
}

}  // namespace zv
