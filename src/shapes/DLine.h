#pragma once
// CDLine: a straight line between its two defining points.

#include <array>

#include "shapes/Unit.h"

namespace zv {

// The four corners of the hit band around the segment start-end for pen width w,
// shared by lines and polygon edges.
std::array<Point, 4> LineHitBand(Point start, Point end, std::int32_t w);

class CDLine : public CUnit {
public:
    CDLine();
    static const ShapeClass& Class();
    const ShapeClass& GetRuntimeClass() const override { return Class(); }
    int ToolNumber() const override { return 10; }
    std::unique_ptr<CUnit> Clone() const override { return std::make_unique<CDLine>(*this); }

    int HitHandle(int x, int y) override;
    bool HitTest(int x, int y) override;
    // Rebuilt on every call: the band follows the line wherever it was moved.
    const GdiRegion& GetHitRegion() override;
    void DrawHandles(GdiDc& dc) override;
    void ResetDefaults() override;
    void SetEndsFromDoubles(double x1, double y1, double x2, double y2) override;

protected:
    void Paint(GdiDc& dc) override;
};

}  // namespace zv
