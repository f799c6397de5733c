#include "layers/NeonImg.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "gdi/BinaryIO.h"
#include "gdi/BmpImage.h"
#include "gdi/GdiPaint.h"
#include "layers/PictureImport.h"
#include "layers/Ring.h"

namespace zv {

namespace {

// Shown sizes up to this many pixels are kept ready-scaled; larger ones (a picture
// zoomed far beyond the view) are scaled while drawing, only where they are seen.
constexpr qint64 kMaxCachedPixels = qint64{3840} * 2160;

constexpr int kHandleTolerance = 4;
constexpr int kHandleSize = 6;

std::int32_t Saturate(qint64 v) {
    return static_cast<std::int32_t>(std::clamp<qint64>(v, std::numeric_limits<std::int32_t>::min(),
                                                        std::numeric_limits<std::int32_t>::max()));
}

// The picture with every pixel of `key` see-through; the picture itself when it has
// no such pixel, so that an opaque picture stays a plain copy when drawn.
QImage MaskKey(const QImage& rgb, QRgb key) {
    const int w = rgb.width(), h = rgb.height();
    int y = 0;
    for (; y < h; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        if (std::any_of(row, row + w, [key](QRgb c) { return (c & 0xFFFFFF) == key; })) break;
    }
    if (y == h) return rgb;
    QImage out = rgb.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < w; ++x)
            if ((row[x] & 0xFFFFFF) == key) row[x] = 0;
    }
    return out;
}

}  // namespace

bool PictureRecordHeader::Read(QDataStream& in) {
    std::array<std::int32_t, 8> v{};
    if (!ReadInt32s(in, v)) return false;
    type = v[0];
    kind = v[1];
    height = v[2];
    width = v[3];
    srcHeight = v[4];
    srcWidth = v[5];
    x = v[6];
    y = v[7];
    return true;
}

CNeonImg::CNeonImg() {
    Ring<CNeonImg>::LinkSelf(this);
}

CNeonImg::~CNeonImg() = default;

CNeonImg* CNeonImg::AppendPicture() {
    return Ring<CNeonImg>::Append(this, std::make_unique<CNeonImg>());
}

bool CNeonImg::IsSupportedExtension(const QString& path) {
    return PictureImport::KindFor(path).has_value();
}

QImage CNeonImg::LoadPictureFile(const QString& path, QString* loaderMessage) {
    if (loaderMessage) loaderMessage->clear();
    PictureResult imported = PictureImport::Run(path);
    if (!imported.Ok() && loaderMessage) *loaderMessage = imported.message;
    return imported.image;
}

std::unique_ptr<CNeonImg> CNeonImg::ImportPicture(const QString& path, std::int32_t x1,
                                                  std::int32_t y1, std::int32_t x2, std::int32_t y2,
                                                  QString* loaderMessage) {
    const QImage image = LoadPictureFile(path, loaderMessage);
    if (image.isNull()) return nullptr;
    return FromImport(image, x1, y1, x2, y2);
}

std::unique_ptr<CNeonImg> CNeonImg::FromImport(const QImage& image, std::int32_t x1,
                                               std::int32_t y1, std::int32_t x2, std::int32_t y2) {
    if (image.isNull()) return nullptr;
    auto item = std::make_unique<CNeonImg>();
    item->SetBitmap(image);
    item->x = x1;
    item->y = y1;

    // Fit into the dragged rectangle keeping the aspect ratio, never enlarging. An
    // empty rectangle makes the factor infinite and the picture 0 x 0.
    const double sx = std::fabs(static_cast<double>(x1) - x2);
    const double sy = std::fabs(static_cast<double>(y1) - y2);
    const double rx = item->srcWidth / sx;
    const double ry = item->srcHeight / sy;
    double f = std::max(rx, ry);
    if (f < 1.0) f = 1.0;
    item->width = FloorToInt(item->srcWidth / f);
    item->height = FloorToInt(item->srcHeight / f);
    return item;
}

void CNeonImg::SetBitmap(const QImage& image) {
    bitmap = ToBitmapFormat(image);
    srcWidth = bitmap.width();
    srcHeight = bitmap.height();
}

const QImage& CNeonImg::Shown(bool masked, COLORREF key) const {
    const bool same = cache && cache->bitmapKey == bitmap.cacheKey() && cache->width == width &&
                      cache->height == height && cache->masked == masked &&
                      (!masked || cache->key == key) && !cache->image.isNull();
    if (same) return cache->image;

    QImage source = masked ? MaskKey(bitmap, ToQColor(key).rgb() & 0xFFFFFF) : bitmap;
    // Nearest-pixel scaling keeps every shown pixel one of the picture's own colours,
    // so the mask taken before scaling is the mask of the scaled picture.
    if ((width != source.width() || height != source.height()) &&
        qint64{width} * height <= kMaxCachedPixels)
        source = source.scaled(width, height, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    ShownCache shown{bitmap.cacheKey(), width, height, masked, key, std::move(source)};
    // A cache its copies share and nobody has filled yet is filled for all of them; one
    // that holds another size or mask stays theirs.
    if (cache && cache->image.isNull())
        *cache = std::move(shown);
    else
        cache = std::make_shared<ShownCache>(std::move(shown));
    return cache->image;
}

void CNeonImg::DrawTransparent(QPainter& p, COLORREF key) const {
    if (bitmap.isNull() || width <= 0 || height <= 0) return;
    const QImage& shown = Shown(true, key);
    if (!shown.isNull()) Blit(p, shown);
}

void CNeonImg::Blit(QPainter& p, const QImage& shown) const {
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (shown.width() == width && shown.height() == height)
        p.drawImage(QPoint(x, y), shown);
    else
        p.drawImage(QRectF(x, y, width, height), shown);
    p.restore();
}

void CNeonImg::Draw(QPainter& p, bool selected) const {
    if (!selected) {
        DrawTransparent(p, 0);
        return;
    }
    if (!bitmap.isNull() && width > 0 && height > 0) Blit(p, Shown(false, 0));
    DrawHandles(p);
}

void CNeonImg::DrawHandles(QPainter& p) const {
    // Four 6 x 6 squares outlined with a 3-pixel white pen around a white fill: the
    // pen reaches one pixel past each side, so each handle covers 8 x 8 pixels.
    // (A dash-dot pen wider than one pixel draws solid.)
    const qint64 right = qint64{x} + width, bottom = qint64{y} + height;
    const std::array<std::array<qint64, 2>, 4> corners = {
        {{x, y},
         {right - kHandleSize, bottom - kHandleSize},
         {right - kHandleSize, y},
         {x, bottom - kHandleSize}}};
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    for (const auto& c : corners)
        p.fillRect(QRectF(static_cast<qreal>(c[0] - 1), static_cast<qreal>(c[1] - 1),
                          kHandleSize + 2, kHandleSize + 2),
                   Qt::white);
    p.restore();
}

std::int32_t CNeonImg::HitTest(std::int32_t px, std::int32_t py) const {
    const qint64 left = x, top = y, right = qint64{x} + width, bottom = qint64{y} + height;
    const auto near = [](qint64 a, qint64 b) {
        return a - b < kHandleTolerance && b - a < kHandleTolerance;
    };
    if (!(left < px && px < right && top < py && py < bottom)) return kHitOutside;
    if (near(px, left) && near(py, top)) return kHitTopLeft;
    if (near(px, right) && near(py, bottom)) return kHitBottomRight;
    if (near(px, right) && near(py, top)) return kHitTopRight;
    if (near(px, left) && near(py, bottom)) return kHitBottomLeft;
    const bool betweenTopBottom = top + kHandleTolerance < py && py < bottom - kHandleTolerance;
    const bool betweenLeftRight = left + kHandleTolerance < px && px < right - kHandleTolerance;
    if (near(px, left) && betweenTopBottom) return kHitLeft;
    if (near(py, top) && betweenLeftRight) return kHitTop;
    if (near(px, right) && betweenTopBottom) return kHitRight;
    if (near(py, bottom) && betweenLeftRight) return kHitBottom;
    return kHitInside;
}

void CNeonImg::Adjust(std::int32_t code, std::int32_t x0, std::int32_t y0, std::int32_t x1,
                      std::int32_t y1) {
    const qint64 dx = qint64{x1} - x0, dy = qint64{y1} - y0;
    qint64 w = width, h = height, nx = x, ny = y;
    switch (code) {
        case kHitTopLeft:
            w -= dx;
            h -= dy;
            nx += dx;
            ny += dy;
            break;
        case kHitBottomRight:
            w += dx;
            h += dy;
            break;
        case kHitTopRight:
            w += dx;
            h -= dy;
            ny += dy;
            break;
        case kHitBottomLeft:
            w -= dx;
            h += dy;
            nx += dx;
            break;
        case kHitInside:
            nx += dx;
            ny += dy;
            break;
        case kPlaceAt:
            nx = x1;
            ny = y1;
            break;
        case kHitLeft:
            w -= dx;
            nx += dx;
            break;
        case kHitTop:
            h -= dy;
            ny += dy;
            break;
        case kHitRight:
            w += dx;
            break;
        case kHitBottom:
            h += dy;
            break;
        default:
            return;
    }
    width = Saturate(std::max<qint64>(w, 0));
    height = Saturate(std::max<qint64>(h, 0));
    x = Saturate(nx);
    y = Saturate(ny);
}

void CNeonImg::Drag(std::int32_t px, std::int32_t py) {
    if (dragMode == kDragMove) {
        x = Saturate(qint64{x} + px - dragPoint.x);
        y = Saturate(qint64{y} + py - dragPoint.y);
    } else if (dragMode == kDragAdjust) {
        Adjust(grabCode, dragPoint.x, dragPoint.y, px, py);
    }
    dragPoint = Point{px, py};
}

bool CNeonImg::Intersects(const Rect& r) const {
    const qint64 right = qint64{x} + width, bottom = qint64{y} + height;
    const auto inside = [&r](qint64 px, qint64 py) {
        return r.left < px && px < r.right && r.top < py && py < r.bottom;
    };
    return inside(x, y) || inside(right, y) || inside(right, bottom) || inside(x, bottom);
}

void CNeonImg::Zoom(double factor) {
    width = FloorToInt(width * factor);
    height = FloorToInt(height * factor);
}

void CNeonImg::MakeTransparent(COLORREF colour) {
    if (bitmap.isNull()) return;
    const QRgb key = ToQColor(colour).rgb() & 0xFFFFFF;
    for (int row = 0; row < bitmap.height(); ++row) {
        auto* px = reinterpret_cast<QRgb*>(bitmap.scanLine(row));
        for (int col = 0; col < bitmap.width(); ++col)
            if ((px[col] & 0xFFFFFF) == key) px[col] = 0xFF000000;
    }
}

void CNeonImg::CopyTo(CNeonImg& other) const {
    other.bitmap = bitmap;  // shared until one of them changes its pixels
    if (!cache) cache = std::make_shared<ShownCache>();
    other.cache = cache;
    other.height = height;
    other.width = width;
    other.srcHeight = srcHeight;
    other.srcWidth = srcWidth;
    other.x = x;
    other.y = y;
    Ring<CNeonImg>::LinkSelf(&other);
}

std::unique_ptr<CNeonImg> CNeonImg::Clone() const {
    auto c = std::make_unique<CNeonImg>();
    CopyTo(*c);
    c->dragPoint = dragPoint;
    c->grabCode = grabCode;
    c->dragMode = dragMode;
    return c;
}

void CNeonImg::TakeHeader(const PictureRecordHeader& h) {
    height = h.height;
    width = h.width;
    srcHeight = h.srcHeight;
    srcWidth = h.srcWidth;
    x = h.x;
    y = h.y;
}

bool CNeonImg::Save(QDataStream& out, bool body) const {
    if (body && bitmap.isNull()) return false;
    const std::int32_t header[8] = {5, body ? 5 : 0, height, width, srcHeight, srcWidth, x, y};
    WriteInt32s(out, header);
    if (!body) return out.status() == QDataStream::Ok;
    return WriteBmpImage(out, bitmap);
}

bool CNeonImg::Load(QDataStream& in) {
    QImage image;
    if (!ReadBmpImage(in, image)) return false;
    bitmap = image;
    // The bitmap's own size is what the picture is drawn from.
    srcWidth = bitmap.width();
    srcHeight = bitmap.height();
    return true;
}

}  // namespace zv
