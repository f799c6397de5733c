// The codec table, the palette and the writer on its own.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <set>

#include "VideoProbe.h"
#include "video/AVIFile.h"
#include "video/ColourPalette.h"
#include "video/VideoCodec.h"

using namespace zv;
using namespace zv::test;

namespace {

QImage Filled(int w, int h, QRgb c) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(c);
    return image;
}

// Left half one colour, right half another, a marked top row.
QImage Halves(int w, int h, QRgb left, QRgb right) {
    QImage image = Filled(w, h, left);
    for (int y = 0; y < h; ++y)
        for (int x = w / 2; x < w; ++x) image.setPixel(x, y, right);
    for (int x = 0; x < w; ++x) image.setPixel(x, 0, qRgb(255, 255, 255));
    return image;
}

}  // namespace

TEST(VideoCodecs, AviDurationByRateAndTheFastRateMend) {
    const std::pair<int, int> expected[] = {{10, 5}, {20, 4}, {30, 3}, {40, 2},
                                            {50, 1}, {0, 6},  {59, 1}};
    for (const auto& [rate, duration] : expected) {
        bool clamped = true;
        EXPECT_EQ(AviFrameDuration(rate, &clamped), duration) << rate;
        EXPECT_FALSE(clamped) << rate;
    }
    for (const int rate : {60, 70, 1000}) {
        bool clamped = false;
        EXPECT_EQ(AviFrameDuration(rate, &clamped), 1) << rate;
        EXPECT_TRUE(clamped) << rate;
    }
    EXPECT_EQ(PlaybackRate(0), 10);
    EXPECT_EQ(PlaybackRate(25), 25);
}

TEST(VideoCodecs, ContainersAndNames) {
    EXPECT_EQ(ContainerOfPath(QStringLiteral("/x/a.AVI")), VideoContainer::Avi);
    EXPECT_EQ(ContainerOfPath(QStringLiteral("a.mp4")), VideoContainer::Mp4);
    EXPECT_EQ(ContainerOfPath(QStringLiteral("a.webm")), VideoContainer::WebM);
    EXPECT_EQ(ContainerOfPath(QStringLiteral("a.gif")), VideoContainer::Gif);
    EXPECT_FALSE(ContainerOfPath(QStringLiteral("a.avi.bak")));
    EXPECT_FALSE(ContainerOfPath(QStringLiteral("avi")));
    EXPECT_EQ(DefaultCodec(VideoContainer::Avi), VideoCodec::Pal8);
    EXPECT_EQ(DefaultCodec(VideoContainer::Mp4), VideoCodec::H264);
    EXPECT_EQ(DefaultCodec(VideoContainer::WebM), VideoCodec::Vp9);
    EXPECT_EQ(DefaultCodec(VideoContainer::Gif), VideoCodec::Gif);
    for (const char* name : {"pal8", "bgr24", "ffv1", "mjpeg", "mpeg4", "h264", "vp9", "gif"}) {
        const auto codec = CodecFromName(QString::fromLatin1(name));
        ASSERT_TRUE(codec) << name;
        EXPECT_EQ(CodecName(*codec), QLatin1String(name));
    }
    EXPECT_FALSE(CodecFromName(QStringLiteral("PAL8")));
    EXPECT_FALSE(Carries(VideoContainer::Mp4, VideoCodec::Pal8));
    EXPECT_FALSE(Carries(VideoContainer::Avi, VideoCodec::Gif));
    // The AVI choice: 256 colours first, then what this build encodes, in order.
    const auto offered = AviCodecs();
    ASSERT_FALSE(offered.empty());
    EXPECT_EQ(offered.front(), VideoCodec::Pal8);
    const std::vector<VideoCodec> all{VideoCodec::Pal8,  VideoCodec::Bgr24, VideoCodec::Ffv1,
                                      VideoCodec::Mjpeg, VideoCodec::Mpeg4, VideoCodec::H264};
    std::vector<VideoCodec> expected;
    for (VideoCodec c : all)
        if (CanEncode(c)) expected.push_back(c);
    EXPECT_EQ(offered, expected);
}

TEST(VideoPalette, ExactWhileAtMost256Colours) {
    ColourCount count;
    count.Add(Halves(8, 4, qRgb(10, 20, 30), qRgb(200, 0, 0)));
    count.Add(Filled(8, 4, qRgb(10, 20, 30)));
    ASSERT_TRUE(count.Exact());
    EXPECT_EQ(count.Distinct(), 3);
    // First seen first: the white top row, then left, then right.
    EXPECT_EQ(count.Palette(),
              (std::vector<QRgb>{qRgb(255, 255, 255), qRgb(10, 20, 30), qRgb(200, 0, 0)}));

    QImage many(16, 16, QImage::Format_RGB32);
    for (int i = 0; i < 256; ++i) many.setPixel(i % 16, i / 16, qRgb(i, 255 - i, i / 2));
    ColourCount full;
    full.Add(many);
    EXPECT_TRUE(full.Exact());
    EXPECT_EQ(full.Palette().size(), 256u);
    ColourMap map(full.Palette());
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(map.Palette()[map.IndexOf(many.pixel(i % 16, i / 16))],
                  many.pixel(i % 16, i / 16));
}

TEST(VideoPalette, MoreThan256ColoursAreCutAndMappedToTheNearest) {
    // 300 greys-and-reds, each a distinct colour.
    QImage image(300, 2, QImage::Format_RGB32);
    for (int x = 0; x < 300; ++x) {
        image.setPixel(x, 0, qRgb(x % 256, x / 2, x < 256 ? 0 : 255));
        image.setPixel(x, 1, qRgb(0, 0, 0));
    }
    ColourCount count;
    count.Add(image);
    EXPECT_FALSE(count.Exact());
    const auto palette = count.Palette();
    EXPECT_LE(palette.size(), 256u);
    EXPECT_EQ(palette.size(), 256u);
    ColourMap map(palette);
    int worst = 0;
    for (int x = 0; x < 300; ++x) {
        const QRgb c = image.pixel(x, 0), p = map.Palette()[map.IndexOf(c)];
        worst = std::max({worst, std::abs(qRed(c) - qRed(p)), std::abs(qGreen(c) - qGreen(p)),
                          std::abs(qBlue(c) - qBlue(p))});
    }
    EXPECT_LE(worst, 4);
    // Black is there exactly: half the pixels are black.
    EXPECT_EQ(map.Palette()[map.IndexOf(qRgb(0, 0, 0))], qRgb(0, 0, 0));
}

TEST(VideoWriter, AviStreamHeaderPositionsAndBottomUpRows) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("w.avi"));
    {
        CAVIFile avi(path, -1, -1);
        avi.SetFrameDuration(3);
        ASSERT_TRUE(avi.IsOK());
        ASSERT_TRUE(avi.AddFrame(Halves(30, 20, qRgb(0, 0, 255), qRgb(0, 255, 0))));
        // A frame of another size is refused; the writer stays good.
        EXPECT_FALSE(avi.AddFrame(Filled(31, 20, qRgb(1, 2, 3))));
        EXPECT_TRUE(avi.IsOK());
        ASSERT_TRUE(avi.AddFrame(Halves(30, 20, qRgb(0, 255, 0), qRgb(0, 0, 255))));
        ASSERT_TRUE(avi.AddFrame(Halves(30, 20, qRgb(0, 0, 255), qRgb(0, 0, 255))));
        EXPECT_EQ(avi.FramesWritten(), 3);
    }  // closed here
    const Decoded d = DecodeVideo(path);
    ASSERT_TRUE(d.opened);
    EXPECT_EQ(d.type, AVMEDIA_TYPE_VIDEO);
    EXPECT_EQ(d.timeBase.num, 1);
    EXPECT_EQ(d.timeBase.den, 15);
    EXPECT_EQ(d.codec, QLatin1String("rawvideo"));
    EXPECT_EQ(d.pixelFormat, QLatin1String("pal8"));
    EXPECT_EQ(d.width, 30);
    EXPECT_EQ(d.height, 20);
    EXPECT_EQ(d.pts, (std::vector<std::int64_t>{0, 3, 6}));
    ASSERT_EQ(d.frames.size(), 3u);
    EXPECT_EQ(DifferentPixels(d.frames[0], Halves(30, 20, qRgb(0, 0, 255), qRgb(0, 255, 0))), 0);
    EXPECT_EQ(DifferentPixels(d.frames[1], Halves(30, 20, qRgb(0, 255, 0), qRgb(0, 0, 255))), 0);

    // The header a Windows player reads: "vids", scale 1, rate 15, a 40-byte bitmap
    // header with a positive height, 8 bits, 256 colours, rows padded to 32 (4 bytes).
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    const qsizetype strh = bytes.indexOf("strh");
    ASSERT_GE(strh, 0);
    EXPECT_EQ(bytes.mid(strh + 8, 4), QByteArray("vids"));
    const auto le32 = [&bytes](qsizetype at) {
        return qFromLittleEndian<qint32>(bytes.constData() + at);
    };
    EXPECT_EQ(le32(strh + 8 + 20), 1);   // scale
    EXPECT_EQ(le32(strh + 8 + 24), 15);  // rate
    const qsizetype strf = bytes.indexOf("strf");
    ASSERT_GE(strf, 0);
    EXPECT_EQ(le32(strf + 8), 40);
    EXPECT_EQ(le32(strf + 12), 30);
    EXPECT_EQ(le32(strf + 16), 20);  // positive: bottom-up
    EXPECT_EQ(qFromLittleEndian<qint16>(bytes.constData() + strf + 22), 8);
    EXPECT_EQ(le32(strf + 40), 256);
    // The first frame's chunk: 20 rows of 32 bytes (30 pixels padded to 4 bytes).
    qsizetype movi = bytes.indexOf("00dc");
    while (movi >= 0 && le32(movi + 4) == 0) movi = bytes.indexOf("00dc", movi + 4);
    ASSERT_GE(movi, 0);
    EXPECT_EQ(le32(movi + 4), 32 * 20);
    // The first stored row is the bottom row.
    const quint8 bottomLeft = quint8(bytes[movi + 8]);
    const quint8 topLeft = quint8(bytes[movi + 8 + 32 * 19]);
    EXPECT_NE(bottomLeft, topLeft);  // the top row is white
    EXPECT_EQ(le32(strf + 48 + 4 * topLeft) & 0xffffff, 0xffffff);
    EXPECT_EQ(le32(strf + 48 + 4 * bottomLeft) & 0xffffff, 0x0000ff);  // B,G,R,0: blue
}

TEST(VideoWriter, FixedSizeAndFailuresStick) {
    QTemporaryDir dir;
    CAVIFile fixed(dir.filePath(QStringLiteral("f.avi")), 16, 8, VideoCodec::Bgr24);
    EXPECT_FALSE(fixed.AddFrame(Filled(8, 16, qRgb(1, 1, 1))));
    EXPECT_TRUE(fixed.IsOK());
    EXPECT_TRUE(fixed.AddFrame(Filled(16, 8, qRgb(1, 1, 1))));
    EXPECT_TRUE(fixed.Close());

    CAVIFile nowhere(dir.filePath(QStringLiteral("no/such/dir/x.avi")), -1, -1);
    EXPECT_FALSE(nowhere.AddFrame(Filled(4, 4, qRgb(1, 1, 1))));
    EXPECT_FALSE(nowhere.IsOK());
    EXPECT_FALSE(nowhere.Error().isEmpty());
    EXPECT_FALSE(nowhere.AddFrame(Filled(4, 4, qRgb(1, 1, 1))));

    CAVIFile wrongPair(dir.filePath(QStringLiteral("x.mp4")), -1, -1, VideoCodec::Pal8,
                       VideoContainer::Mp4);
    EXPECT_FALSE(wrongPair.IsOK());
    // A writer that never got a frame leaves no file.
    { CAVIFile unused(dir.filePath(QStringLiteral("u.avi")), -1, -1); }
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("u.avi"))));
}

TEST(VideoWriter, OddSizesWithFourTwoZeroCodecsArePaddedNotRefused) {
    if (!CanEncode(VideoCodec::Mpeg4)) GTEST_SKIP() << "no MPEG-4 encoder";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("odd.avi"));
    {
        CAVIFile avi(path, -1, -1, VideoCodec::Mpeg4);
        ASSERT_TRUE(avi.AddFrame(Filled(33, 17, qRgb(200, 200, 200))));
        ASSERT_TRUE(avi.Close());
    }
    const Decoded d = DecodeVideo(path);
    EXPECT_EQ(d.width, 34);
    EXPECT_EQ(d.height, 18);
    ASSERT_EQ(d.frames.size(), 1u);
    const QRgb inside = d.frames[0].pixel(16, 8);
    EXPECT_NEAR(qGreen(inside), 200, 6);
}
