// The drawing context over an image: raster operations, GDI's line ends, pens,
// hatches and the background mode.
#include <QImage>

#include <gtest/gtest.h>

#include "gdi/GdiDc.h"
#include "gdi/GdiRegion.h"

using namespace zv;

namespace {

QImage Filled(QRgb c, int w = 40, int h = 40) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    return img;
}

QRgb At(const QImage& img, int x, int y) {
    return img.pixel(x, y) & 0xFFFFFF;
}

}  // namespace

TEST(GdiDc, RasterOperationTable) {
    const std::uint32_t pen = 0x00F0F0F0 & 0xFFFFFF, dest = 0x00CC00CC;
    struct Case {
        int rop;
        std::uint32_t out;
    };
    const Case cases[] = {{1, 0},
                          {2, ~(dest | pen) & 0xFFFFFF},
                          {6, ~dest & 0xFFFFFF},
                          {7, dest ^ pen},
                          {9, dest & pen},
                          {11, dest},
                          {13, pen},
                          {15, dest | pen},
                          {16, 0xFFFFFF},
                          {0, dest},  // not an operation: nothing changes
                          {17, dest}};
    for (const Case& c : cases) EXPECT_EQ(MixRop2(c.rop, pen, dest), c.out) << c.rop;
}

TEST(GdiDc, LineToLeavesTheLastPointAndXorTwiceRestores) {
    QImage img = Filled(0x102030);
    const QImage before = img;
    GdiDc dc(img);
    dc.SetViewportOrg({-100, -100});
    dc.SetROP2(R2_XORPEN);
    dc.SelectPen({PS_SOLID, 1, 0x0000FF});
    dc.MoveTo({105, 110});
    dc.LineTo({130, 110});
    EXPECT_EQ(At(img, 5, 10), 0x102030u ^ 0xFF0000u);
    EXPECT_EQ(At(img, 29, 10), 0x102030u ^ 0xFF0000u);
    EXPECT_EQ(At(img, 30, 10), 0x102030u);
    EXPECT_EQ(dc.DPtoLP({5, 10}), (Point{105, 110}));
    dc.MoveTo({105, 110});
    dc.LineTo({130, 110});
    EXPECT_EQ(img, before);
    // A filled, outlined box: fill and outline overlap in the layer, not on screen.
    dc.SelectBrush({BS_SOLID, 0x00FF00, 0});
    dc.Rectangle({110, 110, 120, 125});
    EXPECT_EQ(At(img, 10, 10), 0x102030u ^ 0xFF0000u);
    EXPECT_EQ(At(img, 15, 15), 0x102030u ^ 0x00FF00u);
    EXPECT_EQ(At(img, 20, 15), 0x102030u);  // right edge excluded
    dc.Rectangle({120, 125, 110, 110});     // corners in any order
    EXPECT_EQ(img, before);
}

TEST(GdiDc, DashedPensAndOpaqueBackground) {
    QImage img = Filled(0);
    GdiDc dc(img);
    dc.SelectPen({PS_DASH, 1, 0xFFFFFF});
    dc.SetBkColor(0x0000FF);
    dc.SetBkMode(TRANSPARENT);
    dc.MoveTo({0, 5});
    dc.LineTo({39, 5});
    EXPECT_EQ(At(img, 0, 5), 0xFFFFFFu);
    EXPECT_EQ(At(img, 20, 5), 0u);  // a gap: 18 on, 6 off
    dc.SetBkMode(OPAQUE);
    dc.MoveTo({0, 6});
    dc.LineTo({39, 6});
    EXPECT_EQ(At(img, 20, 6), 0xFF0000u);  // the gap takes the background colour
    // Wide styled pens come out solid.
    dc.SelectPen({PS_DOT, 3, 0x00FF00});
    dc.MoveTo({0, 20});
    dc.LineTo({39, 20});
    for (int x = 2; x < 36; ++x) EXPECT_EQ(At(img, x, 20), 0x00FF00u) << x;
}

TEST(GdiDc, HatchFollowsTheBrushOrigin) {
    QImage a = Filled(0), b = Filled(0);
    GdiDc da(a), db(b);
    for (GdiDc* dc : {&da, &db}) {
        dc->SelectPen({PS_NULL, 1, 0});
        dc->SelectBrush({BS_HATCHED, 0xFFFFFF, HS_CROSS});
        dc->SetBkMode(TRANSPARENT);
    }
    db.SetBrushOrg({3, 0});
    da.Rectangle({0, 0, 40, 40});
    db.Rectangle({0, 0, 40, 40});
    EXPECT_NE(a, b);
    // The pattern shifted by the origin is the same pattern.
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 30; ++x) ASSERT_EQ(At(a, x, y), At(b, x + 3, y)) << x << "," << y;
}

TEST(GdiDc, PixelBatchSetsEachPixelOnce) {
    QImage img = Filled(0);
    GdiDc dc(img);
    dc.SetROP2(R2_XORPEN);
    dc.BeginPixelBatch();
    dc.SetPixel(3, 3, 0xFFFFFF);
    dc.SetPixel(3, 3, 0xFFFFFF);
    dc.SetPixel(-5, 3, 0xFFFFFF);  // outside: dropped
    dc.EndPixelBatch();
    EXPECT_EQ(At(img, 3, 3), 0xFFFFFFu);
}

TEST(GdiRegion, HugeCoordinatesCostNothing) {
    const Point quad[4] = {{-2000000000, -2000000000},
                           {2000000000, -2000000000},
                           {2000000000, 2000000000},
                           {-2000000000, 2000000000}};
    const GdiRegion r(quad);
    EXPECT_TRUE(r.Contains(0, 0));
    EXPECT_FALSE(r.Contains(2000000000, 0));
}

// Copying the pen paints straight onto the image; every other operation goes through
// a layer. On white, masking with the pen leaves what copying it does, so the two
// ways must give the same pixels for every shape, pen, brush and background mode,
// including shapes cut off at the image's edges.
TEST(GdiDc, CopyingThePenPaintsWhatTheLayerWould) {
    constexpr std::int32_t kMaskPen = 9;
    const GdiPen pens[] = {{PS_SOLID, 1, 0x0000FF}, {PS_DASH, 1, 0x00FF00},
                           {PS_DASHDOTDOT, 1, 0x123456}, {PS_SOLID, 5, 0xFF0000},
                           {PS_INSIDEFRAME, 4, 0x00FFFF}, {PS_NULL, 1, 0}};
    const GdiBrush brushes[] = {{BS_SOLID, 0x808080, 0}, {BS_HOLLOW, 0, 0},
                                {BS_HATCHED, 0x0000FF, HS_DIAGCROSS},
                                {BS_HATCHED, 0xFF00FF, HS_VERTICAL}};
    const auto draw = [](GdiDc& dc, int shape) {
        const Point curve[] = {{-10, 30}, {20, -20}, {50, 70}, {90, 10}};
        const Point outline[] = {{5, 5}, {70, 12}, {30, 55}, {5, 5}};
        switch (shape) {
            case 0: dc.Rectangle({-6, 8, 30, 70}); break;
            case 1: dc.RoundRect({10, 10, 75, 50}, 20, 14); break;
            case 2: dc.Ellipse({20, -15, 90, 45}); break;
            case 3: dc.Arc({0, 0, 60, 60}, {60, 30}, {0, 30}); break;
            case 4: dc.PolyBezier(curve); break;
            case 5: dc.Polyline(outline); break;
            default: dc.MoveTo({2, 58}); dc.LineTo({78, 3}); break;
        }
    };
    for (const GdiPen& pen : pens)
        for (const GdiBrush& brush : brushes)
            for (const std::int32_t mode : {TRANSPARENT, OPAQUE})
                for (int shape = 0; shape < 7; ++shape) {
                    QImage copied = Filled(0xFFFFFF, 80, 60), masked = copied;
                    GdiDc dc1(copied), dc2(masked);
                    for (GdiDc* dc : {&dc1, &dc2}) {
                        dc->SelectPen(pen);
                        dc->SelectBrush(brush);
                        dc->SetBkMode(mode);
                        dc->SetBkColor(0x00C0FF);
                        dc->SetBrushOrg({3, 5});
                        dc->SetViewportOrg({4, -2});
                    }
                    dc2.SetROP2(kMaskPen);
                    draw(dc1, shape);
                    draw(dc2, shape);
                    ASSERT_EQ(copied, masked) << "pen " << pen.style << "/" << pen.width
                                              << " brush " << brush.style << " mode " << mode
                                              << " shape " << shape;
                    const bool filled = shape <= 2 && brush.style != BS_HOLLOW;
                    if (pen.style != PS_NULL || filled) {
                        ASSERT_NE(copied, Filled(0xFFFFFF, 80, 60)) << shape;
                    }
                }
}
