#pragma once
// CLiEllipse: the upright ellipse inscribed in a box.

#include "shapes/Rectangle.h"

namespace zv {

class CLiEllipse : public CRectangle {
public:
    static const ShapeClass& Class();
    const ShapeClass& GetRuntimeClass() const override { return Class(); }
    int ToolNumber() const override { return 17; }
    std::unique_ptr<CUnit> Clone() const override { return std::make_unique<CLiEllipse>(*this); }
    void Serialize(CArchive& ar) override;
    // Corners put in order; then inside the ellipse of the box grown by 4 and not
    // inside the ellipse of the box shrunk by 4.
    bool HitTest(int x, int y) override;

protected:
    void Paint(GdiDc& dc) override;
    int HandleReach() const override { return 4; }
};

// The hit band shared by the circle and the upright ellipse.
bool HitEllipseBand(const Rect& orderedBox, int x, int y);

}  // namespace zv
