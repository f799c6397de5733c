#include "layers/NeonBkg.h"

#include <QPainter>

#include <array>

#include "gdi/BinaryIO.h"
#include "gdi/BmpImage.h"
#include "gdi/GdiPaint.h"
#include "gdi/HugePages.h"

namespace zv {

namespace {

// Targets up to this many pixels keep a ready-stretched copy of the background.
constexpr qint64 kMaxCachedPixels = qint64{7680} * 4320;

}  // namespace

bool BackgroundRecordHeader::Read(QDataStream& in) {
    std::array<std::int32_t, 4> v{};
    if (!ReadInt32s(in, v)) return false;
    type = v[0];
    hasBitmap = v[1];
    bkHeight = v[2];
    bkWidth = v[3];
    return true;
}

CNeonBkg::CNeonBkg() = default;

CNeonBkg::~CNeonBkg() = default;

void CNeonBkg::SetBitmap(const QImage& image) {
    hasBitmap = 1;
    bitmap = ToBitmapFormat(image);
    bkWidth = bitmap.width();
    bkHeight = bitmap.height();
}

void CNeonBkg::Clear() {
    hasBitmap = 0;
}

void CNeonBkg::Draw(QPainter& p, const Rect& target) const {
    if (!hasBitmap || bitmap.isNull() || target.IsEmpty()) return;
    const QRect dest = ToQRect(target);
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (dest.size() == bitmap.size()) {
        p.drawImage(dest.topLeft(), bitmap);
    } else if (qint64{dest.width()} * dest.height() <= kMaxCachedPixels) {
        // Stretched straight onto the target the first time at a size; kept
        // stretched from the second, when the size has shown it stays. A sign opened
        // and shown once then costs no second image of the view's size.
        if (cache.bitmapKey != bitmap.cacheKey() || cache.size != dest.size()) {
            cache = StretchedCache{bitmap.cacheKey(), dest.size(), QImage()};
            p.drawImage(dest, bitmap);
        } else {
            if (cache.image.isNull()) cache.image = FastScaled(bitmap, dest.size());
            p.drawImage(dest.topLeft(), cache.image);
        }
    } else {
        p.drawImage(dest, bitmap);
    }
    p.restore();
}

bool CNeonBkg::Save(QDataStream& out) const {
    const bool withImage = hasBitmap && !bitmap.isNull();
    const std::int32_t header[4] = {6, withImage ? 1 : 0, bkHeight, bkWidth};
    WriteInt32s(out, header);
    if (!withImage) return out.status() == QDataStream::Ok;
    return WriteBmpImage(out, bitmap);
}

void CNeonBkg::TakeHeader(const BackgroundRecordHeader& h) {
    hasBitmap = h.hasBitmap == 1 ? 1 : 0;
    bkHeight = h.bkHeight;
    bkWidth = h.bkWidth;
}

bool CNeonBkg::Load(QDataStream& in) {
    if (!hasBitmap) return true;
    QImage image;
    if (!ReadBmpImage(in, image)) return false;
    bitmap = image;
    // Drawn from the bitmap's own size.
    bkWidth = bitmap.width();
    bkHeight = bitmap.height();
    return true;
}

}  // namespace zv
