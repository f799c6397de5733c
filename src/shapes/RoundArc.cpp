#include "shapes/RoundArc.h"

#include <cmath>

#include "shapes/Archive.h"
#include "shapes/KorDraw.h"

namespace zv {

const ShapeClass& CRoundArc::Class() {
    static const ShapeClass c{"CRoundArc", 1, &MakeOf<CRoundArc>};
    return c;
}

void CRoundArc::Serialize(CArchive& ar) {
    SerializeHead(ar);
    ar.Io(arcStart);
    ar.IoLength(radiusX);
    ar.Io(centre);
}

void CRoundArc::Paint(GdiDc& dc) {
    if (radiusX <= 0) return;
    const Rect box{centre.x - radiusX, centre.y - radiusX, centre.x + radiusX, centre.y + radiusX};
    dc.Arc(box, startPoint, arcStart);
}

void CRoundArc::SetFirstChord(Point p1, Point p2) {
    slopeA = p1.y == p2.y
                 ? -9999999999999.0
                 : -(static_cast<double>(p1.x) - p2.x) / (static_cast<double>(p1.y) - p2.y);
    slopeB = slopeA;
    centre = Midpoint(p1, p2);
    radiusX = 0;
}

void CRoundArc::SetSecondChord(Point p3, Point p4) {
    slopeB = p3.y == p4.y
                 ? -999999999.0
                 : -(static_cast<double>(p3.x) - p4.x) / (static_cast<double>(p3.y) - p4.y);
    // Parallel chords (three points on a line, or a chord of no length) meet nowhere.
    const std::int64_t cross =
        (std::int64_t{startPoint.x} - endPoint.x) * (std::int64_t{p3.y} - p4.y) -
        (std::int64_t{startPoint.y} - endPoint.y) * (std::int64_t{p3.x} - p4.x);
    if (cross == 0 || slopeA == slopeB) return;
    const double m1x = (static_cast<double>(startPoint.x) + endPoint.x) / 2.0;
    const double m1y = (static_cast<double>(startPoint.y) + endPoint.y) / 2.0;
    const double m2x = (static_cast<double>(p3.x) + p4.x) / 2.0;
    const double m2y = (static_cast<double>(p3.y) + p4.y) / 2.0;
    // y - m1y = slopeA (x - m1x) and y - m2y = slopeB (x - m2x).
    const double x = (m2y - m1y + slopeA * m1x - slopeB * m2x) / (slopeA - slopeB);
    // y from the flatter line: the steep one stands for a vertical and would
    // multiply the rounding of x by its huge slope.
    const double y = std::fabs(slopeA) <= std::fabs(slopeB) ? m1y + slopeA * (x - m1x)
                                                            : m2y + slopeB * (x - m2x);
    // Nearly parallel chords put the centre out of any drawing: no circle then.
    if (!(std::fabs(x) <= kMaxStoredCoordinate && std::fabs(y) <= kMaxStoredCoordinate)) return;
    centre = {TruncToInt(x), TruncToInt(y)};
    radiusX = TruncDistance(centre, arcStart);
}

void CRoundArc::SetCircleFromPoints() {
    SetFirstChord(startPoint, endPoint);
    SetSecondChord(endPoint, arcStart);
}

int CRoundArc::HitHandle(int x, int y) {
    const Point points[4] = {startPoint, endPoint, arcStart, centre};
    return HitPointHandle(points, x, y, 4);
}

void CRoundArc::GrabHandle(CKorDraw& tool, int handle, Point /*mouse*/) {
    grabIndex = handle;
    if (handle >= 1 && handle <= 3) tool.BeginReshape(*this, startPoint, endPoint);
    if (handle == 4) tool.BeginMove(*this, startPoint, endPoint);
}

bool CRoundArc::HitTest(int x, int y) {
    return std::abs(TruncDistance({x, y}, centre) - radiusX) < 3;
}

void CRoundArc::DrawHandles(GdiDc& dc) {
    DrawHandleSquare(dc, startPoint, 0xFF0000);
    DrawHandleSquare(dc, endPoint, 0xFF0000);
    DrawHandleSquare(dc, arcStart, 0xFF0000);
    DrawHandleSquare(dc, centre, 0x0000FF);
}

void CRoundArc::DragTo(GdiDc& dc, CKorDraw& tool, int x, int y) {
    if (tool.state == 2) {
        const int dx = tool.current.x - tool.anchor.x, dy = tool.current.y - tool.anchor.y;
        startPoint = Offset(startPoint, dx, dy);
        endPoint = Offset(endPoint, dx, dy);
        arcStart = Offset(arcStart, dx, dy);
        centre = Offset(centre, dx, dy);
        return;
    }
    dc.SetROP2(R2_XORPEN);
    const Point p{x, y};
    if (tool.state == 1 && tool.step == 1) {
        // The first chord follows the mouse as a guide line.
        DrawGuideLine(dc, startPoint.x, startPoint.y, tool.current.x, tool.current.y);
        tool.current = p;
        DrawGuideLine(dc, startPoint.x, startPoint.y, x, y);
        return;
    }
    DrawTracking(dc);
    if (tool.state == 1 || grabIndex == 3) arcStart = p;
    if (tool.state == 5 && grabIndex == 1) startPoint = p;
    if (tool.state == 5 && grabIndex == 2) endPoint = p;
    SetCircleFromPoints();
    tool.current = p;
    DrawTracking(dc);
}

void CRoundArc::RotateAbout(int cx, int cy, int angle) {
    RotatePoint(cx, cy, angle, startPoint);
    RotatePoint(cx, cy, angle, endPoint);
    RotatePoint(cx, cy, angle, arcStart);
    RotatePoint(cx, cy, angle, centre);
}

}  // namespace zv
