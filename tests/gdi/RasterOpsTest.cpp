// Each of the sixteen raster operations, drawn through the drawing context: a pen of
// F0 over a destination of CC in every channel, the result worked out by hand.
#include <QImage>

#include <gtest/gtest.h>

#include "gdi/GdiDc.h"

using namespace zv;

namespace {

struct Rop {
    int rop;
    const char* name;
    std::uint32_t channel;
};

class RasterOperation : public testing::TestWithParam<Rop> {};

TEST_P(RasterOperation, MixesPenAndDestinationBitByBit) {
    const Rop& r = GetParam();
    const std::uint32_t want = r.channel * 0x010101u;
    EXPECT_EQ(MixRop2(r.rop, 0xF0F0F0, 0xCCCCCC) & 0xFFFFFF, want);

    QImage img(16, 8, QImage::Format_RGB32);
    img.fill(qRgb(0xCC, 0xCC, 0xCC));
    GdiDc dc(img);
    EXPECT_EQ(dc.SetROP2(r.rop), R2_COPYPEN);
    dc.SelectPen({PS_SOLID, 1, RGB(0xF0, 0xF0, 0xF0)});
    dc.MoveTo({2, 4});
    dc.LineTo({12, 4});
    EXPECT_EQ(img.pixel(6, 4) & 0xFFFFFF, want);
    EXPECT_EQ(img.pixel(12, 4) & 0xFFFFFF, 0xCCCCCCu);  // the last point is left out
    EXPECT_EQ(img.pixel(6, 3) & 0xFFFFFF, 0xCCCCCCu);
}

INSTANTIATE_TEST_SUITE_P(
    AllSixteen, RasterOperation,
    testing::Values(Rop{1, "Black", 0x00}, Rop{2, "NotMergePen", 0x03}, Rop{3, "MaskNotPen", 0x0C},
                    Rop{4, "NotCopyPen", 0x0F}, Rop{5, "MaskPenNot", 0x30}, Rop{6, "Not", 0x33},
                    Rop{7, "XorPen", 0x3C}, Rop{8, "NotMaskPen", 0x3F}, Rop{9, "MaskPen", 0xC0},
                    Rop{10, "NotXorPen", 0xC3}, Rop{11, "Nop", 0xCC}, Rop{12, "MergeNotPen", 0xCF},
                    Rop{13, "CopyPen", 0xF0}, Rop{14, "MergePenNot", 0xF3},
                    Rop{15, "MergePen", 0xFC}, Rop{16, "White", 0xFF}),
    [](const testing::TestParamInfo<Rop>& i) { return std::string(i.param.name); });

}  // namespace
