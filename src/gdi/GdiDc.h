#pragma once
// A device context over an image: the subset of GDI the shapes and the drawing tool
// use, with GDI's numbers for pens, brushes, hatches, raster operations (ROP2) and
// background modes, mapped to QPainter.
//
// Coordinates given to the drawing calls are logical; device = logical + viewport
// origin. Every drawing call is first painted into a transparent layer and then
// mixed into the image with the current raster operation, so each pixel of a call
// is mixed exactly once: an XOR drawing repeated removes itself completely, even
// where a fill and its outline or two segments overlap.

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QString>

#include <cstdint>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "gdi/Geometry.h"

class QPainter;

namespace zv {

// Pen styles.
constexpr std::uint32_t PS_SOLID = 0;
constexpr std::uint32_t PS_DASH = 1;
constexpr std::uint32_t PS_DOT = 2;
constexpr std::uint32_t PS_DASHDOT = 3;
constexpr std::uint32_t PS_DASHDOTDOT = 4;
constexpr std::uint32_t PS_NULL = 5;
constexpr std::uint32_t PS_INSIDEFRAME = 6;
// Brush styles.
constexpr std::uint32_t BS_SOLID = 0;
constexpr std::uint32_t BS_HOLLOW = 1;
constexpr std::uint32_t BS_HATCHED = 2;
// Hatch styles.
constexpr std::int32_t HS_HORIZONTAL = 0;
constexpr std::int32_t HS_VERTICAL = 1;
constexpr std::int32_t HS_FDIAGONAL = 2;
constexpr std::int32_t HS_BDIAGONAL = 3;
constexpr std::int32_t HS_CROSS = 4;
constexpr std::int32_t HS_DIAGCROSS = 5;
// Background modes.
constexpr std::int32_t TRANSPARENT = 1;
constexpr std::int32_t OPAQUE = 2;
// Raster operations (ROP2), 1..16.
constexpr std::int32_t R2_BLACK = 1;
constexpr std::int32_t R2_NOT = 6;
constexpr std::int32_t R2_XORPEN = 7;
constexpr std::int32_t R2_NOP = 11;
constexpr std::int32_t R2_COPYPEN = 13;
constexpr std::int32_t R2_WHITE = 16;

struct GdiPen {
    std::uint32_t style = PS_SOLID;
    std::int32_t width = 1;
    COLORREF colour = 0;
    friend bool operator==(const GdiPen&, const GdiPen&) = default;
};

struct GdiBrush {
    std::uint32_t style = BS_SOLID;
    COLORREF colour = 0xFFFFFF;
    std::int32_t hatch = HS_HORIZONTAL;
    friend bool operator==(const GdiBrush&, const GdiBrush&) = default;
};

struct TextSize {
    std::int32_t cx = 0;
    std::int32_t cy = 0;
};

// The colour a raster operation gives for pen colour `pen` over `dest` (0x00RRGGBB
// or COLORREF alike: every operation works bit by bit).
std::uint32_t MixRop2(std::int32_t rop, std::uint32_t pen, std::uint32_t dest);

class GdiDc {
public:
    // Draws on `image`, which must stay alive and is converted to RGB32 if needed.
    explicit GdiDc(QImage& image);
    GdiDc(const GdiDc&) = delete;
    GdiDc& operator=(const GdiDc&) = delete;

    // Everything SaveDC would keep.
    struct State {
        Point viewportOrg;
        std::int32_t rop = R2_COPYPEN;
        GdiPen pen;
        GdiBrush brush;
        std::int32_t bkMode = OPAQUE;
        COLORREF bkColour = 0xFFFFFF;
        COLORREF textColour = 0;
        Point brushOrg;
        QFont font;
        Point currentPos;
    };
    State SaveState() const { return state_; }
    void RestoreState(const State& s) { state_ = s; }

    Point SetViewportOrg(Point org);
    Point ViewportOrg() const { return state_.viewportOrg; }
    Point LPtoDP(Point p) const;
    Point DPtoLP(Point p) const;

    // An unknown raster operation is refused and the current one stays; the result
    // is the previous operation, 0 when refused.
    std::int32_t SetROP2(std::int32_t rop);
    std::int32_t GetROP2() const { return state_.rop; }
    GdiPen SelectPen(const GdiPen& pen);
    GdiBrush SelectBrush(const GdiBrush& brush);
    std::int32_t SetBkMode(std::int32_t mode);
    COLORREF SetBkColor(COLORREF c);
    COLORREF SetTextColor(COLORREF c);
    // Device point at which the 8 x 8 hatch patterns start.
    Point SetBrushOrg(Point deviceOrg);
    QFont SelectFont(const QFont& font);

    void MoveTo(Point p) { state_.currentPos = p; }
    // A line from the current position to p without p itself; p becomes current.
    void LineTo(Point p);
    void Polyline(std::span<const Point> points);
    // Cubic Bezier pieces: a start point, then three points per piece; any other
    // count draws nothing.
    void PolyBezier(std::span<const Point> points);
    // Box shapes fill with the brush and outline with the pen inside left..right-1,
    // top..bottom-1; corners given in any order.
    void Rectangle(const Rect& box);
    void RoundRect(const Rect& box, std::int32_t ellipseWidth, std::int32_t ellipseHeight);
    void Ellipse(const Rect& box);
    // Counter-clockwise arc of the ellipse in `box` from the ray towards `start` to the
    // ray towards `end`; equal rays give the whole ellipse.
    void Arc(const Rect& box, Point start, Point end);
    void SetPixel(std::int32_t x, std::int32_t y, COLORREF colour);
    // Between these calls SetPixel only collects pixels; the end mixes every distinct
    // pixel once, so a shape plotted point by point survives XOR where plots overlap.
    void BeginPixelBatch();
    void EndPixelBatch();
    // Text ignores the raster operation, as TextOut does; an opaque background fills
    // the text's box with the background colour first.
    void TextOut(Point p, const QString& text);
    TextSize GetTextExtent(const QString& text) const;

    // The drawable area (the whole image) in logical coordinates.
    Rect GetClipBox() const;

    QImage& Image() { return *image_; }

private:
    struct Layer;
    // Paints through `paint` into a layer over the device rectangle `area` and mixes
    // the layer into the image, all but the device pixel `leftOut`. Copying the pen
    // needs no layer: `paint` then draws on the image itself, clipped to `area`,
    // with the same coordinates.
    template <class Paint>
    void PaintMixed(QRect area, Paint&& paint, std::optional<QPoint> leftOut = std::nullopt);
    void SetupPainter(QPainter& p, QPoint layerTopLeft, bool withBrush) const;
    QRect DeviceBounds(std::span<const Point> points) const;
    QRect BoxRect(const Rect& box, QRect* deviceArea) const;
    void MixPixel(std::int32_t dx, std::int32_t dy, COLORREF colour);

    QImage* image_;
    State state_;
    struct BatchPixel {
        Point device;
        COLORREF colour;
    };
    std::optional<std::vector<BatchPixel>> batch_;
};

}  // namespace zv
