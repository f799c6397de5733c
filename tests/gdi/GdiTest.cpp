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

// A band of spans gives exactly what filling each span's rectangle gives, with the
// painter translated, spans running off every edge, empty spans and an empty band;
// and the same again when the painter clips (no direct pixel writes then).
TEST(RasterFill, RowsOfSpansMatchRectangleFills) {
    const RasterFill::Span spans[] = {{-5, 2, RGB(255, 0, 0)},
                                      {3, 6, RGB(0, 255, 0)},
                                      {7, 7, RGB(0, 0, 255)},
                                      {9, 30, RGB(9, 8, 7)},
                                      {40, 50, RGB(1, 2, 3)}};
    for (bool clipped : {false, true}) {
        QImage byRows(20, 12, QImage::Format_RGB32), byRects = byRows;
        byRows.fill(Qt::black);
        byRects.fill(Qt::black);
        {
            QPainter p(&byRows);
            p.translate(2, 3);
            if (clipped) p.setClipRect(QRect(-2, -3, 20, 12));
            RasterFill fill(p);
            EXPECT_EQ(fill.Direct(), !clipped);
            fill.FillRows(-6, 2, spans);  // runs off the top
            fill.FillRows(5, 20, spans);  // and off the bottom
            fill.FillRows(3, 3, spans);   // empty band
        }
        {
            QPainter p(&byRects);
            p.translate(2, 3);
            for (const auto& [top, bottom] : {std::pair{-6, 2}, {5, 20}})
                for (const RasterFill::Span& s : spans)
                    GdiFillRect(p, Rect{s.left, top, s.right, bottom}, s.colour);
        }
        EXPECT_EQ(byRows, byRects) << "clipped " << clipped;
        // Spot checks worked out by hand: (x + 2, y + 3) is where (x, y) lands.
        EXPECT_EQ(byRows.pixel(0, 0), qRgb(255, 0, 0));  // first span, from x = -2
        EXPECT_EQ(byRows.pixel(3, 4), qRgb(255, 0, 0));  // its last pixel, x = 1
        EXPECT_EQ(byRows.pixel(4, 4), qRgb(0, 0, 0));    // gap at x = 2
        EXPECT_EQ(byRows.pixel(7, 4), qRgb(0, 255, 0));  // x = 5
        EXPECT_EQ(byRows.pixel(9, 4), qRgb(0, 0, 0));    // the empty span left nothing
        EXPECT_EQ(byRows.pixel(19, 11), qRgb(9, 8, 7));  // runs off the right and bottom
        EXPECT_EQ(byRows.pixel(19, 5), qRgb(0, 0, 0));   // y = 2, 3, 4: between the bands
        EXPECT_EQ(byRows.pixel(19, 8), qRgb(9, 8, 7));   // y = 5
    }
}
