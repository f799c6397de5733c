// Drawing calls of the WMF record player.
#include "layers/WmfPlayer.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "gdi/BmpImage.h"
#include "gdi/GbkText.h"

namespace zv::wmf {

void WmfPlayer::SetComposition() {
    switch (dc.rop2) {
        case U_R2_XORPEN:
            painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
            break;
        case U_R2_MASKPEN:
            painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
            break;
        case U_R2_MERGEPEN:
            painter.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
            break;
        case U_R2_NOT:
            painter.setCompositionMode(QPainter::RasterOp_NotDestination);
            break;
        default:
            painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
            break;
    }
}

QPen WmfPlayer::MakePen() const {
    const std::uint16_t style = dc.pen.style & U_PS_STYLE_MASK;
    if (style == U_PS_NULL || dc.rop2 == U_R2_NOP) return QPen(Qt::NoPen);
    QColor colour = Colour(dc.pen.colour);
    if (dc.rop2 == U_R2_BLACK) colour = Qt::black;
    if (dc.rop2 == U_R2_WHITE) colour = Qt::white;
    // Widths are logical units; a zero or thin pen is still one pixel.
    const double scale = std::fabs(Mapping().m11());
    QPen pen(colour, std::max(1.0, std::round(dc.pen.width * scale)));
    pen.setCosmetic(true);
    switch (style) {
        case U_PS_DASH:
            pen.setStyle(Qt::DashLine);
            break;
        case U_PS_DOT:
            pen.setStyle(Qt::DotLine);
            break;
        case U_PS_DASHDOT:
            pen.setStyle(Qt::DashDotLine);
            break;
        case U_PS_DASHDOTDOT:
            pen.setStyle(Qt::DashDotDotLine);
            break;
        default:
            pen.setStyle(Qt::SolidLine);
            break;
    }
    const std::uint16_t cap = dc.pen.style & 0x0F00, join = dc.pen.style & 0xF000;
    pen.setCapStyle(cap == 0x0100 ? Qt::SquareCap : cap == 0x0200 ? Qt::FlatCap : Qt::RoundCap);
    pen.setJoinStyle(join == 0x1000   ? Qt::BevelJoin
                     : join == 0x2000 ? Qt::MiterJoin
                                      : Qt::RoundJoin);
    return pen;
}

QBrush WmfPlayer::MakeBrush() const {
    const Brush& b = dc.brush;
    if (b.style == U_BS_NULL || dc.rop2 == U_R2_NOP) return QBrush(Qt::NoBrush);
    if (!b.pattern.isNull()) return QBrush(b.pattern);
    if (b.style == U_BS_HATCHED) {
        static const Qt::BrushStyle kHatches[] = {Qt::HorPattern,   Qt::VerPattern,
                                                  Qt::FDiagPattern, Qt::BDiagPattern,
                                                  Qt::CrossPattern, Qt::DiagCrossPattern};
        return QBrush(Colour(b.colour), b.hatch < 6 ? kHatches[b.hatch] : Qt::SolidPattern);
    }
    if (b.style != U_BS_SOLID) return QBrush(Qt::NoBrush);
    return QBrush(Colour(b.colour));
}

std::int64_t WmfPlayer::Area(const QRectF& deviceRect) const {
    const QRectF inside = deviceRect.normalized().intersected(QRectF(dc.clip.boundingRect()));
    if (inside.isEmpty()) return 0;
    return static_cast<std::int64_t>(std::ceil(inside.width()) * std::ceil(inside.height()));
}

void WmfPlayer::FillAndStroke(const QPainterPath& logicalPath, bool fill) {
    const QPainterPath path = Mapping().map(logicalPath);
    const QRectF box = path.boundingRect();
    SetComposition();
    if (fill) {
        const QBrush brush = MakeBrush();
        if (brush.style() != Qt::NoBrush) {
            // A hatch over an opaque background fills its gaps with the background.
            const bool underlay = brush.style() != Qt::SolidPattern &&
                                  brush.style() != Qt::TexturePattern && dc.bkMode == U_OPAQUE;
            if (!Spend(kDrawCallCost + Area(box) * (underlay ? 2 : 1))) return;
            if (underlay) painter.fillPath(path, Colour(dc.bkColour));
            painter.fillPath(path, brush);
        }
    }
    const QPen pen = MakePen();
    if (pen.style() == Qt::NoPen) return;
    // A stroke touches about its length times its width, never more than its box.
    const double w = pen.widthF();
    const double along = (path.length() + w) * w;
    const double area = static_cast<double>(Area(box.adjusted(-w, -w, w, w)));
    if (!Spend(kDrawCallCost + static_cast<std::int64_t>(std::min(along, area)))) return;
    painter.strokePath(path, pen);
}

void WmfPlayer::ClipRect(const Params& p, bool intersect) {
    const QRect r = Mapping().mapRect(LogicalRect(p.S(3), p.S(2), p.S(1), p.S(0))).toRect();
    dc.clip = intersect ? dc.clip.intersected(r) : dc.clip.subtracted(r);
    ApplyClip();
}

void WmfPlayer::CreateObject(const GdiObject& object) {
    // A new object takes the lowest free slot of the table.
    std::int64_t looked = 0;
    for (GdiObject& slot : objects) {
        ++looked;
        if (slot.kind == GdiObject::Free) {
            slot = object;
            break;
        }
    }
    Spend(looked);
}

void WmfPlayer::Select(std::uint16_t index) {
    if (index >= objects.size()) return;
    const GdiObject& o = objects[index];
    if (o.kind == GdiObject::PenObject) dc.pen = o.pen;
    if (o.kind == GdiObject::BrushObject) dc.brush = o.brush;
    if (o.kind == GdiObject::FontObject) dc.font = o.font;
}

void WmfPlayer::Polygon(const Params& p, bool closed) {
    const qsizetype n = p.U(0);
    if (n < 2 || !p.Has(1 + 2 * n)) return;
    QPolygonF poly;
    poly.reserve(n);
    for (qsizetype i = 0; i < n; ++i) poly << QPointF(p.S(1 + 2 * i), p.S(2 + 2 * i));
    QPainterPath path;
    path.setFillRule(dc.polyFill == U_WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    path.addPolygon(poly);
    if (closed) path.closeSubpath();
    FillAndStroke(path, closed);
}

void WmfPlayer::PolyPolygon(const Params& p) {
    const qsizetype polys = p.U(0);
    if (!p.Has(1 + polys)) return;
    qsizetype total = 0;
    for (qsizetype i = 0; i < polys; ++i) total += p.U(1 + i);
    if (!p.Has(1 + polys + 2 * total)) return;
    QPainterPath path;
    path.setFillRule(dc.polyFill == U_WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    qsizetype at = 1 + polys;
    for (qsizetype i = 0; i < polys; ++i) {
        QPolygonF poly;
        for (qsizetype k = 0; k < p.U(1 + i); ++k, at += 2) poly << QPointF(p.S(at), p.S(at + 1));
        path.addPolygon(poly);
        path.closeSubpath();
    }
    FillAndStroke(path, true);
}

void WmfPlayer::ArcRecord(std::uint8_t type, const Params& p) {
    if (!p.Has(8)) return;
    const QRectF box = LogicalRect(p.S(7), p.S(6), p.S(5), p.S(4));
    if (box.isEmpty()) return;
    const QPointF c = box.center();
    const double rx = box.width() / 2, ry = box.height() / 2;
    // The arc runs anticlockwise (on screen) from where the ray to the start point
    // meets the ellipse to where the ray to the end point does.
    const auto angle = [&](double px, double py) {
        return std::atan2(-(py - c.y()) / ry, (px - c.x()) / rx) * 180.0 / std::numbers::pi;
    };
    const double start = angle(p.S(3), p.S(2));
    double sweep = angle(p.S(1), p.S(0)) - start;
    while (sweep <= 0) sweep += 360;
    QPainterPath path;
    if (type == U_WMR_PIE)
        path.moveTo(c);  // arcTo draws the first radius from here
    else
        path.arcMoveTo(box, start);
    path.arcTo(box, start, sweep);
    if (type == U_WMR_ARC) {
        FillAndStroke(path, false);
        return;
    }
    path.closeSubpath();
    FillAndStroke(path, true);
}

void WmfPlayer::Text(QByteArrayView bytes, QPointF logical) {
    if (bytes.isEmpty()) return;
    const QString text =
        dc.font.lfCharSet == GB2312_CHARSET ? DecodeGbk(bytes) : QString::fromLatin1(bytes);
    const QTransform m = Mapping();
    // The font's sizes are logical units too.
    LogFont lf = dc.font;
    lf.lfHeight = static_cast<std::int32_t>(std::lround(lf.lfHeight * std::fabs(m.m22())));
    lf.lfWidth = static_cast<std::int32_t>(std::lround(lf.lfWidth * std::fabs(m.m11())));
    if (dc.font.lfHeight != 0 && lf.lfHeight == 0) lf.lfHeight = dc.font.lfHeight < 0 ? -1 : 1;
    lf.lfQuality = 3;  // unsmoothed, as the rest of the picture
    const QFont font = MakeFont(lf);
    const QFontMetricsF fm(font);
    const double advance = fm.horizontalAdvance(text);

    const bool fromPosition = (dc.textAlign & U_TA_UPDATECP) != 0;
    QPointF at = m.map(fromPosition ? dc.position : logical);
    double dx = 0, dy = fm.ascent();  // TA_LEFT | TA_TOP
    if ((dc.textAlign & U_TA_CENTER) == U_TA_CENTER)
        dx = -advance / 2;
    else if (dc.textAlign & U_TA_RIGHT)
        dx = -advance;
    if ((dc.textAlign & U_TA_BASELINE) == U_TA_BASELINE)
        dy = 0;
    else if (dc.textAlign & U_TA_BOTTOM)
        dy = -fm.descent();

    QTransform place;
    place.translate(at.x(), at.y());
    if (lf.lfEscapement != 0) place.rotate(-lf.lfEscapement / 10.0);
    const QRectF box(dx, dy - fm.ascent(), advance, fm.height());
    if (!Spend(kDrawCallCost + Area(place.mapRect(box)))) return;

    painter.save();
    SetComposition();
    painter.setTransform(place);
    painter.setFont(font);
    if (dc.bkMode == U_OPAQUE) painter.fillRect(box, Colour(dc.bkColour));
    painter.setPen(Colour(dc.textColour));
    painter.drawText(QPointF(dx, dy), text);
    painter.restore();
    if (fromPosition) {
        const QTransform back = m.inverted();
        dc.position = back.map(at + QPointF(advance, 0));
    }
}

void WmfPlayer::PatBlt(const QRectF& logical, std::uint32_t rop) {
    const QRectF r = Mapping().mapRect(logical);
    if (!Spend(kDrawCallCost + Area(r))) return;
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    switch (rop) {
        case BLACKNESS:
            painter.fillRect(r, Qt::black);
            break;
        case WHITENESS:
            painter.fillRect(r, Qt::white);
            break;
        case DSTINVERT:
            painter.setCompositionMode(QPainter::RasterOp_NotDestination);
            painter.fillRect(r, Qt::white);
            break;
        case PATINVERT:
            painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
            painter.fillRect(r, MakeBrush());
            break;
        default:
            painter.fillRect(r, MakeBrush());
            break;
    }
}

void WmfPlayer::Blit(const Params& p, qsizetype dibWord, QPointF dst, QSizeF dstSize, QRectF src,
                     bool sourceFromBottom, std::uint32_t rop) {
    const QImage image = MakeBitmap(p.From(dibWord));
    if (image.isNull()) return;
    if (sourceFromBottom) src.moveTop(image.height() - src.top() - src.height());
    const QRectF target = Mapping().mapRect(QRectF(dst, dstSize));
    const std::int64_t decoded = std::int64_t{image.width()} * image.height();
    if (!Spend(kDrawCallCost + decoded + Area(target))) return;
    switch (rop) {
        case SRCAND:
            painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
            break;
        case SRCPAINT:
            painter.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
            break;
        case SRCINVERT:
            painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
            break;
        case NOTSRCCOPY:
            painter.setCompositionMode(QPainter::RasterOp_NotSource);
            break;
        default:
            painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
            break;
    }
    painter.drawImage(target, image, src);
}

void WmfPlayer::Restore(std::int16_t which) {
    // Negative: that many states back; positive: the state saved at that depth.
    std::size_t keep = 0;
    if (which < 0) {
        if (static_cast<std::size_t>(-which) > saved.size()) return;
        keep = saved.size() - static_cast<std::size_t>(-which);
    } else {
        if (which == 0 || static_cast<std::size_t>(which) > saved.size()) return;
        keep = static_cast<std::size_t>(which) - 1;
    }
    dc = saved[keep];
    saved.resize(keep);
    ApplyClip();
}

}  // namespace zv::wmf
