#include "gdi/GdiPaint.h"

#include <QPolygon>

namespace zv {

void GdiFillRect(QPainter& p, const Rect& r, COLORREF colour) {
    if (r.IsEmpty()) return;
    p.fillRect(ToQRect(r), ToQColor(colour));
}

void GdiLine(QPainter& p, Point from, Point to, int width, COLORREF colour) {
    if (from == to) return;
    if (width <= 1) {
        // Axis-aligned one-pixel lines are the common case (grids): fill exactly the
        // pixels GDI sets, from the first point up to but excluding the last.
        if (from.y == to.y) {
            const int x0 = from.x < to.x ? from.x : to.x + 1;
            const int x1 = from.x < to.x ? to.x - 1 : from.x;
            p.fillRect(QRect(x0, from.y, x1 - x0 + 1, 1), ToQColor(colour));
            return;
        }
        if (from.x == to.x) {
            const int y0 = from.y < to.y ? from.y : to.y + 1;
            const int y1 = from.y < to.y ? to.y - 1 : from.y;
            p.fillRect(QRect(from.x, y0, 1, y1 - y0 + 1), ToQColor(colour));
            return;
        }
        // A diagonal: Qt's cosmetic line is Bresenham-like; shorten it by the last
        // pixel the way LineTo leaves it out.
        QPen pen(ToQColor(colour), 0);
        p.save();
        p.setPen(pen);
        p.setRenderHint(QPainter::Antialiasing, false);
        const int dx = to.x - from.x, dy = to.y - from.y;
        const int steps = std::max(std::abs(dx), std::abs(dy));
        const double f = steps > 1 ? double(steps - 1) / steps : 0.0;
        const QPoint end(from.x + qRound(dx * f), from.y + qRound(dy * f));
        p.drawLine(QPoint(from.x, from.y), end);
        p.restore();
        return;
    }
    QPen pen(ToQColor(colour), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.save();
    p.setPen(pen);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.drawLine(QPoint(from.x, from.y), QPoint(to.x, to.y));
    p.restore();
}

QRegion PolygonCellRegion(std::span<const Point> polygon, const Rect& clip) {
    if (polygon.size() < 3 || clip.IsEmpty()) return QRegion();
    QPolygon poly;
    poly.reserve(static_cast<int>(polygon.size()));
    for (const Point& pt : polygon) poly << QPoint(pt.x, pt.y);
    return QRegion(poly, Qt::OddEvenFill).intersected(ToQRect(clip));
}

void GdiFillRegion(QPainter& p, const QRegion& region, COLORREF colour) {
    if (region.isEmpty()) return;
    const QColor c = ToQColor(colour);
    for (const QRect& r : region) p.fillRect(r, c);
}

}  // namespace zv
