#include "gdi/HugePages.h"

#include <sys/mman.h>
#include <unistd.h>

#include <QPainter>
#include <QTransform>

#include <cstdint>

namespace zv {

namespace {

std::size_t WholeHugePages(std::size_t bytes) {
    return (bytes + kHugePageBytes - 1) / kHugePageBytes * kHugePageBytes;
}

struct Mapping {
    void* at;
    std::size_t bytes;
};

void FreeMapping(void* info) {
    auto* m = static_cast<Mapping*>(info);
    UnmapHugePages(m->at, m->bytes);
    delete m;
}

std::size_t WholePages(std::size_t bytes) {
    const auto page = std::size_t(sysconf(_SC_PAGESIZE));
    return (bytes + page - 1) / page * page;
}

// `size` bytes (whole pages) at an address aligned to a huge page: one huge page
// more is mapped and what lies outside the aligned part given back.
std::byte* MapAligned(std::size_t size) {
    auto* raw = static_cast<std::byte*>(mmap(nullptr, size + kHugePageBytes, PROT_READ | PROT_WRITE,
                                             MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
    if (raw == MAP_FAILED) return nullptr;
    const auto at = reinterpret_cast<std::uintptr_t>(raw);
    const std::size_t head = (kHugePageBytes - at % kHugePageBytes) % kHugePageBytes;
    if (head) munmap(raw, head);
    if (kHugePageBytes - head) munmap(raw + head + size, kHugePageBytes - head);
    return raw + head;
}

}  // namespace

void* MapHugePages(std::size_t bytes) {
    if (bytes == 0 || bytes > SIZE_MAX / 2 - kHugePageBytes) return nullptr;
    const std::size_t size = WholeHugePages(bytes);
    std::byte* p = MapAligned(size);
    if (p) madvise(p, size, MADV_HUGEPAGE);
    return p;
}

void UnmapHugePages(void* p, std::size_t bytes) {
    if (p) munmap(p, WholeHugePages(bytes));
}

void* MapAlignedToHugePage(std::size_t bytes) {
    if (bytes == 0 || bytes > SIZE_MAX / 2 - kHugePageBytes) return nullptr;
    return MapAligned(WholePages(bytes));
}

void UnmapPages(void* p, std::size_t bytes) {
    if (p) munmap(p, WholePages(bytes));
}

bool PopulatePages(const void* at, std::size_t bytes) {
#ifdef MADV_POPULATE_WRITE
    const auto page = std::uintptr_t(sysconf(_SC_PAGESIZE));
    const auto start = reinterpret_cast<std::uintptr_t>(at);
    if (!at || page == 0 || bytes > UINTPTR_MAX - start) return false;
    const std::uintptr_t first = (start + page - 1) / page * page;
    const std::uintptr_t end = (start + bytes) / page * page;
    return end <= first ||
           madvise(reinterpret_cast<void*>(first), end - first, MADV_POPULATE_WRITE) == 0;
#else
    (void)at;
    (void)bytes;
    return false;
#endif
}

QImage LargeImage(QSize size, QImage::Format format) {
    if (size.isEmpty()) return {};
    const int depth = QImage::toPixelFormat(format).bitsPerPixel();
    // Rows padded to 32 bits, as QImage lays them out itself.
    const qint64 bytesPerLine = (qint64(size.width()) * depth + 31) / 32 * 4;
    const qint64 bytes = bytesPerLine * size.height();
    if (depth < 8 || bytes < qint64(kHugePageBytes) || bytesPerLine > INT32_MAX)
        return QImage(size, format);
    void* memory = MapHugePages(std::size_t(bytes));
    if (!memory) return QImage(size, format);
    QImage image(static_cast<uchar*>(memory), size.width(), size.height(), qsizetype(bytesPerLine),
                 format, FreeMapping, new Mapping{memory, std::size_t(bytes)});
    if (image.isNull()) {
        UnmapHugePages(memory, std::size_t(bytes));
        return QImage(size, format);
    }
    return image;
}

QImage FastScaled(const QImage& source, QSize size) {
    const QImage::Format f = source.format();
    const bool painted = f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 ||
                         f == QImage::Format_ARGB32_Premultiplied;
    if (!painted || source.isNull() || size.isEmpty() || source.devicePixelRatio() != 1.0)
        return source.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    // What QImage::scaled does for these formats, onto our own memory: a cleared image
    // and the source drawn through the scale, without smoothing.
    QImage out = LargeImage(size, f);
    out.fill(0);
    QPainter p(&out);
    p.setTransform(QTransform::fromScale(qreal(size.width()) / source.width(),
                                         qreal(size.height()) / source.height()));
    p.drawImage(QPoint(0, 0), source);
    p.end();
    return out;
}

}  // namespace zv
