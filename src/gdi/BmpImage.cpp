#include "gdi/BmpImage.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>

#include <array>
#include <cstdint>
#include <cstring>
#include <limits>

#include "gdi/BinaryIO.h"

namespace zv {

namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;

// The largest file image a reader accepts: the biggest picture we take at 32 bits,
// plus the largest header and colour table.
constexpr qint64 kMaxFileImage =
    qint64{kMaxBitmapSide} * kMaxBitmapSide * 4 + kFileHeaderSize + 124 + 4 * 65536;

constexpr std::uint32_t BI_RGB = 0;
constexpr std::uint32_t BI_RLE8 = 1;
constexpr std::uint32_t BI_RLE4 = 2;
constexpr std::uint32_t BI_BITFIELDS = 3;

void Put16(QByteArray& b, int at, std::uint16_t v) {
    b[at] = static_cast<char>(v & 0xFF);
    b[at + 1] = static_cast<char>(v >> 8);
}

void Put32(QByteArray& b, int at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

std::uint16_t Get16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t Get32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// Bytes of one stored row: padded to a multiple of 4.
qint64 RowBytes(qint64 width, int bitCount) {
    return (width * bitCount + 31) / 32 * 4;
}

// The 16 colours of the standard VGA palette, used when a colour image is stored at
// 4 bits.
const QList<QRgb>& Vga16() {
    static const QList<QRgb> table = {
        qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
        qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
        qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
    return table;
}

// An Indexed8 image whose indices all fit in `bitCount` bits, with its table.
QImage ToPaletteImage(const QImage& image, int bitCount) {
    const int maxColours = 1 << bitCount;
    if ((image.format() == QImage::Format_Indexed8 || image.format() == QImage::Format_Mono ||
         image.format() == QImage::Format_MonoLSB) &&
        image.colorCount() <= maxColours) {
        return image.convertToFormat(QImage::Format_Indexed8);
    }
    const QImage rgb = ToBitmapFormat(image);
    if (bitCount == 1)
        return rgb.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither)
            .convertToFormat(QImage::Format_Indexed8);
    if (bitCount == 4)
        return rgb.convertToFormat(QImage::Format_Indexed8, Vga16(), Qt::ThresholdDither);
    // Qt keeps every colour when there are 256 or fewer, and builds a palette else.
    return rgb.convertToFormat(QImage::Format_Indexed8, Qt::AvoidDither);
}

void PackPaletteRow(const uchar* indices, int width, int bitCount, uchar* out) {
    if (bitCount == 8) {
        std::memcpy(out, indices, static_cast<size_t>(width));
        return;
    }
    const int perByte = 8 / bitCount;
    for (int x = 0; x < width; ++x) {
        const int shift = 8 - bitCount * (x % perByte + 1);
        out[x / perByte] = static_cast<uchar>(out[x / perByte] | (indices[x] << shift));
    }
}

void PackRgbRow(const QRgb* px, int width, int bitCount, uchar* out) {
    for (int x = 0; x < width; ++x) {
        const int r = qRed(px[x]), g = qGreen(px[x]), b = qBlue(px[x]);
        if (bitCount == 16) {
            const auto v =
                static_cast<std::uint16_t>(((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3));
            out[2 * x] = static_cast<uchar>(v & 0xFF);
            out[2 * x + 1] = static_cast<uchar>(v >> 8);
        } else {
            const int step = bitCount / 8;
            out[step * x] = static_cast<uchar>(b);
            out[step * x + 1] = static_cast<uchar>(g);
            out[step * x + 2] = static_cast<uchar>(r);
            // The fourth byte of a 32-bit pixel is reserved and stays 0.
        }
    }
}

}  // namespace

QImage ToBitmapFormat(QImage image) {
    if (image.isNull() || image.format() == QImage::Format_RGB32) return image;
    if (!image.hasAlphaChannel()) return image.convertToFormat(QImage::Format_RGB32);
    QImage out(image.size(), QImage::Format_RGB32);
    if (out.isNull()) return out;
    out.fill(Qt::black);
    QPainter p(&out);
    p.drawImage(0, 0, image);
    return out;
}

int BmpDepthFor(int planesTimesBits) {
    if (planesTimesBits <= 1) return 1;
    if (planesTimesBits <= 4) return 4;
    if (planesTimesBits <= 8) return 8;
    if (planesTimesBits <= 16) return 16;
    if (planesTimesBits <= 24) return 24;
    return 32;
}

QByteArray EncodeBmpImage(const QImage& image, int bitCount, BmpHeaderStyle style) {
    if (image.isNull()) return {};
    const int n = BmpDepthFor(bitCount);
    const int width = image.width(), height = image.height();
    const qint64 rowBytes = RowBytes(width, n);
    const qint64 imageSize = rowBytes * height;

    QImage source;
    QList<QRgb> palette;
    if (n <= 8) {
        source = ToPaletteImage(image, n);
        palette = source.colorTable();
    } else {
        source = ToBitmapFormat(image);
    }
    if (source.isNull()) return {};

    // Entries of the colour table that is written, and the colours-used field.
    qint64 entries = 0;
    std::uint32_t coloursUsed = 0;
    if (style == BmpHeaderStyle::Stored) {
        entries = n < 24 ? (qint64{1} << n) : 0;
        coloursUsed = static_cast<std::uint32_t>(entries);
    } else {
        entries = n <= 8 ? (qint64{1} << n) : 0;
    }
    const qint64 offset = kFileHeaderSize + kInfoHeaderSize + 4 * entries;
    const qint64 fileSize = offset + imageSize;
    if (fileSize > std::numeric_limits<std::uint32_t>::max()) return {};

    QByteArray out(fileSize, '\0');
    out[0] = 'B';
    out[1] = 'M';
    Put32(out, 2, static_cast<std::uint32_t>(fileSize));
    Put32(out, 10, static_cast<std::uint32_t>(offset));

    Put32(out, 14, kInfoHeaderSize);
    Put32(out, 18, static_cast<std::uint32_t>(width));
    Put32(out, 22, static_cast<std::uint32_t>(height));
    Put16(out, 26, 1);
    Put16(out, 28, static_cast<std::uint16_t>(n));
    Put32(out, 30, BI_RGB);
    Put32(out, 34, style == BmpHeaderStyle::Stored ? static_cast<std::uint32_t>(imageSize) : 0u);
    Put32(out, 46, coloursUsed);

    for (int i = 0; i < palette.size() && i < entries; ++i) {
        const int at = kFileHeaderSize + kInfoHeaderSize + 4 * i;
        out[at] = static_cast<char>(qBlue(palette[i]));
        out[at + 1] = static_cast<char>(qGreen(palette[i]));
        out[at + 2] = static_cast<char>(qRed(palette[i]));
    }

    auto* pixels = reinterpret_cast<uchar*>(out.data()) + offset;
    for (int y = 0; y < height; ++y) {
        uchar* row = pixels + rowBytes * (height - 1 - y);  // bottom row first
        if (n <= 8)
            PackPaletteRow(source.constScanLine(y), width, n, row);
        else
            PackRgbRow(reinterpret_cast<const QRgb*>(source.constScanLine(y)), width, n, row);
    }
    return out;
}

bool WriteBmpImage(QDataStream& s, const QImage& image) {
    const QByteArray bytes = EncodeBmpImage(image, BmpDepthFor(image.depth()));
    if (bytes.isEmpty()) return false;
    WriteRaw(s, bytes.constData(), bytes.size());
    return s.status() == QDataStream::Ok;
}

QImage MakeBitmap(QByteArrayView dib) {
    const qint64 size = dib.size();
    const auto* p = reinterpret_cast<const unsigned char*>(dib.data());
    if (size < kInfoHeaderSize) return {};

    const std::uint32_t headerSize = Get32(p);
    // The Windows information headers that share the 40-byte layout.
    if (headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 108 &&
        headerSize != 124)
        return {};
    if (headerSize > size) return {};

    const auto width = static_cast<std::int32_t>(Get32(p + 4));
    const auto height = static_cast<std::int32_t>(Get32(p + 8));
    const std::uint16_t planes = Get16(p + 12);
    const std::uint16_t bitCount = Get16(p + 14);
    const std::uint32_t compression = Get32(p + 16);
    const std::uint32_t coloursUsed = Get32(p + 32);

    if (planes != 1) return {};
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 &&
        bitCount != 32)
        return {};
    const qint64 rows = height < 0 ? -qint64{height} : qint64{height};
    if (width <= 0 || width > kMaxBitmapSide || rows == 0 || rows > kMaxBitmapSide) return {};
    switch (compression) {
        case BI_RGB:
            break;
        case BI_RLE8:
        case BI_RLE4:
            if (bitCount != (compression == BI_RLE8 ? 8 : 4) || height < 0) return {};
            break;
        case BI_BITFIELDS:
            if (bitCount != 16 && bitCount != 32) return {};
            break;
        default:
            return {};
    }

    qint64 entries = bitCount <= 8 ? (qint64{1} << bitCount) : 0;
    if (coloursUsed != 0) entries = coloursUsed;
    if (bitCount <= 8 && entries > (qint64{1} << bitCount)) return {};
    qint64 offset = headerSize + 4 * entries;
    // Three colour masks follow a plain 40-byte header when the pixels use them.
    if (compression == BI_BITFIELDS && headerSize == 40) offset += 12;
    if (offset > size) return {};
    if (compression == BI_RGB || compression == BI_BITFIELDS) {
        if (RowBytes(width, bitCount) * rows > size - offset) return {};
    }

    // Qt's decoder reads a whole file: give the bytes a file header of our own whose
    // pixel offset is the one worked out above.
    QByteArray file(kFileHeaderSize, '\0');
    file[0] = 'B';
    file[1] = 'M';
    Put32(file, 2, static_cast<std::uint32_t>(kFileHeaderSize + size));
    Put32(file, 10, static_cast<std::uint32_t>(kFileHeaderSize + offset));
    file.append(dib.data(), size);

    QBuffer buffer(&file);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "bmp");
    QImage image;
    if (!reader.read(&image)) return {};
    if (image.width() != width || image.height() != rows) return {};
    return ToBitmapFormat(image);
}

bool ReadBmpImage(QDataStream& s, QImage& out) {
    out = QImage();
    std::array<unsigned char, kFileHeaderSize> header{};
    if (!ReadRaw(s, header.data(), kFileHeaderSize)) return false;
    const qint64 fileSize = Get32(header.data() + 2);
    if (fileSize < kFileHeaderSize + kInfoHeaderSize || fileSize > kMaxFileImage) return false;
    QByteArray dib;
    if (!ReadRaw(s, fileSize - kFileHeaderSize, dib)) return false;
    out = MakeBitmap(dib);
    return !out.isNull();
}

}  // namespace zv
