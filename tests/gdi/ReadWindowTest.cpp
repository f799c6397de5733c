#include <QBuffer>
#include <QDataStream>
#include <QFile>
#include <QTemporaryFile>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "gdi/BinaryIO.h"
#include "gdi/ReadWindow.h"

using namespace zv;

namespace {

// 0, 1, 2, ... 99: every byte tells where it stood.
QByteArray Counting(int n = 100) {
    QByteArray b;
    for (int i = 0; i < n; ++i) b.append(char(i));
    return b;
}

QByteArray Slice(int from, int n) {
    return Counting().mid(from, n);
}

// The counting bytes in a buffer open for reading, standing at `at`.
struct Source {
    QByteArray data = Counting();
    QBuffer device{&data};
    explicit Source(qint64 at = 0) {
        device.open(QIODevice::ReadOnly);
        device.seek(at);
    }
};

}  // namespace

// Reads smaller than a piece come from the window, refilled where they run past it;
// reads of a whole piece or more go straight to the caller. Either way every byte
// comes in order, whatever the sizes.
TEST(ReadWindow, ReadsOfEverySizeGiveTheBytesInOrder) {
    Source source;
    ReadWindow w(source.device, 8);
    ASSERT_TRUE(w.open(QIODevice::ReadOnly));
    EXPECT_FALSE(w.isSequential());
    EXPECT_EQ(w.size(), 100);

    int at = 0;
    for (int n : {1, 3, 7, 2, 8, 20, 5, 6, 1}) {
        EXPECT_EQ(w.read(n), Slice(at, n)) << "read of " << n << " at " << at;
        at += n;
        EXPECT_EQ(w.pos(), at);
    }
    // 53 read; the rest asked for with room to spare comes back short, then nothing.
    EXPECT_EQ(w.read(60), Slice(53, 47));
    EXPECT_TRUE(w.atEnd());
    EXPECT_EQ(w.read(1), QByteArray());
}

TEST(ReadWindow, StartsWhereTheSourceStandsAndSeeksBack) {
    Source source(90);
    ReadWindow w(source.device, 4);
    ASSERT_TRUE(w.open(QIODevice::ReadOnly));
    EXPECT_EQ(w.size(), 10);
    EXPECT_EQ(w.read(6), Slice(90, 6));
    ASSERT_TRUE(w.seek(1));
    EXPECT_EQ(w.read(3), Slice(91, 3));
    EXPECT_FALSE(w.seek(11));
    EXPECT_EQ(w.readAll(), Slice(94, 6));
}

TEST(ReadWindow, RefusesWritingAndSequentialSources) {
    Source source;
    ReadWindow writing(source.device);
    EXPECT_FALSE(writing.open(QIODevice::ReadWrite));

    QBuffer closed(&source.data);
    ReadWindow unopened(closed);
    EXPECT_FALSE(unopened.open(QIODevice::ReadOnly));
}

// Take hands out bytes where they stand in the window, aligned as asked, or nothing
// at all (position kept) so that the caller reads them as usual.
TEST(ReadWindow, TakeGivesAlignedBytesInPlaceOrNothing) {
    Source source;
    ReadWindow w(source.device, 16);
    ASSERT_TRUE(w.open(QIODevice::ReadOnly));
    QDataStream in(&w);

    EXPECT_EQ(w.read(1), Slice(0, 1));
    // Byte 1 stands one past the window's aligned start: the window is read again
    // from there.
    std::span<const char> t = ReadWindow::Take(in, 12, 4);
    ASSERT_EQ(t.size(), 12u);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(t.data()) % 4, 0u);
    EXPECT_EQ(QByteArray(t.data(), 12), Slice(1, 12));
    EXPECT_EQ(w.pos(), 13);

    // Running past the window: read again from 13.
    t = ReadWindow::Take(in, 10, 1);
    ASSERT_EQ(t.size(), 10u);
    EXPECT_EQ(QByteArray(t.data(), 10), Slice(13, 10));
    EXPECT_EQ(w.pos(), 23);

    EXPECT_TRUE(ReadWindow::Take(in, 17, 1).empty()) << "more than a piece";
    EXPECT_TRUE(ReadWindow::Take(in, -1, 1).empty());
    EXPECT_EQ(w.pos(), 23);
    ASSERT_TRUE(w.seek(90));
    EXPECT_TRUE(ReadWindow::Take(in, 11, 1).empty()) << "more than remains";
    EXPECT_EQ(w.pos(), 90);
    t = ReadWindow::Take(in, 10, 1);
    EXPECT_EQ(QByteArray(t.data(), qsizetype(t.size())), Slice(90, 10));

    // A stream over any other device, or one that failed already, gets nothing.
    Source plain;
    QDataStream other(&plain.device);
    EXPECT_TRUE(ReadWindow::Take(other, 4, 1).empty());
    ASSERT_TRUE(w.seek(0));
    in.setStatus(QDataStream::ReadCorruptData);
    EXPECT_TRUE(ReadWindow::Take(in, 4, 1).empty());
    EXPECT_EQ(w.pos(), 0);
}

// A file cut short after the window measured it: the reads come back short and the
// stream says so, nothing is made up.
TEST(ReadWindow, AFileCutShortUnderneathIsAShortRead) {
    QTemporaryFile file;
    ASSERT_TRUE(file.open());
    ASSERT_EQ(file.write(Counting()), 100);
    ASSERT_TRUE(file.flush());
    QFile reader(file.fileName());
    ASSERT_TRUE(reader.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
    ReadWindow w(reader, 16);
    ASSERT_TRUE(w.open(QIODevice::ReadOnly));
    ASSERT_TRUE(file.resize(30));
    QDataStream in(&w);
    UseFileByteOrder(in);
    std::int32_t v[6];
    ASSERT_TRUE(ReadInt32s(in, v));
    EXPECT_EQ(v[0], 0x03020100);
    EXPECT_EQ(v[5], 0x17161514);
    EXPECT_FALSE(ReadInt32s(in, v)) << "only 6 of 24 bytes are left";
    EXPECT_EQ(in.status(), QDataStream::ReadPastEnd);
    EXPECT_EQ(v[0], 0);
}

namespace {

// A file of `n` counting bytes (0..255 repeating), and a reader of it.
struct CountingFile {
    QTemporaryFile file;
    QFile reader;
    QByteArray data;
    explicit CountingFile(int n) {
        for (int i = 0; i < n; ++i) data.append(char(i));
        if (file.open()) {
            file.write(data);
            file.flush();
            reader.setFileName(file.fileName());
            reader.open(QIODevice::ReadOnly);
        }
    }
};

}  // namespace

// A file of several pieces is read ahead on a thread; the parser sees the same bytes
// in the same order whatever the sizes of its reads, across every piece boundary,
// and Take hands out bytes that run over a boundary in one run.
TEST(ReadWindow, ReadingAheadGivesEveryByteInOrder) {
    CountingFile f(1000);
    ReadWindow w(f.reader, 16);
    ASSERT_TRUE(w.open(QIODevice::ReadOnly));
    QDataStream in(&w);
    int at = 0;
    int step = 0;
    while (at < 1000) {
        const int n = std::min(1 + step % 23, 1000 - at);
        if (step % 3 == 0 && n <= 16) {
            const std::span<const char> t = ReadWindow::Take(in, n, 1);
            ASSERT_EQ(t.size(), std::size_t(n)) << "take of " << n << " at " << at;
            EXPECT_EQ(QByteArray(t.data(), n), f.data.mid(at, n)) << "take at " << at;
        } else {
            ASSERT_EQ(w.read(n), f.data.mid(at, n)) << "read of " << n << " at " << at;
        }
        EXPECT_TRUE(w.ReadingAhead()) << "at " << at;
        at += n;
        ++step;
    }
    EXPECT_EQ(w.pos(), 1000);
    EXPECT_EQ(w.read(1), QByteArray());
    EXPECT_EQ(in.status(), QDataStream::Ok);
}

// Bytes standing misaligned in a piece read ahead are refused by Take without moving
// on, so the caller reads them as usual and gets the same bytes.
TEST(ReadWindow, ReadingAheadRefusesMisalignedTakesWithoutLosingBytes) {
    CountingFile f(200);
    ReadWindow w(f.reader, 64);
    ASSERT_TRUE(w.open(QIODevice::ReadOnly));
    QDataStream in(&w);
    EXPECT_EQ(w.read(1), f.data.mid(0, 1));
    ASSERT_TRUE(w.ReadingAhead());
    const std::span<const char> t = ReadWindow::Take(in, 8, 4);
    if (t.empty()) {
        EXPECT_EQ(w.pos(), 1);
        EXPECT_EQ(w.read(8), f.data.mid(1, 8));
    } else {
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(t.data()) % 4, 0u);
        EXPECT_EQ(QByteArray(t.data(), 8), f.data.mid(1, 8));
    }
    EXPECT_EQ(w.read(191), f.data.mid(9, 191));
}

// Seeking out of order stops the reading ahead; reading goes on in turn from where
// the parser stands, forwards or back, with nothing lost or repeated.
TEST(ReadWindow, SeekingOutOfOrderReadsOnInTurn) {
    CountingFile f(1000);
    ReadWindow w(f.reader, 16);
    ASSERT_TRUE(w.open(QIODevice::ReadOnly));
    EXPECT_EQ(w.read(10), f.data.mid(0, 10));
    EXPECT_EQ(w.read(10), f.data.mid(10, 10));
    ASSERT_TRUE(w.ReadingAhead());
    ASSERT_TRUE(w.seek(500));
    EXPECT_EQ(w.read(10), f.data.mid(500, 10));
    EXPECT_FALSE(w.ReadingAhead());
    ASSERT_TRUE(w.seek(3));
    EXPECT_EQ(w.read(40), f.data.mid(3, 40));
    EXPECT_EQ(w.readAll(), f.data.mid(43));
}

// A file cut short while it is read ahead ends the reads there: what comes is the
// file's bytes up to its new end, then a short read, never bytes from an old piece.
TEST(ReadWindow, ReadingAheadAFileCutShortIsAShortRead) {
    CountingFile f(1000);
    ReadWindow w(f.reader, 16);
    ASSERT_TRUE(w.open(QIODevice::ReadOnly));
    ASSERT_TRUE(f.file.resize(100));
    QDataStream in(&w);
    QByteArray got(1000, '\0');
    EXPECT_EQ(in.readRawData(got.data(), 1000), 100);
    EXPECT_EQ(got.left(100), f.data.left(100));
    EXPECT_EQ(w.read(1), QByteArray());
}

// A file already read from through its own buffer (which has read on past where the
// parser stands) is read ahead from the file's position as the parser sees it.
TEST(ReadWindow, ReadingAheadStartsWhereTheFileStands) {
    CountingFile f(1000);
    ASSERT_EQ(f.reader.read(37), f.data.left(37));
    ReadWindow w(f.reader, 16);
    ASSERT_TRUE(w.open(QIODevice::ReadOnly));
    EXPECT_EQ(w.size(), 963);
    EXPECT_EQ(w.read(5), f.data.mid(37, 5));
    EXPECT_TRUE(w.ReadingAhead());
    EXPECT_EQ(w.readAll(), f.data.mid(42));
}

// A file open for writing may hold bytes in its own buffer that the file has not yet:
// it is read in turn, through that buffer.
TEST(ReadWindow, AFileOpenForWritingIsReadInTurn) {
    QTemporaryFile file;
    ASSERT_TRUE(file.open());
    QByteArray data;
    for (int i = 0; i < 100; ++i) data.append(char(i));
    ASSERT_EQ(file.write(data), 100);
    ASSERT_TRUE(file.seek(0));
    ReadWindow w(file, 16);
    ASSERT_TRUE(w.open(QIODevice::ReadOnly));
    EXPECT_EQ(w.read(10), data.left(10));
    EXPECT_FALSE(w.ReadingAhead());
    EXPECT_EQ(w.readAll(), data.mid(10));
}
