#pragma once
// Reads a random-access device for a parser that goes through it from front to back:
// the source is read a large piece at a time into one buffer that is used again for
// every piece, and the parser's reads are served from there. A large file is then
// copied once from the system's cache into memory that stays warm, instead of being
// mapped (each page of a mapping is faulted in on its own, which costs more than
// reading it) or read whole into fresh memory as large as the file. Reads at least as
// large as the buffer go straight from the source into the caller's memory.
//
// The size is the source's when the window is opened; a source that ends early makes
// the reads short, which a QDataStream reports as a read past the end.

#include <QByteArray>
#include <QDataStream>
#include <QIODevice>

#include <cstddef>
#include <span>

namespace zv {

class ReadWindow : public QIODevice {
public:
    static constexpr qint64 kDefaultPiece = qint64(1) << 20;

    // `source` must be open for reading and not sequential; it is read from its
    // current position, which becomes position 0 here.
    explicit ReadWindow(QIODevice& source, qint64 piece = kDefaultPiece);

    bool open(OpenMode mode) override;
    bool isSequential() const override { return false; }
    qint64 size() const override { return size_; }
    bool seek(qint64 pos) override;

    // The next `n` bytes where they stand in the window of the stream's device, at an
    // address aligned to `align`, and the stream moved past them: a parser copies
    // them once to where they belong, with no buffer in between. Empty, with nothing
    // read, when the device is not a window or the bytes are more than one piece or
    // more than remain; the caller then reads them as usual.
    static std::span<const char> Take(QDataStream& in, qint64 n, std::size_t align);

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    // Makes the window start at `at_`, keeping what it holds from there, and fills it
    // up to a piece; false when it then holds nothing.
    bool Fill();

    QIODevice& source_;
    qint64 start_;   // the source's position of byte 0 here
    qint64 size_;    // bytes from start_ to the source's end
    qint64 at_ = 0;  // the next byte to hand out
    QByteArray window_;
    qint64 windowAt_ = 0;  // where the window's bytes start
    qint64 windowLen_ = 0;
    qint64 piece_;
};

}  // namespace zv
