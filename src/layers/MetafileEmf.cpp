// EMF pictures: libemf2svg turns the records into SVG, QtSvg draws it. The SVG is laid
// out over the drawing's bounding box in device units; we place it inside the frame
// the header gives, so the picture keeps its margins and its aspect ratio.
// libemf2svg trusts the counts and offsets inside records, so every record is first
// checked by libUEMF against the record's size and the file's end.
#include <QPainter>
#include <QSvgRenderer>

#include <cstdlib>
#include <cstring>
#include <memory>

#include <emf2svg.h>
#include <uemf.h>
#include <uemf_endian.h>
#include <uemf_safe.h>

#include "gdi/BmpImage.h"
#include "layers/Metafile.h"
#include "layers/Picture.h"

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

// The header's own variable parts (description text, pixel format), which libUEMF's
// header check leaves alone, must lie inside the header record.
bool HeaderPartsInside(QByteArrayView d, std::uint32_t headerSize) {
    const auto inside = [&](qint64 offset, qint64 length) {
        return offset >= 0 && length >= 0 && offset + length <= headerSize;
    };
    const qint64 nDescription = static_cast<std::uint32_t>(Get32(d, 60));
    const qint64 offDescription = static_cast<std::uint32_t>(Get32(d, 64));
    if (nDescription != 0 && !inside(offDescription, 2 * nDescription)) return false;
    if (headerSize >= 100) {
        const qint64 cbPixelFormat = static_cast<std::uint32_t>(Get32(d, 88));
        const qint64 offPixelFormat = static_cast<std::uint32_t>(Get32(d, 92));
        if (cbPixelFormat != 0 && !inside(offPixelFormat, cbPixelFormat)) return false;
    }
    return true;
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

qsizetype CheckEmfRecords(QByteArrayView data, QString* why) {
    const auto fail = [why](const QString& text) {
        if (why) *why = text;
        return qsizetype{0};
    };
    if (!IsEmf(data)) return fail(QStringLiteral("it has no EMF header"));
    // libUEMF reads records in place as structures: give it an aligned copy.
    const QByteArray copy(data.data(), data.size());
    const char* const begin = copy.constData();
    const char* const limit = begin + copy.size();
    const char* record = begin;
    for (int index = 1; record < limit; ++index) {
        std::uint32_t size = 0, type = 0;
        // torev 1: the records are in this machine's (little-endian) byte order.
        const bool sizeOk = U_emf_record_sizeok(record, limit, &size, &type, 1) != 0;
        const qsizetype at = record - begin;
        if (!sizeOk || size < sizeof(U_EMR) || size % 4 != 0)
            return fail(QStringLiteral("record %1 at byte %2 has a bad size").arg(index).arg(at));
        if (type == U_EMR_HEADER && (index != 1 || !HeaderPartsInside(data, size)))
            return fail(QStringLiteral("its header record is damaged"));
        if (!U_emf_record_safe(record))
            return fail(QStringLiteral("record %1 at byte %2 (type %3) points outside itself")
                            .arg(index)
                            .arg(at)
                            .arg(type));
        record += size;
        if (type == U_EMR_EOF) return record - begin;
    }
    return fail(QStringLiteral("it has no end record"));
}

MetafileImage RenderEmf(QByteArrayView data, int width, int height) {
    MetafileImage result;
    const auto fail = [&result](PictureFailure f, const QString& text) {
        result.image = QImage();
        result.failure = f;
        result.message = text;
        return result;
    };
    EmfHeader h{};
    if (!ReadHeader(data, h) || width <= 0 || height <= 0)
        return fail(PictureFailure::Damaged, QStringLiteral("The EMF header is damaged."));
    QString why;
    const qsizetype length = CheckEmfRecords(data, &why);
    if (length == 0)
        return fail(PictureFailure::Damaged,
                    QStringLiteral("The EMF file is damaged: ") + why + QLatin1Char('.'));
    result.image = QImage(width, height, QImage::Format_RGB32);
    if (result.image.isNull())
        return fail(PictureFailure::NoMemory, QString::fromLatin1(kNoMemoryMessage));
    result.image.fill(Qt::black);

    const double boundsWidth = double(h.boundsRight) - h.boundsLeft;
    const double boundsHeight = double(h.boundsBottom) - h.boundsTop;
    if (boundsWidth <= 0 || boundsHeight <= 0) return result;  // nothing is drawn

    // With no target size given, libemf2svg keeps device units, offset so that the
    // bounding box starts at 0. It gets the records up to the end record only.
    generatorOptions options{};
    options.svgDelimiter = true;
    QByteArray copy(data.data(), length);  // the converter takes a mutable buffer
    char* out = nullptr;
    size_t outLength = 0;
    const int ok =
        emf2svg(copy.data(), static_cast<size_t>(copy.size()), &out, &outLength, &options);
    std::unique_ptr<char, FreeDeleter> owned(out);
    if (!ok || !out)
        return fail(PictureFailure::NotAPicture, QStringLiteral("The EMF file could not be read."));

    QSvgRenderer svg(QByteArray(out, static_cast<qsizetype>(outLength)));
    if (!svg.isValid())
        return fail(PictureFailure::NotAPicture, QStringLiteral("The EMF file could not be read."));

    // The frame in device units, from the device's pixels per millimetre.
    const double pxPerMmX = double(h.deviceWidth) / h.mmWidth;
    const double pxPerMmY = double(h.deviceHeight) / h.mmHeight;
    const double frameLeft = h.frameLeft / 100.0 * pxPerMmX;
    const double frameTop = h.frameTop / 100.0 * pxPerMmY;
    const double frameWidth = (double(h.frameRight) - h.frameLeft) / 100.0 * pxPerMmX;
    const double frameHeight = (double(h.frameBottom) - h.frameTop) / 100.0 * pxPerMmY;
    if (frameWidth <= 0 || frameHeight <= 0) return result;

    QPainter p(&result.image);
    // Metafiles are drawn without smoothing, as the screen draws them: every pixel
    // keeps one of the drawing's colours, so black around the shapes stays clean.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.scale(width / frameWidth, height / frameHeight);
    p.translate(h.boundsLeft - frameLeft, h.boundsTop - frameTop);
    svg.render(&p, QRectF(0, 0, boundsWidth, boundsHeight));
    p.end();
    return result;
}

}  // namespace zv
