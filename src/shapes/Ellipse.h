#pragma once
// CEllipse: the slanted ellipse. Its own y axis lies along the line of the first two
// clicks, its x axis across it; it is plotted pixel by pixel with the midpoint
// ellipse algorithm, each pixel turned by the slant and thickened along a diagonal.

#include <array>

#include "shapes/Unit.h"

namespace zv {

// Largest semi-axis that is plotted: the algorithm's products a^2 * b^2 must stay
// within 64 bits.
constexpr std::int32_t kMaxPlottedRadius = 46340;

class CEllipse : public CUnit {
public:
    static const ShapeClass& Class();
    const ShapeClass& GetRuntimeClass() const override { return Class(); }
    int ToolNumber() const override { return 14; }
    std::unique_ptr<CUnit> Clone() const override { return std::make_unique<CEllipse>(*this); }
    void Serialize(CArchive& ar) override;

    // Handles: the turned axis ends (+x, +y, -x, -y) and the centre.
    int HitHandle(int x, int y) override;
    // Inside the turned outer box and not inside the turned inner box.
    bool HitTest(int x, int y) override;
    void DrawHandles(GdiDc& dc) override;
    void DragTo(GdiDc& dc, CKorDraw& tool, int x, int y) override;
    // Turns the defining points and the centre, then takes the slant from them.
    void RotateAbout(int cx, int cy, int angle) override;

    void SetAxis(Point p1, Point p2) override;
    void SetRadiusX(Point c, Point p) override { radiusX = TruncDistance(c, p); }
    void SetRadiusY(Point c, Point p) override { radiusY = TruncDistance(c, p); }

    // Turns (x, y) about the centre by the slant, rounds, and sets `penWidth` pixels
    // running up and to the right from there.
    virtual void PlotPoint(GdiDc& dc, int x, int y, COLORREF colour);

    std::array<Point, 5> HandlePoints() const;

protected:
    void Paint(GdiDc& dc) override;
    void GrabHandle(CKorDraw& tool, int handle, Point mouse) override;
    // The slant turn of (x, y) about the centre, in double precision.
    void Turn(double x, double y, double& outX, double& outY) const;
    // A turned point rounded as the plotting rounds it.
    Point TurnRounded(double x, double y) const;
    // Hit band with the given inner half-axes.
    bool HitBand(int x, int y, double innerX, double innerY) const;
    // Moves every defining point by the tool's last step.
    virtual void MoveBy(int dx, int dy);
    // The construction steps of the tool: the first axis, then the x radius.
    void DragConstruction(GdiDc& dc, CKorDraw& tool, Point p);
};

}  // namespace zv
