#include "gdi/ReadWindow.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace zv {

ReadWindow::ReadWindow(QIODevice& source, qint64 piece)
    : source_(source),
      start_(source.pos()),
      size_(std::max<qint64>(source.size() - source.pos(), 0)),
      piece_(std::max<qint64>(piece, 1)) {}

bool ReadWindow::open(OpenMode mode) {
    // Everything is buffered here already: a second buffer in QIODevice would only
    // add a copy.
    if ((mode & ReadWrite) != ReadOnly || !source_.isReadable() || source_.isSequential())
        return false;
    return QIODevice::open(mode | Unbuffered);
}

bool ReadWindow::seek(qint64 pos) {
    if (pos < 0 || pos > size_ || !QIODevice::seek(pos)) return false;
    at_ = pos;
    return true;
}

bool ReadWindow::Fill() {
    const qint64 want = std::min(piece_, size_ - at_);
    if (want <= 0) return false;
    if (window_.size() < want) window_.resize(std::min(piece_, size_));
    // Bytes from here that the window holds already move to its start, and the rest
    // follows from the source where the window ended, so the source is not sought.
    qint64 kept = 0;
    const qint64 end = windowAt_ + windowLen_;
    if (at_ >= windowAt_ && at_ < end) {
        kept = std::min(end - at_, want);
        std::memmove(window_.data(), window_.constData() + (at_ - windowAt_), std::size_t(kept));
    }
    windowAt_ = at_;
    windowLen_ = kept;
    const qint64 from = start_ + at_ + kept;
    if (kept < want && (source_.pos() == from || source_.seek(from))) {
        const qint64 got = source_.read(window_.data() + kept, want - kept);
        if (got > 0) windowLen_ += got;
    }
    return windowLen_ > 0;
}

std::span<const char> ReadWindow::Take(QDataStream& in, qint64 n, std::size_t align) {
    auto* w = dynamic_cast<ReadWindow*>(in.device());
    if (!w || in.status() != QDataStream::Ok || n < 0 || n > w->piece_ || n > w->size_ - w->at_)
        return {};
    const auto fits = [&] {
        const char* from = w->window_.constData() + (w->at_ - w->windowAt_);
        return w->at_ >= w->windowAt_ && w->at_ + n <= w->windowAt_ + w->windowLen_ &&
               reinterpret_cast<std::uintptr_t>(from) % std::max<std::size_t>(align, 1) == 0;
    };
    // The window starts again from here when the bytes run past it or stand
    // misaligned in it: its own start is aligned.
    if (!fits() && (!w->Fill() || !fits())) return {};
    const char* from = w->window_.constData() + (w->at_ - w->windowAt_);
    if (!w->seek(w->at_ + n)) return {};
    return {from, std::size_t(n)};
}

qint64 ReadWindow::readData(char* data, qint64 maxSize) {
    qint64 done = 0;
    while (done < maxSize && at_ < size_) {
        const qint64 inWindow = windowAt_ + windowLen_ - at_;
        if (at_ >= windowAt_ && inWindow > 0) {
            const qint64 n = std::min(inWindow, maxSize - done);
            std::memcpy(data + done, window_.constData() + (at_ - windowAt_), std::size_t(n));
            done += n;
            at_ += n;
            continue;
        }
        const qint64 rest = std::min(maxSize - done, size_ - at_);
        if (rest >= piece_) {
            // As large as a whole piece: no point passing it through the window.
            if (source_.pos() != start_ + at_ && !source_.seek(start_ + at_)) break;
            const qint64 got = source_.read(data + done, rest);
            if (got <= 0) break;
            done += got;
            at_ += got;
            if (got < rest) break;
            continue;
        }
        if (!Fill()) break;
    }
    return done;
}

}  // namespace zv
