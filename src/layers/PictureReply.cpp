#include "layers/PictureReply.h"

#include <QDataStream>
#include <QIODevice>

#include <array>
#include <cerrno>

#include <unistd.h>

#include "gdi/BinaryIO.h"
#include "gdi/BmpImage.h"
#include "layers/Picture.h"

namespace zv {

namespace {

constexpr char kMagic[4] = {'Z', 'V', 'P', 'D'};
constexpr qsizetype kHeaderSize = 4 + 5 * 4;

bool WriteAll(int fd, const char* data, qint64 size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, static_cast<size_t>(size));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= n;
    }
    return true;
}

}  // namespace

bool PictureReply::Send(int fd, PictureFailure failure, const QImage& picture,
                        std::int32_t dataSize, const QString& text) {
    const bool ok = failure == PictureFailure::None;
    const QImage image =
        ok && picture.format() != QImage::Format_RGB32 ? ToBitmapFormat(picture) : picture;
    const QByteArray utf8 = text.toUtf8().left(kMaxReplyMessage);
    QByteArray head;
    {
        QDataStream out(&head, QIODevice::WriteOnly);
        UseFileByteOrder(out);
        WriteRaw(out, kMagic, sizeof kMagic);
        const std::array<std::int32_t, 5> fields = {
            static_cast<std::int32_t>(failure), ok ? image.width() : 0, ok ? image.height() : 0,
            dataSize, static_cast<std::int32_t>(utf8.size())};
        WriteInt32s(out, fields);
    }
    head += utf8;
    if (!WriteAll(fd, head.constData(), head.size())) return false;
    if (!ok) return true;
    const qint64 row = qint64{image.width()} * 4;
    // Rows of a 32-bit image are never padded: one write takes them all.
    if (image.bytesPerLine() == row)
        return WriteAll(fd, reinterpret_cast<const char*>(image.constBits()), row * image.height());
    for (int y = 0; y < image.height(); ++y)
        if (!WriteAll(fd, reinterpret_cast<const char*>(image.constScanLine(y)), row)) return false;
    return true;
}

bool PictureReply::Reject(const QString& why) {
    stage = Stage::Bad;
    problem = why;
    image = QImage();
    return false;
}

bool PictureReply::TakeHeader() {
    QDataStream in(pending);
    UseFileByteOrder(in);
    char magic[4] = {};
    std::array<std::int32_t, 5> v{};
    if (!ReadRaw(in, magic, sizeof magic) || !ReadInt32s(in, v) ||
        QByteArrayView(magic, 4) != QByteArrayView(kMagic, 4))
        return Reject(QStringLiteral("its answer does not start like a picture"));
    if (!IsKnownFailure(v[0])) return Reject(QStringLiteral("its answer names no known outcome"));
    failure = static_cast<PictureFailure>(v[0]);
    width = v[1];
    height = v[2];
    dataSize = v[3];
    const std::int32_t messageLength = v[4];
    if (messageLength < 0 || messageLength > kMaxReplyMessage)
        return Reject(QStringLiteral("its answer has a message of %1 bytes").arg(messageLength));
    if (failure == PictureFailure::None) {
        // No picture larger than the raster limit ever comes back; vector pictures
        // are smaller still.
        const bool sidesOk = width > 0 && height > 0 && width <= kMaxBitmapSide &&
                             height <= kMaxBitmapSide &&
                             qint64{width} * height * 4 <= qint64{kRasterAllocationLimitMb} << 20;
        if (!sidesOk)
            return Reject(
                QStringLiteral("it answered with a %1 x %2 picture").arg(width).arg(height));
    } else if (width != 0 || height != 0) {
        return Reject(QStringLiteral("it answered a failure with a picture"));
    }
    pending.clear();
    wanted = messageLength;
    stage = Stage::Message;
    return true;
}

bool PictureReply::ReadFrom(QIODevice& device) {
    while (stage != Stage::Bad && stage != Stage::Done) {
        if (stage == Stage::Header || stage == Stage::Message) {
            if (stage == Stage::Header) wanted = kHeaderSize;
            if (pending.size() < wanted) {
                const QByteArray more = device.read(wanted - pending.size());
                if (more.isEmpty()) break;
                pending += more;
                if (pending.size() < wanted) break;
            }
            if (stage == Stage::Header) {
                if (!TakeHeader()) return false;
                continue;
            }
            message = QString::fromUtf8(pending);
            pending.clear();
            if (failure != PictureFailure::None) {
                stage = Stage::Done;
                break;
            }
            image = QImage(width, height, QImage::Format_RGB32);
            if (image.isNull()) return Reject(QString::fromLatin1(kNoMemoryMessage));
            stage = Stage::Pixels;
            continue;
        }
        // Pixels straight into the image, row by row.
        const qint64 row = qint64{width} * 4;
        const qint64 total = row * height;
        const int y = static_cast<int>(pixelBytesRead / row);
        const qint64 inRow = pixelBytesRead % row;
        const qint64 n =
            device.read(reinterpret_cast<char*>(image.scanLine(y)) + inRow, row - inRow);
        if (n < 0) return Reject(QStringLiteral("its answer could not be read"));
        if (n == 0) break;
        pixelBytesRead += n;
        if (pixelBytesRead == total) stage = Stage::Done;
    }
    if (stage == Stage::Done && device.bytesAvailable() > 0)
        return Reject(QStringLiteral("it answered more than the picture"));
    return stage != Stage::Bad;
}

}  // namespace zv
