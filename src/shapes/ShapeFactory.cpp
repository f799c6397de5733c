// The class records of every stored shape class, looked up by name when reading.
#include <array>

#include "shapes/Curve.h"
#include "shapes/DLine.h"
#include "shapes/DrawText.h"
#include "shapes/Ellipse.h"
#include "shapes/EllipseArc.h"
#include "shapes/LiEllipse.h"
#include "shapes/PolyBezier.h"
#include "shapes/Polygon.h"
#include "shapes/Rectangle.h"
#include "shapes/Round.h"
#include "shapes/RoundArc.h"
#include "shapes/RoundRectangle.h"
#include "shapes/Unit.h"

namespace zv {

const ShapeClass& CUnit::GetRuntimeClass() const {
    static const ShapeClass c{"CUnit", 1, &MakeOf<CUnit>};
    return c;
}

const ShapeClass* FindShapeClass(std::string_view name) {
    static const CUnit base;
    static const std::array<const ShapeClass*, 13> all = {&base.CUnit::GetRuntimeClass(),
                                                          &CDLine::Class(),
                                                          &CCurve::Class(),
                                                          &CRectangle::Class(),
                                                          &CRoundRectangle::Class(),
                                                          &CEllipse::Class(),
                                                          &CRound::Class(),
                                                          &CPolygon::Class(),
                                                          &CLiEllipse::Class(),
                                                          &CRoundArc::Class(),
                                                          &CEllipseArc::Class(),
                                                          &CPolyBezier::Class(),
                                                          &CDrawText::Class()};
    for (const ShapeClass* c : all) {
        if (name == c->name) return c;
    }
    return nullptr;
}

std::unique_ptr<CUnit> MakeShape(std::string_view name) {
    const ShapeClass* c = FindShapeClass(name);
    return c ? c->make() : nullptr;
}

}  // namespace zv
