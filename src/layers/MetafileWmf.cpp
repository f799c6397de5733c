// Placeable WMF pictures, played record by record onto a QPainter. libwmf's renderers
// crop to the drawing's bounding box, stretch it and drop some fills, so we play the
// records that clip art uses ourselves: the picture comes out at the extent of its
// placeable header with every shape where the metafile puts it and its colours
// exact. Drawing is unsmoothed, as the screen draws metafiles, so no blended pixel
// appears between a shape and the black (transparent) ground.
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include <uwmf.h>

#include "gdi/BmpImage.h"
#include "gdi/GbkText.h"
#include "gdi/LogFont.h"
#include "layers/Metafile.h"
#include "layers/Picture.h"

namespace zv {

namespace {

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr int kPlaceableSize = 22;
constexpr int kMetaHeaderSize = 18;
constexpr std::size_t kMaxSavedStates = 1024;
constexpr std::uint8_t GB2312_CHARSET = 134;

// Raster operations of the blit records.
constexpr std::uint32_t SRCCOPY = 0x00CC0020;
constexpr std::uint32_t SRCAND = 0x008800C6;
constexpr std::uint32_t SRCPAINT = 0x00EE0086;
constexpr std::uint32_t SRCINVERT = 0x00660046;
constexpr std::uint32_t NOTSRCCOPY = 0x00330008;
constexpr std::uint32_t PATCOPY = 0x00F00021;
constexpr std::uint32_t PATINVERT = 0x005A0049;
constexpr std::uint32_t DSTINVERT = 0x00550009;
constexpr std::uint32_t BLACKNESS = 0x00000042;
constexpr std::uint32_t WHITENESS = 0x00FF0062;

std::uint16_t U16(QByteArrayView d, qsizetype at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(d[at]) |
                                      (static_cast<unsigned char>(d[at + 1]) << 8));
}

QColor Colour(std::uint32_t ref) {
    return QColor(ref & 0xFF, (ref >> 8) & 0xFF, (ref >> 16) & 0xFF);
}

// The parameters of one record: 16-bit words after its 6-byte head. Reads past the
// record give 0; callers check counts with Has() before walking arrays.
struct Params {
    QByteArrayView bytes;
    qsizetype Count() const { return bytes.size() / 2; }
    bool Has(qsizetype words) const { return words <= Count(); }
    std::uint16_t U(qsizetype i) const { return i < Count() ? U16(bytes, 2 * i) : 0; }
    std::int16_t S(qsizetype i) const { return static_cast<std::int16_t>(U(i)); }
    std::uint32_t U32(qsizetype i) const { return U(i) | (std::uint32_t{U(i + 1)} << 16); }
    QByteArrayView From(qsizetype word) const {
        return word < Count() ? bytes.sliced(2 * word) : QByteArrayView();
    }
};

struct Pen {
    std::uint16_t style = U_PS_SOLID;
    std::int16_t width = 0;
    std::uint32_t colour = 0;
};

struct Brush {
    std::uint16_t style = U_BS_SOLID;
    std::uint32_t colour = 0xFFFFFF;
    std::uint16_t hatch = 0;
    QImage pattern;
};

struct GdiObject {
    enum Kind { Free, PenObject, BrushObject, FontObject, Other } kind = Free;
    Pen pen;
    Brush brush;
    LogFont font;
};

struct DcState {
    Pen pen;
    Brush brush;
    LogFont font;
    std::uint32_t textColour = 0;
    std::uint32_t bkColour = 0xFFFFFF;
    std::uint16_t bkMode = U_OPAQUE;
    std::uint16_t polyFill = U_ALTERNATE;
    std::uint16_t textAlign = 0;
    std::uint16_t rop2 = U_R2_COPYPEN;
    QPointF windowOrg;
    QSizeF windowExt;
    QPointF position;
    QRegion clip;  // device pixels
};

class WmfPlayer {
public:
    WmfPlayer(QImage& target, const QRectF& bounds, int objectCount)
        : painter(&target), objects(static_cast<std::size_t>(objectCount)) {
        dc.windowOrg = bounds.topLeft();
        dc.windowExt = bounds.size();
        dc.clip = QRegion(target.rect());
        deviceSize = target.size();
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        ApplyClip();
    }

    // Plays one record; false at the end-of-file record.
    bool Play(std::uint8_t type, std::uint16_t function, const Params& p);

private:
    QTransform Mapping() const {
        const double sx = dc.windowExt.width() != 0 ? deviceSize.width() / dc.windowExt.width() : 1;
        const double sy =
            dc.windowExt.height() != 0 ? deviceSize.height() / dc.windowExt.height() : 1;
        return QTransform(sx, 0, 0, sy, -dc.windowOrg.x() * sx, -dc.windowOrg.y() * sy);
    }
    QRectF LogicalRect(std::int16_t left, std::int16_t top, std::int16_t right,
                       std::int16_t bottom) const {
        return QRectF(QPointF(left, top), QPointF(right, bottom)).normalized();
    }
    void ApplyClip() {
        painter.resetTransform();
        painter.setClipRegion(dc.clip);
    }
    void SetComposition();
    QPen MakePen() const;
    QBrush MakeBrush() const;
    void FillAndStroke(const QPainterPath& path, bool fill);
    void ClipRect(const Params& p, bool intersect);
    void CreateObject(const GdiObject& object);
    void Select(std::uint16_t index);
    void Polygon(const Params& p, bool closed);
    void PolyPolygon(const Params& p);
    void ArcRecord(std::uint8_t type, const Params& p);
    void Text(QByteArrayView bytes, QPointF at);
    void Blit(const Params& p, qsizetype dibWord, QPointF dst, QSizeF dstSize, QRectF src,
              bool sourceFromBottom, std::uint32_t rop);
    void PatBlt(const QRectF& r, std::uint32_t rop);
    void Restore(std::int16_t which);

    QPainter painter;
    QSize deviceSize;
    DcState dc;
    std::vector<DcState> saved;
    std::vector<GdiObject> objects;
};

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

void WmfPlayer::FillAndStroke(const QPainterPath& logicalPath, bool fill) {
    const QPainterPath path = Mapping().map(logicalPath);
    SetComposition();
    if (fill) {
        const QBrush brush = MakeBrush();
        if (brush.style() != Qt::NoBrush) {
            // A hatch over an opaque background fills its gaps with the background.
            if (brush.style() != Qt::SolidPattern && brush.style() != Qt::TexturePattern &&
                dc.bkMode == U_OPAQUE)
                painter.fillPath(path, Colour(dc.bkColour));
            painter.fillPath(path, brush);
        }
    }
    const QPen pen = MakePen();
    if (pen.style() != Qt::NoPen) painter.strokePath(path, pen);
}

void WmfPlayer::ClipRect(const Params& p, bool intersect) {
    const QRect r = Mapping().mapRect(LogicalRect(p.S(3), p.S(2), p.S(1), p.S(0))).toRect();
    dc.clip = intersect ? dc.clip.intersected(r) : dc.clip.subtracted(r);
    ApplyClip();
}

void WmfPlayer::CreateObject(const GdiObject& object) {
    // A new object takes the lowest free slot of the table.
    for (GdiObject& slot : objects) {
        if (slot.kind == GdiObject::Free) {
            slot = object;
            return;
        }
    }
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

    painter.save();
    SetComposition();
    painter.translate(at);
    if (lf.lfEscapement != 0) painter.rotate(-lf.lfEscapement / 10.0);
    painter.setFont(font);
    if (dc.bkMode == U_OPAQUE)
        painter.fillRect(QRectF(dx, dy - fm.ascent(), advance, fm.height()), Colour(dc.bkColour));
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

bool WmfPlayer::Play(std::uint8_t type, std::uint16_t function, const Params& p) {
    switch (type) {
        case U_WMR_EOF:
            return false;
        case U_WMR_SETBKCOLOR:
            dc.bkColour = p.U32(0);
            break;
        case U_WMR_SETBKMODE:
            dc.bkMode = p.U(0);
            break;
        case U_WMR_SETROP2:
            dc.rop2 = p.U(0);
            break;
        case U_WMR_SETPOLYFILLMODE:
            dc.polyFill = p.U(0);
            break;
        case U_WMR_SETTEXTCOLOR:
            dc.textColour = p.U32(0);
            break;
        case U_WMR_SETTEXTALIGN:
            dc.textAlign = p.U(0);
            break;
        case U_WMR_SETWINDOWORG:
            dc.windowOrg = QPointF(p.S(1), p.S(0));
            break;
        case U_WMR_SETWINDOWEXT:
            dc.windowExt = QSizeF(p.S(1), p.S(0));
            break;
        case U_WMR_OFFSETWINDOWORG:
            dc.windowOrg += QPointF(p.S(1), p.S(0));
            break;
        case U_WMR_SCALEWINDOWEXT:
            if (p.S(0) != 0 && p.S(2) != 0)
                dc.windowExt = QSizeF(dc.windowExt.width() * p.S(3) / p.S(2),
                                      dc.windowExt.height() * p.S(1) / p.S(0));
            break;
        case U_WMR_MOVETO:
            dc.position = QPointF(p.S(1), p.S(0));
            break;
        case U_WMR_LINETO: {
            const QPointF to(p.S(1), p.S(0));
            QPainterPath path(dc.position);
            path.lineTo(to);
            FillAndStroke(path, false);
            dc.position = to;
            break;
        }
        case U_WMR_RECTANGLE:
        case U_WMR_ELLIPSE: {
            if (!p.Has(4)) break;
            QPainterPath path;
            const QRectF r = LogicalRect(p.S(3), p.S(2), p.S(1), p.S(0));
            type == U_WMR_RECTANGLE ? path.addRect(r) : path.addEllipse(r);
            FillAndStroke(path, true);
            break;
        }
        case U_WMR_ROUNDRECT: {
            if (!p.Has(6)) break;
            QPainterPath path;
            path.addRoundedRect(LogicalRect(p.S(5), p.S(4), p.S(3), p.S(2)), std::abs(p.S(1)) / 2.0,
                                std::abs(p.S(0)) / 2.0);
            FillAndStroke(path, true);
            break;
        }
        case U_WMR_ARC:
        case U_WMR_PIE:
        case U_WMR_CHORD:
            ArcRecord(type, p);
            break;
        case U_WMR_POLYGON:
            Polygon(p, true);
            break;
        case U_WMR_POLYLINE:
            Polygon(p, false);
            break;
        case U_WMR_POLYPOLYGON:
            PolyPolygon(p);
            break;
        case U_WMR_SETPIXEL: {
            const QPoint at = Mapping().map(QPointF(p.S(3), p.S(2))).toPoint();
            painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
            painter.fillRect(QRect(at, QSize(1, 1)), Colour(p.U32(0)));
            break;
        }
        case U_WMR_PATBLT:
            if (p.Has(6)) PatBlt(QRectF(p.S(5), p.S(4), p.S(3), p.S(2)).normalized(), p.U32(0));
            break;
        case U_WMR_TEXTOUT: {
            const qsizetype length = p.U(0), words = (length + 1) / 2;
            if (!p.Has(1 + words + 2)) break;
            Text(p.From(1).first(length), QPointF(p.S(2 + words), p.S(1 + words)));
            break;
        }
        case U_WMR_EXTTEXTOUT: {
            const qsizetype length = p.U(2);
            const std::uint16_t opts = p.U(3);
            const bool hasRect = (opts & (U_ETO_OPAQUE | U_ETO_CLIPPED)) != 0;
            const qsizetype textAt = hasRect ? 8 : 4;
            if (!p.Has(textAt + (length + 1) / 2)) break;
            painter.save();
            if (hasRect) {
                const QRectF r = Mapping().mapRect(LogicalRect(p.S(4), p.S(5), p.S(6), p.S(7)));
                if (opts & U_ETO_OPAQUE) painter.fillRect(r, Colour(dc.bkColour));
                if (opts & U_ETO_CLIPPED) painter.setClipRect(r, Qt::IntersectClip);
            }
            Text(p.From(textAt).first(length), QPointF(p.S(1), p.S(0)));
            painter.restore();
            break;
        }
        case U_WMR_STRETCHDIB:
            if (p.Has(11))
                Blit(p, 11, QPointF(p.S(10), p.S(9)), QSizeF(p.S(8), p.S(7)),
                     QRectF(p.S(6), p.S(5), p.S(4), p.S(3)), true, p.U32(0));
            break;
        case U_WMR_DIBSTRETCHBLT:
            // The form without a bitmap has one parameter more than its bitmap form's
            // fixed part and paints with the brush.
            if (p.Count() == (function >> 8))
                PatBlt(QRectF(p.S(10), p.S(9), p.S(8), p.S(7)).normalized(), p.U32(0));
            else if (p.Has(10))
                Blit(p, 10, QPointF(p.S(9), p.S(8)), QSizeF(p.S(7), p.S(6)),
                     QRectF(p.S(5), p.S(4), p.S(3), p.S(2)), false, p.U32(0));
            break;
        case U_WMR_DIBBITBLT:
            if (p.Count() == (function >> 8))
                PatBlt(QRectF(p.S(8), p.S(7), p.S(6), p.S(5)).normalized(), p.U32(0));
            else if (p.Has(8))
                Blit(p, 8, QPointF(p.S(7), p.S(6)), QSizeF(p.S(5), p.S(4)),
                     QRectF(p.S(3), p.S(2), p.S(5), p.S(4)), false, p.U32(0));
            break;
        case U_WMR_SAVEDC:
            if (saved.size() < kMaxSavedStates) saved.push_back(dc);
            break;
        case U_WMR_RESTOREDC:
            Restore(p.S(0));
            break;
        case U_WMR_INTERSECTCLIPRECT:
            if (p.Has(4)) ClipRect(p, true);
            break;
        case U_WMR_EXCLUDECLIPRECT:
            if (p.Has(4)) ClipRect(p, false);
            break;
        case U_WMR_SELECTOBJECT:
            Select(p.U(0));
            break;
        case U_WMR_DELETEOBJECT:
            if (p.U(0) < objects.size()) objects[p.U(0)] = GdiObject{};
            break;
        case U_WMR_CREATEPENINDIRECT: {
            GdiObject o;
            o.kind = GdiObject::PenObject;
            o.pen = Pen{p.U(0), p.S(1), p.U32(3)};
            CreateObject(o);
            break;
        }
        case U_WMR_CREATEBRUSHINDIRECT: {
            GdiObject o;
            o.kind = GdiObject::BrushObject;
            o.brush.style = p.U(0);
            o.brush.colour = p.U32(1);
            o.brush.hatch = p.U(3);
            CreateObject(o);
            break;
        }
        case U_WMR_DIBCREATEPATTERNBRUSH: {
            GdiObject o;
            o.kind = GdiObject::BrushObject;
            o.brush.style = U_BS_DIBPATTERNPT;
            o.brush.pattern = MakeBitmap(p.From(2));
            if (o.brush.pattern.isNull()) o.brush.style = U_BS_NULL;
            CreateObject(o);
            break;
        }
        case U_WMR_CREATEFONTINDIRECT: {
            GdiObject o;
            o.kind = GdiObject::FontObject;
            const QByteArrayView f = p.From(0);
            if (f.size() >= 18) {
                o.font.lfHeight = p.S(0);
                o.font.lfWidth = p.S(1);
                o.font.lfEscapement = p.S(2);
                o.font.lfOrientation = p.S(3);
                o.font.lfWeight = p.S(4);
                o.font.lfItalic = static_cast<std::uint8_t>(f[10]);
                o.font.lfUnderline = static_cast<std::uint8_t>(f[11]);
                o.font.lfStrikeOut = static_cast<std::uint8_t>(f[12]);
                o.font.lfCharSet = static_cast<std::uint8_t>(f[13]);
                o.font.lfPitchAndFamily = static_cast<std::uint8_t>(f[17]);
                const QByteArrayView face =
                    f.sliced(18).first(std::min<qsizetype>(f.size() - 18, 31));
                const qsizetype end = face.indexOf('\0');
                o.font.SetFaceName(o.font.lfCharSet == GB2312_CHARSET
                                       ? DecodeGbk(end < 0 ? face : face.first(end))
                                       : QString::fromLatin1(end < 0 ? face : face.first(end)));
            }
            CreateObject(o);
            break;
        }
        case U_WMR_CREATEPALETTE:
        case U_WMR_CREATEPATTERNBRUSH:
        case U_WMR_CREATEREGION: {
            // Not drawn with, but each takes its slot in the object table.
            GdiObject o;
            o.kind = GdiObject::Other;
            CreateObject(o);
            break;
        }
        default:
            break;  // records that do not change the picture
    }
    return true;
}

struct WmfLayout {
    QRectF bounds;    // placeable bounding box, logical units
    int inch = 0;     // logical units per inch
    int objects = 0;  // size of the object table
    qsizetype firstRecord = 0;
};

bool ReadLayout(QByteArrayView d, WmfLayout& out) {
    if (!IsPlaceableWmf(d) || d.size() < kPlaceableSize + kMetaHeaderSize) return false;
    const auto s16 = [&](qsizetype at) { return static_cast<std::int16_t>(U16(d, at)); };
    out.bounds = QRectF(QPointF(s16(6), s16(8)), QPointF(s16(10), s16(12)));
    out.inch = U16(d, 14);
    const std::uint16_t fileType = U16(d, kPlaceableSize);
    const std::uint16_t headerWords = U16(d, kPlaceableSize + 2);
    out.objects = U16(d, kPlaceableSize + 12);
    out.firstRecord = kPlaceableSize + 2 * qsizetype{headerWords};
    return (fileType == 1 || fileType == 2) && headerWords >= 9 && out.firstRecord <= d.size() &&
           out.inch > 0 && out.bounds.width() != 0 && out.bounds.height() != 0;
}

}  // namespace

bool IsPlaceableWmf(QByteArrayView d) {
    return d.size() >= kPlaceableSize &&
           (U16(d, 0) | (std::uint32_t{U16(d, 2)} << 16)) == kPlaceableKey;
}

bool ReadWmfExtent(QByteArrayView data, MetafileExtent& extent) {
    WmfLayout layout;
    if (!ReadLayout(data, layout)) return false;
    extent.himetricWidth =
        MulDiv(static_cast<std::int32_t>(std::fabs(layout.bounds.width())), 2540, layout.inch);
    extent.himetricHeight =
        MulDiv(static_cast<std::int32_t>(std::fabs(layout.bounds.height())), 2540, layout.inch);
    return extent.himetricWidth > 0 && extent.himetricHeight > 0;
}

QImage RenderWmf(QByteArrayView data, int width, int height) {
    WmfLayout layout;
    if (!ReadLayout(data, layout) || width <= 0 || height <= 0) return {};
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull()) return {};
    image.fill(Qt::black);
    {
        WmfPlayer player(image, layout.bounds, layout.objects);
        qsizetype at = layout.firstRecord;
        while (at + 6 <= data.size()) {
            const std::uint32_t words = U16(data, at) | (std::uint32_t{U16(data, at + 2)} << 16);
            // A record shorter than its own head, or running past the file, ends the
            // picture there.
            if (words < 3 || qint64{words} * 2 > data.size() - at) break;
            const std::uint16_t function = U16(data, at + 4);
            const Params params{data.sliced(at + 6, qsizetype{words} * 2 - 6)};
            if (!player.Play(static_cast<std::uint8_t>(function & 0xFF), function, params)) break;
            at += qsizetype{words} * 2;
        }
    }
    return image;
}

}  // namespace zv
