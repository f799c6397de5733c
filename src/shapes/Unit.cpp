#include "shapes/Unit.h"

#include <cmath>
#include <numbers>

#include "shapes/Archive.h"
#include "shapes/KorDraw.h"

namespace zv {

namespace {
constexpr COLORREF kHandleBorder = 0xFF0000;  // blue
constexpr COLORREF kGrabMarkerFill = 0xFA00FA;
}  // namespace

std::int32_t TruncDistance(Point a, Point b) {
    const double dx = static_cast<double>(a.x) - b.x;
    const double dy = static_cast<double>(a.y) - b.y;
    return TruncToInt(std::sqrt(dx * dx + dy * dy));
}

CUnit::CUnit() {
    CUnit::ResetDefaults();
}
CUnit::~CUnit() = default;

CUnit::CUnit(const CUnit& other) {
    *this = other;
}

CUnit& CUnit::operator=(const CUnit& o) {
    if (this == &o) return *this;
    penStyle = o.penStyle, penWidth = o.penWidth, backMode = o.backMode, drawMode = o.drawMode;
    penColour = o.penColour, brushColour = o.brushColour, backColour = o.backColour;
    startPoint = o.startPoint, endPoint = o.endPoint, arcStart = o.arcStart, centre = o.centre;
    axisClick = o.axisClick, arcClick = o.arcClick, spareSlots = o.spareSlots;
    arcFrom = o.arcFrom, arcTo = o.arcTo, bounds = o.bounds;
    hitRegion.reset();
    pointList = o.pointList;
    controlPoints = o.controlPoints;
    brushStyle = o.brushStyle, hatchStyle = o.hatchStyle, grabIndex = o.grabIndex;
    grabPoint = o.grabPoint, radius = o.radius, radiusX = o.radiusX, radiusY = o.radiusY;
    spareWord = o.spareWord, cosAngle = o.cosAngle, sinAngle = o.sinAngle;
    slopeA = o.slopeA, slopeB = o.slopeB, angleFrom = o.angleFrom, angleTo = o.angleTo;
    selected = o.selected, arcFlag = o.arcFlag;
    return *this;
}

std::unique_ptr<CUnit> CUnit::Clone() const {
    return std::make_unique<CUnit>(*this);
}

void CUnit::ResetDefaults() {
    startPoint = endPoint = Point{};
    penWidth = 1;
    backMode = TRANSPARENT;
    drawMode = R2_COPYPEN;
    penStyle = PS_SOLID;
    penColour = 0;
    brushColour = 0;
    backColour = 0xFFFFFF;
    spareWord = 0;
    selected = false;
    arcFlag = 1;
    hitRegion.reset();
    pointList.clear();
}

void CUnit::Serialize(CArchive& ar) {
    SerializeHead(ar);
}

void CUnit::SerializeHead(CArchive& ar) {
    ar.Io(penColour);
    ar.Io(penStyle);
    ar.IoLength(penWidth);
    ar.Io(drawMode);
    ar.Io(backMode);
    ar.Io(backColour);
    ar.Io(startPoint);
    ar.Io(endPoint);
}

void CUnit::RotatePoint(int cx, int cy, int angle, Point& p) const {
    if (p.x == cx && p.y == cy) return;
    const double pi = 3.141592653589793;
    const double theta = 2 * pi - angle * pi / 180.0;
    const double dx = static_cast<double>(p.x) - cx;
    const double dy = static_cast<double>(p.y) - cy;
    p.x = TruncToInt(cx + std::cos(theta) * dx + std::sin(theta) * dy);
    p.y = TruncToInt(cy - std::sin(theta) * dx + std::cos(theta) * dy);
}

bool CUnit::SameAtPrecision(double a, double b, int digits) const {
    const double scale = std::pow(10.0, digits);
    return std::floor(a * scale) == std::floor(b * scale);
}

void CUnit::RotateAbout(int cx, int cy, int angle) {
    RotatePoint(cx, cy, angle, startPoint);
    RotatePoint(cx, cy, angle, endPoint);
    for (Point& p : pointList) RotatePoint(cx, cy, angle, p);
    hitRegion.reset();
}

void CUnit::AlignBrushOrigin(GdiDc& dc) {
    const Point zero = dc.LPtoDP({0, 0});
    const auto mod8 = [](std::int32_t v) { return ((v % 8) + 8) % 8; };
    dc.SetBrushOrg({mod8(zero.x), mod8(zero.y)});
}

CUnit::Attributes::Attributes(GdiDc& dc, const CUnit& shape, std::int32_t rop, bool withBrush)
    : dc_(dc), saved_(dc.SaveState()) {
    if (rop != 0) dc.SetROP2(rop);
    dc.SelectPen({shape.penStyle, shape.penWidth, shape.penColour});
    if (withBrush) {
        AlignBrushOrigin(dc);
        dc.SelectBrush({shape.brushStyle, shape.brushColour, shape.hatchStyle});
    }
    dc.SetBkMode(shape.backMode);
    dc.SetBkColor(shape.backColour);
}

CUnit::Attributes::~Attributes() {
    dc_.RestoreState(saved_);
}

void CUnit::Draw(GdiDc& dc) {
    Attributes attributes(dc, *this, drawMode, UsesBrush());
    Paint(dc);
}

void CUnit::DrawTracking(GdiDc& dc) {
    Attributes attributes(dc, *this, 0, UsesBrush());
    Paint(dc);
}

void CUnit::DrawHandleSquare(GdiDc& dc, Point p, COLORREF fill) {
    const GdiDc::State saved = dc.SaveState();
    dc.SetROP2(R2_XORPEN);
    dc.SelectPen({PS_SOLID, 1, kHandleBorder});
    dc.SelectBrush({BS_SOLID, fill, HS_HORIZONTAL});
    dc.SetBkMode(OPAQUE);
    dc.Rectangle({p.x - 3, p.y - 3, p.x + 4, p.y + 4});
    dc.RestoreState(saved);
}

void CUnit::DrawGrabMarker(GdiDc& dc, int x, int y) {
    DrawHandleSquare(dc, {x, y}, kGrabMarkerFill);
}

void CUnit::DrawHandles(GdiDc& dc) {
    DrawHandleSquare(dc, startPoint, kHandleBorder);
    DrawHandleSquare(dc, endPoint, kHandleBorder);
}

void CUnit::DrawGuideLine(GdiDc& dc, int x1, int y1, int x2, int y2) {
    const GdiDc::State saved = dc.SaveState();
    dc.SetROP2(R2_XORPEN);
    dc.SetBkMode(OPAQUE);
    dc.SelectPen({PS_SOLID, 1, kHandleBorder});
    dc.MoveTo({x1, y1});
    dc.LineTo({x2, y2});
    dc.RestoreState(saved);
}

int CUnit::HitHandle(int /*x*/, int /*y*/) {
    return 0;
}

const GdiRegion& CUnit::GetHitRegion() {
    if (!hitRegion) {
        const Point corners[2] = {startPoint, endPoint};
        hitRegion = std::make_unique<GdiRegion>(corners);
    }
    return *hitRegion;
}

bool CUnit::HitTest(int x, int y) {
    return GetHitRegion().Contains(x, y);
}

void CUnit::SelectAt(GdiDc& dc, CKorDraw& tool, int x, int y) {
    if (selected) {
        tool.hitHandle = HitHandle(x, y);
        if (tool.hitHandle > 0) GrabHandle(tool, tool.hitHandle, {x, y});
    }
    if (!tool.hit && HitTest(x, y)) {
        selected = !selected;
        tool.toggled = true;
        DrawHandles(dc);
    }
    if (tool.hit) {
        tool.currentShape = this;
        drawMode = dc.GetROP2();
        DrawHandles(dc);
        Draw(dc);
        DrawGrabMarker(dc, grabPoint.x, grabPoint.y);
    }
}

void CUnit::GrabHandle(CKorDraw& tool, int handle, Point mouse) {
    // The line's pattern: the ends reshape with the other end fixed, the midpoint moves.
    if (handle == 1) tool.BeginReshape(*this, endPoint, mouse);
    if (handle == 2) tool.BeginReshape(*this, startPoint, mouse);
    if (handle == 3) tool.BeginMove(*this, startPoint, endPoint);
}

void CUnit::DragEnds(GdiDc& dc, CKorDraw& tool, int x, int y) {
    if (tool.state == 2) {
        const int dx = tool.current.x - tool.anchor.x, dy = tool.current.y - tool.anchor.y;
        startPoint = Offset(startPoint, dx, dy);
        endPoint = Offset(endPoint, dx, dy);
        hitRegion.reset();
        return;
    }
    dc.SetROP2(R2_XORPEN);
    DrawTracking(dc);
    endPoint = tool.current = {x, y};
    hitRegion.reset();
    DrawTracking(dc);
}

void CUnit::DragTo(GdiDc& dc, CKorDraw& tool, int x, int y) {
    DragEnds(dc, tool, x, y);
}

int CUnit::HitPointHandle(std::span<const Point> points, int x, int y, int half) {
    const Rect square{x - half, y - half, x + half, y + half};
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (square.Contains(points[i].x, points[i].y)) {
            grabPoint = points[i];
            return static_cast<int>(i) + 1;
        }
    }
    return 0;
}

void CUnit::OrderCorners() {
    const Point a = startPoint, b = endPoint;
    startPoint = {std::min(a.x, b.x), std::min(a.y, b.y)};
    endPoint = {std::max(a.x, b.x), std::max(a.y, b.y)};
}

}  // namespace zv
