#include "gdi/GdiDc.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zv {

namespace {

// Wider pens than this are painted at this width: a stored width of millions would
// only make the stroker crawl.
constexpr std::int32_t kMaxPaintedPenWidth = 4096;

std::int32_t Clamp32(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

QRgb ToRgb(COLORREF c) {
    return qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

std::int32_t PaintedPenWidth(const GdiPen& pen) {
    if (pen.style == PS_NULL) return 0;
    return std::clamp(pen.width, 1, kMaxPaintedPenWidth);
}

QPen MakeQPen(const GdiPen& g) {
    if (g.style == PS_NULL) return QPen(Qt::NoPen);
    const std::int32_t width = PaintedPenWidth(g);
    if (width > 1) {
        // Styled pens wider than one pixel come out solid, as cosmetic GDI pens do.
        return QPen(QColor(ToRgb(g.colour)), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    }
    QPen pen(QColor(ToRgb(g.colour)), 0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    // GDI's own dash lengths in pixels.
    switch (g.style) {
        case PS_DASH:
            pen.setDashPattern({18, 6});
            break;
        case PS_DOT:
            pen.setDashPattern({3, 3});
            break;
        case PS_DASHDOT:
            pen.setDashPattern({9, 6, 3, 6});
            break;
        case PS_DASHDOTDOT:
            pen.setDashPattern({9, 3, 3, 3, 3, 3});
            break;
        default:
            break;
    }
    return pen;
}

QBrush MakeQBrush(const GdiBrush& g) {
    const QColor colour(ToRgb(g.colour));
    if (g.style == BS_SOLID) return QBrush(colour);
    if (g.style != BS_HATCHED) return QBrush(Qt::NoBrush);
    switch (g.hatch) {
        case HS_HORIZONTAL:
            return QBrush(colour, Qt::HorPattern);
        case HS_VERTICAL:
            return QBrush(colour, Qt::VerPattern);
        case HS_FDIAGONAL:
            return QBrush(colour, Qt::FDiagPattern);
        case HS_BDIAGONAL:
            return QBrush(colour, Qt::BDiagPattern);
        case HS_CROSS:
            return QBrush(colour, Qt::CrossPattern);
        case HS_DIAGCROSS:
            return QBrush(colour, Qt::DiagCrossPattern);
        default:
            return QBrush(Qt::NoBrush);
    }
}

double RayAngleDegrees(double cx, double cy, Point p) {
    // Screen y grows downwards; Qt's angles, like GDI's arc direction, turn
    // counter-clockwise on the screen.
    return std::atan2(-(p.y - cy), p.x - cx) * 180.0 / std::numbers::pi;
}

}  // namespace

std::uint32_t MixRop2(std::int32_t rop, std::uint32_t pen, std::uint32_t dest) {
    std::uint32_t r = dest;
    switch (rop) {
        case 1:
            r = 0;
            break;
        case 2:
            r = ~(dest | pen);
            break;
        case 3:
            r = dest & ~pen;
            break;
        case 4:
            r = ~pen;
            break;
        case 5:
            r = pen & ~dest;
            break;
        case 6:
            r = ~dest;
            break;
        case 7:
            r = dest ^ pen;
            break;
        case 8:
            r = ~(dest & pen);
            break;
        case 9:
            r = dest & pen;
            break;
        case 10:
            r = ~(dest ^ pen);
            break;
        case 11:
            r = dest;
            break;
        case 12:
            r = dest | ~pen;
            break;
        case 13:
            r = pen;
            break;
        case 14:
            r = pen | ~dest;
            break;
        case 15:
            r = dest | pen;
            break;
        case 16:
            r = 0xFFFFFFFFu;
            break;
        default:
            break;
    }
    return r & 0xFFFFFFu;
}

GdiDc::GdiDc(QImage& image) : image_(&image) {
    if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32)
        image.convertTo(QImage::Format_RGB32);
}

Point GdiDc::SetViewportOrg(Point org) {
    const Point old = state_.viewportOrg;
    state_.viewportOrg = org;
    return old;
}

Point GdiDc::LPtoDP(Point p) const {
    return {Clamp32(std::int64_t{p.x} + state_.viewportOrg.x),
            Clamp32(std::int64_t{p.y} + state_.viewportOrg.y)};
}

Point GdiDc::DPtoLP(Point p) const {
    return {Clamp32(std::int64_t{p.x} - state_.viewportOrg.x),
            Clamp32(std::int64_t{p.y} - state_.viewportOrg.y)};
}

std::int32_t GdiDc::SetROP2(std::int32_t rop) {
    if (rop < R2_BLACK || rop > R2_WHITE) return 0;
    const std::int32_t old = state_.rop;
    state_.rop = rop;
    return old;
}

GdiPen GdiDc::SelectPen(const GdiPen& pen) {
    return std::exchange(state_.pen, pen);
}
GdiBrush GdiDc::SelectBrush(const GdiBrush& brush) {
    return std::exchange(state_.brush, brush);
}

std::int32_t GdiDc::SetBkMode(std::int32_t mode) {
    if (mode != TRANSPARENT && mode != OPAQUE) return 0;
    return std::exchange(state_.bkMode, mode);
}

COLORREF GdiDc::SetBkColor(COLORREF c) {
    return std::exchange(state_.bkColour, c & 0xFFFFFF);
}
COLORREF GdiDc::SetTextColor(COLORREF c) {
    return std::exchange(state_.textColour, c & 0xFFFFFF);
}
Point GdiDc::SetBrushOrg(Point deviceOrg) {
    return std::exchange(state_.brushOrg, deviceOrg);
}
QFont GdiDc::SelectFont(const QFont& font) {
    return std::exchange(state_.font, font);
}

QRect GdiDc::DeviceBounds(std::span<const Point> points) const {
    std::int64_t l = INT64_MAX, t = INT64_MAX, r = INT64_MIN, b = INT64_MIN;
    for (const Point& p : points) {
        const std::int64_t x = std::int64_t{p.x} + state_.viewportOrg.x;
        const std::int64_t y = std::int64_t{p.y} + state_.viewportOrg.y;
        l = std::min(l, x), t = std::min(t, y), r = std::max(r, x), b = std::max(b, y);
    }
    if (points.empty()) return QRect();
    const std::int64_t pad = PaintedPenWidth(state_.pen) / 2 + 2;
    const QRect image = image_->rect();
    l = std::max<std::int64_t>(l - pad, image.left());
    t = std::max<std::int64_t>(t - pad, image.top());
    r = std::min<std::int64_t>(r + pad, image.right());
    b = std::min<std::int64_t>(b + pad, image.bottom());
    if (l > r || t > b) return QRect();
    return QRect(QPoint(static_cast<int>(l), static_cast<int>(t)),
                 QPoint(static_cast<int>(r), static_cast<int>(b)));
}

void GdiDc::SetupPainter(QPainter& p, QPoint layerTopLeft, bool withBrush) const {
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(MakeQPen(state_.pen));
    p.setBrush(withBrush ? MakeQBrush(state_.brush) : QBrush(Qt::NoBrush));
    p.setBackgroundMode(state_.bkMode == OPAQUE ? Qt::OpaqueMode : Qt::TransparentMode);
    p.setBackground(QColor(ToRgb(state_.bkColour)));
    p.setBrushOrigin(QPoint(state_.brushOrg.x, state_.brushOrg.y) - layerTopLeft);
}

template <class Paint>
void GdiDc::PaintMixed(QRect area, Paint&& paint, std::optional<QPoint> leftOut) {
    if (area.isEmpty()) return;
    if (state_.rop == R2_COPYPEN && !(leftOut && area.contains(*leftOut)) &&
        !image_->paintingActive()) {
        // Copying the pen is what painting does anyway: straight onto the image,
        // clipped as the layer would clip it. A large shape then costs no layer as
        // large as itself, cleared and gone through pixel by pixel.
        QPainter p(image_);
        p.setClipRect(area);
        p.translate(area.topLeft());
        paint(p, area.topLeft());
        return;
    }
    QImage layer(area.size(), QImage::Format_ARGB32_Premultiplied);
    layer.fill(0);
    {
        QPainter p(&layer);
        paint(p, area.topLeft());
    }
    if (leftOut && area.contains(*leftOut)) layer.setPixel(*leftOut - area.topLeft(), 0);
    for (int y = 0; y < layer.height(); ++y) {
        const QRgb* src = reinterpret_cast<const QRgb*>(layer.constScanLine(y));
        QRgb* dst = reinterpret_cast<QRgb*>(image_->scanLine(y + area.top())) + area.left();
        for (int x = 0; x < layer.width(); ++x) {
            if (qAlpha(src[x]) == 0) continue;
            dst[x] = MixRop2(state_.rop, src[x], dst[x]) | 0xFF000000u;
        }
    }
}

void GdiDc::LineTo(Point p) {
    const Point line[2] = {state_.currentPos, p};
    Polyline(line);
    state_.currentPos = p;
}

void GdiDc::Polyline(std::span<const Point> points) {
    if (points.size() < 2) return;
    const QPoint vp(state_.viewportOrg.x, state_.viewportOrg.y);
    const bool cosmetic = PaintedPenWidth(state_.pen) <= 1;
    if (cosmetic && points.size() == 2 && points[0] == points[1]) return;
    // GDI leaves a one-pixel line's last point out. Taking that pixel off the
    // finished line keeps every other pixel where the whole line puts it; pulling the
    // end point in instead would bend a diagonal.
    // A closed outline's last point is drawn by its first segment and stays.
    const bool closed =
        std::find(points.begin(), points.end() - 1, points.back()) != points.end() - 1;
    std::optional<QPoint> leftOut;
    if (cosmetic && !closed) leftOut = QPoint(points.back().x, points.back().y) + vp;
    PaintMixed(
        DeviceBounds(points),
        [&](QPainter& p, QPoint topLeft) {
            SetupPainter(p, topLeft, false);
            QPolygon poly;
            for (const Point& pt : points) poly << QPoint(pt.x, pt.y) + vp - topLeft;
            p.drawPolyline(poly);
        },
        leftOut);
}

void GdiDc::PolyBezier(std::span<const Point> points) {
    if (points.size() < 4 || (points.size() - 1) % 3 != 0) return;
    const QPoint vp(state_.viewportOrg.x, state_.viewportOrg.y);
    PaintMixed(DeviceBounds(points), [&](QPainter& p, QPoint topLeft) {
        SetupPainter(p, topLeft, false);
        const auto at = [&](std::size_t i) {
            return QPointF(QPoint(points[i].x, points[i].y) + vp - topLeft);
        };
        QPainterPath path(at(0));
        for (std::size_t i = 1; i + 2 < points.size(); i += 3)
            path.cubicTo(at(i), at(i + 1), at(i + 2));
        p.drawPath(path);
    });
}

QRect GdiDc::BoxRect(const Rect& box, QRect* deviceArea) const {
    Rect b{std::min(box.left, box.right), std::min(box.top, box.bottom),
           std::max(box.left, box.right), std::max(box.top, box.bottom)};
    if (state_.pen.style == PS_INSIDEFRAME) {
        const std::int32_t inset = PaintedPenWidth(state_.pen) / 2;
        if (b.Width() > 2 * inset && b.Height() > 2 * inset)
            b = {b.left + inset, b.top + inset, b.right - inset, b.bottom - inset};
    }
    const Point corners[2] = {{b.left, b.top}, {b.right, b.bottom}};
    *deviceArea = DeviceBounds(corners);
    if (b.Width() < 1 || b.Height() < 1 || deviceArea->isEmpty()) return QRect();
    const Point d = LPtoDP({b.left, b.top});
    // Qt outlines QRect(x, y, w, h) over w + 1 pixels; GDI keeps right/bottom out.
    return QRect(d.x - deviceArea->left(), d.y - deviceArea->top(), b.Width() - 1, b.Height() - 1);
}

void GdiDc::Rectangle(const Rect& box) {
    QRect area;
    const QRect r = BoxRect(box, &area);
    if (area.isEmpty() || r.isNull()) return;
    PaintMixed(area, [&](QPainter& p, QPoint topLeft) {
        SetupPainter(p, topLeft, true);
        p.drawRect(r);
    });
}

void GdiDc::RoundRect(const Rect& box, std::int32_t ellipseWidth, std::int32_t ellipseHeight) {
    QRect area;
    const QRect r = BoxRect(box, &area);
    if (area.isEmpty() || r.isNull()) return;
    PaintMixed(area, [&](QPainter& p, QPoint topLeft) {
        SetupPainter(p, topLeft, true);
        p.drawRoundedRect(r, std::abs(ellipseWidth) / 2.0, std::abs(ellipseHeight) / 2.0,
                          Qt::AbsoluteSize);
    });
}

void GdiDc::Ellipse(const Rect& box) {
    QRect area;
    const QRect r = BoxRect(box, &area);
    if (area.isEmpty() || r.isNull()) return;
    PaintMixed(area, [&](QPainter& p, QPoint topLeft) {
        SetupPainter(p, topLeft, true);
        p.drawEllipse(r);
    });
}

void GdiDc::Arc(const Rect& box, Point start, Point end) {
    QRect area;
    const QRect r = BoxRect(box, &area);
    if (area.isEmpty() || r.isNull()) return;
    const double cx = (static_cast<double>(box.left) + box.right) / 2.0;
    const double cy = (static_cast<double>(box.top) + box.bottom) / 2.0;
    const double a0 = RayAngleDegrees(cx, cy, start);
    double span = RayAngleDegrees(cx, cy, end) - a0;
    while (span <= 0) span += 360.0;
    while (span > 360.0) span -= 360.0;
    PaintMixed(area, [&](QPainter& p, QPoint topLeft) {
        SetupPainter(p, topLeft, false);
        p.drawArc(r, static_cast<int>(std::lround(a0 * 16)),
                  static_cast<int>(std::lround(span * 16)));
    });
}

void GdiDc::MixPixel(std::int32_t dx, std::int32_t dy, COLORREF colour) {
    if (dx < 0 || dy < 0 || dx >= image_->width() || dy >= image_->height()) return;
    QRgb* line = reinterpret_cast<QRgb*>(image_->scanLine(dy));
    line[dx] = MixRop2(state_.rop, ToRgb(colour), line[dx]) | 0xFF000000u;
}

void GdiDc::SetPixel(std::int32_t x, std::int32_t y, COLORREF colour) {
    const Point d = LPtoDP({x, y});
    if (batch_) {
        if (image_->rect().contains(d.x, d.y)) batch_->push_back({d, colour});
        return;
    }
    MixPixel(d.x, d.y, colour);
}

void GdiDc::BeginPixelBatch() {
    batch_.emplace();
}

void GdiDc::EndPixelBatch() {
    if (!batch_) return;
    std::vector<BatchPixel> pixels = std::move(*batch_);
    batch_.reset();
    std::stable_sort(pixels.begin(), pixels.end(), [](const BatchPixel& a, const BatchPixel& b) {
        return a.device.y != b.device.y ? a.device.y < b.device.y : a.device.x < b.device.x;
    });
    const auto samePixel = [](const BatchPixel& a, const BatchPixel& b) {
        return a.device == b.device;
    };
    pixels.erase(std::unique(pixels.begin(), pixels.end(), samePixel), pixels.end());
    for (const BatchPixel& px : pixels) MixPixel(px.device.x, px.device.y, px.colour);
}

void GdiDc::TextOut(Point p, const QString& text) {
    if (text.isEmpty()) return;
    const Point d = LPtoDP(p);
    const QFontMetrics fm(state_.font);
    QPainter painter(image_);
    painter.setFont(state_.font);
    if (state_.bkMode == OPAQUE)
        painter.fillRect(QRect(d.x, d.y, fm.horizontalAdvance(text), fm.height()),
                         QColor(ToRgb(state_.bkColour)));
    painter.setPen(QColor(ToRgb(state_.textColour)));
    painter.drawText(QPoint(d.x, d.y + fm.ascent()), text);
}

Rect GdiDc::GetClipBox() const {
    const Point tl = DPtoLP({0, 0});
    const Point br = DPtoLP({image_->width(), image_->height()});
    return {tl.x, tl.y, br.x, br.y};
}

TextSize GdiDc::GetTextExtent(const QString& text) const {
    const QFontMetrics fm(state_.font);
    return {fm.horizontalAdvance(text), fm.height()};
}

}  // namespace zv
