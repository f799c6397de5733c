// The decoder helper's reply: its bytes written down by hand, read back in pieces,
// and every way a reply can be wrong refused before anything is allocated for it.
#include <QBuffer>
#include <QByteArray>
#include <QImage>

#include <unistd.h>

#include <gtest/gtest.h>

#include "layers/PictureReply.h"
#include "support/Bytes.h"

using namespace zv;

namespace {

// What Send writes, through a pipe.
QByteArray Sent(PictureFailure failure, const QImage& image, std::int32_t dataSize,
                const QString& message) {
    int fds[2];
    if (::pipe(fds) != 0) return {};
    EXPECT_TRUE(PictureReply::Send(fds[1], failure, image, dataSize, message));
    ::close(fds[1]);
    QByteArray bytes;
    char chunk[4096];
    for (ssize_t n; (n = ::read(fds[0], chunk, sizeof chunk)) > 0;) bytes.append(chunk, n);
    ::close(fds[0]);
    return bytes;
}

// Feeds `bytes` to a reader `step` bytes at a time, as a pipe delivers them.
PictureReply Read(const QByteArray& bytes, int step, bool* ok = nullptr) {
    PictureReply reply;
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    bool good = true;
    for (qsizetype at = 0; at < bytes.size() && good; at += step) {
        const qint64 pos = buffer.pos();
        data.append(bytes.mid(at, step));
        buffer.seek(pos);
        good = reply.ReadFrom(buffer);
    }
    if (ok) *ok = good;
    return reply;
}

QImage ThreeByTwo() {
    QImage img(3, 2, QImage::Format_RGB32);
    img.setPixel(0, 0, qRgb(1, 2, 3));
    img.setPixel(1, 0, qRgb(4, 5, 6));
    img.setPixel(2, 0, qRgb(7, 8, 9));
    img.setPixel(0, 1, qRgb(10, 11, 12));
    img.setPixel(1, 1, qRgb(13, 14, 15));
    img.setPixel(2, 1, qRgb(16, 17, 18));
    return img;
}

}  // namespace

TEST(PictureReply, PictureBytes) {
    // Magic, failure 0, 3 x 2, data size 1234, no message; then each pixel as
    // blue, green, red, 0xFF, rows from the top.
    const QByteArray expected = QByteArray("ZVPD") + Ints({0, 3, 2, 1234, 0}) +
                                QByteArray::fromHex(
                                    "030201ff060504ff090807ff"
                                    "0c0b0aff0f0e0dff121110ff");
    EXPECT_EQ(Sent(PictureFailure::None, ThreeByTwo(), 1234, QString()), expected);
    // A picture in another format is sent in the working one.
    EXPECT_EQ(Sent(PictureFailure::None, ThreeByTwo().convertToFormat(QImage::Format_RGB888), 1234,
                   QString()),
              expected);
}

TEST(PictureReply, FailureBytes) {
    const QString message = QString::fromUtf8("太大 too large");
    const QByteArray utf8 = message.toUtf8();
    const QByteArray expected =
        QByteArray("ZVPD") + Ints({5, 0, 0, 77, static_cast<std::int32_t>(utf8.size())}) + utf8;
    // The failure goes without its picture, whatever picture is given.
    EXPECT_EQ(Sent(PictureFailure::TooLarge, ThreeByTwo(), 77, message), expected);
    // Messages are cut at 4096 bytes.
    EXPECT_EQ(Sent(PictureFailure::Damaged, QImage(), 0, QString(5000, QLatin1Char('x'))).size(),
              24 + 4096);
}

TEST(PictureReply, ReadInAnyPieces) {
    const QByteArray picture = Sent(PictureFailure::None, ThreeByTwo(), 1234, QString());
    const QByteArray failure =
        Sent(PictureFailure::WorkLimit, QImage(), 9, QStringLiteral("too much drawing"));
    for (int step : {1, 3, 7, 24, 1000}) {
        bool ok = false;
        PictureReply p = Read(picture, step, &ok);
        EXPECT_TRUE(ok) << step;
        ASSERT_TRUE(p.Complete()) << step;
        EXPECT_EQ(p.Failure(), PictureFailure::None);
        EXPECT_EQ(p.DataSize(), 1234);
        EXPECT_EQ(p.TakeImage(), ThreeByTwo()) << step;

        PictureReply f = Read(failure, step, &ok);
        EXPECT_TRUE(ok && f.Complete()) << step;
        EXPECT_EQ(f.Failure(), PictureFailure::WorkLimit);
        EXPECT_EQ(f.Message(), QStringLiteral("too much drawing"));
        EXPECT_EQ(f.DataSize(), 9);
        EXPECT_TRUE(f.TakeImage().isNull());
    }
    // Short of its last pixel byte a reply is not complete, and not wrong either.
    bool ok = false;
    const PictureReply cut = Read(picture.first(picture.size() - 1), 5, &ok);
    EXPECT_TRUE(ok);
    EXPECT_FALSE(cut.Complete());
}

TEST(PictureReply, WrongRepliesAreRefused) {
    const QByteArray good = Sent(PictureFailure::None, ThreeByTwo(), 1, QString());
    const struct {
        const char* name;
        QByteArray bytes;
        const char* problem;
    } cases[] = {
        {"magic", QByteArray("ZVPX") + Ints({0, 3, 2, 1, 0}), "does not start like"},
        {"failure", QByteArray("ZVPD") + Ints({14, 0, 0, 1, 0}), "no known outcome"},
        {"negative failure", QByteArray("ZVPD") + Ints({-1, 0, 0, 1, 0}), "no known outcome"},
        {"message", QByteArray("ZVPD") + Ints({4, 0, 0, 1, 4097}), "message of 4097"},
        {"negative message", QByteArray("ZVPD") + Ints({4, 0, 0, 1, -1}), "message of -1"},
        {"side", QByteArray("ZVPD") + Ints({0, 16385, 1, 1, 0}), "16385 x 1"},
        {"memory", QByteArray("ZVPD") + Ints({0, 16384, 16384, 1, 0}), "16384 x 16384"},
        {"empty", QByteArray("ZVPD") + Ints({0, 0, 5, 1, 0}), "0 x 5"},
        {"failure with a picture", QByteArray("ZVPD") + Ints({3, 3, 2, 1, 0}), "with a picture"},
        {"more than the picture", good + "x", "more than the picture"},
    };
    for (const auto& c : cases) {
        bool ok = true;
        const PictureReply r = Read(c.bytes, 1000, &ok);
        EXPECT_FALSE(ok) << c.name;
        EXPECT_FALSE(r.Complete()) << c.name;
        EXPECT_TRUE(r.Problem().contains(QLatin1String(c.problem)))
            << c.name << ": " << r.Problem().toStdString();
    }
    // 8192 x 4096 is the largest square-ish picture the reader takes (128 MB).
    bool ok = false;
    Read(QByteArray("ZVPD") + Ints({0, 8192, 4096, 1, 0}), 1000, &ok);
    EXPECT_TRUE(ok);
}
