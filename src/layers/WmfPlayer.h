#pragma once
// The WMF record player's state and drawing: the device-context state a metafile
// changes (pens, brushes, fonts, colours, modes, the window mapping, the clip) and
// the GDI drawing calls its records make, over a QPainter. Used by MetafileWmf.cpp.

#include <QByteArrayView>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>

#include <cstdint>
#include <vector>

#include <uwmf.h>

#include "gdi/LogFont.h"

namespace zv::wmf {

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

inline std::uint16_t U16(QByteArrayView d, qsizetype at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(d[at]) |
                                      (static_cast<unsigned char>(d[at + 1]) << 8));
}

inline QColor Colour(std::uint32_t ref) {
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

// What one drawing call costs besides the pixels it touches, in pixels: setting up a
// path and a fill takes about as long as filling a thousand pixels.
constexpr std::int64_t kDrawCallCost = 1024;
constexpr std::int64_t kSetPixelCost = 64;

class WmfPlayer {
public:
    // `workBudget` bounds the pixels all records may touch together; a record that
    // would pass it is not drawn and ends the picture (OverBudget()).
    WmfPlayer(QImage& target, const QRectF& bounds, int objectCount, std::int64_t workBudget)
        : painter(&target), workLeft(workBudget), objects(static_cast<std::size_t>(objectCount)) {
        dc.windowOrg = bounds.topLeft();
        dc.windowExt = bounds.size();
        dc.clip = QRegion(target.rect());
        deviceSize = target.size();
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        ApplyClip();
    }

    // Plays one record; false at the end-of-file record.
    bool Play(std::uint8_t type, std::uint16_t function, const Params& p);  // MetafileWmf.cpp
    bool OverBudget() const { return workLeft < 0; }

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
    // Takes `cost` from the work budget; false, and nothing is to be drawn, once the
    // budget is spent.
    bool Spend(std::int64_t cost) {
        workLeft -= cost;
        return workLeft >= 0;
    }
    // The pixels a fill of `deviceRect` can touch: its part inside the clip.
    std::int64_t Area(const QRectF& deviceRect) const;
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
    std::int64_t workLeft;
    QSize deviceSize;
    DcState dc;
    std::vector<DcState> saved;
    std::vector<GdiObject> objects;
};
}  // namespace zv::wmf
