#pragma once
// CEllipseArc: an arc of a slanted ellipse. It is built like the slanted ellipse,
// then a third click fixes where the arc starts and a fourth where it ends; the arc
// runs clockwise on the screen from the one direction to the other.

#include "shapes/Ellipse.h"

namespace zv {

class CEllipseArc : public CEllipse {
public:
    CEllipseArc();
    static const ShapeClass& Class();
    const ShapeClass& GetRuntimeClass() const override { return Class(); }
    int ToolNumber() const override { return 19; }
    std::unique_ptr<CUnit> Clone() const override { return std::make_unique<CEllipseArc>(*this); }
    void Serialize(CArchive& ar) override;

    // Handles: 1 `arcFrom`, 2 `arcTo`, 3 the centre.
    int HitHandle(int x, int y) override;
    bool HitTest(int x, int y) override;
    void DrawHandles(GdiDc& dc) override;
    void DragTo(GdiDc& dc, CKorDraw& tool, int x, int y) override;
    void RotateAbout(int cx, int cy, int angle) override;
    // The arc ends, as directions from the centre to `p`.
    void SetArcStartFrom(Point p) override;
    void SetArcEndFrom(Point p) override;
    // Plots only the pixels whose direction lies on the arc, and notes the pixels
    // found at each end.
    void PlotPoint(GdiDc& dc, int x, int y, COLORREF colour) override;

    // Direction of (x, y) seen from the centre, 0 to 360 degrees, clockwise on the
    // screen from the x axis.
    double AngleOf(double x, double y) const;

protected:
    void GrabHandle(CKorDraw& tool, int handle, Point mouse) override;
    void MoveBy(int dx, int dy) override;
};

}  // namespace zv
