#pragma once
// The twelve shape lists, one per shape class, that a frame's shape container and
// the drawing tool share. The lists own their shapes.

#include <array>
#include <cstddef>
#include <memory>
#include <vector>

namespace zv {

class CUnit;
class CKorDraw;
class GdiDc;

// One list per class, in the tool's order (tool number = 10 + kind).
enum class ShapeKind : int {
    Line,            // CDLine
    Curve,           // CCurve, free curves
    Rectangle,       // CRectangle
    RoundRectangle,  // CRoundRectangle
    Ellipse,         // CEllipse, the slanted ellipse
    Round,           // CRound, circles
    Polygon,         // CPolygon
    LiEllipse,       // CLiEllipse, the upright ellipse drawn in a box
    RoundArc,        // CRoundArc, circular arcs
    EllipseArc,      // CEllipseArc
    PolyBezier,      // CPolyBezier, smooth curves
    DrawText,        // CDrawText
};
constexpr int kShapeKinds = 12;

using ShapeList = std::vector<std::unique_ptr<CUnit>>;

class ShapeLists {
public:
    ShapeLists();
    virtual ~ShapeLists();
    ShapeLists(const ShapeLists&) = delete;
    ShapeLists& operator=(const ShapeLists&) = delete;

    ShapeList& List(ShapeKind kind) { return lists[static_cast<std::size_t>(kind)]; }
    const ShapeList& List(ShapeKind kind) const { return lists[static_cast<std::size_t>(kind)]; }

    // Appends `shape` to the list of its class.
    CUnit* Add(std::unique_ptr<CUnit> shape);
    std::size_t ShapeCount() const;
    bool IsEmpty() const { return ShapeCount() == 0; }
    // Deletes every shape, each list from its last shape to its first.
    void DeleteAll();
    // Replaces this container's shapes by copies of `src`'s, list by list in order.
    void CopyShapesFrom(const ShapeLists& src);
    // Moves every shape of `src` to the end of the same list here.
    void MoveShapesFrom(ShapeLists& src);
    // Every shape in the drawing order of the lists (polygons and smooth curves
    // first, texts last), each selected one with its handles.
    void DrawAll(GdiDc& dc) const;

    std::array<ShapeList, kShapeKinds> lists;

private:
    friend class CKorDraw;
    // The drawing tool showing these lists, told when they go away.
    CKorDraw* viewer_ = nullptr;
};

// The list a shape of tool number `tool` (10..21) stands in.
ShapeKind KindOfTool(int tool);

}  // namespace zv
