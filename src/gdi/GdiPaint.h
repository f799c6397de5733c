#pragma once
// The painting half of the platform stand-in: GDI drawing calls expressed with
// QPainter on a QImage, keeping GDI's pixel rules where they matter (exclusive
// right/bottom edges, LineTo not drawing its last point).

#include <QColor>
#include <QPainter>
#include <QRect>
#include <QRegion>

#include <cstdint>
#include <span>
#include <vector>

#include "gdi/Geometry.h"

namespace zv {

inline QColor ToQColor(COLORREF c) {
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}
inline COLORREF FromQColor(const QColor& c) {
    return RGB(c.red(), c.green(), c.blue());
}

// GDI rectangle (exclusive right/bottom) to QRect; an inverted rectangle is empty.
inline QRect ToQRect(const Rect& r) {
    if (r.IsEmpty()) return QRect();
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

// Solid fills of many small rectangles through one painter. Frames are redrawn on
// every playback tick and a sign has tens of thousands of cells, so QPainter's
// per-call cost would dominate: when the painter draws plainly (no clip, at most a
// whole-pixel translation) onto a 32-bit image, pixels are written directly.
class RasterFill {
public:
    // One run of pixels of a row: left..right-1 in one colour.
    struct Span {
        std::int32_t left, right;
        COLORREF colour;
    };

    explicit RasterFill(QPainter& p);
    QPainter& Painter() const { return painter_; }
    // True when pixels are written directly (the painter draws plainly).
    bool Direct() const { return bits_ != nullptr; }
    void Fill(QRect r, COLORREF colour);
    void Fill(const Rect& r, COLORREF colour);
    void Fill(const QRegion& region, COLORREF colour);
    // The spans on every row from top to bottom-1: a band of cells drawn a line of
    // pixels at a time. The spans must not overlap (they are drawn in no set order).
    void FillRows(std::int32_t top, std::int32_t bottom, std::span<const Span> spans);

private:
    QPainter& painter_;
    uchar* bits_ = nullptr;
    qsizetype stride_ = 0;
    QRect bounds_;
    int dx_ = 0, dy_ = 0;
    std::vector<Span> clipped_;
};

// FillRect with a solid brush: fills left..right-1, top..bottom-1; nothing when empty.
void GdiFillRect(QPainter& p, const Rect& r, COLORREF colour);

// A solid pen line from `from` towards `to` with GDI's MoveTo/LineTo rule: the last
// point is not drawn. Width 1 is pixel exact; wider pens are centred on the line with
// round ends, as GDI's geometric pens are.
void GdiLine(QPainter& p, Point from, Point to, int width, COLORREF colour);
// The same through a fill already set up on the painter (many lines in a row).
void GdiLine(RasterFill& fill, Point from, Point to, int width, COLORREF colour);

// The pixels GDI's CreatePolygonRgn (ALTERNATE fill) gives for the polygon, clipped
// to the rectangle.
QRegion PolygonCellRegion(std::span<const Point> polygon, const Rect& clip);

// FillRgn with a solid brush.
void GdiFillRegion(QPainter& p, const QRegion& region, COLORREF colour);

}  // namespace zv
