#include "gdi/ReadWindow.h"

#include <unistd.h>

#include <QFileDevice>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <thread>

#include "gdi/HugePages.h"

namespace zv {

// Pieces of a file read in order on a thread of its own into a few slots, each with
// room for a piece in front of it: the bytes of the window that the parser still
// needs are put there, just before the next piece, so the window stays one run of
// bytes without moving the piece itself.
class ReadWindow::Ahead {
public:
    struct Window {
        const char* data;
        qint64 len;
    };

    // Reads `bytes` from file offset `from` of `fd`, a piece at a time.
    Ahead(int fd, qint64 from, qint64 bytes, qint64 piece)
        : fd_(fd), from_(from), bytes_(bytes), piece_(piece), memoryBytes_(kSlots * 2 * piece) {
        memory_ = static_cast<char*>(MapHugePages(memoryBytes_));
        onHugePages_ = memory_ != nullptr;
        if (!memory_) memory_ = new char[memoryBytes_];
        try {
            thread_ = std::thread([this] { Run(); });
        } catch (...) {
            FreeMemory();
            throw;
        }
    }

    ~Ahead() {
        {
            std::lock_guard lock(mutex_);
            stop_ = true;
        }
        changed_.notify_all();
        thread_.join();
        FreeMemory();
    }

    // Where the next piece starts, counted from `from`.
    qint64 NextAt() const { return std::min(next_ * piece_, bytes_); }

    // The next piece with the `keptLen` (< piece) bytes at `kept` in front of it; the
    // piece handed out before (where `kept` may lie) is then given back. A piece the
    // file no longer has in full comes short, and after it nothing comes.
    Window Next(const char* kept, qint64 keptLen) {
        const qint64 index = next_++;
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return read_ > index || ended_; });
        if (read_ <= index) return {kept, keptLen};  // nothing more: the window as it was
        char* data = Slot(index);
        const qint64 len = len_[index % kSlots];
        lock.unlock();
        if (keptLen > 0) std::memcpy(data - keptLen, kept, std::size_t(keptLen));
        lock.lock();
        released_ = index;  // every piece before this one is done with
        lock.unlock();
        changed_.notify_all();
        return {data - keptLen, keptLen + len};
    }

private:
    static constexpr qint64 kSlots = 3;

    char* Slot(qint64 index) const { return memory_ + (index % kSlots) * 2 * piece_ + piece_; }

    void FreeMemory() {
        if (onHugePages_)
            UnmapHugePages(memory_, memoryBytes_);
        else
            delete[] memory_;
    }

    void Run() {
        for (qint64 index = 0;; ++index) {
            const qint64 at = index * piece_;
            {
                std::unique_lock lock(mutex_);
                changed_.wait(lock, [&] { return stop_ || index < released_ + kSlots; });
                if (stop_ || at >= bytes_) {
                    ended_ = true;
                    break;
                }
            }
            const qint64 want = std::min(piece_, bytes_ - at);
            char* data = Slot(index);
            qint64 got = 0;
            while (got < want) {
                const ssize_t n = pread(fd_, data + got, std::size_t(want - got), from_ + at + got);
                if (n < 0 && errno == EINTR) continue;
                if (n <= 0) break;
                got += n;
            }
            {
                std::lock_guard lock(mutex_);
                len_[index % kSlots] = got;
                read_ = index + 1;
                if (got < want) ended_ = true;
            }
            changed_.notify_all();
            if (got < want) break;
        }
        changed_.notify_all();
    }

    const int fd_;
    const qint64 from_;
    const qint64 bytes_;
    const qint64 piece_;
    const std::size_t memoryBytes_;
    char* memory_ = nullptr;
    bool onHugePages_ = false;
    qint64 next_ = 0;  // the parser's side only

    std::mutex mutex_;
    std::condition_variable changed_;
    qint64 len_[kSlots] = {};
    qint64 read_ = 0;       // pieces read
    qint64 released_ = -1;  // pieces before this one may be read over
    bool ended_ = false;
    bool stop_ = false;
    std::thread thread_;
};

ReadWindow::ReadWindow(QIODevice& source, qint64 piece)
    : source_(source),
      start_(source.pos()),
      size_(std::max<qint64>(source.size() - source.pos(), 0)),
      piece_(std::max<qint64>(piece, 1)) {}

ReadWindow::~ReadWindow() = default;

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

void ReadWindow::StartAhead() {
    // Started at the first read rather than at opening, so that the file is read as it
    // is when the parser begins. Worth a thread only for several pieces.
    aheadTried_ = true;
    // The file is read past its own buffer: not one that is being written, whose
    // buffer may hold bytes the file does not have yet.
    auto* file = qobject_cast<QFileDevice*>(&source_);
    if (!file || file->handle() < 0 || (file->openMode() & WriteOnly) || at_ != 0 ||
        windowLen_ != 0 || size_ <= 2 * piece_ || piece_ > (qint64(1) << 30))
        return;
    try {
        ahead_ = std::make_unique<Ahead>(file->handle(), start_, size_, piece_);
    } catch (...) {
        // No thread or no memory for the pieces: read in turn.
    }
}

void ReadWindow::StopAhead() {
    // Reading goes on in turn, with the window moved into the buffer.
    if (!ahead_) return;
    const qint64 keep = std::min(windowLen_, piece_);
    QByteArray held(window_, qsizetype(keep));
    ahead_.reset();
    buffer_ = std::move(held);
    window_ = buffer_.constData();
    windowLen_ = keep;
}

bool ReadWindow::Fill() {
    if (!aheadTried_) StartAhead();
    if (ahead_) {
        const qint64 end = windowAt_ + windowLen_;
        if (at_ >= windowAt_ && at_ <= end && end == ahead_->NextAt() && end < size_) {
            const qint64 kept = end - at_;
            if (kept < piece_) {
                const Ahead::Window w = ahead_->Next(window_ + (at_ - windowAt_), kept);
                window_ = w.data;
                windowAt_ = at_;
                windowLen_ = w.len;
                return windowLen_ > 0;
            }
        }
        StopAhead();
    }
    return FillInTurn();
}

bool ReadWindow::FillInTurn() {
    const qint64 want = std::min(piece_, size_ - at_);
    if (want <= 0) return false;
    if (buffer_.size() < want) {
        // Grown keeping the window's bytes, which stand in the buffer when there are any.
        const qint64 offset = window_ ? window_ - buffer_.constData() : 0;
        buffer_.resize(std::min(piece_, size_));
        if (window_) window_ = buffer_.constData() + offset;
    }
    // Bytes from here that the window holds already move to its start, and the rest
    // follows from the source where the window ended, so the source is not sought.
    qint64 kept = 0;
    const qint64 end = windowAt_ + windowLen_;
    if (at_ >= windowAt_ && at_ < end) {
        kept = std::min(end - at_, want);
        std::memmove(buffer_.data(), window_ + (at_ - windowAt_), std::size_t(kept));
    }
    window_ = buffer_.constData();
    windowAt_ = at_;
    windowLen_ = kept;
    const qint64 from = start_ + at_ + kept;
    if (kept < want && (source_.pos() == from || source_.seek(from))) {
        const qint64 got = source_.read(buffer_.data() + kept, want - kept);
        if (got > 0) windowLen_ += got;
    }
    return windowLen_ > 0;
}

std::span<const char> ReadWindow::Take(QDataStream& in, qint64 n, std::size_t align) {
    auto* w = dynamic_cast<ReadWindow*>(in.device());
    if (!w || in.status() != QDataStream::Ok || n < 0 || n > w->piece_ || n > w->size_ - w->at_)
        return {};
    const auto inWindow = [&] {
        return w->at_ >= w->windowAt_ && w->at_ + n <= w->windowAt_ + w->windowLen_;
    };
    const auto aligned = [&] {
        const char* from = w->window_ + (w->at_ - w->windowAt_);
        return reinterpret_cast<std::uintptr_t>(from) % std::max<std::size_t>(align, 1) == 0;
    };
    // The window starts again from here when the bytes run past it; read in turn, it
    // also does when they stand misaligned in it, as its own start is aligned.
    if (!inWindow() || (!aligned() && !w->ahead_)) {
        if (!w->Fill() || !inWindow()) return {};
    }
    if (!aligned()) return {};
    const char* from = w->window_ + (w->at_ - w->windowAt_);
    if (!w->seek(w->at_ + n)) return {};
    return {from, std::size_t(n)};
}

qint64 ReadWindow::readData(char* data, qint64 maxSize) {
    qint64 done = 0;
    while (done < maxSize && at_ < size_) {
        const qint64 inWindow = windowAt_ + windowLen_ - at_;
        if (at_ >= windowAt_ && inWindow > 0) {
            const qint64 n = std::min(inWindow, maxSize - done);
            std::memcpy(data + done, window_ + (at_ - windowAt_), std::size_t(n));
            done += n;
            at_ += n;
            continue;
        }
        const qint64 rest = std::min(maxSize - done, size_ - at_);
        if (rest >= piece_ && !ahead_) {
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
