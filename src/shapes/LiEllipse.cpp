#include "shapes/LiEllipse.h"

#include "shapes/Archive.h"

namespace zv {

const ShapeClass& CLiEllipse::Class() {
    static const ShapeClass c{"CLiEllipse", 1, &MakeOf<CLiEllipse>};
    return c;
}

void CLiEllipse::Serialize(CArchive& ar) {
    SerializeHead(ar);
    ar.Io(brushStyle);
    ar.Io(backMode);
    ar.Io(hatchStyle);
    ar.Io(brushColour);
}

void CLiEllipse::Paint(GdiDc& dc) {
    dc.Ellipse(Box());
}

bool HitEllipseBand(const Rect& b, int x, int y) {
    const Rect outer{b.left - 4, b.top - 4, b.right + 4, b.bottom + 4};
    const Rect inner{b.left + 4, b.top + 4, b.right - 4, b.bottom - 4};
    return InEllipse(outer, x, y) && !InEllipse(inner, x, y);
}

bool CLiEllipse::HitTest(int x, int y) {
    OrderCorners();
    return HitEllipseBand(Box(), x, y);
}

}  // namespace zv
