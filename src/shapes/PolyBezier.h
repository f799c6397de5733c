#pragma once
// CPolyBezier: a smooth curve of cubic Bezier pieces. Clicks alternate between
// points on the curve and the two control points of each piece; a double click ends
// it. While it is being made the open piece follows the mouse.

#include "shapes/Unit.h"

namespace zv {

class CPolyBezier : public CUnit {
public:
    static const ShapeClass& Class();
    const ShapeClass& GetRuntimeClass() const override { return Class(); }
    int ToolNumber() const override { return 20; }
    std::unique_ptr<CUnit> Clone() const override { return std::make_unique<CPolyBezier>(*this); }
    void Serialize(CArchive& ar) override;

    // While drawing (tool state 1) a click adds to the control points; otherwise
    // the common select-mode click.
    void SelectAt(GdiDc& dc, CKorDraw& tool, int x, int y) override;
    // Handle n is control point n - 1.
    int HitHandle(int x, int y) override;
    // Near a control point or the curve itself.
    bool HitTest(int x, int y) override;
    void DrawHandles(GdiDc& dc) override;
    void DragTo(GdiDc& dc, CKorDraw& tool, int x, int y) override;
    void RotateAbout(int cx, int cy, int angle) override;
    void AddCurveClick(GdiDc& dc, int step, Point p) override;
    void FinishCurve(GdiDc& dc, CKorDraw& tool) override;

protected:
    void Paint(GdiDc& dc) override;
    void GrabHandle(CKorDraw& tool, int handle, Point mouse) override;

private:
    // The curve being made, closed by the mouse point (XOR).
    void DrawBand(GdiDc& dc);
    void DrawMarkers(GdiDc& dc, std::size_t from, std::size_t to);

    Point bandEnd_;
    std::size_t markedCount_ = 0;  // control points whose construction markers show
};

}  // namespace zv
