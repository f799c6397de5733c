#include "shapes/RoundRectangle.h"

#include <cstdlib>

namespace zv {

const ShapeClass& CRoundRectangle::Class() {
    static const ShapeClass c{"CRoundRectangle", 1, &MakeOf<CRoundRectangle>};
    return c;
}

Point CRoundRectangle::CornerSize() const {
    return {std::abs(startPoint.x - endPoint.x) / 3, std::abs(startPoint.y - endPoint.y) / 3};
}

void CRoundRectangle::Paint(GdiDc& dc) {
    const Point corner = CornerSize();
    dc.RoundRect(Box(), corner.x, corner.y);
}

}  // namespace zv
