#include "shapes/EllipseArc.h"

#include <cmath>

#include "shapes/Archive.h"
#include "shapes/KorDraw.h"

namespace zv {

const ShapeClass& CEllipseArc::Class() {
    static const ShapeClass c{"CEllipseArc", 1, &MakeOf<CEllipseArc>};
    return c;
}

CEllipseArc::CEllipseArc() {
    arcFlag = 0;
}

void CEllipseArc::Serialize(CArchive& ar) {
    CEllipse::Serialize(ar);
    ar.Io(arcFrom);
    ar.Io(arcTo);
    ar.Io(angleFrom);
    ar.Io(angleTo);
    if (ar.IsLoading()) arcFlag = 1;
}

double CEllipseArc::AngleOf(double x, double y) const {
    const double dx = x - centre.x, dy = y - centre.y;
    const double slope = dx == 0 ? 1e18 : dy / dx;
    const double a = std::atan(std::fabs(slope)) * 180.0 / 3.1415927;
    if (dy >= 0 && dx >= 0) return a;
    if (dy < 0 && dx >= 0) return 360.0 - a;
    if (dy >= 0 && dx < 0) return 180.0 - a;
    return 180.0 + a;
}

void CEllipseArc::SetArcStartFrom(Point p) {
    angleFrom = AngleOf(p.x, p.y);
    arcFlag = 1;
}

void CEllipseArc::SetArcEndFrom(Point p) {
    angleTo = AngleOf(p.x, p.y);
}

void CEllipseArc::PlotPoint(GdiDc& dc, int x, int y, COLORREF colour) {
    if (arcFlag == 0) {
        CEllipse::PlotPoint(dc, x, y, colour);
        return;
    }
    const Point p = TurnRounded(x, y);
    const double a = AngleOf(p.x, p.y);
    if (std::fabs(a - angleFrom) < 1) arcFrom = p;
    if (std::fabs(a - angleTo) < 1) arcTo = p;
    const bool onArc = (angleFrom <= angleTo && angleFrom <= a && a <= angleTo) ||
                       (angleTo <= angleFrom && (a >= angleFrom || a <= angleTo));
    if (onArc) CEllipse::PlotPoint(dc, x, y, colour);
}

int CEllipseArc::HitHandle(int x, int y) {
    const Point points[3] = {arcFrom, arcTo, centre};
    return HitPointHandle(points, x, y, 4);
}

void CEllipseArc::GrabHandle(CKorDraw& tool, int handle, Point /*mouse*/) {
    grabIndex = handle;
    if (handle == 1 || handle == 2) tool.BeginReshape(*this, startPoint, endPoint);
    if (handle == 3) tool.BeginMove(*this, startPoint, endPoint);
}

void CEllipseArc::DrawHandles(GdiDc& dc) {
    DrawHandleSquare(dc, arcFrom, 0xFF0000);
    DrawHandleSquare(dc, arcTo, 0xFF0000);
    DrawHandleSquare(dc, centre, 0x0000FF);
}

bool CEllipseArc::HitTest(int x, int y) {
    return HitBand(x, y, radiusX / 2, radiusY / 2);
}

void CEllipseArc::MoveBy(int dx, int dy) {
    CEllipse::MoveBy(dx, dy);
    arcFrom = Offset(arcFrom, dx, dy);
    arcTo = Offset(arcTo, dx, dy);
    axisClick = Offset(axisClick, dx, dy);
    arcClick = Offset(arcClick, dx, dy);
}

void CEllipseArc::DragTo(GdiDc& dc, CKorDraw& tool, int x, int y) {
    dc.SetROP2(R2_XORPEN);
    if (tool.state == 2) {
        // The tool leaves the moving of this shape's pixels to the shape.
        DrawTracking(dc);
        MoveBy(tool.current.x - tool.anchor.x, tool.current.y - tool.anchor.y);
        DrawTracking(dc);
        return;
    }
    if (tool.state == 1 && tool.step != 3) {
        DragConstruction(dc, tool, {x, y});
        return;
    }
    DrawTracking(dc);
    if (tool.state == 1 || grabIndex == 2) SetArcEndFrom({x, y});
    if (tool.state == 5 && grabIndex == 1) SetArcStartFrom({x, y});
    tool.current = {x, y};
    DrawTracking(dc);
}

void CEllipseArc::RotateAbout(int cx, int cy, int angle) {
    CEllipse::RotateAbout(cx, cy, angle);
    RotatePoint(cx, cy, angle, arcFrom);
    RotatePoint(cx, cy, angle, arcTo);
    RotatePoint(cx, cy, angle, axisClick);
    RotatePoint(cx, cy, angle, arcClick);
    // Directions turn with the shape: clockwise on the screen, as angles grow.
    angleFrom = std::fmod(angleFrom + angle, 360.0);
    angleTo = std::fmod(angleTo + angle, 360.0);
    if (angleFrom < 0) angleFrom += 360.0;
    if (angleTo < 0) angleTo += 360.0;
}

}  // namespace zv
