#include "layers/Picture.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

#include <algorithm>
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

struct Decoded {
    QImage image;
    PictureFailure failure = PictureFailure::None;
    QString message;
};

Decoded Failed(PictureFailure failure, const QString& message) {
    return Decoded{QImage(), failure, message};
}

QString NotAPictureText() {
    return QStringLiteral(
        "The file is not a picture this program reads (BMP, DIB, GIF, JPG, ICO, EMF or WMF).");
}

bool WithinSides(const QSize& s) {
    return s.width() > 0 && s.height() > 0 && s.width() <= kMaxBitmapSide &&
           s.height() <= kMaxBitmapSide;
}

// Reads one image from `reader`, refusing sizes beyond the limits before any pixel
// memory is taken: the side limit, and the memory the picture takes in the working
// format (Qt's own allocation limit counts the file's pixel format, which may be
// smaller).
Decoded ReadChecked(QImageReader& reader) {
    reader.setAllocationLimit(kRasterAllocationLimitMb);
    const QSize size = reader.size();
    if (size.isEmpty()) return Failed(PictureFailure::NotAPicture, NotAPictureText());
    const QString dimensions = QStringLiteral("%1 x %2").arg(size.width()).arg(size.height());
    if (!WithinSides(size))
        return Failed(PictureFailure::TooLarge,
                      QStringLiteral("The picture is %1 pixels; a picture may be at most %2 "
                                     "pixels on a side.")
                          .arg(dimensions)
                          .arg(kMaxBitmapSide));
    if (qint64{size.width()} * size.height() * 4 > qint64{kRasterAllocationLimitMb} << 20)
        return Failed(PictureFailure::TooLarge,
                      QStringLiteral("The picture (%1 pixels) would take more than %2 MB of "
                                     "memory, the limit for one picture.")
                          .arg(dimensions)
                          .arg(kRasterAllocationLimitMb));
    QImage image;
    if (!reader.read(&image))
        return Failed(
            PictureFailure::NotAPicture,
            QStringLiteral("The picture could not be read: %1.").arg(reader.errorString()));
    if (!WithinSides(image.size())) return Failed(PictureFailure::NotAPicture, NotAPictureText());
    image = ToBitmapFormat(image);
    if (image.isNull())
        return Failed(PictureFailure::NoMemory, QString::fromLatin1(kNoMemoryMessage));
    return Decoded{image, PictureFailure::None, QString()};
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

Decoded DecodeRaster(QByteArrayView bytes) {
    QByteArray data = QByteArray::fromRawData(bytes.data(), bytes.size());
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    // The raster types the picture service reads; other formats Qt happens to know
    // are not pictures here.
    const QByteArray format = reader.format();
    if (format != "bmp" && format != "gif" && format != "jpeg" && format != "ico")
        return Failed(PictureFailure::NotAPicture, NotAPictureText());
    if (format == "ico") ChooseIconImage(reader);
    return ReadChecked(reader);
}

// A metafile is drawn at its extent on the screen, capped at kMaxVectorSide.
Decoded DecodeMetafile(QByteArrayView bytes, bool wmf) {
    MetafileExtent extent;
    if (!(wmf ? ReadWmfExtent(bytes, extent) : ReadEmfExtent(bytes, extent)))
        return Failed(PictureFailure::Damaged, wmf ? QStringLiteral("The WMF header is damaged.")
                                                   : QStringLiteral("The EMF header is damaged."));
    const int w = MulDiv(extent.himetricWidth, kPixelsPerInch, kHimetricPerInch);
    const int h = MulDiv(extent.himetricHeight, kPixelsPerInch, kHimetricPerInch);
    if (w <= 0 || h <= 0)
        return Failed(PictureFailure::Damaged,
                      QStringLiteral("The metafile's header gives it no size in pixels."));
    const QSize size = VectorDrawSize(w, h);
    MetafileImage m = wmf ? RenderWmf(bytes, size.width(), size.height())
                          : RenderEmf(bytes, size.width(), size.height());
    return Decoded{m.image, m.failure, m.message};
}

}  // namespace

QSize VectorDrawSize(int w, int h) {
    if (w <= kMaxVectorSide && h <= kMaxVectorSide) return QSize(w, h);
    if (w >= h) return QSize(kMaxVectorSide, std::max(1, MulDiv(h, kMaxVectorSide, w)));
    return QSize(std::max(1, MulDiv(w, kMaxVectorSide, h)), kMaxVectorSide);
}

QImage ReadBitmapFile(const QString& path, PictureFailure* failure, QString* message) {
    QFile file(path);
    Decoded d;
    if (!file.open(QIODevice::ReadOnly)) {
        d = Failed(PictureFailure::CannotOpen, file.errorString());
    } else {
        QImageReader reader(&file, "bmp");
        d = ReadChecked(reader);
    }
    if (failure) *failure = d.failure;
    if (message) *message = d.message;
    return d.image;
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

void CPicture::Fail(PictureFailure why, const QString& text) {
    failure = why;
    message = text;
}

int CPicture::OpenFile(const QString& path) {
    Release();
    Fail(PictureFailure::None, QString());
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Fail(PictureFailure::CannotOpen, file.errorString());
        return 0;
    }
    const qint64 length = file.size();
    if (length > kMaxPictureFile) {
        Fail(PictureFailure::NoMemory, QString::fromLatin1(kNoMemoryMessage));
        return 0;
    }
    const QByteArray bytes = file.read(length);
    if (bytes.size() != length) {
        Fail(PictureFailure::CannotOpen, file.errorString());
        return 0;
    }
    if (!Decode(bytes)) return 0;
    dataSize = static_cast<std::int32_t>(length);
    return HasPicture() ? 1 : 0;
}

int CPicture::Decode(QByteArrayView bytes) {
    picture = QImage();
    pixelWidth = pixelHeight = 0;
    Fail(PictureFailure::None, QString());
    if (bytes.size() > kMaxPictureFile) {
        Fail(PictureFailure::NoMemory, QString::fromLatin1(kNoMemoryMessage));
        return 0;
    }
    const bool wmf = IsPlaceableWmf(bytes);
    const Decoded d = wmf || IsEmf(bytes) ? DecodeMetafile(bytes, wmf) : DecodeRaster(bytes);
    if (d.failure != PictureFailure::None) {
        Fail(d.failure, d.message);
        return 1;
    }
    picture = d.image;
    pixelWidth = picture.width();
    pixelHeight = picture.height();
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
