#pragma once
// Large blocks of memory on huge pages. On the machines we run on, every 4 KB page a
// process touches for the first time costs a fault that is dear (several microseconds
// under virtualisation); a screen-sized image is a thousand of them. Memory mapped
// here is aligned to 2 MB and asks the kernel for huge pages, so the same image costs
// two or three faults. Used for cell slabs and for the view-sized images.

#include <QImage>
#include <QSize>

#include <cstddef>

namespace zv {

constexpr std::size_t kHugePageBytes = std::size_t(2) << 20;

// `bytes` rounded up to whole huge pages, mapped zeroed and aligned to a huge page;
// null when the system refuses. Give it back with UnmapHugePages(p, bytes).
void* MapHugePages(std::size_t bytes);
void UnmapHugePages(void* p, std::size_t bytes);
// `bytes` rounded up to whole pages, mapped zeroed at an address aligned to a huge
// page but on ordinary pages, each faulted in when first touched: for memory that
// may stay mostly unused, where zeroing a whole huge page would cost more. Give it
// back with UnmapPages(p, bytes).
void* MapAlignedToHugePage(std::size_t bytes);
void UnmapPages(void* p, std::size_t bytes);

// Makes the whole pages within [at, at + bytes) present now, as writing them would,
// in one call instead of a fault per page when they are first drawn into; what they
// hold does not change. False where the system cannot; the pages then come in as
// they are touched.
bool PopulatePages(const void* at, std::size_t bytes);

// A new image of `size` and `format`, its pixels undefined (as QImage's own). Images
// of 2 MB or more live on huge pages; smaller ones, or when mapping fails, are plain
// QImages. Copies and detaches behave as with any QImage.
QImage LargeImage(QSize size, QImage::Format format);

// `source` stretched to `size` without smoothing, the same pixels as
// QImage::scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation), in a
// LargeImage where the format allows.
QImage FastScaled(const QImage& source, QSize size);

}  // namespace zv
