#pragma once
// CUnit: what every vector shape shares. The drawing attributes (pen, brush,
// background, raster operation), the defining points, the hit region, the selection
// flag, the virtual interface through which the drawing tool creates, drags,
// selects, hit-tests, rotates and draws any shape, and the common head of the
// stored shape record.

#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "gdi/GdiDc.h"
#include "gdi/GdiRegion.h"
#include "gdi/Geometry.h"

namespace zv {

class CArchive;
class CKorDraw;
class CUnit;

// The run-time class record of a stored shape class.
struct ShapeClass {
    const char* name;
    std::uint16_t schema;
    std::unique_ptr<CUnit> (*make)();
};

template <class T>
std::unique_ptr<CUnit> MakeOf() {
    return std::make_unique<T>();
}

// The class record for `name`, or null for a name no shape class has.
const ShapeClass* FindShapeClass(std::string_view name);
// A new empty shape of the named class, or null.
std::unique_ptr<CUnit> MakeShape(std::string_view name);

class CUnit {
public:
    CUnit();
    virtual ~CUnit();
    // Copies every field; the hit region is rebuilt on demand by the copy.
    CUnit(const CUnit& other);
    CUnit& operator=(const CUnit& other);
    virtual std::unique_ptr<CUnit> Clone() const;

    virtual const ShapeClass& GetRuntimeClass() const;
    // Tool number of the class (10..21), 0 for the bare base.
    virtual int ToolNumber() const { return 0; }
    // Writes or reads the record; the base handles the 40-byte head.
    virtual void Serialize(CArchive& ar);

    // Turns `p` about (cx, cy) clockwise on the screen by `angle` degrees, each
    // coordinate truncated toward zero.
    virtual void RotatePoint(int cx, int cy, int angle, Point& p) const;
    // floor(a * 10^digits) == floor(b * 10^digits).
    virtual bool SameAtPrecision(double a, double b, int digits) const;
    // Continues a drag to (x, y): moves in tool state 2, reshapes in state 5 and
    // follows the mouse while the shape is being made (state 1).
    virtual void DragTo(GdiDc& dc, CKorDraw& tool, int x, int y);
    // The shape's pixels with the DC's raster operation left as it is (rubber band).
    virtual void DrawTracking(GdiDc& dc);
    // 7 x 7 magenta square with a blue border, XOR.
    virtual void DrawGrabMarker(GdiDc& dc, int x, int y);
    // Selection handles in XOR, so that a second call removes them.
    virtual void DrawHandles(GdiDc& dc);
    // One-pixel blue XOR line.
    virtual void DrawGuideLine(GdiDc& dc, int x1, int y1, int x2, int y2);
    // A select-mode click: grabs a handle of a selected shape or toggles selection.
    virtual void SelectAt(GdiDc& dc, CKorDraw& tool, int x, int y);
    // 0 when no handle is at (x, y), else the handle number; sets `grabPoint`.
    virtual int HitHandle(int x, int y);
    virtual bool HitTest(int x, int y);
    // The region built from the two defining points, kept once built.
    virtual const GdiRegion& GetHitRegion();
    virtual void RotateAbout(int cx, int cy, int angle);
    virtual void ResetDefaults();
    // Draws with the shape's own attributes and raster operation.
    virtual void Draw(GdiDc& dc);

    // Construction hooks, empty here; each class fills those its clicks need.
    virtual void AddVertex(Point /*p*/) {}
    virtual void ClosePolygon(GdiDc& /*dc*/, Point /*p*/) {}
    virtual void AddCurveClick(GdiDc& /*dc*/, int /*step*/, Point /*p*/) {}
    virtual void FinishCurve(GdiDc& /*dc*/, CKorDraw& /*tool*/) {}
    virtual void SetAxis(Point /*p1*/, Point /*p2*/) {}
    virtual void SetRadiusX(Point /*centre*/, Point /*p*/) {}
    virtual void SetRadiusY(Point /*centre*/, Point /*p*/) {}
    virtual void SetArcStartFrom(Point /*p*/) {}
    virtual void SetArcEndFrom(Point /*p*/) {}
    virtual void SetRadiusFromPoint(Point /*centre*/, Point /*p*/) {}
    virtual void SetFirstChord(Point /*p1*/, Point /*p2*/) {}
    virtual void SetSecondChord(Point /*p3*/, Point /*p4*/) {}
    virtual void SetEndsFromDoubles(double /*x1*/, double /*y1*/, double /*x2*/, double /*y2*/) {}

    // Hatch patterns are fixed to logical (0, 0) so they do not crawl when the view
    // scrolls: the brush origin becomes that point's device position modulo 8.
    static void AlignBrushOrigin(GdiDc& dc);

    std::uint32_t penStyle = PS_SOLID;
    std::int32_t penWidth = 1;
    std::int32_t backMode = TRANSPARENT;
    std::int32_t drawMode = R2_COPYPEN;
    COLORREF penColour = 0;
    COLORREF brushColour = 0;
    COLORREF backColour = 0xFFFFFF;
    Point startPoint;
    Point endPoint;
    Point arcStart;   // circular arc
    Point centre;     // circle, ellipses, arcs
    Point axisClick;  // elliptic arc construction clicks
    Point arcClick;
    std::array<Point, 3> spareSlots{};
    Point arcFrom;  // elliptic arc ends
    Point arcTo;
    Rect bounds;
    std::unique_ptr<GdiRegion> hitRegion;
    std::vector<Point> pointList;      // free curve and polygon vertices
    std::vector<Point> controlPoints;  // smooth curve
    std::uint32_t brushStyle = BS_SOLID;
    std::int32_t hatchStyle = HS_HORIZONTAL;
    std::int32_t grabIndex = 0;
    Point grabPoint;
    std::int32_t radius = 0;
    std::int32_t radiusX = 0;
    std::int32_t radiusY = 0;
    std::int32_t spareWord = 0;  // kept and copied; nothing gives it a meaning
    double cosAngle = 1.0;
    double sinAngle = 0.0;
    double slopeA = 0.0;
    double slopeB = 0.0;
    double angleFrom = 0.0;
    double angleTo = 0.0;
    bool selected = false;
    std::int32_t arcFlag = 1;  // elliptic arc: 0 while the whole ellipse is shown

protected:
    // Scoped drawing attributes: raster operation (when `rop` is not 0), pen,
    // brush (when `withBrush`), background mode and colour; all restored after.
    class Attributes {
    public:
        Attributes(GdiDc& dc, const CUnit& shape, std::int32_t rop, bool withBrush);
        ~Attributes();
        Attributes(const Attributes&) = delete;
        Attributes& operator=(const Attributes&) = delete;

    private:
        GdiDc& dc_;
        GdiDc::State saved_;
    };

    // The shape's pixels with the attributes already set up.
    virtual void Paint(GdiDc& /*dc*/) {}
    // Whether Paint fills with the brush.
    virtual bool UsesBrush() const { return false; }
    // Sets the tool up for a drag of handle `handle` (1-based) found at (x, y).
    virtual void GrabHandle(CKorDraw& tool, int handle, Point mouse);
    // Moves and reshapes shapes defined by `startPoint` and `endPoint`.
    void DragEnds(GdiDc& dc, CKorDraw& tool, int x, int y);
    // Sets `grabPoint` to the first of `points` whose square (mouse point +-half)
    // holds it and returns its number (index + 1), else 0.
    int HitPointHandle(std::span<const Point> points, int x, int y, int half);
    // Draws 7 x 7 XOR handle squares, `fill` inside a blue border.
    static void DrawHandleSquare(GdiDc& dc, Point p, COLORREF fill);
    // Writes or reads the common head.
    void SerializeHead(CArchive& ar);
    // Puts `startPoint` top-left and `endPoint` bottom-right.
    void OrderCorners();
};

// A point offset by another.
inline Point Offset(Point p, int dx, int dy) {
    return {p.x + dx, p.y + dy};
}
// Integer midpoint, as the shapes compute it.
inline Point Midpoint(Point a, Point b) {
    return {(a.x + b.x) / 2, (a.y + b.y) / 2};
}
// Distance truncated toward zero.
std::int32_t TruncDistance(Point a, Point b);

}  // namespace zv
