#pragma once
// CRectangle: a filled and outlined box between two opposite corners. The rounded
// rectangle and the upright ellipse are boxes too and build on it.

#include <array>

#include "shapes/Unit.h"

namespace zv {

class CRectangle : public CUnit {
public:
    static const ShapeClass& Class();
    const ShapeClass& GetRuntimeClass() const override { return Class(); }
    int ToolNumber() const override { return 12; }
    std::unique_ptr<CUnit> Clone() const override { return std::make_unique<CRectangle>(*this); }
    void Serialize(CArchive& ar) override;

    // Handles 1-4 are the corners from the top-left clockwise, 5 the centre.
    int HitHandle(int x, int y) override;
    // Puts the corners in order first; then the point must lie within 4 pixels of
    // the border, on either side.
    bool HitTest(int x, int y) override;
    void DrawHandles(GdiDc& dc) override;

    Rect Box() const { return {startPoint.x, startPoint.y, endPoint.x, endPoint.y}; }

protected:
    void Paint(GdiDc& dc) override;
    bool UsesBrush() const override { return true; }
    void GrabHandle(CKorDraw& tool, int handle, Point mouse) override;
    // Half size of the square around the mouse in which a handle is found.
    virtual int HandleReach() const { return 10; }
    std::array<Point, 5> HandlePoints() const;
};

// Pixel (x, y) lies in the ellipse inscribed in `box`.
bool InEllipse(const Rect& box, int x, int y);

}  // namespace zv
