#pragma once
// CRoundRectangle: a box with rounded corners, each corner a third of the box.

#include "shapes/Rectangle.h"

namespace zv {

class CRoundRectangle : public CRectangle {
public:
    static const ShapeClass& Class();
    const ShapeClass& GetRuntimeClass() const override { return Class(); }
    int ToolNumber() const override { return 13; }
    std::unique_ptr<CUnit> Clone() const override {
        return std::make_unique<CRoundRectangle>(*this);
    }

    // Width and height of the corner ellipses.
    Point CornerSize() const;

protected:
    void Paint(GdiDc& dc) override;
    int HandleReach() const override { return 4; }
};

}  // namespace zv
