#pragma once
// CRound: a circle about `centre`; its box corners follow the radius.

#include "shapes/Rectangle.h"

namespace zv {

class CRound : public CRectangle {
public:
    static const ShapeClass& Class();
    const ShapeClass& GetRuntimeClass() const override { return Class(); }
    int ToolNumber() const override { return 15; }
    std::unique_ptr<CUnit> Clone() const override { return std::make_unique<CRound>(*this); }
    void Serialize(CArchive& ar) override;

    bool HitTest(int x, int y) override;
    void DragTo(GdiDc& dc, CKorDraw& tool, int x, int y) override;
    // The circle turns about the point as a whole: its centre moves, its box follows.
    void RotateAbout(int cx, int cy, int angle) override;
    // radius = distance from `c` to `p`; the box is centre -+ radius.
    void SetRadiusFromPoint(Point c, Point p) override;

protected:
    void Paint(GdiDc& dc) override;
    int HandleReach() const override { return 4; }
    void GrabHandle(CKorDraw& tool, int handle, Point mouse) override;
    void SetBoxFromRadius();
};

}  // namespace zv
