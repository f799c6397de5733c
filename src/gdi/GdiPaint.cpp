#include "gdi/GdiPaint.h"

#include <QImage>
#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace zv {

RasterFill::RasterFill(QPainter& p) : painter_(p) {
    QPaintDevice* dev = p.device();
    if (!dev || dev->devType() != QInternal::Image) return;
    auto* img = static_cast<QImage*>(dev);
    const QImage::Format f = img->format();
    if (f != QImage::Format_RGB32 && f != QImage::Format_ARGB32 &&
        f != QImage::Format_ARGB32_Premultiplied)
        return;
    // A shared image would detach under the painter; let Qt handle that case.
    if (!img->isDetached() || p.hasClipping() || p.opacity() != 1.0) return;
    const QPainter::CompositionMode mode = p.compositionMode();
    if (mode != QPainter::CompositionMode_SourceOver && mode != QPainter::CompositionMode_Source)
        return;
    const QTransform& t = p.deviceTransform();
    if (t.type() > QTransform::TxTranslate) return;
    if (t.dx() != std::floor(t.dx()) || t.dy() != std::floor(t.dy())) return;
    dx_ = int(t.dx());
    dy_ = int(t.dy());
    bits_ = img->bits();
    stride_ = img->bytesPerLine();
    bounds_ = img->rect();
}

namespace {

QRgb ToPixel(COLORREF colour) {
    return qRgb(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

// Cells are a few pixels wide: whole 16-byte stores, the last one overlapping the
// one before, instead of a loop per pixel.
inline void FillPixels(QRgb* d, int n, QRgb px) {
    if (n < 4) {
        for (int i = 0; i < n; ++i) d[i] = px;
        return;
    }
    const QRgb four[4] = {px, px, px, px};
    int i = 0;
    for (; i + 4 <= n; i += 4) std::memcpy(d + i, four, sizeof four);
    if (i < n) std::memcpy(d + n - 4, four, sizeof four);
}

}  // namespace

void RasterFill::Fill(QRect r, COLORREF colour) {
    if (r.isEmpty()) return;
    if (!bits_) {
        painter_.fillRect(r, ToQColor(colour));
        return;
    }
    r = r.translated(dx_, dy_).intersected(bounds_);
    if (r.isEmpty()) return;
    const QRgb px = ToPixel(colour);
    uchar* line = bits_ + r.top() * stride_;
    const int w = r.width();
    for (int y = r.top(); y <= r.bottom(); ++y, line += stride_)
        FillPixels(reinterpret_cast<QRgb*>(line) + r.left(), w, px);
}

void RasterFill::FillRows(std::int32_t top, std::int32_t bottom, std::span<const Span> spans) {
    if (top >= bottom) return;
    if (!bits_) {
        for (const Span& s : spans) Fill(Rect{s.left, top, s.right, bottom}, s.colour);
        return;
    }
    // Translated and clipped once for the whole band; QRgb pixel values from here on.
    const std::int64_t y0 = std::max<std::int64_t>(std::int64_t(top) + dy_, bounds_.top());
    const std::int64_t y1 =
        std::min<std::int64_t>(std::int64_t(bottom) + dy_, bounds_.bottom() + 1);
    if (y0 >= y1) return;
    clipped_.clear();
    for (const Span& s : spans) {
        const std::int64_t x0 = std::max<std::int64_t>(std::int64_t(s.left) + dx_, bounds_.left());
        const std::int64_t x1 =
            std::min<std::int64_t>(std::int64_t(s.right) + dx_, bounds_.right() + 1);
        if (x0 < x1)
            clipped_.push_back(Span{std::int32_t(x0), std::int32_t(x1), ToPixel(s.colour)});
    }
    if (clipped_.empty()) return;
    uchar* line = bits_ + y0 * stride_;
    for (std::int64_t y = y0; y < y1; ++y, line += stride_) {
        QRgb* row = reinterpret_cast<QRgb*>(line);
        for (const Span& s : clipped_) FillPixels(row + s.left, s.right - s.left, s.colour);
    }
}

void RasterFill::Fill(const Rect& r, COLORREF colour) {
    if (!r.IsEmpty()) Fill(ToQRect(r), colour);
}

void RasterFill::Fill(const QRegion& region, COLORREF colour) {
    for (const QRect& r : region) Fill(r, colour);
}

namespace {

void FillQRect(QPainter& p, const QRect& r, COLORREF colour) {
    if (!r.isEmpty()) RasterFill(p).Fill(r, colour);
}

}  // namespace

void GdiFillRect(QPainter& p, const Rect& r, COLORREF colour) {
    if (r.IsEmpty()) return;
    FillQRect(p, ToQRect(r), colour);
}

void GdiLine(QPainter& p, Point from, Point to, int width, COLORREF colour) {
    RasterFill fill(p);
    GdiLine(fill, from, to, width, colour);
}

void GdiLine(RasterFill& fill, Point from, Point to, int width, COLORREF colour) {
    QPainter& p = fill.Painter();
    from = Point{ClampPaint(from.x), ClampPaint(from.y)};
    to = Point{ClampPaint(to.x), ClampPaint(to.y)};
    if (from == to) return;
    if (width <= 1) {
        // Axis-aligned one-pixel lines are the common case (grids): fill exactly the
        // pixels GDI sets, from the first point up to but excluding the last.
        if (from.y == to.y) {
            const int x0 = from.x < to.x ? from.x : to.x + 1;
            const int x1 = from.x < to.x ? to.x - 1 : from.x;
            fill.Fill(QRect(x0, from.y, x1 - x0 + 1, 1), colour);
            return;
        }
        if (from.x == to.x) {
            const int y0 = from.y < to.y ? from.y : to.y + 1;
            const int y1 = from.y < to.y ? to.y - 1 : from.y;
            fill.Fill(QRect(from.x, y0, 1, y1 - y0 + 1), colour);
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
    if (!region.isEmpty()) RasterFill(p).Fill(region, colour);
}

}  // namespace zv
