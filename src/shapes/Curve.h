#pragma once
// CCurve: a free-hand curve, the polyline through every mouse point of the drag.

#include "shapes/Unit.h"

namespace zv {

class CCurve : public CUnit {
public:
    static const ShapeClass& Class();
    const ShapeClass& GetRuntimeClass() const override { return Class(); }
    int ToolNumber() const override { return 11; }
    std::unique_ptr<CUnit> Clone() const override { return std::make_unique<CCurve>(*this); }
    // The curve's record has no common head: pen colour, style and width, then the
    // points.
    void Serialize(CArchive& ar) override;

    // Index of the first vertex within 9 pixels of (x, y), -1 when none.
    int HitVertex(int x, int y) const;
    bool HitTest(int x, int y) override { return HitVertex(x, y) >= 0; }
    int HitHandle(int x, int y) override;
    void DrawHandles(GdiDc& dc) override;
    void DragTo(GdiDc& dc, CKorDraw& tool, int x, int y) override;
    void AddVertex(Point p) override { pointList.push_back(p); }

protected:
    void Paint(GdiDc& dc) override;
    void GrabHandle(CKorDraw& tool, int handle, Point mouse) override;
};

}  // namespace zv
