#pragma once
// CPolygon: a closed outline through its vertices, made click by click and closed
// by a double click.

#include "shapes/Unit.h"

namespace zv {

class CPolygon : public CUnit {
public:
    static const ShapeClass& Class();
    const ShapeClass& GetRuntimeClass() const override { return Class(); }
    int ToolNumber() const override { return 16; }
    std::unique_ptr<CUnit> Clone() const override { return std::make_unique<CPolygon>(*this); }
    // Head, then pen colour, style and width once more, then the vertices.
    void Serialize(CArchive& ar) override;

    // Handle n is vertex n - 1, kept in `grabIndex`.
    int HitHandle(int x, int y) override;
    // On the hit band of some edge, the closing edge first.
    bool HitTest(int x, int y) override;
    void DrawHandles(GdiDc& dc) override;
    void DragTo(GdiDc& dc, CKorDraw& tool, int x, int y) override;
    void AddVertex(Point p) override { pointList.push_back(p); }
    void ClosePolygon(GdiDc& dc, Point p) override;

protected:
    void Paint(GdiDc& dc) override;
    void GrabHandle(CKorDraw& tool, int handle, Point mouse) override;
};

}  // namespace zv
