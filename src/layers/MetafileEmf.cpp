// EMF pictures: libemf2svg turns the records into SVG, QtSvg draws it. The SVG is laid
// out over the drawing's bounding box in device units; we place it inside the frame
// the header gives, so the picture keeps its margins and its aspect ratio.
#include <QPainter>
#include <QSvgRenderer>

#include <cstdlib>
#include <cstring>
#include <memory>

#include <emf2svg.h>

#include "gdi/BmpImage.h"
#include "layers/Metafile.h"

namespace zv {

namespace {

constexpr int kEmfHeaderSize = 88;
constexpr std::uint32_t EMR_HEADER = 1;
constexpr std::uint32_t ENHMETA_SIGNATURE = 0x464D4520;  // " EMF"

std::int32_t Get32(QByteArrayView d, qsizetype at) {
    std::uint32_t u = 0;
    for (int i = 0; i < 4; ++i)
        u |= static_cast<std::uint32_t>(static_cast<unsigned char>(d[at + i])) << (8 * i);
    return static_cast<std::int32_t>(u);
}

struct EmfHeader {
    std::int32_t boundsLeft, boundsTop, boundsRight, boundsBottom;  // device units
    std::int32_t frameLeft, frameTop, frameRight, frameBottom;      // 0.01 mm
    std::int32_t deviceWidth, deviceHeight;                         // pixels
    std::int32_t mmWidth, mmHeight;                                 // millimetres
};

bool ReadHeader(QByteArrayView d, EmfHeader& h) {
    if (!IsEmf(d)) return false;
    const std::int64_t headerSize = static_cast<std::uint32_t>(Get32(d, 4));
    const std::int64_t fileSize = static_cast<std::uint32_t>(Get32(d, 48));
    if (headerSize < kEmfHeaderSize || headerSize > d.size() || fileSize > d.size() ||
        fileSize < headerSize)
        return false;
    h = EmfHeader{Get32(d, 8),  Get32(d, 12), Get32(d, 16), Get32(d, 20),
                  Get32(d, 24), Get32(d, 28), Get32(d, 32), Get32(d, 36),
                  Get32(d, 72), Get32(d, 76), Get32(d, 80), Get32(d, 84)};
    return h.deviceWidth > 0 && h.deviceHeight > 0 && h.mmWidth > 0 && h.mmHeight > 0;
}

struct FreeDeleter {
    void operator()(char* p) const { std::free(p); }
};

}  // namespace

bool IsEmf(QByteArrayView d) {
    return d.size() >= kEmfHeaderSize && static_cast<std::uint32_t>(Get32(d, 0)) == EMR_HEADER &&
           static_cast<std::uint32_t>(Get32(d, 40)) == ENHMETA_SIGNATURE;
}

bool ReadEmfExtent(QByteArrayView data, MetafileExtent& extent) {
    EmfHeader h{};
    if (!ReadHeader(data, h)) return false;
    extent.himetricWidth = static_cast<std::int32_t>(std::int64_t{h.frameRight} - h.frameLeft);
    extent.himetricHeight = static_cast<std::int32_t>(std::int64_t{h.frameBottom} - h.frameTop);
    return extent.himetricWidth > 0 && extent.himetricHeight > 0;
}

QImage RenderEmf(QByteArrayView data, int width, int height) {
    EmfHeader h{};
    if (!ReadHeader(data, h) || width <= 0 || height <= 0) return {};
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull()) return {};
    image.fill(Qt::black);

    const double boundsWidth = double(h.boundsRight) - h.boundsLeft;
    const double boundsHeight = double(h.boundsBottom) - h.boundsTop;
    if (boundsWidth <= 0 || boundsHeight <= 0) return image;  // nothing is drawn

    // With no target size given, libemf2svg keeps device units, offset so that the
    // bounding box starts at 0.
    generatorOptions options{};
    options.svgDelimiter = true;
    QByteArray copy(data.data(), data.size());  // the converter takes a mutable buffer
    char* out = nullptr;
    size_t outLength = 0;
    const int ok =
        emf2svg(copy.data(), static_cast<size_t>(copy.size()), &out, &outLength, &options);
    std::unique_ptr<char, FreeDeleter> owned(out);
    if (!ok || !out) return {};

    QSvgRenderer svg(QByteArray(out, static_cast<qsizetype>(outLength)));
    if (!svg.isValid()) return {};

    // The frame in device units, from the device's pixels per millimetre.
    const double pxPerMmX = double(h.deviceWidth) / h.mmWidth;
    const double pxPerMmY = double(h.deviceHeight) / h.mmHeight;
    const double frameLeft = h.frameLeft / 100.0 * pxPerMmX;
    const double frameTop = h.frameTop / 100.0 * pxPerMmY;
    const double frameWidth = (double(h.frameRight) - h.frameLeft) / 100.0 * pxPerMmX;
    const double frameHeight = (double(h.frameBottom) - h.frameTop) / 100.0 * pxPerMmY;
    if (frameWidth <= 0 || frameHeight <= 0) return image;

    QPainter p(&image);
    // Metafiles are drawn without smoothing, as the screen draws them: every pixel
    // keeps one of the drawing's colours, so black around the shapes stays clean.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.scale(width / frameWidth, height / frameHeight);
    p.translate(h.boundsLeft - frameLeft, h.boundsTop - frameTop);
    svg.render(&p, QRectF(0, 0, boundsWidth, boundsHeight));
    p.end();
    return image;
}

}  // namespace zv
