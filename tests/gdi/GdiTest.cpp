#include <QBuffer>
#include <QImage>

#include <gtest/gtest.h>

#include "gdi/BinaryIO.h"
#include "gdi/GdiPaint.h"

using namespace zv;

namespace {

QImage Blank(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::black);
    return img;
}

int LitPixels(const QImage& img) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) n += (img.pixel(x, y) & 0xFFFFFF) != 0;
    return n;
}

}  // namespace

TEST(Geometry, RectKeepsExclusiveEdges) {
    const Rect r{1, 1, 50, 10};
    EXPECT_TRUE(r.Contains(1, 1));
    EXPECT_TRUE(r.Contains(49, 9));
    EXPECT_FALSE(r.Contains(50, 5));
    EXPECT_FALSE(r.Contains(5, 10));
    EXPECT_EQ(ToQRect(r), QRect(1, 1, 49, 9));
    EXPECT_TRUE(ToQRect(Rect{5, 5, 4, 9}).isEmpty());
}

TEST(Geometry, FloorToIntSaturatesInsteadOfOverflowing) {
    EXPECT_EQ(FloorToInt(-0.5), -1);
    EXPECT_EQ(FloorToInt(2.999), 2);
    EXPECT_EQ(FloorToInt(1e300), INT32_MAX);
    EXPECT_EQ(FloorToInt(-1e300), INT32_MIN);
    EXPECT_EQ(FloorToInt(std::nan("")), 0);
    EXPECT_EQ(TruncToInt(-2.7), -2);
    EXPECT_EQ(TruncToInt(2.7), 2);
}

TEST(Geometry, ColourBytesAreRedLow) {
    EXPECT_EQ(RGB(0xFF, 0, 0), 0x0000FFu);
    EXPECT_EQ(RGB(0x12, 0x34, 0x56), 0x563412u);
    EXPECT_EQ(ToQColor(0x563412).red(), 0x12);
    EXPECT_EQ(FromQColor(QColor(0x12, 0x34, 0x56)), 0x563412u);
}

TEST(GdiPaint, FillRectLeavesRightAndBottomEdge) {
    QImage img = Blank(10, 10);
    QPainter p(&img);
    GdiFillRect(p, Rect{2, 3, 5, 4}, RGB(255, 0, 0));
    GdiFillRect(p, Rect{6, 6, 6, 9}, RGB(255, 0, 0));  // empty: nothing
    p.end();
    EXPECT_EQ(LitPixels(img), 3);
    EXPECT_EQ(img.pixel(2, 3) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(img.pixel(5, 3) & 0xFFFFFF, 0u);
}

TEST(GdiPaint, LineToLeavesOutItsLastPointInEveryDirection) {
    struct Case {
        Point a, b;
    } cases[] = {
        {{1, 5}, {8, 5}}, {{8, 5}, {1, 5}}, {{5, 1}, {5, 8}}, {{5, 8}, {5, 1}}, {{1, 1}, {8, 8}}};
    for (const Case& c : cases) {
        QImage img = Blank(10, 10);
        QPainter p(&img);
        GdiLine(p, c.a, c.b, 1, RGB(0, 255, 0));
        p.end();
        EXPECT_NE(img.pixel(c.a.x, c.a.y) & 0xFFFFFF, 0u) << c.a.x << "," << c.a.y;
        EXPECT_EQ(img.pixel(c.b.x, c.b.y) & 0xFFFFFF, 0u) << c.b.x << "," << c.b.y;
        EXPECT_EQ(LitPixels(img), 7);
    }
}

TEST(GdiPaint, PolygonRegionIsClippedToTheCell) {
    const Point tri[] = {{0, 0}, {20, 0}, {0, 20}};
    const QRegion inside = PolygonCellRegion(tri, Rect{0, 0, 5, 5});
    EXPECT_EQ(inside, QRegion(0, 0, 5, 5));
    const QRegion outside = PolygonCellRegion(tri, Rect{15, 15, 20, 20});
    EXPECT_TRUE(outside.isEmpty());
    const QRegion half = PolygonCellRegion(tri, Rect{0, 0, 20, 20});
    EXPECT_FALSE(half.contains(QPoint(18, 18)));
    EXPECT_TRUE(half.contains(QPoint(2, 2)));
}

TEST(BinaryIO, LittleEndianAndShortReadsFailWithoutAllocating) {
    QByteArray bytes;
    {
        QDataStream out(&bytes, QIODevice::WriteOnly);
        UseFileByteOrder(out);
        const std::int32_t v[] = {1, -2};
        WriteInt32s(out, v);
    }
    ASSERT_EQ(bytes.size(), 8);
    EXPECT_EQ(bytes.left(4), QByteArray("\x01\x00\x00\x00", 4));
    EXPECT_EQ(bytes.mid(4), QByteArray("\xFE\xFF\xFF\xFF", 4));

    QDataStream in(bytes);
    UseFileByteOrder(in);
    std::int32_t v[3] = {};
    EXPECT_FALSE(ReadInt32s(in, v));  // asks for 12 of 8 bytes
    QDataStream in2(bytes);
    UseFileByteOrder(in2);
    ASSERT_TRUE(ReadInt32s(in2, std::span(v, 2)));
    EXPECT_EQ(v[1], -2);
    QByteArray raw;
    EXPECT_FALSE(ReadRaw(in2, qint64(1) << 40, raw));  // absurd size: refused up front
    EXPECT_TRUE(raw.isEmpty());
    EXPECT_FALSE(ReadRaw(in2, -1, raw));
}
