#pragma once
// A picture item: an imported image placed on a frame, the rectangle it is shown in
// and the state of a mouse drag that moves or resizes it. Black pixels are
// transparent, so a neon photograph on black shows only its lit parts.

#include <QDataStream>
#include <QImage>
#include <QString>

#include <cstdint>
#include <memory>

#include "gdi/Geometry.h"

class QPainter;

namespace zv {

// The eight values that open every picture record of a scheme file.
struct PictureRecordHeader {
    std::int32_t type = 5;
    std::int32_t kind = 0;  // 5 for a picture item, 0 in the end header
    std::int32_t height = 0;
    std::int32_t width = 0;
    std::int32_t srcHeight = 0;
    std::int32_t srcWidth = 0;
    std::int32_t x = 0;
    std::int32_t y = 0;

    bool IsItem() const { return kind == 5; }
    bool Read(QDataStream& in);
};

// Where a point lies on a picture (HitTest) and what a drag there changes (Adjust).
enum PictureHit : std::int32_t {
    kHitOutside = 0,
    kHitTopLeft = 1,
    kHitBottomRight = 2,
    kHitTopRight = 3,
    kHitBottomLeft = 4,
    kHitInside = 5,
    kPlaceAt = 6,  // Adjust only: put the top-left corner at the second point
    kHitLeft = 11,
    kHitTop = 12,
    kHitRight = 13,
    kHitBottom = 14,
};

// Drag modes.
constexpr std::int32_t kDragNone = 0;
constexpr std::int32_t kDragMove = 1;
constexpr std::int32_t kDragAdjust = 2;

class CNeonImg {
public:
    CNeonImg();
    virtual ~CNeonImg();
    CNeonImg(const CNeonImg&) = delete;
    CNeonImg& operator=(const CNeonImg&) = delete;

    // Builds a picture from an already chosen file, shown at (x1, y1) and fitted into
    // the dragged rectangle without enlarging it. The file types are told by the
    // extension: BMP, DIB, EMF, GIF, ICO, JPG, WMF. The file is decoded by the picture
    // decoder helper under its limits (PictureImport::Run), which this waits for.
    // None when the picture cannot be imported; `loaderMessage` then says why, for
    // the "CPicture Error" box.
    static std::unique_ptr<CNeonImg> ImportPicture(const QString& path, std::int32_t x1,
                                                   std::int32_t y1, std::int32_t x2,
                                                   std::int32_t y2,
                                                   QString* loaderMessage = nullptr);
    // The item ImportPicture makes of an imported image: at (x1, y1), fitted into the
    // dragged rectangle keeping the aspect ratio and never enlarging. An empty
    // rectangle gives a picture of 0 x 0. For an import that ran on its own
    // (PictureImport).
    static std::unique_ptr<CNeonImg> FromImport(const QImage& image, std::int32_t x1,
                                                std::int32_t y1, std::int32_t x2, std::int32_t y2);
    static bool IsSupportedExtension(const QString& path);
    // The picture in a file of a type ImportPicture takes, in the working format,
    // decoded the same way (the decoder helper, waited for); null, with the reason in
    // `loaderMessage`, when it cannot be imported.
    static QImage LoadPictureFile(const QString& path, QString* loaderMessage = nullptr);

    // Ring anchor only: a new empty item linked as the last one.
    CNeonImg* AppendPicture();

    // Sets the image (converted to the working format) and its size.
    void SetBitmap(const QImage& image);

    // The picture stretched into its rectangle: with black transparent, or, when
    // selected, opaque with four handle squares at its corners.
    void Draw(QPainter& p, bool selected) const;
    // The picture stretched into its rectangle, pixels of `key` leaving what lies
    // below.
    void DrawTransparent(QPainter& p, COLORREF key) const;

    std::int32_t HitTest(std::int32_t px, std::int32_t py) const;
    // Moves or resizes by the mouse step (x0, y0) -> (x1, y1); never leaves a
    // negative size.
    void Adjust(std::int32_t code, std::int32_t x0, std::int32_t y0, std::int32_t x1,
                std::int32_t y1);
    // One mouse move of a drag, by dragMode.
    void Drag(std::int32_t px, std::int32_t py);
    // True when a corner of the shown rectangle lies strictly inside `r`.
    bool Intersects(const Rect& r) const;
    // Scales the shown size, rounding down.
    void Zoom(double factor);
    // Every pixel of `colour` in the picture's own bitmap becomes black (transparent).
    void MakeTransparent(COLORREF colour);

    // `other` gets a copy of the bitmap and the shown and source sizes and position,
    // and stands alone afterwards. `other` must not be in a ring.
    void CopyTo(CNeonImg& other) const;
    // An exact copy standing alone, drag state included.
    std::unique_ptr<CNeonImg> Clone() const;

    // The record: the header (second value 5 with `body`, 0 for the end header that
    // the ring's anchor writes), then with `body` the bitmap as a BMP file image.
    // False, with nothing written, when `body` is asked of an item without a bitmap.
    bool Save(QDataStream& out, bool body) const;
    // Reads the bitmap after the caller has read the header, made the item and set
    // the six values. False, with the item unchanged, when the image runs past the
    // stream or does not convert.
    bool Load(QDataStream& in);

    // Sets the six values of a record header.
    void TakeHeader(const PictureRecordHeader& h);

    CNeonImg* next = nullptr;
    CNeonImg* prev = nullptr;
    QImage bitmap;  // Format_RGB32
    std::int32_t height = 0;
    std::int32_t width = 0;
    std::int32_t srcHeight = 0;
    std::int32_t srcWidth = 0;
    std::int32_t x = 0;
    std::int32_t y = 0;
    Point dragPoint;
    std::int32_t grabCode = kHitOutside;
    std::int32_t dragMode = kDragNone;

private:
    // What was last drawn, scaled to the shown size (and masked), kept while the
    // bitmap, the size and the key stay the same.
    struct ShownCache {
        qint64 bitmapKey = 0;
        std::int32_t width = 0;
        std::int32_t height = 0;
        bool masked = false;
        COLORREF key = 0;
        QImage image;
    };
    const QImage& Shown(bool masked, COLORREF key) const;
    void DrawHandles(QPainter& p) const;
    // `shown` (the bitmap already at the shown size, or to be stretched) at (x, y).
    void Blit(QPainter& p, const QImage& shown) const;

    // Shared by the copies of a picture (a frame copied from another, undo's copies)
    // until one of them is shown differently: the first to be drawn fills it for all.
    mutable std::shared_ptr<ShownCache> cache;
};

}  // namespace zv
