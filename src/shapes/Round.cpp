#include "shapes/Round.h"

#include "shapes/Archive.h"
#include "shapes/KorDraw.h"
#include "shapes/LiEllipse.h"

namespace zv {

const ShapeClass& CRound::Class() {
    static const ShapeClass c{"CRound", 1, &MakeOf<CRound>};
    return c;
}

void CRound::Serialize(CArchive& ar) {
    SerializeHead(ar);
    ar.Io(brushStyle);
    ar.Io(backMode);
    ar.Io(hatchStyle);
    ar.Io(brushColour);
    ar.Io(centre);
    // The radius is not stored; the box holds it.
    if (ar.IsLoading()) radius = std::abs(endPoint.x - startPoint.x) / 2;
}

void CRound::Paint(GdiDc& dc) {
    dc.Ellipse(Box());
}

void CRound::SetBoxFromRadius() {
    startPoint = {centre.x - radius, centre.y - radius};
    endPoint = {centre.x + radius, centre.y + radius};
}

void CRound::SetRadiusFromPoint(Point c, Point p) {
    radius = TruncDistance(c, p);
    centre = c;
    SetBoxFromRadius();
}

bool CRound::HitTest(int x, int y) {
    OrderCorners();
    return HitEllipseBand(Box(), x, y);
}

void CRound::GrabHandle(CKorDraw& tool, int handle, Point /*mouse*/) {
    // Corners reshape (the radius follows the mouse), the centre moves; the box is
    // kept as it is when the grab copies the tool's points onto it.
    if (handle >= 1 && handle <= 4) tool.BeginReshape(*this, startPoint, endPoint);
    if (handle == 5) tool.BeginMove(*this, startPoint, endPoint);
}

void CRound::DragTo(GdiDc& dc, CKorDraw& tool, int x, int y) {
    if (tool.state == 2) {
        const int dx = tool.current.x - tool.anchor.x, dy = tool.current.y - tool.anchor.y;
        startPoint = Offset(startPoint, dx, dy);
        endPoint = Offset(endPoint, dx, dy);
        centre = Offset(centre, dx, dy);
        return;
    }
    dc.SetROP2(R2_XORPEN);
    DrawGuideLine(dc, centre.x, centre.y, tool.current.x, tool.current.y);
    DrawTracking(dc);
    SetRadiusFromPoint(centre, {x, y});
    tool.current = {x, y};
    DrawTracking(dc);
    DrawGuideLine(dc, centre.x, centre.y, x, y);
}

void CRound::RotateAbout(int cx, int cy, int angle) {
    RotatePoint(cx, cy, angle, centre);
    SetBoxFromRadius();
}

}  // namespace zv
