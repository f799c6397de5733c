#pragma once
// A lit region: a grid of lamp cells laid over a rectangle of the view, or over the
// bounding box of a polygon with every cell clipped to the polygon.

#include <QDataStream>
#include <QRegion>

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "gdi/Geometry.h"
#include "layers/CellMemory.h"
#include "layers/NeonCell.h"

class QPainter;

namespace zv {

class RasterFill;

// Marks cells chosen for a block fill. Deliberately the same value as the default
// grid colour, but always this constant, never the grid colour field.
constexpr COLORREF MarkColour = 0x585858;

// The ten values that open every region record of a scheme file.
struct RegionRecordHeader {
    std::int32_t type = 2;
    std::int32_t kind = 0;  // 2 for a region, 0 in the end header
    std::int32_t rows = 0;
    std::int32_t cols = 0;
    std::int32_t zoomPercent = 0;
    std::int32_t isPolygon = 0;
    std::int32_t pointCount = 0;
    std::int32_t effect = 0;
    std::int32_t loop = 0;
    std::int32_t bodySize = 0;

    bool Read(QDataStream& in);
};

class CNeonRegion {
public:
    CNeonRegion(std::int32_t cols, std::int32_t rows, float zoom);
    virtual ~CNeonRegion();
    CNeonRegion(const CNeonRegion&) = delete;
    CNeonRegion& operator=(const CNeonRegion&) = delete;

    // Ring anchor only: a new (24, 1, 1.0) region linked as the last one.
    CNeonRegion* AppendRegion();
    // An exact copy standing alone: every field, the cells, the outline, the effect
    // state and the backup colours.
    std::unique_ptr<CNeonRegion> Clone() const;

    void Init(std::int32_t cols, std::int32_t rows, float zoom, const Rect& bounds);
    // New cells are unlit. A region that is already laid out is laid out again over
    // its bounds so that its cells stand where it is drawn. False (and nothing
    // changed) for a negative grid or one too large to be stored.
    bool SetGrid(std::int32_t rows, std::int32_t cols);
    // Lays a laid-out region out again at the new zoom; colours are kept.
    void SetZoom(float zoom);
    void Layout(const Rect& bounds);
    void SetPolygon(std::span<const Point> vertices, Rect* outBounds);

    void DrawGrid(QPainter& p, bool show, bool current) const;
    void DrawCells(QPainter& p) const;
    void DrawCell(QPainter& p, std::int32_t row, std::int32_t col) const;  // 1-based

    int PaintCellAt(QPainter* p, std::int32_t x, std::int32_t y, COLORREF colour);
    int FillSelectionAt(QPainter* p, std::int32_t x, std::int32_t y, COLORREF colour);
    // `p`, when given, is the window surface the marked cells are repainted on.
    int SelectRange(QPainter* p, std::int32_t x1, std::int32_t y1, std::int32_t x2,
                    std::int32_t y2);
    void MarkRange(QPainter* p, std::int32_t c0, std::int32_t r0, std::int32_t c1, std::int32_t r1);
    void UnmarkRange(QPainter* p, std::int32_t c0, std::int32_t r0, std::int32_t c1,
                     std::int32_t r1);
    void ReplaceMarked(COLORREF colour);
    void ClampRange(std::int32_t& c0, std::int32_t& r0, std::int32_t& c1, std::int32_t& r1) const;

    void ShiftLeft(bool wrap);
    void ShiftRight(bool wrap);
    void ShiftUp(bool wrap);
    void ShiftDown(bool wrap);

    void SetEffect(std::int32_t effect, std::int32_t frames, std::int32_t loop);
    void CopyColours(const CNeonRegion& other);
    void FillAll(COLORREF colour);
    void ClearCells();
    // Moves the top-left corner, kept inside the limits on the right and bottom, and
    // lays the cells out again at the new place (colours kept).
    void MoveTo(std::int32_t x, std::int32_t y, std::int32_t limitRight, std::int32_t limitBottom);
    bool SameBounds(const CNeonRegion& other) const { return bounds == other.bounds; }

    // The region record: header, then (when `body`) bounds or vertices and the cells.
    void Save(QDataStream& out, bool body) const;
    // Takes the header values the caller has read; false when they cannot describe
    // a region (negative or oversized grid, a rectangle without two corners).
    bool ApplyHeader(const RegionRecordHeader& h);
    // Reads the body after ApplyHeader. False, with the stream marked as failed, when
    // the body size disagrees with the grid and points or the data runs short.
    bool Load(QDataStream& in, std::int32_t bodySize);

    // Whole percentage stored for `zoom`: the nearest integer, so that a zoom read
    // back as percentage / 100 is written again unchanged.
    static std::int32_t ZoomPercent(float zoom);
    static float ZoomFromPercent(std::uint32_t percent);

    std::int32_t CellCount() const { return static_cast<std::int32_t>(cells.size()); }
    NeonCell& Cell(std::int32_t r, std::int32_t c) { return cells[std::size_t(r) * cols + c]; }
    const NeonCell& Cell(std::int32_t r, std::int32_t c) const {
        return cells[std::size_t(r) * cols + c];
    }
    bool HasGrid() const { return rows > 0 && cols > 0 && !cells.empty(); }

    // ---- Effect primitives (RegionEffects.cpp, RegionColourEffects.cpp) ----
    // Effects move whole lines of cells: the columns for horizontal effects, the rows
    // for vertical ones. Each primitive is written once over an axis: along
    // Axis::Rows a "column" is a row, "left" is up (towards line 0) and "right" is
    // down. Positions outside the grid are ignored, so no primitive ever touches a
    // cell that does not exist, whatever the grid.
    enum class Axis { Columns, Rows };

    std::int32_t LineCount(Axis axis) const;
    void ShiftLeft(Axis axis, bool wrap);
    void ShiftRight(Axis axis, bool wrap);
    void Interleave(Axis axis);
    void CopyColumnFrom(Axis axis, const CNeonRegion& source, std::int32_t x);
    void ClearColumn(Axis axis, std::int32_t x);
    void PullLeft(Axis axis, std::int32_t x, bool keepEdge);
    void PullRight(Axis axis, std::int32_t x, bool keepEdge);
    void PullApart(Axis axis, std::int32_t a, std::int32_t b, bool keepEdge);
    void PushLeft(Axis axis, std::int32_t x);
    void PushRight(Axis axis, std::int32_t x);
    void PushApart(Axis axis, std::int32_t a, std::int32_t b);
    void PushInward(Axis axis, std::int32_t a, std::int32_t b);
    void SmearLeft(Axis axis, std::int32_t x);
    void SmearRight(Axis axis, std::int32_t x);
    void SmearApart(Axis axis, std::int32_t a, std::int32_t b);

    // Ascending indexes of the lines holding at least one lit cell.
    std::vector<std::int32_t> LitColumns(Axis axis) const;
    // Every cell: prevColour = colour, colour = the source's cell scaled by f.
    void ScaleColoursFrom(const CNeonRegion& source, double f);
    // Every cell of line x: prevColour = colour, colour = the given colour.
    void SetColumnColour(Axis axis, std::int32_t x, COLORREF colour);
    // The listed lines: prevColour = colour, colour = the source's cell scaled by f.
    void ScaleColumnsFrom(Axis axis, const CNeonRegion& source, std::span<const std::int32_t> lines,
                          double f);
    // Each byte floored after scaling by f in [0, 1].
    static COLORREF ScaleColour(COLORREF v, double f);
    // The hue at angle a (radians): red, yellow, green, cyan, blue, magenta over 3 pi.
    static COLORREF WheelColour(double a);
    // ---- end of effect primitives ----

    std::int32_t rows;
    std::int32_t cols;
    std::int32_t lineWidth = 1;
    std::int32_t fadeSteps = 12;
    float cellHeight = 10.0f;
    float cellWidth = 50.0f;
    float offsetX = 0.0f;
    float offsetY = 0.0f;
    float zoom;
    Rect bounds;
    COLORREF gridColour = 0x585858;
    CellArray cells{CellArray::allocator_type(CellMemory())};
    std::vector<Point> points;
    Rect polyBounds;
    std::int32_t effect = 0;
    std::int32_t loop = 1;
    std::int32_t effectFrames = 0;
    std::int32_t isPolygon = 0;
    std::int32_t pointCount = 2;
    std::unique_ptr<CNeonRegion> backup;
    CNeonRegion* prev;
    CNeonRegion* next;

private:
    // Cell (1-based row/col) under the point, or false when the point is off the grid.
    bool CellAt(std::int32_t x, std::int32_t y, std::int32_t& row, std::int32_t& col) const;
    void ExtendBounds(std::int32_t x, std::int32_t y);
    // Stores the bounds and computes the cell size and offsets, leaving the cells.
    void LayoutMetrics(const Rect& b);
    // `fn` on every cell of the block (clamped to the grid), then a repaint on `p`.
    template <class Fn>
    void ForEachInBlock(QPainter* p, std::int32_t c0, std::int32_t r0, std::int32_t c1,
                        std::int32_t r1, Fn fn);
    void FillCell(RasterFill& fill, std::size_t index) const;
    // Every row's cells share its top and bottom and stand left to right, each row
    // below the one before, nowhere overlapping.
    bool CellsInRows() const;
    void InvalidateClipCache() const { clipCache_.clear(); }

    bool laidOut_ = false;
    // Polygon cells clipped to the polygon, remembered with the cell rectangle they
    // were made for: clipping every cell on every draw is the costly part of a draw.
    struct ClippedCell {
        bool valid = false;
        Rect rect;
        QRegion area;
    };
    mutable std::vector<ClippedCell> clipCache_;
};

}  // namespace zv
