// Stored BMP file images: bytes checked against layouts written out by hand from the
// BMP format tables, and the DIB conversion of hand-made images.
#include <QBuffer>
#include <QImage>

#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <vector>

#include <gtest/gtest.h>

#include "gdi/BinaryIO.h"
#include "gdi/BmpImage.h"

using namespace zv;

namespace {

// Little-endian byte builder for hand-written expectations.
struct Bytes {
    QByteArray b;
    Bytes& u8(std::initializer_list<int> v) {
        for (int x : v) b.append(static_cast<char>(x));
        return *this;
    }
    Bytes& u16(int v) { return u8({v & 0xFF, (v >> 8) & 0xFF}); }
    Bytes& u32(std::int64_t v) {
        return u8(
            {int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF), int((v >> 24) & 0xFF)});
    }
    Bytes& zeros(int n) {
        b.append(QByteArray(n, '\0'));
        return *this;
    }
};

// A 40-byte BITMAPINFOHEADER.
Bytes& InfoHeader(Bytes& out, std::int32_t w, std::int32_t h, int bits, std::uint32_t imageSize,
                  std::uint32_t coloursUsed, std::uint32_t compression = 0, int planes = 1) {
    return out.u32(40)
        .u32(w)
        .u32(h)
        .u16(planes)
        .u16(bits)
        .u32(compression)
        .u32(imageSize)
        .u32(0)
        .u32(0)
        .u32(coloursUsed)
        .u32(0);
}

QImage Rgb(int w, int h, std::initializer_list<QRgb> pixels) {
    QImage img(w, h, QImage::Format_RGB32);
    auto it = pixels.begin();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.setPixel(x, y, *it++);
    return img;
}

}  // namespace

TEST(BmpDepth, RoundsUpToTheStoredDepths) {
    const std::pair<int, int> cases[] = {{1, 1},   {2, 4},   {4, 4},   {5, 8},   {8, 8},
                                         {9, 16},  {15, 16}, {16, 16}, {17, 24}, {24, 24},
                                         {25, 32}, {32, 32}, {64, 32}};
    for (auto [in, out] : cases) EXPECT_EQ(BmpDepthFor(in), out) << in;
}

TEST(BmpWriter, TwentyFourBitsHasNoColourTableAndPadsRows) {
    const QImage img =
        Rgb(2, 2, {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 255)});
    Bytes want;
    want.u8({'B', 'M'}).u32(70).u32(0).u32(54);
    InfoHeader(want, 2, 2, 24, 16, 0);
    // Bottom row first: blue, white, 2 bytes of padding; then red, green, padding.
    want.u8({0xFF, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0}).u8({0, 0, 0xFF, 0, 0xFF, 0, 0, 0});
    EXPECT_EQ(EncodeBmpImage(img, 24), want.b);
}

TEST(BmpWriter, ThirtyTwoBitsKeepsTheReservedByteZero) {
    const QImage img = Rgb(2, 1, {qRgb(0x12, 0x34, 0x56), qRgb(0xAB, 0xCD, 0xEF)});
    Bytes want;
    want.u8({'B', 'M'}).u32(62).u32(0).u32(54);
    InfoHeader(want, 2, 1, 32, 8, 0);
    want.u8({0x56, 0x34, 0x12, 0, 0xEF, 0xCD, 0xAB, 0});
    EXPECT_EQ(EncodeBmpImage(img, 32), want.b);
    // A working bitmap is written at its own depth, 32.
    QByteArray written;
    QDataStream s(&written, QIODevice::WriteOnly);
    ASSERT_TRUE(WriteBmpImage(s, img));
    EXPECT_EQ(written, want.b);
}

TEST(BmpWriter, EightBitsReservesAndCountsTheFullTable) {
    QImage img(3, 1, QImage::Format_Indexed8);
    img.setColorTable({qRgb(0, 0, 0), qRgb(10, 20, 30)});
    img.setPixel(0, 0, 1);
    img.setPixel(1, 0, 0);
    img.setPixel(2, 0, 1);
    const QByteArray got = EncodeBmpImage(img, 8);
    Bytes want;
    want.u8({'B', 'M'}).u32(54 + 1024 + 4).u32(0).u32(54 + 1024);
    InfoHeader(want, 3, 1, 8, 4, 256);
    want.u8({0, 0, 0, 0}).u8({30, 20, 10, 0}).zeros(254 * 4);
    want.u8({1, 0, 1, 0});
    EXPECT_EQ(got, want.b);
}

TEST(BmpWriter, OneBitPacksFromTheHighBit) {
    QImage img(10, 1, QImage::Format_Mono);
    img.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    img.fill(0);
    img.setPixel(0, 0, 1);
    img.setPixel(9, 0, 1);
    const QByteArray got = EncodeBmpImage(img, 1);
    ASSERT_EQ(got.size(), 54 + 8 + 4);
    EXPECT_EQ(got.mid(10, 4), Bytes().u32(62).b);
    EXPECT_EQ(got.mid(46, 4), Bytes().u32(2).b);
    EXPECT_EQ(got.mid(62), Bytes().u8({0x80, 0x40, 0, 0}).b);
}

TEST(BmpWriter, SixteenBitsCarriesItsReservedTable) {
    const QImage img = Rgb(1, 1, {qRgb(255, 0, 0)});
    const QByteArray got = EncodeBmpImage(img, 16);
    const int offset = 54 + 65536 * 4;
    ASSERT_EQ(got.size(), offset + 4);
    EXPECT_EQ(got.mid(2, 4), Bytes().u32(offset + 4).b);
    EXPECT_EQ(got.mid(10, 4), Bytes().u32(offset).b);
    EXPECT_EQ(got.mid(46, 4), Bytes().u32(65536).b);
    EXPECT_EQ(got.mid(offset), Bytes().u8({0x00, 0x7C, 0, 0}).b);  // 5-5-5 red
}

TEST(BmpWriter, ExportStyleLeavesSizesZero) {
    const QImage img = Rgb(1, 1, {qRgb(1, 2, 3)});
    const QByteArray got = EncodeBmpImage(img, 24, BmpHeaderStyle::Export);
    Bytes want;
    want.u8({'B', 'M'}).u32(58).u32(0).u32(54);
    InfoHeader(want, 1, 1, 24, 0, 0);
    want.u8({3, 2, 1, 0});
    EXPECT_EQ(got, want.b);
    const QByteArray eight = EncodeBmpImage(img, 8, BmpHeaderStyle::Export);
    EXPECT_EQ(eight.mid(10, 4), Bytes().u32(54 + 1024).b);
    EXPECT_EQ(eight.mid(46, 4), Bytes().u32(0).b);
}

TEST(MakeBitmap, EightBitsWithColoursUsedZeroReadsAfterAFullTable) {
    Bytes dib;
    InfoHeader(dib, 2, 2, 8, 8, 0);
    std::vector<std::uint8_t> table(1024, 0);
    table[4 * 1 + 2] = 0xFF;    // entry 1: red
    table[4 * 255 + 0] = 0xFF;  // entry 255: blue
    for (auto v : table) dib.u8({v});
    dib.u8({1, 255, 0, 0}).u8({255, 1, 0, 0});  // bottom row, then top row
    const QImage img = MakeBitmap(dib.b);
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.format(), QImage::Format_RGB32);
    EXPECT_EQ(img.pixel(0, 0), qRgb(0, 0, 255));
    EXPECT_EQ(img.pixel(1, 0), qRgb(255, 0, 0));
    EXPECT_EQ(img.pixel(0, 1), qRgb(255, 0, 0));
    EXPECT_EQ(img.pixel(1, 1), qRgb(0, 0, 255));
}

TEST(MakeBitmap, ColoursUsedShortensTheTable) {
    Bytes dib;
    InfoHeader(dib, 2, 1, 4, 4, 2);
    dib.u8({0, 0xFF, 0, 0}).u8({0xFF, 0, 0, 0});  // green, blue
    dib.u8({0x10, 0, 0, 0});                      // pixel 0 -> entry 1, pixel 1 -> entry 0
    const QImage img = MakeBitmap(dib.b);
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.pixel(0, 0), qRgb(0, 0, 255));
    EXPECT_EQ(img.pixel(1, 0), qRgb(0, 255, 0));
}

TEST(MakeBitmap, TopDownRowsAndEveryWrittenDepthComeBack) {
    Bytes dib;
    InfoHeader(dib, 1, -2, 24, 8, 0);
    dib.u8({0, 0, 0xFF, 0}).u8({0xFF, 0, 0, 0});  // first row is the top one
    const QImage img = MakeBitmap(dib.b);
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(img.pixel(0, 1), qRgb(0, 0, 255));

    const QImage src = Rgb(3, 2,
                           {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(0, 0, 0),
                            qRgb(255, 255, 255), qRgb(255, 255, 0)});
    for (int bits : {4, 8, 16, 24, 32}) {
        const QByteArray file = EncodeBmpImage(src, bits);
        const QImage back = MakeBitmap(QByteArrayView(file).sliced(14));
        ASSERT_EQ(back.size(), src.size()) << bits;
        for (int y = 0; y < src.height(); ++y)
            for (int x = 0; x < src.width(); ++x) {
                // 16 bits keep five bits a channel; the other depths are exact here.
                const int tolerance = bits == 16 ? 7 : 0;
                const QRgb a = back.pixel(x, y), b = src.pixel(x, y);
                EXPECT_LE(std::abs(qRed(a) - qRed(b)), tolerance) << bits;
                EXPECT_LE(std::abs(qGreen(a) - qGreen(b)), tolerance) << bits;
                EXPECT_LE(std::abs(qBlue(a) - qBlue(b)), tolerance) << bits;
            }
    }
}

TEST(MakeBitmap, RefusesHeadersThatDisagreeWithTheBytes) {
    const auto make = [](auto edit) {
        Bytes dib;
        InfoHeader(dib, 2, 2, 24, 16, 0);
        dib.zeros(16);
        edit(dib.b);
        return dib.b;
    };
    const auto put32 = [](QByteArray& b, int at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    const auto put16 = [](QByteArray& b, int at, std::uint16_t v) {
        b[at] = static_cast<char>(v & 0xFF);
        b[at + 1] = static_cast<char>(v >> 8);
    };
    ASSERT_FALSE(MakeBitmap(make([](QByteArray&) {})).isNull());
    const std::vector<std::pair<const char*, QByteArray>> bad = {
        {"short header", QByteArray(39, '\0')},
        {"header size 41", make([&](QByteArray& b) { put32(b, 0, 41); })},
        {"header larger than data", make([&](QByteArray& b) { put32(b, 0, 124); })},
        {"two planes", make([&](QByteArray& b) { put16(b, 12, 2); })},
        {"2 bits", make([&](QByteArray& b) { put16(b, 14, 2); })},
        {"width 0", make([&](QByteArray& b) { put32(b, 4, 0); })},
        {"negative width", make([&](QByteArray& b) { put32(b, 4, 0xFFFFFFFE); })},
        {"height 0", make([&](QByteArray& b) { put32(b, 8, 0); })},
        {"absurd width", make([&](QByteArray& b) { put32(b, 4, 20000); })},
        {"absurd height", make([&](QByteArray& b) { put32(b, 8, 0x80000000); })},
        {"pixels cut short", make([&](QByteArray& b) { b.chop(1); })},
        {"table past the end", make([&](QByteArray& b) { put32(b, 32, 0xFFFFFFFF); })},
        {"JPEG compression", make([&](QByteArray& b) { put32(b, 16, 4); })},
        {"RLE8 at 24 bits", make([&](QByteArray& b) { put32(b, 16, 1); })},
        {"more colours than 8 bits hold", make([&](QByteArray& b) {
             put16(b, 14, 8);
             put32(b, 32, 300);
         })},
    };
    for (const auto& [name, bytes] : bad) EXPECT_TRUE(MakeBitmap(bytes).isNull()) << name;
}

TEST(ReadBmpImage, ReadsWhatTheFileSizeSaysAndNoMore) {
    const QImage img = Rgb(2, 1, {qRgb(9, 8, 7), qRgb(1, 2, 3)});
    QByteArray stored = EncodeBmpImage(img, 32);
    stored.append("tail");
    QDataStream in(stored);
    UseFileByteOrder(in);
    QImage back;
    ASSERT_TRUE(ReadBmpImage(in, back));
    EXPECT_EQ(back, img);
    EXPECT_EQ(in.device()->pos(), stored.size() - 4);
}

TEST(ReadBmpImage, FileSizeBeyondTheStreamOrBelowTheHeadersFails) {
    const QByteArray good = EncodeBmpImage(Rgb(1, 1, {qRgb(1, 1, 1)}), 32);
    QByteArray longer = good;
    longer[2] = static_cast<char>(good.size() + 1);
    QByteArray tiny = good;
    tiny[2] = 53;
    tiny[3] = 0;
    for (const QByteArray& bytes : {longer, tiny, good.left(13)}) {
        QDataStream in(bytes);
        QImage out;
        EXPECT_FALSE(ReadBmpImage(in, out));
        EXPECT_TRUE(out.isNull());
    }
}

TEST(BitmapFormat, TransparentPixelsBecomeBlack) {
    QImage argb(2, 1, QImage::Format_ARGB32);
    argb.setPixel(0, 0, qRgba(255, 255, 255, 0));
    argb.setPixel(1, 0, qRgba(10, 20, 30, 255));
    const QImage out = ToBitmapFormat(argb);
    EXPECT_EQ(out.format(), QImage::Format_RGB32);
    EXPECT_EQ(out.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(out.pixel(1, 0), qRgb(10, 20, 30));
}

TEST(MakeBitmap, MutatedImagesNeverCrash) {
    QImage src(5, 3, QImage::Format_RGB32);
    src.fill(qRgb(1, 2, 3));
    std::uint32_t state = 777;
    const auto next = [&state] { return state = state * 1664525u + 1013904223u; };
    for (int bits : {1, 4, 8, 16, 24, 32}) {
        const QByteArray dib = EncodeBmpImage(src, bits).mid(14);
        for (int round = 0; round < 200; ++round) {
            QByteArray bytes = dib;
            // Mostly the header, where the sizes are.
            for (int k = 0; k < 3; ++k) {
                const qsizetype at = next() % 2 ? next() % 40 : next() % bytes.size();
                bytes[at] = static_cast<char>(next() >> 24);
            }
            const QImage out = MakeBitmap(bytes);
            if (!out.isNull()) {
                EXPECT_LE(out.width(), kMaxBitmapSide);
                EXPECT_LE(out.height(), kMaxBitmapSide);
            }
        }
    }
}
