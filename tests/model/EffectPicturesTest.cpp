// Every effect against pictures worked out by hand from the effect rules. A row is
// written as its cell colours, 0 for an unlit cell; the pictures listed are those
// after 1, 2, 3, ... steps (sub-frames 1, 2, 3, ...).

#include <set>
#include <sstream>

#include <gtest/gtest.h>

#include "EffectTestSupport.h"

using namespace zv;
using namespace zv::test;

namespace {

struct EffectCase {
    std::int32_t effect;
    std::int32_t cols, rows, loop;
    std::vector<COLORREF> start;               // cell order; missing cells unlit
    std::vector<std::vector<COLORREF>> after;  // after 1, 2, 3, ... steps
};

std::vector<COLORREF> Cells(const char* text) {
    std::istringstream in(text);
    std::vector<COLORREF> v;
    for (COLORREF c; in >> c;) v.push_back(c);
    return v;
}

// A one-row movement case: the start row, then the rows after 1, 2, 3, ... steps.
EffectCase RowCase(std::int32_t effect, std::int32_t loop, const char* start,
                   std::initializer_list<const char*> after) {
    EffectCase c{effect, 0, 1, loop, Cells(start), {}};
    c.cols = std::int32_t(c.start.size());
    for (const char* row : after) c.after.push_back(Cells(row));
    return c;
}

// clang-format off
const std::vector<EffectCase>& HorizontalCases() {
    static const std::vector<EffectCase> cases = {
        RowCase(1, 1, "1 2 3 4", {"2 3 4 1", "3 4 1 2", "4 1 2 3", "1 2 3 4"}),
        RowCase(1, 0, "1 2 3 4", {"2 3 4 0", "3 4 0 0", "4 0 0 0", "0 0 0 0"}),
        RowCase(2, 1, "1 2 3 4", {"4 1 2 3", "3 4 1 2"}),
        RowCase(2, 0, "1 2 3 4", {"0 1 2 3", "0 0 1 2"}),
        RowCase(3, 1, "1 2 3 4 5", {"3 4 5 2 1", "5 2 1 4 3"}),
        RowCase(3, 1, "1 2 3 4 5 6", {"3 6 5 2 1 4"}),
        RowCase(4, 1, "1 2 3 4", {"1 2 4 0", "1 4 0 0", "4 0 0 0", "4 0 4 0", "4 4 0 0", "4 4 4 0"}),
        RowCase(5, 1, "1 2 3 4", {"0 1 3 4", "0 0 1 4", "0 0 0 1", "0 1 0 1", "0 0 1 1", "0 1 1 1"}),
        RowCase(6, 1, "1 2 3 4 5 6 7 8", {"0 1 3 4 5 6 8 0", "0 0 1 4 5 8 0 0", "0 0 0 1 8 0 0 0",
                                          "0 1 0 1 8 0 8 0", "0 0 1 1 8 8 0 0", "0 1 1 1 8 8 8 0"}),
        RowCase(7, 1, "1 2 3 4 5 6 7 8", {"1 2 4 0 0 5 7 8", "1 4 0 0 0 0 5 8", "4 0 0 0 0 0 0 5",
                                          "4 0 4 0 0 5 0 5", "4 4 0 0 0 0 5 5", "4 4 4 0 0 5 5 5"}),
        RowCase(8, 1, "1 2 3", {"0 2 3", "2 0 3", "0 0 3", "0 3 0", "3 0 0", "0 0 0"}),
        RowCase(9, 1, "1 2 3", {"1 2 0", "1 0 2", "1 0 0", "0 1 0", "0 0 1", "0 0 0"}),
        RowCase(10, 1, "1 2 3 4 5 6", {"1 2 0 0 5 6", "1 0 2 5 0 6", "1 0 0 0 0 6", "0 1 0 0 6 0",
                                       "0 0 1 6 0 0", "0 0 0 0 0 0"}),
        RowCase(11, 1, "1 2 3 4 5 6", {"0 2 3 4 5 0", "2 0 3 4 0 5", "0 0 3 4 0 0", "0 3 0 0 4 0",
                                       "3 0 0 0 0 4", "0 0 0 0 0 0"}),
        RowCase(12, 1, "1 2 3 4", {"1 2 4 0", "1 4 0 0", "4 0 0 0", "0 0 0 0"}),
        RowCase(13, 1, "1 2 3 4", {"0 1 3 4", "0 0 1 4", "0 0 0 1", "0 0 0 0"}),
        RowCase(14, 1, "1 2 3 4 5", {"0 2 3 4 0", "0 0 3 0 0", "0 0 0 0 0"}),
        RowCase(15, 1, "1 2 3 4 5 6", {"1 3 0 0 4 6", "3 0 0 0 0 4", "0 0 0 0 0 0", "0 0 0 0 0 0"}),
        RowCase(16, 1, "0 0 0 7", {"0 0 7 7", "0 7 7 7", "7 7 7 7", "7 7 7 7"}),
        RowCase(16, 1, "1 2 3 4", {"1 2 4 4", "1 4 4 4", "4 4 4 4"}),
        RowCase(17, 1, "1 2 3 4", {"1 1 3 4", "1 1 1 4", "1 1 1 1", "1 1 1 1"}),
        RowCase(18, 1, "1 2 3 4 5 6 7 8", {"1 1 3 4 5 6 8 8", "1 1 1 4 5 8 8 8", "1 1 1 1 8 8 8 8",
                                           "1 1 1 1 8 8 8 8", "1 1 1 1 8 8 8 8"}),
        RowCase(19, 1, "1 2 3 4 5 6 7 8", {"1 2 4 4 5 5 7 8", "1 4 4 4 5 5 5 8", "4 4 4 4 5 5 5 5",
                                           "4 4 4 4 5 5 5 5", "4 4 4 4 5 5 5 5"}),
        RowCase(19, 1, "1 2 3 4 5", {"1 3 3 4 4", "1 3 3 4 4", "1 3 3 4 4"}),
        // The pairs run out one step early: the last cell stays lit.
        RowCase(20, 1, "1 2 3", {"1 2 0", "1 0 2", "0 1 2", "0 1 0", "0 0 1", "0 0 1"}),
        RowCase(21, 1, "1 2 3", {"0 2 3", "2 0 3", "2 3 0", "0 3 0", "3 0 0", "3 0 0"}),
        RowCase(22, 1, "1 2 3 4 5 6", {"0 2 3 4 5 0", "2 0 3 4 0 5", "2 3 0 0 4 5", "0 3 0 0 4 0",
                                       "3 0 0 0 0 4", "0 0 0 0 0 0", "0 0 0 0 0 0", "0 0 0 0 0 0",
                                       "0 0 0 0 0 0"}),
        RowCase(23, 1, "1 2 3 4 5 6", {"1 2 0 0 5 6", "1 0 2 5 0 6", "0 1 2 5 6 0", "0 1 0 0 6 0",
                                       "0 0 1 6 0 0", "0 0 1 6 0 0", "0 0 0 0 0 0", "0 0 0 0 0 0",
                                       "0 0 0 0 0 0"}),
    };
    return cases;
}

// The hues a 24-line sweep feeds at its edge: step s brings the angle s * 3pi / 24.
constexpr COLORREF kRed = RGB(255, 0, 0), kHue1 = RGB(255, 97, 0), kHue2 = RGB(255, 180, 0),
                   kHue3 = RGB(255, 235, 0), kYellow = RGB(255, 255, 0);
constexpr COLORREF kOrange = RGB(255, 128, 0);
constexpr COLORREF Blue(int b) { return RGB(0, 0, b); }
constexpr COLORREF Red(int r) { return RGB(r, 0, 0); }

// n cells, all unlit but the ones listed.
std::vector<COLORREF> Lit(int n, std::vector<std::pair<int, COLORREF>> lit) {
    std::vector<COLORREF> v(n, 0);
    for (auto [i, c] : lit) v[i] = c;
    return v;
}

// A column of cells laid down as the rows of a two-column grid, both cells alike.
std::vector<COLORREF> Twice(std::vector<COLORREF> v) {
    std::vector<COLORREF> out;
    for (COLORREF c : v) out.insert(out.end(), {c, c});
    return out;
}

const std::vector<EffectCase>& GradientCases() {
    // Fades scale the start by sin((1 - k/12) pi/2) (out) or sin(k/12 pi/2) (in) after k
    // steps, floored per byte. In double precision the fade-in's sin(pi/6) lands just
    // under 0.5, the fade-out's exactly on it: 128 gives 63 in and 64 out.
    static const std::vector<EffectCase> cases = {
        {47, 1, 1, 1, {kOrange}, {{RGB(252, 126, 0)}, {RGB(246, 123, 0)}, {RGB(235, 118, 0)},
                                  {RGB(220, 110, 0)}, {RGB(202, 101, 0)}, {RGB(180, 90, 0)},
                                  {RGB(155, 77, 0)}, {RGB(127, 64, 0)}, {RGB(97, 48, 0)},
                                  {RGB(65, 33, 0)}, {RGB(33, 16, 0)}, {0}}},
        {48, 1, 1, 1, {kOrange}, {{RGB(33, 16, 0)}, {RGB(65, 33, 0)}, {RGB(97, 48, 0)},
                                  {RGB(127, 63, 0)}, {RGB(155, 77, 0)}, {RGB(180, 90, 0)},
                                  {RGB(202, 101, 0)}, {RGB(220, 110, 0)}, {RGB(235, 118, 0)},
                                  {RGB(246, 123, 0)}, {RGB(252, 126, 0)}, {kOrange}}},
        {49, 24, 2, 1, {}, {Lit(48, {{23, kRed}, {47, kRed}}),
                            Lit(48, {{22, kRed}, {23, kHue1}, {46, kRed}, {47, kHue1}}),
                            Lit(48, {{21, kRed}, {22, kHue1}, {23, kHue2}, {45, kRed}, {46, kHue1}, {47, kHue2}}),
                            Lit(48, {{20, kRed}, {21, kHue1}, {22, kHue2}, {23, kHue3},
                                     {44, kRed}, {45, kHue1}, {46, kHue2}, {47, kHue3}}),
                            Lit(48, {{19, kRed}, {20, kHue1}, {21, kHue2}, {22, kHue3}, {23, kYellow},
                                     {43, kRed}, {44, kHue1}, {45, kHue2}, {46, kHue3}, {47, kYellow}})}},
        {50, 24, 1, 1, {}, {Lit(24, {{0, kRed}}),
                            Lit(24, {{0, kHue1}, {1, kRed}}),
                            Lit(24, {{0, kHue2}, {1, kHue1}, {2, kRed}}),
                            Lit(24, {{0, kHue3}, {1, kHue2}, {2, kHue1}, {3, kRed}}),
                            Lit(24, {{0, kYellow}, {1, kHue3}, {2, kHue2}, {3, kHue1}, {4, kRed}})}},
        {51, 2, 24, 1, {}, {Twice(Lit(24, {{23, kRed}})),
                            Twice(Lit(24, {{22, kRed}, {23, kHue1}}))}},
        {52, 2, 24, 1, {}, {Twice(Lit(24, {{0, kRed}})),
                            Twice(Lit(24, {{0, kHue1}, {1, kRed}}))}},
        // Single colour: sin(11pi/24), sin(5pi/12), sin(3pi/8) of 200 are 198, 193, 184.
        {53, 6, 1, 1, Lit(6, {{2, Blue(200)}}),
         {Lit(6, {{1, Blue(200)}, {2, Blue(198)}}),
          Lit(6, {{0, Blue(200)}, {1, Blue(198)}, {2, Blue(193)}}),
          Lit(6, {{0, Blue(198)}, {1, Blue(193)}, {2, Blue(184)}, {5, Blue(200)}})}},
        {54, 6, 1, 1, Lit(6, {{2, Blue(200)}}),
         {Lit(6, {{2, Blue(198)}, {3, Blue(200)}}),
          Lit(6, {{2, Blue(193)}, {3, Blue(198)}, {4, Blue(200)}}),
          Lit(6, {{2, Blue(184)}, {3, Blue(193)}, {4, Blue(198)}, {5, Blue(200)}})}},
        {55, 2, 6, 1, Lit(12, {{4, Blue(200)}, {5, Red(100)}}),
         {Lit(12, {{2, Blue(200)}, {3, Red(100)}, {4, Blue(198)}, {5, Red(99)}}),
          Lit(12, {{0, Blue(200)}, {1, Red(100)}, {2, Blue(198)}, {3, Red(99)}, {4, Blue(193)}, {5, Red(96)}})}},
        {56, 2, 6, 1, Lit(12, {{4, Blue(200)}, {5, Red(100)}}),
         {Lit(12, {{4, Blue(198)}, {5, Red(99)}, {6, Blue(200)}, {7, Red(100)}}),
          Lit(12, {{4, Blue(193)}, {5, Red(96)}, {6, Blue(198)}, {7, Red(99)}, {8, Blue(200)}, {9, Red(100)}})}},
    };
    return cases;
}
// clang-format on

// A row laid down as the rows of a two-column grid: row y holds (v, v + 100), so rows
// that do not move whole show up.
std::vector<COLORREF> RowsOfPairs(const std::vector<COLORREF>& row) {
    std::vector<COLORREF> out;
    for (COLORREF v : row) out.insert(out.end(), {v, v ? v + 100 : 0});
    return out;
}

// The vertical effect e + 23 is effect e with rows for columns.
EffectCase VerticalTwin(const EffectCase& h) {
    EffectCase v{h.effect + 23, 2, h.cols, h.loop, RowsOfPairs(h.start), {}};
    for (const auto& row : h.after) v.after.push_back(RowsOfPairs(row));
    return v;
}

std::vector<EffectCase> AllCases() {
    std::vector<EffectCase> all = HorizontalCases();
    for (const EffectCase& h : HorizontalCases()) all.push_back(VerticalTwin(h));
    const auto& g = GradientCases();
    all.insert(all.end(), g.begin(), g.end());
    return all;
}

void PrintTo(const EffectCase& c, std::ostream* os) {
    *os << "effect " << c.effect << " on " << c.cols << " x " << c.rows << ", loop " << c.loop;
}

class EffectPictures : public testing::TestWithParam<EffectCase> {};

}  // namespace

TEST_P(EffectPictures, MatchTheWorkedOutRows) {
    const EffectCase& c = GetParam();
    auto av = Animation();
    CNeonFrame& f = *av->currentFrame;
    AddRegion(f, c.cols, c.rows, c.start);
    f.ApplyEffect(*av->anchor, c.effect, c.loop, false);
    const auto pictures = FirstRegionColours(BuiltPictures(f));
    std::vector<COLORREF> start = c.start;
    start.resize(std::size_t(c.cols) * c.rows, 0);
    EXPECT_EQ(pictures.front(), start);
    ASSERT_LT(c.after.size(), pictures.size());
    for (std::size_t k = 0; k < c.after.size(); ++k)
        EXPECT_EQ(pictures[k + 1], c.after[k]) << "after " << k + 1 << " steps";
}

INSTANTIATE_TEST_SUITE_P(All, EffectPictures, testing::ValuesIn(AllCases()),
                         [](const testing::TestParamInfo<EffectCase>& info) {
                             return "effect" + std::to_string(info.param.effect) + "_" +
                                    std::to_string(info.index);
                         });

TEST(EffectPictures, EveryEffectHasAWorkedOutPicture) {
    std::set<std::int32_t> covered;
    for (const EffectCase& c : AllCases()) covered.insert(c.effect);
    EXPECT_EQ(covered.size(), 56u);
    EXPECT_EQ(*covered.begin(), 1);
    EXPECT_EQ(*covered.rbegin(), 56);
}
