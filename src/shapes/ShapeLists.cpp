#include "shapes/ShapeLists.h"

#include "shapes/KorDraw.h"
#include "shapes/Unit.h"

namespace zv {

namespace {

constexpr ShapeKind kDrawOrder[] = {
    ShapeKind::Polygon,   ShapeKind::PolyBezier,     ShapeKind::Line,       ShapeKind::Curve,
    ShapeKind::Rectangle, ShapeKind::RoundRectangle, ShapeKind::Ellipse,    ShapeKind::Round,
    ShapeKind::LiEllipse, ShapeKind::RoundArc,       ShapeKind::EllipseArc, ShapeKind::DrawText};

}  // namespace

void ShapeLists::DrawAll(GdiDc& dc) const {
    for (ShapeKind kind : kDrawOrder) {
        for (const auto& shape : List(kind)) {
            shape->Draw(dc);
            if (shape->selected) shape->DrawHandles(dc);
        }
    }
}

ShapeKind KindOfTool(int tool) {
    if (tool < 10 || tool > 21) return ShapeKind::Line;
    return static_cast<ShapeKind>(tool - 10);
}

ShapeLists::ShapeLists() = default;

ShapeLists::~ShapeLists() {
    if (viewer_) viewer_->ListsGone(this);
    viewer_ = nullptr;
    DeleteAll();
}

CUnit* ShapeLists::Add(std::unique_ptr<CUnit> shape) {
    CUnit* raw = shape.get();
    List(KindOfTool(shape->ToolNumber())).push_back(std::move(shape));
    return raw;
}

std::size_t ShapeLists::ShapeCount() const {
    std::size_t n = 0;
    for (const ShapeList& list : lists) n += list.size();
    return n;
}

void ShapeLists::DeleteAll() {
    if (viewer_) viewer_->ListsChanging(this);
    for (ShapeList& list : lists) {
        while (!list.empty()) list.pop_back();
    }
}

void ShapeLists::CopyShapesFrom(const ShapeLists& src) {
    if (&src == this) return;
    std::array<ShapeList, kShapeKinds> copies;
    for (std::size_t k = 0; k < lists.size(); ++k) {
        for (const auto& shape : src.lists[k]) copies[k].push_back(shape->Clone());
    }
    if (viewer_) viewer_->ListsChanging(this);
    DeleteAll();
    lists = std::move(copies);
}

void ShapeLists::MoveShapesFrom(ShapeLists& src) {
    if (&src == this) return;
    if (src.viewer_) src.viewer_->ListsChanging(&src);
    for (std::size_t k = 0; k < lists.size(); ++k) {
        for (auto& shape : src.lists[k]) lists[k].push_back(std::move(shape));
        src.lists[k].clear();
    }
}

}  // namespace zv
