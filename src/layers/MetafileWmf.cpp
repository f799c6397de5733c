// Placeable WMF pictures, played record by record onto a QPainter. libwmf's renderers
// crop to the drawing's bounding box, stretch it and drop some fills, so we play the
// records that clip art uses ourselves: the picture comes out at the extent of its
// placeable header with every shape where the metafile puts it and its colours
// exact. Drawing is unsmoothed, as the screen draws metafiles, so no blended pixel
// appears between a shape and the black (transparent) ground.
#include <algorithm>
#include <cmath>

#include "gdi/BmpImage.h"
#include "gdi/GbkText.h"
#include "layers/Metafile.h"
#include "layers/Picture.h"
#include "layers/WmfPlayer.h"

namespace zv {

namespace wmf {

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
            if (!Spend(kSetPixelCost)) break;
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
                if ((opts & U_ETO_OPAQUE) && Spend(Area(r)))
                    painter.fillRect(r, Colour(dc.bkColour));
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
            Spend(std::int64_t{o.brush.pattern.width()} * o.brush.pattern.height());
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

}  // namespace wmf

namespace {

using wmf::kMetaHeaderSize;
using wmf::kPlaceableKey;
using wmf::kPlaceableSize;
using wmf::U16;

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

MetafileImage RenderWmf(QByteArrayView data, int width, int height, std::int64_t workBudget) {
    MetafileImage result;
    WmfLayout layout;
    if (!ReadLayout(data, layout) || width <= 0 || height <= 0) {
        result.failure = PictureFailure::Damaged;
        result.message = QStringLiteral("The WMF header is damaged.");
        return result;
    }
    result.image = QImage(width, height, QImage::Format_RGB32);
    if (result.image.isNull()) {
        result.failure = PictureFailure::NoMemory;
        result.message = QString::fromLatin1(kNoMemoryMessage);
        return result;
    }
    result.image.fill(Qt::black);
    bool overBudget = false;
    {
        wmf::WmfPlayer player(result.image, layout.bounds, layout.objects, workBudget);
        qsizetype at = layout.firstRecord;
        while (at + 6 <= data.size()) {
            const std::uint32_t words = U16(data, at) | (std::uint32_t{U16(data, at + 2)} << 16);
            // A record shorter than its own head, or running past the file, ends the
            // picture there.
            if (words < 3 || qint64{words} * 2 > data.size() - at) break;
            const std::uint16_t function = U16(data, at + 4);
            const wmf::Params params{data.sliced(at + 6, qsizetype{words} * 2 - 6)};
            const bool more =
                player.Play(static_cast<std::uint8_t>(function & 0xFF), function, params);
            if (player.OverBudget()) {
                overBudget = true;
                break;
            }
            if (!more) break;
            at += qsizetype{words} * 2;
        }
    }
    if (overBudget) {
        result.image = QImage();
        result.failure = PictureFailure::WorkLimit;
        result.message = QStringLiteral(
                             "The WMF file draws more than %1 million pixels, the work limit for "
                             "one picture; it was stopped.")
                             .arg(workBudget / 1000000);
    }
    return result;
}

}  // namespace zv
