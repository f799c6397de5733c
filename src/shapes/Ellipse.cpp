#include "shapes/Ellipse.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "shapes/Archive.h"
#include "shapes/KorDraw.h"

namespace zv {

namespace {

double RoundHalfUp(double v) {
    // Add 1 when the fraction is at least one half, then truncate (negative values
    // thus go toward zero).
    const double t = std::trunc(v);
    return v - t >= 0.5 ? std::trunc(v + 1.0) : t;
}

}  // namespace

const ShapeClass& CEllipse::Class() {
    static const ShapeClass c{"CEllipse", 1, &MakeOf<CEllipse>};
    return c;
}

void CEllipse::Serialize(CArchive& ar) {
    SerializeHead(ar);
    ar.Io(brushStyle);
    ar.Io(backMode);
    ar.Io(hatchStyle);
    ar.Io(brushColour);
    ar.Io(sinAngle);
    ar.Io(cosAngle);
    ar.IoLength(radiusX);
    ar.IoLength(radiusY);
    ar.Io(centre);
}

void CEllipse::SetAxis(Point p1, Point p2) {
    endPoint = p2;
    const double k = p1.x == p2.x
                         ? 9999999999999.0
                         : (static_cast<double>(p1.y) - p2.y) / (static_cast<double>(p1.x) - p2.x);
    const double norm = std::sqrt(k * k + 1.0);
    cosAngle = std::fabs(k / norm);
    sinAngle = k >= 0 ? -1.0 / norm : 1.0 / norm;
}

void CEllipse::Turn(double x, double y, double& outX, double& outY) const {
    const double c = cosAngle, s = sinAngle, cx = centre.x, cy = centre.y;
    outX = c * x - s * y + cx * (1 - c) + cy * s;
    outY = s * x + c * y + cy * (1 - c) - cx * s;
}

Point CEllipse::TurnRounded(double x, double y) const {
    double X = 0, Y = 0;
    Turn(x, y, X, Y);
    return {TruncToInt(RoundHalfUp(X)), TruncToInt(RoundHalfUp(Y))};
}

void CEllipse::PlotPoint(GdiDc& dc, int x, int y, COLORREF colour) {
    const Point p = TurnRounded(x, y);
    // Only the part of the diagonal run that can reach the drawable area is walked.
    const Rect clip = dc.GetClipBox();
    const std::int64_t first = std::max<std::int64_t>(
        {0, std::int64_t{clip.left} - p.x, std::int64_t{p.y} - clip.bottom + 1});
    const std::int64_t last =
        std::min<std::int64_t>({std::int64_t{penWidth} - 1, std::int64_t{clip.right} - 1 - p.x,
                                std::int64_t{p.y} - clip.top});
    for (std::int64_t i = first; i <= last; ++i)
        dc.SetPixel(static_cast<int>(p.x + i), static_cast<int>(p.y - i), colour);
}

void CEllipse::Paint(GdiDc& dc) {
    const std::int64_t a = radiusX, b = radiusY;
    if (std::llabs(a) > kMaxPlottedRadius || std::llabs(b) > kMaxPlottedRadius) return;
    const int cx = centre.x, cy = centre.y;
    const auto plot4 = [&](std::int64_t x, std::int64_t y) {
        const int px = static_cast<int>(x), py = static_cast<int>(y);
        PlotPoint(dc, cx + px, cy + py, penColour);
        PlotPoint(dc, cx - px, cy + py, penColour);
        PlotPoint(dc, cx + px, cy - py, penColour);
        PlotPoint(dc, cx - px, cy - py, penColour);
    };
    const std::int64_t a2 = a * a, b2 = b * b;
    dc.BeginPixelBatch();
    // Region 1: slope above -1.
    std::int64_t x = 0, y = b, dx = 0, dy = 2 * a2 * b;
    plot4(x, y);
    std::int64_t d1 =
        static_cast<std::int64_t>(std::trunc(static_cast<double>(b2 - a2 * b) + 0.25 * a2 + 0.5));
    while (dx < dy) {
        x += 1;
        dx += 2 * b2;
        if (d1 < 0) {
            d1 += b2 + dx;
        } else {
            y -= 1;
            dy -= 2 * a2;
            d1 += b2 + dx - dy;
        }
        plot4(x, y);
    }
    // Region 2. b^2 (x + 0.5)^2 is expanded so that the large terms cancel in
    // integers before anything goes through a double.
    const std::int64_t exact = b2 * x * x - a2 * b2 + a2 * (y - 1) * (y - 1) + b2 * x;
    std::int64_t d2 =
        static_cast<std::int64_t>(std::trunc(static_cast<double>(exact) + 0.25 * b2 + 0.5));
    while (y > 0) {
        y -= 1;
        dy -= 2 * a2;
        if (d2 <= 0) {
            x += 1;
            dx += 2 * b2;
            d2 += a2 - dy + dx;
        } else {
            d2 += a2 - dy;
        }
        plot4(x, y);
    }
    dc.EndPixelBatch();
}

std::array<Point, 5> CEllipse::HandlePoints() const {
    const double cx = centre.x, cy = centre.y;
    return {TurnRounded(cx + radiusX, cy), TurnRounded(cx, cy + radiusY),
            TurnRounded(cx - radiusX, cy), TurnRounded(cx, cy - radiusY), centre};
}

int CEllipse::HitHandle(int x, int y) {
    const auto points = HandlePoints();
    return HitPointHandle(points, x, y, 4);
}

void CEllipse::GrabHandle(CKorDraw& tool, int handle, Point /*mouse*/) {
    grabIndex = handle;
    if (handle >= 1 && handle <= 4) tool.BeginReshape(*this, startPoint, endPoint);
    if (handle == 5) tool.BeginMove(*this, startPoint, endPoint);
}

void CEllipse::DrawHandles(GdiDc& dc) {
    const auto points = HandlePoints();
    for (int i = 0; i < 4; ++i) DrawHandleSquare(dc, points[static_cast<std::size_t>(i)], 0xFF0000);
    DrawHandleSquare(dc, points[4], 0x0000FF);
}

bool CEllipse::HitBand(int x, int y, double innerX, double innerY) const {
    const auto quad = [this](double rx, double ry) {
        const double cx = centre.x, cy = centre.y;
        const double corners[4][2] = {
            {cx - rx, cy + ry}, {cx + rx, cy + ry}, {cx + rx, cy - ry}, {cx - rx, cy - ry}};
        std::array<Point, 4> out{};
        for (std::size_t i = 0; i < 4; ++i) {
            double X = 0, Y = 0;
            Turn(std::trunc(corners[i][0]), std::trunc(corners[i][1]), X, Y);
            out[i] = {TruncToInt(X), TruncToInt(Y)};
        }
        return out;
    };
    return GdiRegion(quad(radiusX, radiusY)).Contains(x, y) &&
           !GdiRegion(quad(innerX, innerY)).Contains(x, y);
}

bool CEllipse::HitTest(int x, int y) {
    return HitBand(x, y, radiusX / 1.2, radiusY / 1.2);
}

void CEllipse::MoveBy(int dx, int dy) {
    centre = Offset(centre, dx, dy);
    startPoint = Offset(startPoint, dx, dy);
    endPoint = Offset(endPoint, dx, dy);
}

void CEllipse::DragConstruction(GdiDc& dc, CKorDraw& tool, Point p) {
    if (tool.step == 1) {
        // The first axis follows the mouse as a guide line.
        DrawGuideLine(dc, startPoint.x, startPoint.y, tool.current.x, tool.current.y);
        tool.current = p;
        DrawGuideLine(dc, startPoint.x, startPoint.y, p.x, p.y);
    } else if (tool.step == 2) {
        DrawGuideLine(dc, centre.x, centre.y, tool.current.x, tool.current.y);
        DrawTracking(dc);
        SetRadiusX(centre, p);
        tool.current = p;
        DrawTracking(dc);
        DrawGuideLine(dc, centre.x, centre.y, p.x, p.y);
    }
}

void CEllipse::DragTo(GdiDc& dc, CKorDraw& tool, int x, int y) {
    if (tool.state == 2) {
        MoveBy(tool.current.x - tool.anchor.x, tool.current.y - tool.anchor.y);
        return;
    }
    dc.SetROP2(R2_XORPEN);
    if (tool.state == 1) {
        DragConstruction(dc, tool, {x, y});
        return;
    }
    // Reshaping: handles 1 and 3 set the x radius, 2 and 4 the y radius.
    DrawGuideLine(dc, centre.x, centre.y, tool.current.x, tool.current.y);
    DrawTracking(dc);
    if (grabIndex == 1 || grabIndex == 3) SetRadiusX(centre, {x, y});
    if (grabIndex == 2 || grabIndex == 4) SetRadiusY(centre, {x, y});
    tool.current = {x, y};
    DrawTracking(dc);
    DrawGuideLine(dc, centre.x, centre.y, x, y);
}

void CEllipse::RotateAbout(int cx, int cy, int angle) {
    RotatePoint(cx, cy, angle, startPoint);
    RotatePoint(cx, cy, angle, endPoint);
    RotatePoint(cx, cy, angle, centre);
    SetAxis(startPoint, endPoint);
}

}  // namespace zv
