#pragma once
// Reads a random-access device for a parser that goes through it from front to back:
// the source is read a large piece at a time into memory that is used again for every
// piece, and the parser's reads are served from there. A large file is then copied
// once from the system's cache into memory that stays warm, instead of being mapped
// (each page of a mapping is faulted in on its own, which costs more than reading it)
// or read whole into fresh memory as large as the file.
//
// A file of several pieces is read on a thread of its own, a few pieces ahead of the
// parser, so that the system's copy of the next piece runs beside the parsing of this
// one. Other devices, and a parser that seeks out of order, are read in turn; reads
// at least as large as a piece then go straight from the source into the caller's
// memory.
//
// The size is the source's when the window is made; a source that ends early makes
// the reads short, which a QDataStream reports as a read past the end.

#include <QByteArray>
#include <QDataStream>
#include <QIODevice>

#include <cstddef>
#include <memory>
#include <span>

namespace zv {

class ReadWindow : public QIODevice {
public:
    static constexpr qint64 kDefaultPiece = qint64(1) << 20;

    // `source` must be open for reading and not sequential; it is read from its
    // current position, which becomes position 0 here.
    explicit ReadWindow(QIODevice& source, qint64 piece = kDefaultPiece);
    ~ReadWindow() override;

    bool open(OpenMode mode) override;
    bool isSequential() const override { return false; }
    qint64 size() const override { return size_; }
    bool seek(qint64 pos) override;

    // The next `n` bytes where they stand in the window of the stream's device, at an
    // address aligned to `align`, and the stream moved past them: a parser copies
    // them once to where they belong, with no buffer in between. Empty, with nothing
    // read, when the device is not a window or the bytes are more than one piece or
    // more than remain, or (rarely, when reading ahead) cannot be shown aligned; the
    // caller then reads them as usual.
    static std::span<const char> Take(QDataStream& in, qint64 n, std::size_t align);

    // Whether pieces are being read ahead on a thread (for tests).
    bool ReadingAhead() const { return ahead_ != nullptr; }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    class Ahead;

    // Makes the window start at `at_`, keeping what it holds from there, and fills it
    // up with at least a piece's worth where the source has it; false when it then
    // holds nothing.
    bool Fill();
    // The same, reading the source here in turn.
    bool FillInTurn();
    // Starts reading ahead when the source is a file of several pieces.
    void StartAhead();
    void StopAhead();

    QIODevice& source_;
    qint64 start_;   // the source's position of byte 0 here
    qint64 size_;    // bytes from start_ to the source's end
    qint64 at_ = 0;  // the next byte to hand out
    const char* window_ = nullptr;
    qint64 windowAt_ = 0;  // where the window's bytes start
    qint64 windowLen_ = 0;
    qint64 piece_;
    QByteArray buffer_;  // the window when reading in turn
    std::unique_ptr<Ahead> ahead_;
    bool aheadTried_ = false;
};

}  // namespace zv
