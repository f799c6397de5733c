// The WMF player, record kind by record kind: each case writes a small placeable WMF
// with libUEMF and checks pixels worked out from the records. Then the work bound.
#include <gtest/gtest.h>

#include "WmfPlayback.h"
#include "layers/WmfPlayer.h"

using namespace zv;
using namespace zv::test;

namespace {

// Two green squares, (10..60) and (40..90), in one polygon record: how their overlap
// is filled depends on the fill mode.
Build OverlappingSquares(uint16_t mode) {
    return [=](WmfWriter& w) {
        w.NullPen();
        w.Brush(U_BS_SOLID, G);
        w.Add(U_WMRSETPOLYFILLMODE_set(mode));
        const uint16_t counts[2] = {4, 4};
        const U_POINT16 p[8] = {P16(10, 10), P16(60, 10), P16(60, 60), P16(10, 60),
                                P16(40, 40), P16(90, 40), P16(90, 90), P16(40, 90)};
        w.Add(U_WMRPOLYPOLYGON_set(2, counts, p));
    };
}

// `under` filled over the left 60 columns, then `over` over the right 60 with the
// raster operation `rop2`: the middle 20 columns show how the two combine.
Build Overlap(QRgb under, uint16_t rop2, QRgb over) {
    return [=](WmfWriter& w) {
        Fill(w, under, 0, 0, 60, 100);
        w.Add(U_WMRSETROP2_set(rop2));
        Fill(w, over, 40, 0, 100, 100);
    };
}

struct Pixel {
    int x, y;
    QRgb colour;
};

struct PlayCase {
    const char* name;
    Build build;
    std::vector<Pixel> pixels;
};

void PrintTo(const PlayCase& c, std::ostream* os) {
    *os << c.name;
}

const PlayCase kCases[] = {
    {"LineToFromTheCurrentPosition",
     [](WmfWriter& w) {
         w.Pen(U_PS_SOLID, 3, R);
         w.Add(U_WMRMOVETO_set(P16(10, 20)));
         w.Add(U_WMRLINETO_set(P16(90, 20)));
         w.Add(U_WMRLINETO_set(P16(90, 80)));
     },
     {{50, 20, R}, {90, 50, R}, {50, 30, K}, {5, 20, K}, {50, 50, K}}},
    {"Rectangle",
     [](WmfWriter& w) { Fill(w, G, 10, 10, 40, 30); },
     {{25, 20, G}, {11, 11, G}, {45, 20, K}, {25, 35, K}}},
    {"RectangleOutlineWithNullBrush",
     [](WmfWriter& w) {
         w.Pen(U_PS_SOLID, 4, R);
         w.Brush(U_BS_NULL, G);
         w.Add(U_WMRRECTANGLE_set(R16(10, 10, 60, 60)));
     },
     {{10, 35, R}, {60, 35, R}, {35, 10, R}, {35, 35, K}}},
    {"Ellipse",
     [](WmfWriter& w) {
         w.NullPen();
         w.Brush(U_BS_SOLID, B);
         w.Add(U_WMRELLIPSE_set(R16(20, 20, 80, 80)));
     },
     {{50, 50, B}, {50, 22, B}, {22, 22, K}, {77, 77, K}}},
    {"RoundRect",
     [](WmfWriter& w) {
         w.NullPen();
         w.Brush(U_BS_SOLID, G);
         w.Add(U_WMRROUNDRECT_set(40, 40, R16(10, 10, 90, 90)));
     },
     {{50, 50, G}, {50, 11, G}, {11, 50, G}, {11, 11, K}, {88, 88, K}}},
    {"ArcRunsAnticlockwiseFromStartToEnd",
     [](WmfWriter& w) {
         w.Pen(U_PS_SOLID, 3, R);
         w.Add(U_WMRARC_set(P16(80, 50), P16(50, 20), R16(20, 20, 80, 80)));
     },
     {{71, 29, R}, {80, 50, R}, {50, 20, R}, {29, 71, K}, {29, 29, K}, {50, 50, K}}},
    {"Pie",
     [](WmfWriter& w) {
         w.NullPen();
         w.Brush(U_BS_SOLID, Y);
         w.Add(U_WMRPIE_set(P16(80, 50), P16(50, 20), R16(20, 20, 80, 80)));
     },
     {{60, 40, Y}, {70, 45, Y}, {40, 40, K}, {40, 60, K}, {60, 60, K}}},
    {"ChordCutsAtTheLineBetweenItsEnds",
     [](WmfWriter& w) {
         w.NullPen();
         w.Brush(U_BS_SOLID, Y);
         w.Add(U_WMRCHORD_set(P16(80, 50), P16(50, 20), R16(20, 20, 80, 80)));
     },
     {{68, 32, Y}, {60, 40, K}, {40, 60, K}}},
    {"Polygon",
     [](WmfWriter& w) {
         w.NullPen();
         w.Brush(U_BS_SOLID, G);
         const U_POINT16 p[3] = {P16(10, 90), P16(90, 90), P16(50, 10)};
         w.Add(U_WMRPOLYGON_set(3, p));
     },
     {{50, 70, G}, {50, 15, G}, {15, 20, K}, {85, 20, K}}},
    {"PolylineIsNotClosed",
     [](WmfWriter& w) {
         w.Pen(U_PS_SOLID, 3, R);
         const U_POINT16 p[3] = {P16(10, 10), P16(90, 10), P16(90, 90)};
         w.Add(U_WMRPOLYLINE_set(3, p));
     },
     {{50, 10, R}, {90, 50, R}, {50, 50, K}, {60, 40, K}}},
    {"PolyPolygon",
     [](WmfWriter& w) {
         w.NullPen();
         w.Brush(U_BS_SOLID, G);
         const uint16_t counts[2] = {4, 4};
         const U_POINT16 p[8] = {P16(10, 10), P16(40, 10), P16(40, 40), P16(10, 40),
                                 P16(60, 60), P16(90, 60), P16(90, 90), P16(60, 90)};
         w.Add(U_WMRPOLYPOLYGON_set(2, counts, p));
     },
     {{25, 25, G}, {75, 75, G}, {50, 50, K}, {75, 25, K}}},
    {"AlternateFillLeavesTheOverlapEmpty",
     OverlappingSquares(U_ALTERNATE),
     {{25, 25, G}, {75, 75, G}, {50, 50, K}}},
    {"WindingFillFillsTheOverlap",
     OverlappingSquares(U_WINDING),
     {{25, 25, G}, {75, 75, G}, {50, 50, G}}},
    {"SetPixel",
     [](WmfWriter& w) { w.Add(U_WMRSETPIXEL_set(Ref(R), P16(30, 40))); },
     {{30, 40, R}, {31, 40, K}, {30, 41, K}, {29, 39, K}}},
    {"PatBltPatCopy",
     [](WmfWriter& w) {
         w.Brush(U_BS_SOLID, G);
         w.Add(U_WMRPATBLT_set(P16(10, 10), P16(40, 30), wmf::PATCOPY));
     },
     {{30, 30, G}, {10, 10, G}, {49, 39, G}, {50, 30, K}, {30, 40, K}}},
    {"PatBltWhitenessAndBlackness",
     [](WmfWriter& w) {
         w.Add(U_WMRPATBLT_set(P16(0, 0), P16(100, 100), wmf::WHITENESS));
         w.Add(U_WMRPATBLT_set(P16(50, 0), P16(50, 100), wmf::BLACKNESS));
     },
     {{25, 50, W}, {75, 50, K}}},
    {"PatBltDstInvert",
     [](WmfWriter& w) {
         w.Brush(U_BS_SOLID, G);
         w.Add(U_WMRPATBLT_set(P16(0, 0), P16(50, 100), wmf::PATCOPY));
         w.Add(U_WMRPATBLT_set(P16(25, 0), P16(50, 100), wmf::DSTINVERT));
     },
     {{10, 50, G}, {40, 50, M}, {60, 50, W}, {90, 50, K}}},
    {"PatBltPatInvert",
     [](WmfWriter& w) {
         w.Brush(U_BS_SOLID, G);
         w.Add(U_WMRPATBLT_set(P16(0, 0), P16(60, 100), wmf::PATINVERT));
         w.Add(U_WMRPATBLT_set(P16(40, 0), P16(60, 100), wmf::PATINVERT));
     },
     {{20, 50, G}, {50, 50, K}, {80, 50, G}}},
    {"StretchDib",
     [](WmfWriter& w) {
         const Dib dib(Quad());
         w.Add(U_WMRSTRETCHDIB_set(P16(10, 10), P16(80, 80), P16(0, 0), P16(2, 2), U_DIB_RGB_COLORS,
                                   wmf::SRCCOPY, dib.info, dib.Size(), dib.Bits()));
     },
     {{30, 30, R}, {70, 30, G}, {30, 70, B}, {70, 70, W}, {5, 5, K}, {95, 95, K}}},
    {"StretchDibSourceCountsRowsFromTheBottom",
     [](WmfWriter& w) {
         const Dib dib(Quad());
         w.Add(U_WMRSTRETCHDIB_set(P16(10, 10), P16(80, 80), P16(0, 0), P16(1, 1), U_DIB_RGB_COLORS,
                                   wmf::SRCCOPY, dib.info, dib.Size(), dib.Bits()));
     },
     {{30, 30, B}, {70, 70, B}}},
    {"DibStretchBlt",
     [](WmfWriter& w) {
         const Dib dib(Quad());
         w.Add(U_WMRDIBSTRETCHBLT_set(P16(10, 10), P16(80, 80), P16(0, 0), P16(2, 2), wmf::SRCCOPY,
                                      dib.info, dib.Size(), dib.Bits()));
     },
     {{30, 30, R}, {70, 30, G}, {30, 70, B}, {70, 70, W}}},
    {"DibStretchBltWithoutBitmapPaintsTheBrush",
     [](WmfWriter& w) {
         w.Brush(U_BS_SOLID, G);
         w.Add(U_WMRDIBSTRETCHBLT_set(P16(10, 10), P16(40, 40), P16(0, 0), P16(2, 2), wmf::PATCOPY,
                                      nullptr, 0, nullptr));
     },
     {{30, 30, G}, {60, 60, K}}},
    {"DibBitBlt",
     [](WmfWriter& w) {
         const Dib dib(Quad());
         w.Add(U_WMRDIBBITBLT_set(P16(10, 10), P16(2, 2), P16(0, 0), wmf::SRCCOPY, dib.info,
                                  dib.Size(), dib.Bits()));
     },
     {{10, 10, R}, {11, 10, G}, {10, 11, B}, {11, 11, W}, {12, 12, K}}},
    {"DibBitBltWithoutBitmapPaintsTheBrush",
     [](WmfWriter& w) {
         w.Brush(U_BS_SOLID, B);
         w.Add(U_WMRDIBBITBLT_set(P16(20, 20), P16(30, 30), P16(0, 0), wmf::PATCOPY, nullptr, 0,
                                  nullptr));
     },
     {{35, 35, B}, {60, 60, K}}},
    {"BlitRasterOperations",
     [](WmfWriter& w) {
         w.Brush(U_BS_SOLID, C);
         w.Add(U_WMRPATBLT_set(P16(0, 0), P16(100, 100), wmf::PATCOPY));
         const Dib dib(Solid(Y));
         int x = 0;
         for (uint32_t rop : {wmf::SRCAND, wmf::SRCPAINT, wmf::SRCINVERT, wmf::NOTSRCCOPY}) {
             w.Add(U_WMRDIBSTRETCHBLT_set(P16(x, 0), P16(25, 100), P16(0, 0), P16(1, 1), rop,
                                          dib.info, dib.Size(), dib.Bits()));
             x += 25;
         }
     },
     {{12, 50, G}, {37, 50, W}, {62, 50, M}, {87, 50, B}}},
    {"ExtTextOutOpaqueFillsItsRectangle",
     [](WmfWriter& w) {
         w.Font(20);
         w.Add(U_WMRSETTEXTCOLOR_set(Ref(R)));
         w.Add(U_WMRSETBKCOLOR_set(Ref(B)));
         w.Add(U_WMRSETBKMODE_set(U_TRANSPARENT));
         int16_t dx[1] = {12};
         w.Add(U_WMREXTTEXTOUT_set(P16(30, 30), 1, U_ETO_OPAQUE, "H", dx, R16(5, 5, 60, 60)));
     },
     {{6, 6, B}, {58, 58, B}, {6, 58, B}, {62, 62, K}, {4, 4, K}}},
    {"SaveDcAndRestoreTheLast",
     [](WmfWriter& w) {
         w.NullPen();
         w.Brush(U_BS_SOLID, R);
         w.Add(U_WMRSAVEDC_set());
         w.Brush(U_BS_SOLID, G);
         w.Add(U_WMRRESTOREDC_set(-1));
         w.Add(U_WMRRECTANGLE_set(R16(10, 10, 90, 90)));
     },
     {{50, 50, R}}},
    {"RestoreDcByItsDepth",
     [](WmfWriter& w) {
         w.NullPen();
         w.Brush(U_BS_SOLID, R);
         w.Add(U_WMRSAVEDC_set());
         w.Brush(U_BS_SOLID, G);
         w.Add(U_WMRSAVEDC_set());
         w.Brush(U_BS_SOLID, B);
         w.Add(U_WMRRESTOREDC_set(1));
         w.Add(U_WMRRECTANGLE_set(R16(10, 10, 90, 90)));
     },
     {{50, 50, R}}},
    {"RestoreDcOfStatesNeverSavedIsIgnored",
     [](WmfWriter& w) {
         w.NullPen();
         w.Brush(U_BS_SOLID, R);
         w.Add(U_WMRSAVEDC_set());
         w.Brush(U_BS_SOLID, G);
         w.Add(U_WMRRESTOREDC_set(5));
         w.Add(U_WMRRESTOREDC_set(-3));
         w.Add(U_WMRRESTOREDC_set(0));
         w.Add(U_WMRRECTANGLE_set(R16(10, 10, 90, 90)));
     },
     {{50, 50, G}}},
    {"IntersectClipRect",
     [](WmfWriter& w) {
         w.Add(U_WMRINTERSECTCLIPRECT_set(R16(10, 10, 50, 50)));
         w.Brush(U_BS_SOLID, G);
         w.Add(U_WMRPATBLT_set(P16(0, 0), P16(100, 100), wmf::PATCOPY));
     },
     {{30, 30, G}, {70, 70, K}, {30, 70, K}, {5, 5, K}}},
    {"ExcludeClipRect",
     [](WmfWriter& w) {
         w.Add(U_WMREXCLUDECLIPRECT_set(R16(10, 10, 50, 50)));
         w.Brush(U_BS_SOLID, G);
         w.Add(U_WMRPATBLT_set(P16(0, 0), P16(100, 100), wmf::PATCOPY));
     },
     {{30, 30, K}, {70, 70, G}, {5, 5, G}}},
    {"ClipComesBackWithTheSavedDc",
     [](WmfWriter& w) {
         w.Add(U_WMRSAVEDC_set());
         w.Add(U_WMRINTERSECTCLIPRECT_set(R16(10, 10, 50, 50)));
         w.Add(U_WMRRESTOREDC_set(-1));
         w.Brush(U_BS_SOLID, G);
         w.Add(U_WMRPATBLT_set(P16(0, 0), P16(100, 100), wmf::PATCOPY));
     },
     {{30, 30, G}, {70, 70, G}}},
    {"DeletedSlotIsTakenByTheNextObject",
     [](WmfWriter& w) {
         w.NullPen();                                   // slot 0
         uint32_t red = w.Brush(U_BS_SOLID, R);         // 1
         const uint32_t blue = w.Brush(U_BS_SOLID, B);  // 2
         const uint32_t redSlot = red;
         w.Delete(red);
         w.Brush(U_BS_SOLID, G);  // 1 again
         w.Select(blue);
         w.Select(redSlot);
         w.Add(U_WMRRECTANGLE_set(R16(10, 10, 90, 90)));
     },
     {{50, 50, G}}},
    {"PaletteTakesAnObjectSlot",
     [](WmfWriter& w) {
         uint32_t slot = 0;
         wmf_htable_insert(&slot, w.Handles());
         w.Add(Raw(0x00F7, {0x300, 1, 0x00FF, 0x0000}));  // CREATEPALETTE, one entry
         Fill(w, G, 10, 10, 90, 90);
     },
     {{50, 50, G}}},
    {"PatternBrushTakesAnObjectSlot",
     [](WmfWriter& w) {
         uint32_t slot = 0;
         wmf_htable_insert(&slot, w.Handles());
         w.Add(Raw(0x01F9, {0, 1, 1, 2, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}));  // CREATEPATTERNBRUSH
         Fill(w, G, 10, 10, 90, 90);
     },
     {{50, 50, G}}},
    {"RegionTakesAnObjectSlot",
     [](WmfWriter& w) {
         uint32_t slot = 0;
         wmf_htable_insert(&slot, w.Handles());
         w.Add(Raw(0x06FF, {0, 6, 0, 0, 0, 0, 0, 0, 0, 0, 0}));  // CREATEREGION
         Fill(w, G, 10, 10, 90, 90);
     },
     {{50, 50, G}}},
    {"DibPatternBrushTilesFromTheOrigin",
     [](WmfWriter& w) {
         w.NullPen();
         w.PatternBrush(Dib(Quad()));
         w.Add(U_WMRRECTANGLE_set(R16(0, 0, 100, 100)));
     },
     {{0, 0, R}, {1, 0, G}, {0, 1, B}, {1, 1, W}, {10, 11, B}, {51, 51, W}}},
    {"XorPen", Overlap(G, U_R2_XORPEN, R), {{20, 50, G}, {50, 50, Y}, {80, 50, R}}},
    {"MaskPen", Overlap(Y, U_R2_MASKPEN, R), {{20, 50, Y}, {50, 50, R}, {80, 50, K}}},
    {"MergePen", Overlap(G, U_R2_MERGEPEN, R), {{20, 50, G}, {50, 50, Y}, {80, 50, R}}},
    {"NotInvertsWhatIsBelow", Overlap(G, U_R2_NOT, R), {{20, 50, G}, {50, 50, M}, {80, 50, W}}},
    {"NopDrawsNothing",
     [](WmfWriter& w) {
         Fill(w, G, 0, 0, 60, 100);
         w.Add(U_WMRSETROP2_set(U_R2_NOP));
         w.Pen(U_PS_SOLID, 3, R);
         w.Brush(U_BS_SOLID, R);
         w.Add(U_WMRRECTANGLE_set(R16(40, 0, 100, 100)));
     },
     {{50, 50, G}, {80, 50, K}, {40, 50, G}}},
    {"WhiteAndBlackPens",
     [](WmfWriter& w) {
         Fill(w, G, 0, 0, 100, 100);
         w.Add(U_WMRSETROP2_set(U_R2_WHITE));
         w.Pen(U_PS_SOLID, 3, R);
         w.Add(U_WMRMOVETO_set(P16(10, 30)));
         w.Add(U_WMRLINETO_set(P16(90, 30)));
         w.Add(U_WMRSETROP2_set(U_R2_BLACK));
         w.Add(U_WMRMOVETO_set(P16(10, 70)));
         w.Add(U_WMRLINETO_set(P16(90, 70)));
     },
     {{50, 30, W}, {50, 70, K}, {50, 50, G}}},
    {"WindowExtScales",
     [](WmfWriter& w) {
         w.Add(U_WMRSETWINDOWEXT_set(P16(200, 200)));
         Fill(w, G, 20, 20, 100, 100);
     },
     {{30, 30, G}, {11, 11, G}, {49, 49, G}, {8, 8, K}, {60, 60, K}}},
    {"WindowOrgShifts",
     [](WmfWriter& w) {
         w.Add(U_WMRSETWINDOWORG_set(P16(-20, -20)));
         Fill(w, G, 0, 0, 20, 20);
     },
     {{30, 30, G}, {10, 10, K}, {45, 45, K}}},
    {"OffsetWindowOrgAddsToIt",
     [](WmfWriter& w) {
         w.Add(U_WMRSETWINDOWORG_set(P16(5, 5)));
         w.Add(U_WMROFFSETWINDOWORG_set(P16(5, 5)));
         Fill(w, G, 10, 10, 30, 30);
     },
     {{10, 10, G}, {1, 1, G}, {25, 25, K}}},
    {"ScaleWindowExtTakesEachAxisOwnFactor",
     [](WmfWriter& w) {
         // x: 100 * 2 / 1, y: 100 * 1 / 1.
         w.Add(U_WMRSCALEWINDOWEXT_set(P16(1, 1), P16(2, 1)));
         Fill(w, G, 20, 20, 100, 100);
     },
     {{30, 60, G}, {30, 95, G}, {60, 60, K}, {30, 15, K}}},
    {"NothingAfterTheEndRecord",
     [](WmfWriter& w) {
         w.Add(U_WMREOF_set());
         Fill(w, G, 10, 10, 90, 90);
     },
     {{50, 50, K}}},
};

class PlayRecords : public testing::TestWithParam<PlayCase> {};

TEST_P(PlayRecords, DrawsWhatTheRecordsSay) {
    const PlayCase& c = GetParam();
    const QImage img = Play(c.build);
    ASSERT_EQ(img.size(), QSize(100, 100));
    for (const Pixel& p : c.pixels)
        EXPECT_EQ(img.pixel(p.x, p.y), p.colour)
            << "at " << p.x << "," << p.y << ": " << std::hex << img.pixel(p.x, p.y);
}

INSTANTIATE_TEST_SUITE_P(WmfPlayer, PlayRecords, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<PlayCase>& i) {
                             return std::string(i.param.name);
                         });

}  // namespace

TEST(WmfPlayer, WorkBoundStopsThePicture) {
    // Two objects made (a null pen in slot 0, a brush in slot 1: 1 + 2 slots looked
    // at), then four fills of all 100 x 100 pixels at kDrawCallCost each.
    const auto fills = [](WmfWriter& w) {
        w.NullPen();
        w.Brush(U_BS_SOLID, G);
        for (int i = 0; i < 4; ++i) w.Add(U_WMRRECTANGLE_set(R16(0, 0, 100, 100)));
    };
    const std::int64_t cost = 3 + 4 * (wmf::kDrawCallCost + 100 * 100);
    PictureFailure failure = PictureFailure::None;
    EXPECT_EQ(Play(fills, cost, &failure).pixel(50, 50), G);
    EXPECT_EQ(failure, PictureFailure::None);
    EXPECT_TRUE(Play(fills, cost - 1, &failure).isNull());
    EXPECT_EQ(failure, PictureFailure::WorkLimit);

    // A hatch over an opaque background is drawn twice; fills outside the clip cost
    // only their call.
    const auto hatch = [](WmfWriter& w) {
        w.NullPen();
        w.Brush(U_BS_HATCHED, G, U_HS_CROSS);
        w.Add(U_WMRRECTANGLE_set(R16(0, 0, 100, 100)));
        w.Add(U_WMRINTERSECTCLIPRECT_set(R16(0, 0, 10, 10)));
        w.Add(U_WMRRECTANGLE_set(R16(50, 50, 100, 100)));
    };
    const std::int64_t hatchCost = 3 + (wmf::kDrawCallCost + 2 * 100 * 100) + wmf::kDrawCallCost;
    Play(hatch, hatchCost, &failure);
    EXPECT_EQ(failure, PictureFailure::None);
    Play(hatch, hatchCost - 1, &failure);
    EXPECT_EQ(failure, PictureFailure::WorkLimit);
}

TEST(WmfPlayer, ADamagedHeaderGivesNoPicture) {
    QTemporaryDir dir;
    WmfWriter w(dir.filePath("t.wmf"));
    QByteArray bytes = w.Finish();
    ASSERT_FALSE(bytes.isEmpty());
    bytes[22] = 7;  // a metafile type that is neither memory nor disk
    const MetafileImage m = RenderWmf(bytes, 100, 100);
    EXPECT_TRUE(m.image.isNull());
    EXPECT_EQ(m.failure, PictureFailure::Damaged);
    EXPECT_EQ(RenderWmf(QByteArray("not a metafile"), 100, 100).failure, PictureFailure::Damaged);
}
