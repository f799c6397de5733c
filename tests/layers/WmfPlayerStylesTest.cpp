// The WMF player's drawing styles: hatches, pen dashes, caps and joins, and where
// text lands for each alignment, escapement and character set.
#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

#include "WmfPlayback.h"
#include "layers/WmfPlayer.h"

using namespace zv;
using namespace zv::test;

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
