#include "layers/NeonRegion.h"

#include <QPainter>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

#include "gdi/BinaryIO.h"
#include "gdi/GdiPaint.h"
#include "gdi/ReadWindow.h"
#include "layers/Ring.h"
#include "shapes/Archive.h"

namespace zv {

namespace {

// The body size field is a signed 32-bit number, which bounds every grid we keep.
constexpr std::int64_t kMaxCellBytes = std::numeric_limits<std::int32_t>::max();

bool GridFits(std::int64_t rows, std::int64_t cols) {
    if (rows < 0 || cols < 0) return false;
    if (rows == 0 || cols == 0) return true;
    return rows <= kMaxCellBytes / std::int64_t(sizeof(NeonCell)) / cols;
}

// The cell array is stored exactly as held: on a little-endian machine its memory is
// the file's bytes (NeonCell has no padding), so a whole grid moves in one write.
void WriteCells(QDataStream& out, const CellArray& cells) {
    if constexpr (std::endian::native == std::endian::little) {
        WriteRaw(out, cells.data(), qint64(cells.size()) * qint64(sizeof(NeonCell)));
    } else {
        for (const NeonCell& cell : cells) {
            const std::int32_t v[7] = {cell.reserved,
                                       cell.rect.left,
                                       cell.rect.top,
                                       cell.rect.right,
                                       cell.rect.bottom,
                                       static_cast<std::int32_t>(cell.colour),
                                       static_cast<std::int32_t>(cell.prevColour)};
            WriteInt32s(out, v);
        }
    }
}

// Region bounds, polygon vertices and cell rectangles are view pixels: beyond the
// range the shape records keep to, no screen shows them, and the painting and
// clipping arithmetic would be taken to its limits.
bool InStoredRange(std::int32_t v) {
    return v >= -kMaxStoredCoordinate && v <= kMaxStoredCoordinate;
}

bool InStoredRange(const Rect& r) {
    return InStoredRange(r.left) && InStoredRange(r.top) && InStoredRange(r.right) &&
           InStoredRange(r.bottom);
}

bool CellsInStoredRange(const CellArray& cells) {
    // v is in range when v + limit, taken unsigned, is at most 2 x limit. The four
    // words of a rectangle are checked as one vector and the results folded without
    // branches: this pass over every cell of a file is a good part of loading it.
    using Words = std::uint32_t __attribute__((vector_size(16)));
    static_assert(sizeof(Rect) == sizeof(Words));
    const auto limit = std::uint32_t(kMaxStoredCoordinate);
    // Four cells a step, each into its own sum, so that the steps do not wait on
    // one another.
    Words out[4] = {};
    const std::size_t n = cells.size();
    std::size_t i = 0;
    for (; i + 4 <= n; i += 4) {
        for (std::size_t k = 0; k < 4; ++k) {
            Words v;
            std::memcpy(&v, &cells[i + k].rect, sizeof v);
            out[k] |= Words(v + limit > 2 * limit);
        }
    }
    for (; i < n; ++i) {
        Words v;
        std::memcpy(&v, &cells[i].rect, sizeof v);
        out[0] |= Words(v + limit > 2 * limit);
    }
    const Words all = out[0] | out[1] | out[2] | out[3];
    return (all[0] | all[1] | all[2] | all[3]) == 0;
}

// Replaces `cells` by `n` cells read from the stream (the caller checked the size).
bool ReadCells(QDataStream& in, CellArray& cells, std::size_t n) {
    const qint64 bytes = qint64(n) * qint64(sizeof(NeonCell));
    if (!CanRead(in, bytes)) return false;
    if constexpr (std::endian::native == std::endian::little) {
        // Copied straight from the file's bytes where the stream can show them: a
        // resized array would first be filled with zeros only to be overwritten.
        const std::span<const char> stored = ReadWindow::Take(in, bytes, alignof(NeonCell));
        if (qint64(stored.size()) == bytes) {
            const auto* first = reinterpret_cast<const NeonCell*>(stored.data());
            cells.assign(first, first + n);
            return true;
        }
        cells.resize(n);
        return ReadRaw(in, cells.data(), bytes);
    } else {
        cells.resize(n);
        for (NeonCell& cell : cells) {
            std::int32_t v[7];
            if (!ReadInt32s(in, v)) return false;
            cell = NeonCell{v[0], Rect{v[1], v[2], v[3], v[4]}, static_cast<COLORREF>(v[5]),
                            static_cast<COLORREF>(v[6])};
        }
        return true;
    }
}

}  // namespace

bool RegionRecordHeader::Read(QDataStream& in) {
    std::int32_t v[10];
    if (!ReadInt32s(in, v)) return false;
    type = v[0];
    kind = v[1];
    rows = v[2];
    cols = v[3];
    zoomPercent = v[4];
    isPolygon = v[5];
    pointCount = v[6];
    effect = v[7];
    loop = v[8];
    bodySize = v[9];
    return true;
}

CNeonRegion::CNeonRegion(std::int32_t c, std::int32_t r, float z)
    : rows(r), cols(c), zoom(z), prev(this), next(this) {}

CNeonRegion::~CNeonRegion() = default;

CNeonRegion* CNeonRegion::AppendRegion() {
    return Ring<CNeonRegion>::Append(this, std::make_unique<CNeonRegion>(24, 1, 1.0f));
}

std::unique_ptr<CNeonRegion> CNeonRegion::Clone() const {
    auto c = std::make_unique<CNeonRegion>(cols, rows, zoom);
    c->lineWidth = lineWidth;
    c->fadeSteps = fadeSteps;
    c->cellHeight = cellHeight;
    c->cellWidth = cellWidth;
    c->offsetX = offsetX;
    c->offsetY = offsetY;
    c->bounds = bounds;
    c->gridColour = gridColour;
    c->cells.assign(cells.begin(), cells.end());
    c->points = points;
    c->polyBounds = polyBounds;
    c->effect = effect;
    c->loop = loop;
    c->effectFrames = effectFrames;
    c->isPolygon = isPolygon;
    c->pointCount = pointCount;
    if (backup) c->backup = backup->Clone();
    c->laidOut_ = laidOut_;
    c->clipCache_ = clipCache_;
    return c;
}

void CNeonRegion::Init(std::int32_t c, std::int32_t r, float z, const Rect& b) {
    // A grid that cannot be held becomes an empty one rather than leaving the old
    // counts over a cell array of another size.
    if (!SetGrid(r, c)) SetGrid(0, 0);
    SetZoom(z);
    Layout(b);
    if (!isPolygon) pointCount = 2;
}

bool CNeonRegion::SetGrid(std::int32_t r, std::int32_t c) {
    if (!GridFits(r, c)) return false;
    rows = r;
    cols = c;
    cells.assign(std::size_t(r) * std::size_t(c), NeonCell{});
    InvalidateClipCache();
    if (laidOut_) Layout(bounds);
    return true;
}

void CNeonRegion::SetZoom(float z) {
    zoom = z;
    if (laidOut_) Layout(bounds);
}

void CNeonRegion::Layout(const Rect& b) {
    LayoutMetrics(b);
    if (!HasGrid()) return;
    const double cw = cellWidth, ch = cellHeight, ox = offsetX, oy = offsetY;
    // Every column shares its left and right, every row its top and bottom.
    std::vector<std::int32_t> lefts(static_cast<std::size_t>(cols)), rights(lefts.size());
    for (std::int32_t c = 0; c < cols; ++c) {
        lefts[std::size_t(c)] = FloorPlusOne(b.left + c * cw + ox);
        rights[std::size_t(c)] = FloorToInt(b.left + (c + 1) * cw + ox);
    }
    for (std::int32_t r = 1; r <= rows; ++r) {
        const std::int32_t top = FloorPlusOne(b.top + (r - 1) * ch + oy);
        const std::int32_t bottom = FloorToInt(b.top + r * ch + oy);
        NeonCell* row = &Cell(r - 1, 0);
        for (std::int32_t c = 0; c < cols; ++c)
            row[c].rect = Rect{lefts[std::size_t(c)], top, rights[std::size_t(c)], bottom};
    }
}

void CNeonRegion::LayoutMetrics(const Rect& b) {
    bounds = b;
    laidOut_ = true;
    InvalidateClipCache();
    const double w = double(b.right) - lineWidth - b.left;
    const double h = double(b.bottom) - lineWidth - b.top;
    const double z = zoom;
    cellHeight = rows > 0 ? float(h * z / rows) : 0.0f;
    cellWidth = cols > 0 ? float(w * z / cols) : 0.0f;
    offsetX = float(w * (1.0 - z) / 2.0);
    offsetY = float(h * (1.0 - z) / 2.0);
}

void CNeonRegion::ExtendBounds(std::int32_t x, std::int32_t y) {
    polyBounds.left = std::min(polyBounds.left, x);
    polyBounds.top = std::min(polyBounds.top, y);
    polyBounds.right = std::max(polyBounds.right, x);
    polyBounds.bottom = std::max(polyBounds.bottom, y);
    bounds = polyBounds;
}

void CNeonRegion::SetPolygon(std::span<const Point> vertices, Rect* outBounds) {
    isPolygon = 1;
    points.assign(vertices.begin(), vertices.end());
    InvalidateClipCache();
    if (!points.empty()) {
        polyBounds = Rect{points[0].x, points[0].y, points[0].x, points[0].y};
        for (const Point& pt : points) ExtendBounds(pt.x, pt.y);
    }
    if (outBounds) *outBounds = bounds;
    pointCount = static_cast<std::int32_t>(points.size());
}

void CNeonRegion::DrawGrid(QPainter& p, bool show, bool current) const {
    if (!show) return;
    const COLORREF colour = current ? 0xFFFFFF : gridColour;
    RasterFill fill(p);
    if (isPolygon && !points.empty()) {
        for (std::size_t i = 1; i < points.size(); ++i)
            GdiLine(fill, points[i - 1], points[i], lineWidth, colour);
        GdiLine(fill, points.back(), points.front(), lineWidth, colour);
    }
    const double left = bounds.left + double(offsetX), right = bounds.right - double(offsetX);
    const double top = bounds.top + double(offsetY), bottom = bounds.bottom - double(offsetY);
    for (std::int32_t i = 0; i <= cols; ++i) {
        const std::int32_t x = TruncToInt(left + i * double(cellWidth));
        GdiLine(fill, Point{x, TruncToInt(top)}, Point{x, TruncToInt(bottom)}, lineWidth, colour);
    }
    for (std::int32_t j = 0; j <= rows; ++j) {
        const std::int32_t y = TruncToInt(top + j * double(cellHeight));
        GdiLine(fill, Point{TruncToInt(left), y}, Point{TruncToInt(right), y}, lineWidth, colour);
    }
}

void CNeonRegion::FillCell(RasterFill& fill, std::size_t index) const {
    const NeonCell& cell = cells[index];
    if (!isPolygon) {
        fill.Fill(cell.rect, cell.colour);
        return;
    }
    if (clipCache_.size() != cells.size()) clipCache_.assign(cells.size(), ClippedCell{});
    ClippedCell& clip = clipCache_[index];
    if (!clip.valid || !(clip.rect == cell.rect)) {
        clip.valid = true;
        clip.rect = cell.rect;
        clip.area = PolygonCellRegion(points, cell.rect);
    }
    fill.Fill(clip.area, cell.colour);
}

bool CNeonRegion::CellsInRows() const {
    std::int32_t lowest = std::numeric_limits<std::int32_t>::min();
    for (std::int32_t r = 0; r < rows; ++r) {
        const NeonCell* row = &cells[std::size_t(r) * cols];
        const std::int32_t top = row[0].rect.top, bottom = row[0].rect.bottom;
        if (top < lowest) return false;
        lowest = std::max(lowest, bottom);
        std::int32_t rightmost = std::numeric_limits<std::int32_t>::min();
        for (std::int32_t c = 0; c < cols; ++c) {
            const Rect& rc = row[c].rect;
            if (rc.top != top || rc.bottom != bottom || rc.left < rightmost) return false;
            rightmost = std::max(rightmost, rc.right);
        }
    }
    return true;
}

void CNeonRegion::DrawCells(QPainter& p) const {
    if (!HasGrid()) return;
    RasterFill fill(p);
    // Cells that stand in rows without overlapping (as every layout puts them) cover
    // pixels no other cell covers, so the order they are filled in makes no
    // difference: each row of cells is then drawn a line of pixels at a time. Cells
    // read from a file may stand anywhere; those are filled one by one, column by
    // column, in the order that decides which cell shows where they overlap.
    if (!isPolygon && fill.Direct() && CellsInRows()) {
        std::vector<RasterFill::Span> spans(static_cast<std::size_t>(cols));
        for (std::int32_t r = 0; r < rows; ++r) {
            const NeonCell* row = &cells[std::size_t(r) * cols];
            for (std::int32_t c = 0; c < cols; ++c)
                spans[std::size_t(c)] = {row[c].rect.left, row[c].rect.right, row[c].colour};
            fill.FillRows(row[0].rect.top, row[0].rect.bottom, spans);
        }
        return;
    }
    for (std::int32_t c = 0; c < cols; ++c)
        for (std::int32_t r = 0; r < rows; ++r) FillCell(fill, std::size_t(r) * cols + c);
}

void CNeonRegion::DrawCell(QPainter& p, std::int32_t row, std::int32_t col) const {
    if (row < 1 || row > rows || col < 1 || col > cols || !HasGrid()) return;
    RasterFill fill(p);
    FillCell(fill, std::size_t(row - 1) * cols + (col - 1));
}

bool CNeonRegion::CellAt(std::int32_t x, std::int32_t y, std::int32_t& row,
                         std::int32_t& col) const {
    if (!HasGrid()) return false;
    const NeonCell& first = cells.front();
    const NeonCell& lastOfRow0 = cells[std::size_t(cols) - 1];
    const NeonCell& last = cells.back();
    if (x < first.rect.left || x > lastOfRow0.rect.right || y < first.rect.top ||
        y > last.rect.bottom)
        return false;
    // Degenerate cell sizes cannot place a point; and a point on the far edge of a
    // squeezed grid may compute one past the last cell: both count as off the grid.
    if (!(cellWidth > 0.0f) || !(cellHeight > 0.0f)) {
        if (cols != 1 || rows != 1) return false;
        row = col = 1;
        return true;
    }
    col = FloorPlusOne((double(x) - first.rect.left) / cellWidth);
    row = FloorPlusOne((double(y) - first.rect.top) / cellHeight);
    return col >= 1 && col <= cols && row >= 1 && row <= rows;
}

int CNeonRegion::PaintCellAt(QPainter* p, std::int32_t x, std::int32_t y, COLORREF colour) {
    std::int32_t r = 0, c = 0;
    if (!CellAt(x, y, r, c)) return 0;
    NeonCell& cell = Cell(r - 1, c - 1);
    cell.prevColour = cell.colour;
    cell.colour = colour;
    if (p && !isPolygon) DrawCell(*p, r, c);
    return 1;
}

int CNeonRegion::FillSelectionAt(QPainter* p, std::int32_t x, std::int32_t y, COLORREF colour) {
    if (!PaintCellAt(p, x, y, colour)) return 0;
    ReplaceMarked(colour);
    return 1;
}

int CNeonRegion::SelectRange(QPainter* p, std::int32_t x1, std::int32_t y1, std::int32_t x2,
                             std::int32_t y2) {
    if (!HasGrid()) return 1;
    const double left0 = cells.front().rect.left, top0 = cells.front().rect.top;
    const double cw = cellWidth, ch = cellHeight;
    const std::int32_t c0 = FloorToInt((x1 - left0) / cw);
    const std::int32_t r0 = FloorPlusOne((y1 - top0) / ch);
    const std::int32_t c1 = FloorPlusOne((x2 - left0) / cw);
    const std::int32_t r1 = FloorToInt((y2 - top0) / ch);
    UnmarkRange(nullptr, 0, 0, cols, rows);
    MarkRange(p, c0, r0, c1, r1);
    return 1;
}

void CNeonRegion::ClampRange(std::int32_t& c0, std::int32_t& r0, std::int32_t& c1,
                             std::int32_t& r1) const {
    c0 = std::max(c0, 0);
    r0 = std::max(r0, 0);
    c1 = std::min(c1, cols);
    r1 = std::min(r1, rows);
}

template <class Fn>
void CNeonRegion::ForEachInBlock(QPainter* p, std::int32_t c0, std::int32_t r0, std::int32_t c1,
                                 std::int32_t r1, Fn fn) {
    if (!HasGrid()) return;
    ClampRange(c0, r0, c1, r1);
    for (std::int32_t r = r0; r < r1; ++r)
        for (std::int32_t c = c0; c < c1; ++c) fn(Cell(r, c));
    if (p) DrawCells(*p);
}

void CNeonRegion::MarkRange(QPainter* p, std::int32_t c0, std::int32_t r0, std::int32_t c1,
                            std::int32_t r1) {
    ForEachInBlock(p, c0, r0, c1, r1, [](NeonCell& cell) {
        cell.prevColour = cell.colour;
        cell.colour = MarkColour;
    });
}

void CNeonRegion::UnmarkRange(QPainter* p, std::int32_t c0, std::int32_t r0, std::int32_t c1,
                              std::int32_t r1) {
    ForEachInBlock(p, c0, r0, c1, r1, [](NeonCell& cell) {
        if (cell.colour == MarkColour) cell.colour = cell.prevColour;
    });
}

void CNeonRegion::ReplaceMarked(COLORREF colour) {
    for (NeonCell& cell : cells)
        if (cell.colour == MarkColour) cell.colour = colour;
}

namespace {

struct Pair {
    COLORREF colour, prev;
};

Pair Take(const NeonCell& c) {
    return {c.colour, c.prevColour};
}
void Put(NeonCell& c, Pair p) {
    c.colour = p.colour;
    c.prevColour = p.prev;
}

}  // namespace

void CNeonRegion::ShiftLeft(bool wrap) {
    if (cols <= 1 || !HasGrid()) return;
    for (std::int32_t r = 0; r < rows; ++r) {
        const Pair first = Take(Cell(r, 0));
        for (std::int32_t c = 0; c < cols - 1; ++c) Put(Cell(r, c), Take(Cell(r, c + 1)));
        Put(Cell(r, cols - 1), wrap ? first : Pair{0, 0});
    }
}

void CNeonRegion::ShiftRight(bool wrap) {
    if (cols <= 1 || !HasGrid()) return;
    for (std::int32_t r = 0; r < rows; ++r) {
        const Pair last = Take(Cell(r, cols - 1));
        for (std::int32_t c = cols - 1; c >= 1; --c) Put(Cell(r, c), Take(Cell(r, c - 1)));
        Put(Cell(r, 0), wrap ? last : Pair{0, 0});
    }
}

void CNeonRegion::ShiftUp(bool wrap) {
    if (rows <= 1 || !HasGrid()) return;
    for (std::int32_t c = 0; c < cols; ++c) {
        const Pair first = Take(Cell(0, c));
        for (std::int32_t r = 0; r < rows - 1; ++r) Put(Cell(r, c), Take(Cell(r + 1, c)));
        Put(Cell(rows - 1, c), wrap ? first : Pair{0, 0});
    }
}

void CNeonRegion::ShiftDown(bool wrap) {
    if (rows <= 1 || !HasGrid()) return;
    for (std::int32_t c = 0; c < cols; ++c) {
        const Pair last = Take(Cell(rows - 1, c));
        for (std::int32_t r = rows - 1; r >= 1; --r) Put(Cell(r, c), Take(Cell(r - 1, c)));
        Put(Cell(0, c), wrap ? last : Pair{0, 0});
    }
}

void CNeonRegion::SetEffect(std::int32_t e, std::int32_t frames, std::int32_t lp) {
    effect = e;
    loop = lp;
    effectFrames = frames;
    if (!backup) {
        backup = std::make_unique<CNeonRegion>(24, 1, 1.0f);
        backup->Init(cols, rows, zoom, bounds);
    } else if (backup->rows != rows || backup->cols != cols) {
        // The grid changed since the backup was made: it must cover the same cells.
        backup->Init(cols, rows, zoom, bounds);
    }
    backup->CopyColours(*this);
    backup->effectFrames = effectFrames;
}

void CNeonRegion::CopyColours(const CNeonRegion& other) {
    // Cells are matched by row and column; cells the other grid lacks are left alone.
    const std::int32_t rr = std::min(rows, other.rows), cc = std::min(cols, other.cols);
    if (!HasGrid() || !other.HasGrid()) return;
    for (std::int32_t r = 0; r < rr; ++r)
        for (std::int32_t c = 0; c < cc; ++c) {
            NeonCell& cell = Cell(r, c);
            cell.prevColour = cell.colour;
            cell.colour = other.Cell(r, c).colour;
        }
}

void CNeonRegion::FillAll(COLORREF colour) {
    for (NeonCell& cell : cells) {
        cell.prevColour = cell.colour;
        cell.colour = colour;
    }
}

void CNeonRegion::ClearCells() {
    // Every lamp goes dark. The cell rectangles stay: wiping them too would leave a
    // region that neither draws nor takes paint until it is laid out again.
    for (NeonCell& cell : cells) {
        cell.reserved = 0;
        cell.colour = 0;
        cell.prevColour = 0;
    }
}

void CNeonRegion::MoveTo(std::int32_t x, std::int32_t y, std::int32_t limitRight,
                         std::int32_t limitBottom) {
    const std::int32_t w = bounds.right - bounds.left, h = bounds.bottom - bounds.top;
    if (std::int64_t(x) + w > limitRight) x = limitRight - w;
    if (std::int64_t(y) + h > limitBottom) y = limitBottom - h;
    if (isPolygon) {
        const std::int32_t dx = x - bounds.left, dy = y - bounds.top;
        for (Point& pt : points) {
            pt.x += dx;
            pt.y += dy;
        }
        polyBounds = Rect{polyBounds.left + dx, polyBounds.top + dy, polyBounds.right + dx,
                          polyBounds.bottom + dy};
    }
    Layout(Rect{x, y, x + w, y + h});
}

std::int32_t CNeonRegion::ZoomPercent(float z) {
    return FloorToInt(std::nearbyint(double(z) * 100.0));
}

float CNeonRegion::ZoomFromPercent(std::uint32_t percent) {
    return float(percent) / 100.0f;
}

void CNeonRegion::Save(QDataStream& out, bool body) const {
    const bool hasCells = !cells.empty();
    const std::int64_t pointBytes = body ? std::int64_t(pointCount) * 8 : 0;
    const std::int64_t cellBytes = hasCells ? std::int64_t(cells.size()) * 28 : 0;
    // A record that could not be read back is not written: the save fails instead.
    if (body &&
        (pointBytes + cellBytes > std::numeric_limits<std::int32_t>::max() ||
         cells.size() != std::size_t(std::max(rows, 0)) * std::size_t(std::max(cols, 0)) ||
         (isPolygon ? points.size() != std::size_t(std::max(pointCount, 0)) : pointCount != 2))) {
        out.setStatus(QDataStream::WriteFailed);
        return;
    }
    const std::int32_t header[10] = {
        2,         body ? 2 : 0, rows,   cols, ZoomPercent(zoom),
        isPolygon, pointCount,   effect, loop, static_cast<std::int32_t>(pointBytes + cellBytes)};
    WriteInt32s(out, header);
    if (!body) return;
    if (isPolygon) {
        for (const Point& pt : points) {
            const std::int32_t xy[2] = {pt.x, pt.y};
            WriteInt32s(out, xy);
        }
    } else {
        const std::int32_t corners[4] = {bounds.left, bounds.top, bounds.right, bounds.bottom};
        WriteInt32s(out, corners);
    }
    // With an effect assigned, the colours from before the effect are what is kept.
    const CellArray& source =
        (effect != 0 && backup && backup->cells.size() == cells.size()) ? backup->cells : cells;
    WriteCells(out, source);
}

bool CNeonRegion::ApplyHeader(const RegionRecordHeader& h) {
    if (!GridFits(h.rows, h.cols)) return false;
    if (h.isPolygon != 0 && h.isPolygon != 1) return false;
    if (h.isPolygon ? h.pointCount < 1 : h.pointCount != 2) return false;
    rows = h.rows;
    cols = h.cols;
    zoom = ZoomFromPercent(static_cast<std::uint32_t>(h.zoomPercent));
    isPolygon = h.isPolygon;
    pointCount = h.pointCount;
    effect = h.effect;
    loop = h.loop;
    return true;
}

bool CNeonRegion::Load(QDataStream& in, std::int32_t bodySize) {
    auto fail = [&in] {
        in.setStatus(QDataStream::ReadCorruptData);
        return false;
    };
    const std::int64_t pointBytes = std::int64_t(pointCount) * 8;
    const std::int64_t cellBytes = std::int64_t(rows) * cols * 28;
    if (bodySize != pointBytes + cellBytes) return fail();
    if (!CanRead(in, bodySize)) return fail();

    Rect b;
    if (isPolygon) {
        std::vector<Point> pts(static_cast<std::size_t>(pointCount));
        for (Point& pt : pts) {
            std::int32_t xy[2];
            if (!ReadInt32s(in, xy)) return fail();
            if (!InStoredRange(xy[0]) || !InStoredRange(xy[1])) return fail();
            pt = Point{xy[0], xy[1]};
        }
        SetPolygon(pts, &b);
    } else {
        std::int32_t c[4];
        if (!ReadInt32s(in, c)) return fail();
        b = Rect{c[0], c[1], c[2], c[3]};
        if (!InStoredRange(b)) return fail();
    }
    // The grid's measures come from the bounds; the cells, rectangles included, are
    // exactly as stored.
    LayoutMetrics(b);
    if (!ReadCells(in, cells, std::size_t(rows) * std::size_t(cols))) return fail();
    if (!CellsInStoredRange(cells)) return fail();
    if (effect != 0) {
        backup = std::make_unique<CNeonRegion>(cols, rows, zoom);
        backup->Init(cols, rows, zoom, bounds);
        backup->CopyColours(*this);
    }
    return true;
}

}  // namespace zv
