#include "layers/Picture.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

#include <cstdlib>
#include <limits>

#include "gdi/BmpImage.h"
#include "layers/Metafile.h"

namespace zv {

namespace {

// The largest picture file whose bytes we take into memory at once.
constexpr qint64 kMaxPictureFile = qint64{256} << 20;

// Screen resolution the picture sizes are given at.
constexpr int kPixelsPerInch = 96;
constexpr int kHimetricPerInch = 2540;

bool AcceptableSize(const QSize& s) {
    return s.width() > 0 && s.height() > 0 && s.width() <= kMaxBitmapSide &&
           s.height() <= kMaxBitmapSide;
}

// Reads one image from `reader`, refusing absurd sizes before any pixel memory is
// taken.
QImage ReadChecked(QImageReader& reader) {
    if (!AcceptableSize(reader.size())) return {};
    QImage image;
    if (!reader.read(&image) || !AcceptableSize(image.size())) return {};
    return ToBitmapFormat(image);
}

// An icon file holds several sizes; the picture service shows the standard 32 x 32
// icon when there is one, else the first.
void ChooseIconImage(QImageReader& reader) {
    const int count = reader.imageCount();
    for (int i = 0; i < count; ++i) {
        if (!reader.jumpToImage(i)) break;
        if (reader.size() == QSize(32, 32)) return;
    }
    reader.jumpToImage(0);
}

QImage DecodeRaster(QByteArrayView bytes) {
    QByteArray data = QByteArray::fromRawData(bytes.data(), bytes.size());
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    // The raster types the picture service reads; other formats Qt happens to know
    // are not pictures here.
    const QByteArray format = reader.format();
    if (format != "bmp" && format != "gif" && format != "jpeg" && format != "ico") return {};
    if (format == "ico") ChooseIconImage(reader);
    return ReadChecked(reader);
}

}  // namespace

QImage ReadBitmapFile(const QString& path) {
    QImageReader reader(path, "bmp");
    return ReadChecked(reader);
}

std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c) {
    if (c == 0) return -1;
    const std::int64_t p = std::int64_t{a} * b;
    const std::int64_t q = (std::llabs(p) + std::llabs(c) / 2) / std::llabs(c);
    const std::int64_t r = ((p < 0) != (c < 0)) ? -q : q;
    if (r > std::numeric_limits<std::int32_t>::max() ||
        r < std::numeric_limits<std::int32_t>::min())
        return -1;
    return static_cast<std::int32_t>(r);
}

CPicture::CPicture() = default;

CPicture::~CPicture() {
    Release();
}

void CPicture::Release() {
    picture = QImage();
    pixelHeight = 0;
    dataSize = 0;
    pixelWidth = 0;
}

int CPicture::OpenFile(const QString& path) {
    Release();
    message.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        message = file.errorString();
        return 0;
    }
    const qint64 length = file.size();
    if (length > kMaxPictureFile) {
        message = QString::fromLatin1(kNoMemoryMessage);
        return 0;
    }
    const QByteArray bytes = file.read(length);
    if (bytes.size() != length) {
        message = file.errorString();
        return 0;
    }
    if (!Decode(bytes)) return 0;
    dataSize = static_cast<std::int32_t>(length);
    return HasPicture() ? 1 : 0;
}

int CPicture::Decode(QByteArrayView bytes) {
    picture = QImage();
    pixelWidth = pixelHeight = 0;
    if (bytes.size() > kMaxPictureFile) {
        message = QString::fromLatin1(kNoMemoryMessage);
        return 0;
    }

    MetafileExtent extent;
    const bool wmf = IsPlaceableWmf(bytes) && ReadWmfExtent(bytes, extent);
    const bool emf = !wmf && IsEmf(bytes) && ReadEmfExtent(bytes, extent);
    if (wmf || emf) {
        // A metafile has no pixels of its own: it is drawn at its extent on the screen.
        const int w = MulDiv(extent.himetricWidth, kPixelsPerInch, kHimetricPerInch);
        const int h = MulDiv(extent.himetricHeight, kPixelsPerInch, kHimetricPerInch);
        if (!AcceptableSize(QSize(w, h))) return 1;
        picture = wmf ? RenderWmf(bytes, w, h) : RenderEmf(bytes, w, h);
    } else if (!IsPlaceableWmf(bytes) && !IsEmf(bytes)) {
        picture = DecodeRaster(bytes);
    }
    if (!picture.isNull()) {
        pixelWidth = picture.width();
        pixelHeight = picture.height();
    }
    return 1;
}

int CPicture::WriteBitmapFile(const QString& path) {
    message.clear();
    if (picture.isNull()) return 0;
    const QByteArray bytes = EncodeBmpImage(picture, BmpDepthFor(picture.depth()));
    if (bytes.isEmpty()) {
        message = QString::fromLatin1(kNoMemoryMessage);
        return 0;
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        message = file.errorString();
        return 0;
    }
    if (file.write(bytes) != bytes.size()) {
        message = file.errorString();
        return 0;
    }
    return 1;
}

}  // namespace zv
