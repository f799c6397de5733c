// The WMF player, record kind by record kind: each case writes a small placeable WMF
// with libUEMF (100 x 100 units drawn at 100 x 100 pixels, over black) and checks
// pixels worked out from the records. Then the work bound.
#include <QImage>
#include <QTemporaryDir>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <vector>

#include <gtest/gtest.h>

#include "layers/Metafile.h"
#include "layers/WmfPlayer.h"
#include "support/Metafiles.h"

using namespace zv;
using namespace zv::test;

namespace {

constexpr QRgb R = qRgb(255, 0, 0), G = qRgb(0, 255, 0), B = qRgb(0, 0, 255),
               W = qRgb(255, 255, 255), K = qRgb(0, 0, 0), Y = qRgb(255, 255, 0),
               C = qRgb(0, 255, 255), M = qRgb(255, 0, 255);

// A record libUEMF has no writer for: its function and parameter words.
char* Raw(uint16_t function, std::initializer_list<uint16_t> params) {
    const uint32_t words = 3 + static_cast<uint32_t>(params.size());
    auto* r = static_cast<char*>(std::malloc(2 * words));
    std::memcpy(r, &words, 4);
    std::memcpy(r + 4, &function, 2);
    int at = 6;
    for (uint16_t p : params) {
        std::memcpy(r + at, &p, 2);
        at += 2;
    }
    return r;
}

// A 2 x 2 bitmap: red, green on top; blue, white below.
QImage Quad() {
    QImage q(2, 2, QImage::Format_RGB32);
    q.setPixel(0, 0, R);
    q.setPixel(1, 0, G);
    q.setPixel(0, 1, B);
    q.setPixel(1, 1, W);
    return q;
}

QImage Solid(QRgb c) {
    QImage q(1, 1, QImage::Format_RGB32);
    q.fill(c);
    return q;
}

// A filled rectangle without outline.
void Fill(WmfWriter& w, QRgb c, int l, int t, int r, int b) {
    w.NullPen();
    w.Brush(U_BS_SOLID, c);
    w.Add(U_WMRRECTANGLE_set(R16(l, t, r, b)));
}

void Text(WmfWriter& w, int x, int y, const char* text, QRgb colour = R) {
    w.Add(U_WMRSETTEXTCOLOR_set(Ref(colour)));
    w.Add(U_WMRSETBKMODE_set(U_TRANSPARENT));
    w.Add(U_WMRTEXTOUT_set(P16(x, y), const_cast<char*>(text)));
}

using Build = std::function<void(WmfWriter&)>;

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

QImage Play(const Build& build, std::int64_t budget = kWmfWorkBudget,
            PictureFailure* failure = nullptr) {
    QTemporaryDir dir;
    WmfWriter w(dir.filePath("t.wmf"));
    EXPECT_TRUE(w.ok);
    build(w);
    const MetafileImage m = RenderWmf(w.Finish(), 100, 100, budget);
    if (failure) *failure = m.failure;
    return m.image;
}

// The box holding every pixel of `colour`; empty when there is none.
QRect Box(const QImage& img, QRgb colour) {
    QRect box;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) == colour) box |= QRect(x, y, 1, 1);
    return box;
}

int Count(const QImage& img, QRgb colour) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) n += img.pixel(x, y) == colour;
    return n;
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

TEST(WmfPlayer, HatchStylesRunTheirOwnWay) {
    // Over a transparent background the gaps stay black; over an opaque one they
    // take the background colour.
    const auto hatched = [](uint16_t hatch, bool opaque) {
        return Play([=](WmfWriter& w) {
            w.Add(U_WMRSETBKMODE_set(opaque ? U_OPAQUE : U_TRANSPARENT));
            w.Add(U_WMRSETBKCOLOR_set(Ref(B)));
            w.NullPen();
            w.Brush(U_BS_HATCHED, R, hatch);
            w.Add(U_WMRRECTANGLE_set(R16(0, 0, 100, 100)));
        });
    };
    const auto rowUniform = [](const QImage& img, int y) {
        for (int x = 1; x < 100; ++x)
            if (img.pixel(x, y) != img.pixel(0, y)) return false;
        return true;
    };
    const auto columnUniform = [](const QImage& img, int x) {
        for (int y = 1; y < 100; ++y)
            if (img.pixel(x, y) != img.pixel(x, 0)) return false;
        return true;
    };
    // Some red pixel continues down-right (\) and not up-right, or the other way (/).
    const auto runs = [](const QImage& img, int dy) {
        for (int y = 1; y < 98; ++y)
            for (int x = 0; x < 98; ++x)
                if (img.pixel(x, y) == R && img.pixel(x + 1, y + dy) == R &&
                    img.pixel(x + 2, y + 2 * dy) == R && img.pixel(x + 1, y - dy) != R)
                    return true;
        return false;
    };

    const QImage horizontal = hatched(U_HS_HORIZONTAL, false);
    const QImage vertical = hatched(U_HS_VERTICAL, false);
    for (int i = 0; i < 100; ++i) {
        EXPECT_TRUE(rowUniform(horizontal, i)) << i;
        EXPECT_TRUE(columnUniform(vertical, i)) << i;
    }
    for (const QImage& img : {horizontal, vertical}) {
        EXPECT_GT(Count(img, R), 500);
        EXPECT_GT(Count(img, K), 5000);
    }
    const QImage forward = hatched(U_HS_FDIAGONAL, false);
    const QImage backward = hatched(U_HS_BDIAGONAL, false);
    EXPECT_TRUE(runs(forward, 1));
    EXPECT_FALSE(runs(forward, -1));
    EXPECT_TRUE(runs(backward, -1));
    EXPECT_FALSE(runs(backward, 1));
    const QImage cross = hatched(U_HS_CROSS, false);
    const QImage diagonalCross = hatched(U_HS_DIAGCROSS, false);
    bool fullRow = false, fullColumn = false;
    for (int i = 0; i < 100; ++i) {
        fullRow |= rowUniform(cross, i) && cross.pixel(0, i) == R;
        fullColumn |= columnUniform(cross, i) && cross.pixel(i, 0) == R;
    }
    EXPECT_TRUE(fullRow && fullColumn);
    EXPECT_TRUE(runs(diagonalCross, 1));
    EXPECT_TRUE(runs(diagonalCross, -1));

    const QImage opaque = hatched(U_HS_CROSS, true);
    EXPECT_EQ(Count(opaque, R) + Count(opaque, B), 100 * 100);
    EXPECT_EQ(Count(opaque, R), Count(cross, R));
}

TEST(WmfPlayer, PenStylesDashTheirOwnWay) {
    // The runs of red along a one-pixel line from x = 10.
    const auto runs = [](uint16_t style) {
        const QImage img = Play([=](WmfWriter& w) {
            w.Pen(style, 1, R);
            w.Add(U_WMRMOVETO_set(P16(10, 50)));
            w.Add(U_WMRLINETO_set(P16(90, 50)));
        });
        std::vector<int> lengths;
        int run = 0;
        for (int x = 10; x < 70; ++x) {
            if (img.pixel(x, 50) == R) {
                ++run;
            } else if (run > 0) {
                lengths.push_back(run);
                run = 0;
            }
        }
        if (run > 0) lengths.push_back(run);
        return std::vector<int>(lengths.begin(),
                                lengths.begin() + std::min<size_t>(6, lengths.size()));
    };
    EXPECT_EQ(runs(U_PS_SOLID), std::vector<int>({60}));
    EXPECT_EQ(runs(U_PS_DASH), std::vector<int>({4, 4, 4, 4, 4, 4}));
    EXPECT_EQ(runs(U_PS_DOT), std::vector<int>({1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(runs(U_PS_DASHDOT), std::vector<int>({4, 1, 4, 1, 4, 1}));
    EXPECT_EQ(runs(U_PS_DASHDOTDOT), std::vector<int>({4, 1, 1, 4, 1, 1}));
    EXPECT_TRUE(runs(U_PS_NULL).empty());
}

TEST(WmfPlayer, PenEndCapsAndJoins) {
    const auto line = [](uint16_t cap) {
        return Play([=](WmfWriter& w) {
            w.Pen(static_cast<uint16_t>(U_PS_SOLID | cap), 9, R);
            w.Add(U_WMRMOVETO_set(P16(30, 50)));
            w.Add(U_WMRLINETO_set(P16(70, 50)));
        });
    };
    const QImage flat = line(U_PS_ENDCAP_FLAT), square = line(U_PS_ENDCAP_SQUARE),
                 round = line(U_PS_ENDCAP_ROUND);
    EXPECT_EQ(flat.pixel(27, 50), K);
    EXPECT_EQ(square.pixel(27, 47), R);
    EXPECT_EQ(round.pixel(27, 50), R);
    EXPECT_EQ(round.pixel(26, 46), K);

    // A right-angled corner at (50, 20) of an 11-pixel pen.
    const auto corner = [](uint16_t join) {
        return Play([=](WmfWriter& w) {
            w.Pen(static_cast<uint16_t>(U_PS_SOLID | join), 11, R);
            const U_POINT16 p[3] = {P16(20, 50), P16(50, 20), P16(80, 50)};
            w.Add(U_WMRPOLYLINE_set(3, p));
        });
    };
    const QImage miter = corner(U_PS_JOIN_MITER), bevel = corner(U_PS_JOIN_BEVEL),
                 roundJoin = corner(U_PS_JOIN_ROUND);
    EXPECT_EQ(miter.pixel(50, 13), R);
    EXPECT_EQ(roundJoin.pixel(50, 13), K);
    EXPECT_EQ(roundJoin.pixel(50, 15), R);
    EXPECT_EQ(bevel.pixel(50, 15), K);
    EXPECT_EQ(bevel.pixel(50, 17), R);
}

TEST(WmfPlayer, TextIsPlacedByItsAlignment) {
    // "HH" at 40 units: the red box of the glyphs against the reference point.
    const auto text = [](uint16_t align, int x, int y) {
        return Box(Play([=](WmfWriter& w) {
                       w.Font(40);
                       w.Add(U_WMRSETTEXTALIGN_set(align));
                       Text(w, x, y, "HH");
                   }),
                   R);
    };
    const QRect topLeft = text(U_TA_TOP | U_TA_LEFT, 10, 10);
    ASSERT_FALSE(topLeft.isEmpty());
    EXPECT_GE(topLeft.left(), 10);
    EXPECT_LE(topLeft.left(), 15);
    EXPECT_GE(topLeft.top(), 10);
    EXPECT_LE(topLeft.bottom(), 50);
    const QRect centred = text(U_TA_CENTER, 50, 10);
    EXPECT_NEAR((centred.left() + centred.right()) / 2.0, 50, 2.0);
    const QRect right = text(U_TA_RIGHT, 90, 10);
    EXPECT_LE(right.right(), 89);
    EXPECT_GE(right.right(), 84);
    // H sits on the baseline; aligned by its bottom it rises by the descent.
    const QRect baseline = text(U_TA_BASELINE, 10, 60);
    const QRect bottom = text(U_TA_BOTTOM, 10, 60);
    EXPECT_LE(baseline.bottom(), 59);
    EXPECT_GE(baseline.bottom(), 57);
    EXPECT_LE(bottom.bottom(), baseline.bottom() - 5);
    EXPECT_EQ(topLeft.size(), baseline.size());
}

TEST(WmfPlayer, TextFromTheCurrentPositionContinuesWhereTheLastEnded) {
    const QImage twice = Play([](WmfWriter& w) {
        w.Font(30);
        w.Add(U_WMRSETTEXTALIGN_set(U_TA_UPDATECP));
        w.Add(U_WMRMOVETO_set(P16(10, 10)));
        Text(w, 0, 0, "H");  // the point in the record is not used
        Text(w, 0, 0, "H");
    });
    const QImage once = Play([](WmfWriter& w) {
        w.Font(30);
        Text(w, 10, 10, "HH");
    });
    EXPECT_GT(Count(once, R), 100);
    EXPECT_EQ(twice, once);
}

TEST(WmfPlayer, TextOpaqueBackgroundEscapementAndCharset) {
    const QImage opaque = Play([](WmfWriter& w) {
        w.Font(30);
        w.Add(U_WMRSETBKCOLOR_set(Ref(B)));
        w.Add(U_WMRSETTEXTCOLOR_set(Ref(R)));
        w.Add(U_WMRTEXTOUT_set(P16(10, 10), const_cast<char*>("HH")));  // opaque by default
    });
    const QRect box = Box(opaque, B);
    EXPECT_GT(Count(opaque, B), 200);
    EXPECT_EQ(box.topLeft(), QPoint(10, 10));
    EXPECT_EQ(Box(opaque, R) & box, Box(opaque, R));

    // Turned a quarter anticlockwise: the line of text runs upwards from (50, 90).
    const QRect up = Box(Play([](WmfWriter& w) {
                             w.Font(20, 900);
                             Text(w, 50, 90, "HHHH");
                         }),
                         R);
    EXPECT_GT(up.height(), 2 * up.width());
    EXPECT_LE(up.bottom(), 90);
    EXPECT_GE(up.left(), 50);

    // The same two bytes are one Chinese character in a GB2312 font, two Latin ones
    // otherwise.
    const char zhong[] = "\xD6\xD0";
    const QImage chinese = Play([&](WmfWriter& w) {
        w.Font(40, 0, wmf::GB2312_CHARSET, "WenQuanYi Micro Hei");
        Text(w, 10, 10, zhong);
    });
    const QImage latin = Play([&](WmfWriter& w) {
        w.Font(40, 0, 0, "WenQuanYi Micro Hei");
        Text(w, 10, 10, zhong);
    });
    EXPECT_GT(Count(chinese, R), 100);
    EXPECT_GT(Count(latin, R), 100);
    EXPECT_NE(chinese, latin);
}

TEST(WmfPlayer, ExtTextOutClipsToItsRectangle) {
    const QImage img = Play([](WmfWriter& w) {
        w.Font(60);
        w.Add(U_WMRSETTEXTCOLOR_set(Ref(R)));
        int16_t dx[3] = {30, 30, 30};
        w.Add(U_WMREXTTEXTOUT_set(P16(10, 10), 3, U_ETO_CLIPPED, "HHH", dx, R16(10, 10, 30, 30)));
    });
    EXPECT_GT(Count(img, R), 20);
    EXPECT_TRUE(QRect(10, 10, 20, 20).contains(Box(img, R)));
}

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
