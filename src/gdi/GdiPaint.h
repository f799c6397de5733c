#pragma once
// The painting half of the platform stand-in: GDI drawing calls expressed with
// QPainter on a QImage, keeping GDI's pixel rules where they matter (exclusive
// right/bottom edges, LineTo not drawing its last point).

#include <QColor>
#include <QPainter>
#include <QRect>
#include <QRegion>

#include <span>

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
    explicit RasterFill(QPainter& p);
    void Fill(QRect r, COLORREF colour);
    void Fill(const Rect& r, COLORREF colour);
    void Fill(const QRegion& region, COLORREF colour);

private:
    QPainter& painter_;
    uchar* bits_ = nullptr;
    qsizetype stride_ = 0;
    QRect bounds_;
    int dx_ = 0, dy_ = 0;
};

// FillRect with a solid brush: fills left..right-1, top..bottom-1; nothing when empty.
void GdiFillRect(QPainter& p, const Rect& r, COLORREF colour);

// A solid pen line from `from` towards `to` with GDI's MoveTo/LineTo rule: the last
// point is not drawn. Width 1 is pixel exact; wider pens are centred on the line with
// round ends, as GDI's geometric pens are.
void GdiLine(QPainter& p, Point from, Point to, int width, COLORREF colour);

// The pixels GDI's CreatePolygonRgn (ALTERNATE fill) gives for the polygon, clipped
// to the rectangle.
QRegion PolygonCellRegion(std::span<const Point> polygon, const Rect& clip);

// FillRgn with a solid brush.
void GdiFillRegion(QPainter& p, const QRegion& region, COLORREF colour);

}  // namespace zv
