#pragma once
// CRoundArc: an arc of the circle through three clicks. The first two clicks are a
// chord; the third point sets the circle and where the arc stops. The arc runs
// counter-clockwise from `startPoint` to `arcStart`.

#include "shapes/Unit.h"

namespace zv {

class CRoundArc : public CUnit {
public:
    static const ShapeClass& Class();
    const ShapeClass& GetRuntimeClass() const override { return Class(); }
    int ToolNumber() const override { return 18; }
    std::unique_ptr<CUnit> Clone() const override { return std::make_unique<CRoundArc>(*this); }
    void Serialize(CArchive& ar) override;

    // Handles: 1 `startPoint`, 2 `endPoint`, 3 `arcStart`, 4 the centre.
    int HitHandle(int x, int y) override;
    // Within 3 pixels of the circle.
    bool HitTest(int x, int y) override;
    void DrawHandles(GdiDc& dc) override;
    void DragTo(GdiDc& dc, CKorDraw& tool, int x, int y) override;
    void RotateAbout(int cx, int cy, int angle) override;

    void SetFirstChord(Point p1, Point p2) override;
    // Finds the centre where the perpendicular bisectors of both chords meet; when
    // they are parallel (all points on one line) the circle stays as it was.
    void SetSecondChord(Point p3, Point p4) override;

protected:
    void Paint(GdiDc& dc) override;
    void GrabHandle(CKorDraw& tool, int handle, Point mouse) override;
    void SetCircleFromPoints();
};

}  // namespace zv
