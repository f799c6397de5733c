#include <QBuffer>
#include <QFile>
#include <QTemporaryFile>

#include <gtest/gtest.h>

#include <utility>

#include "gdi/WriteBehind.h"
#include "support/FileSizeLimit.h"

using namespace zv;

namespace {

// Piece `i`: its number repeated, in a size that changes from piece to piece.
QByteArray Piece(int i) {
    return QByteArray(1 + (i * 7919) % 40000, char('a' + i % 26));
}

}  // namespace

// A file gets every piece in order after what it held, as many as are handed over,
// whichever buffers they were filled in; the file is the caller's again afterwards.
TEST(WriteBehind, AFileGetsEveryPieceInOrder) {
    QTemporaryFile file;
    ASSERT_TRUE(file.open());
    ASSERT_EQ(file.write("head"), 4);  // still in the file's own buffer
    QByteArray expected("head");
    WriteBehind behind(file);
    for (int i = 0; i < 60; ++i) {
        QByteArray b = behind.Buffer();
        EXPECT_TRUE(b.isEmpty());
        b.append(Piece(i));
        expected.append(Piece(i));
        behind.Write(std::move(b));
    }
    ASSERT_TRUE(behind.Finish());
    ASSERT_EQ(file.write("tail"), 4);
    expected.append("tail");
    ASSERT_TRUE(file.flush());

    QFile back(file.fileName());
    ASSERT_TRUE(back.open(QIODevice::ReadOnly));
    EXPECT_EQ(back.readAll(), expected);

    // Handing over again after Finish writes on.
    behind.Write(QByteArray("more"));
    ASSERT_TRUE(behind.Finish());
    ASSERT_TRUE(file.flush());
    back.seek(0);
    EXPECT_EQ(back.readAll(), expected + "more");
}

// Other devices are written at once, in turn.
TEST(WriteBehind, OtherDevicesAreWrittenAtOnce) {
    QByteArray data;
    QBuffer buffer(&data);
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
    WriteBehind behind(buffer);
    behind.Write(QByteArray("one"));
    EXPECT_EQ(data, "one");
    QByteArray b = behind.Buffer();
    EXPECT_TRUE(b.isEmpty());
    b.append("two");
    behind.Write(std::move(b));
    EXPECT_EQ(data, "onetwo");
    EXPECT_TRUE(behind.Finish());
}

// A write that fails makes Finish say so, whether written at once or behind; the
// pieces after it are not written.
TEST(WriteBehind, AFailedWriteIsReported) {
    QFile full(QStringLiteral("/dev/full"));  // every write fails with "no space left"
    if (!full.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) GTEST_SKIP() << "no /dev/full here";
    WriteBehind behind(full);
    for (int i = 0; i < 5; ++i) behind.Write(Piece(i));
    EXPECT_FALSE(behind.Finish());

    QByteArray data;
    QBuffer buffer(&data);
    ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));  // refuses every write
    WriteBehind inTurn(buffer);
    inTurn.Write(QByteArray("x"));
    EXPECT_FALSE(inTurn.Finish());
}

// A disk that fills up part way: the pieces before stay whole in the file, the one
// that did not fit and every one after are missing, and Finish says so.
TEST(WriteBehind, ADiskFullPartWayKeepsThePiecesBefore) {
    QTemporaryFile file;
    ASSERT_TRUE(file.open());
    {
        QFile out(file.fileName());
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        test::FileSizeLimit limit(100000);
        WriteBehind behind(out);
        QByteArray expected;
        for (int i = 0; i < 10; ++i) {
            const QByteArray piece(30000, char('a' + i));
            if (expected.size() + piece.size() <= 100000) expected.append(piece);
            behind.Write(piece);
        }
        EXPECT_FALSE(behind.Finish());
        out.close();
        QFile back(file.fileName());
        ASSERT_TRUE(back.open(QIODevice::ReadOnly));
        const QByteArray got = back.readAll();
        ASSERT_GE(got.size(), expected.size());
        EXPECT_EQ(got.left(expected.size()), expected);
        EXPECT_LE(got.size(), 100000);
        EXPECT_EQ(got.count(char('e')), 0) << "nothing after the piece that failed";
    }
}
