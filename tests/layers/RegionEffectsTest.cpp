// The line primitives and colour helpers of the effects, on single rows worked out by
// hand, on their row-wise twins, and on grids too small for the positions they name.

#include <cmath>
#include <functional>
#include <numbers>

#include <gtest/gtest.h>

#include "layers/NeonRegion.h"
#include "support/Regions.h"

using namespace zv;
using Axis = CNeonRegion::Axis;

namespace {

constexpr double kPi = std::numbers::pi;

std::unique_ptr<CNeonRegion> Grid(std::int32_t cols, std::int32_t rows) {
    auto g = std::make_unique<CNeonRegion>(cols, rows, 1.0f);
    g->SetGrid(rows, cols);
    return g;
}

// One row holding the colours, each cell's previous colour 10 more.
std::unique_ptr<CNeonRegion> Row(std::vector<COLORREF> colours) {
    auto g = Grid(std::int32_t(colours.size()), 1);
    for (std::size_t i = 0; i < colours.size(); ++i)
        g->cells[i] = {0, {}, colours[i], colours[i] + 10};
    return g;
}

using Op = std::function<void(CNeonRegion&, Axis)>;

struct PrimitiveCase {
    const char* what;
    Op op;
    std::vector<COLORREF> start, colours, prevs;  // prevs empty: not checked
};

const CNeonRegion& Source5() {
    static const auto src = Row({6, 7, 8, 9, 10});
    return *src;
}

const std::vector<PrimitiveCase>& PrimitiveCases() {
    static const std::vector<COLORREF> k5 = {1, 2, 3, 4, 5};
    // clang-format off
    static const std::vector<PrimitiveCase> cases = {
        {"interleave 5", [](auto& g, Axis a) { g.Interleave(a); }, k5, {3, 4, 5, 2, 1}, {13, 14, 15, 12, 11}},
        {"interleave 6", [](auto& g, Axis a) { g.Interleave(a); }, {1, 2, 3, 4, 5, 6}, {3, 6, 5, 2, 1, 4}, {}},
        {"interleave 3", [](auto& g, Axis a) { g.Interleave(a); }, {1, 2, 3}, {3, 2, 1}, {}},
        {"interleave 2", [](auto& g, Axis a) { g.Interleave(a); }, {1, 2}, {1, 2}, {}},
        {"copy column 2", [](auto& g, Axis a) { g.CopyColumnFrom(a, Source5(), 2); }, k5, {1, 2, 8, 4, 5}, {11, 12, 18, 14, 15}},
        {"copy column 5", [](auto& g, Axis a) { g.CopyColumnFrom(a, Source5(), 5); }, k5, k5, {}},
        {"copy column -1", [](auto& g, Axis a) { g.CopyColumnFrom(a, Source5(), -1); }, k5, k5, {}},
        {"clear column 2", [](auto& g, Axis a) { g.ClearColumn(a, 2); }, k5, {1, 2, 0, 4, 5}, {11, 12, 13, 14, 15}},
        {"clear column 5", [](auto& g, Axis a) { g.ClearColumn(a, 5); }, k5, k5, {}},
        {"pull left 2", [](auto& g, Axis a) { g.PullLeft(a, 2, false); }, k5, {1, 3, 0, 4, 0}, {11, 13, 3, 14, 15}},
        {"pull left 2 keep", [](auto& g, Axis a) { g.PullLeft(a, 2, true); }, k5, {1, 3, 0, 4, 5}, {}},
        {"pull left 0", [](auto& g, Axis a) { g.PullLeft(a, 0, false); }, k5, {1, 2, 3, 4, 0}, {}},
        {"pull right 2", [](auto& g, Axis a) { g.PullRight(a, 2, false); }, k5, {0, 2, 0, 3, 5}, {11, 12, 3, 13, 15}},
        {"pull right 4 keep", [](auto& g, Axis a) { g.PullRight(a, 4, true); }, k5, k5, {}},
        {"pull apart 3 1", [](auto& g, Axis a) { g.PullApart(a, 3, 1, false); }, k5, {0, 0, 4, 0, 0}, {}},
        {"push left 2", [](auto& g, Axis a) { g.PushLeft(a, 2); }, k5, {1, 3, 0, 4, 5}, {11, 13, 3, 14, 15}},
        {"push left 0", [](auto& g, Axis a) { g.PushLeft(a, 0); }, k5, {0, 2, 3, 4, 5}, {11, 12, 13, 14, 15}},
        {"push left 5", [](auto& g, Axis a) { g.PushLeft(a, 5); }, k5, k5, {}},
        {"push right 4", [](auto& g, Axis a) { g.PushRight(a, 4); }, k5, {1, 2, 3, 4, 0}, {11, 12, 13, 14, 15}},
        {"push right 1", [](auto& g, Axis a) { g.PushRight(a, 1); }, k5, {1, 0, 2, 4, 5}, {11, 2, 12, 14, 15}},
        {"push right -1", [](auto& g, Axis a) { g.PushRight(a, -1); }, k5, k5, {}},
        {"push apart 1 3", [](auto& g, Axis a) { g.PushApart(a, 1, 3); }, k5, {2, 0, 3, 0, 4}, {}},
        {"push inward 0 4", [](auto& g, Axis a) { g.PushInward(a, 0, 4); }, k5, {0, 1, 3, 5, 0}, {1, 11, 13, 15, 5}},
        {"push inward 2 2", [](auto& g, Axis a) { g.PushInward(a, 2, 2); }, k5, {1, 2, 0, 4, 5}, {}},
        {"push inward 4 0", [](auto& g, Axis a) { g.PushInward(a, 4, 0); }, k5, {0, 2, 3, 4, 0}, {}},
        {"push inward -1 4", [](auto& g, Axis a) { g.PushInward(a, -1, 4); }, k5, k5, {}},
        {"push inward 0 5", [](auto& g, Axis a) { g.PushInward(a, 0, 5); }, k5, k5, {}},
        {"smear left 3", [](auto& g, Axis a) { g.SmearLeft(a, 3); }, k5, {1, 2, 4, 4, 5}, {11, 12, 14, 14, 15}},
        {"smear left 0", [](auto& g, Axis a) { g.SmearLeft(a, 0); }, k5, k5, {}},
        {"smear right 4", [](auto& g, Axis a) { g.SmearRight(a, 4); }, k5, k5, {}},
        {"smear apart 1 3", [](auto& g, Axis a) { g.SmearApart(a, 1, 3); }, k5, {2, 2, 3, 4, 4}, {}},
        {"shift left", [](auto& g, Axis a) { g.ShiftLeft(a, false); }, k5, {2, 3, 4, 5, 0}, {}},
        {"shift right wrap", [](auto& g, Axis a) { g.ShiftRight(a, true); }, k5, {5, 1, 2, 3, 4}, {}},
    };
    // clang-format on
    return cases;
}

// The same row laid out as one column of a grid with two columns; the second column
// holds the colour + 100, so a row move that mixes the columns shows.
std::unique_ptr<CNeonRegion> AsColumnPair(const CNeonRegion& row) {
    auto g = Grid(2, row.cols);
    for (std::int32_t y = 0; y < row.cols; ++y) {
        const NeonCell& c = row.cells[y];
        g->Cell(y, 0) = c;
        g->Cell(y, 1) = {
            0, {}, c.colour ? c.colour + 100 : 0, c.prevColour ? c.prevColour + 100 : 0};
    }
    return g;
}

}  // namespace

TEST(RegionPrimitives, MoveWholeColumnsAsWorkedOut) {
    for (const PrimitiveCase& c : PrimitiveCases()) {
        auto g = Row(c.start);
        c.op(*g, Axis::Columns);
        EXPECT_EQ(Colours(*g), c.colours) << c.what;
        if (!c.prevs.empty()) {
            EXPECT_EQ(Prevs(*g), c.prevs) << c.what;
        }
    }
}

TEST(RegionPrimitives, MoveEveryColumnCellOfEveryRow) {
    // Three rows holding the same row pattern times 1, 100 and 10000 must stay aligned.
    for (const PrimitiveCase& c : PrimitiveCases()) {
        if (c.what == std::string("copy column 2")) continue;  // its source is a single row
        const std::int32_t n = std::int32_t(c.start.size());
        auto g = Grid(n, 3);
        for (std::int32_t y = 0; y < 3; ++y)
            for (std::int32_t x = 0; x < n; ++x)
                g->Cell(y, x).colour = c.start[x] * (y == 0 ? 1 : y == 1 ? 100 : 10000);
        c.op(*g, Axis::Columns);
        for (std::int32_t y = 0; y < 3; ++y)
            for (std::int32_t x = 0; x < n; ++x)
                EXPECT_EQ(g->Cell(y, x).colour, c.colours[x] * (y == 0   ? 1
                                                                : y == 1 ? 100
                                                                         : 10000))
                    << c.what << " row " << y << " column " << x;
    }
}

TEST(RegionPrimitives, RowAxisMovesWholeRowsTheSameWay) {
    for (const PrimitiveCase& c : PrimitiveCases()) {
        if (c.what == std::string("copy column 2")) continue;
        auto g = AsColumnPair(*Row(c.start));
        c.op(*g, Axis::Rows);
        auto expected = Row(c.colours);
        for (std::size_t i = 0; i < c.colours.size(); ++i) expected->cells[i].prevColour = 0;
        const auto want = AsColumnPair(*expected);
        EXPECT_EQ(Colours(*g), Colours(*want)) << c.what;
    }
}

TEST(RegionPrimitives, RowAxisCopiesTheSourceRow) {
    auto g = Grid(2, 3);
    auto src = Grid(2, 3);
    for (std::int32_t i = 0; i < 6; ++i) src->cells[i].colour = 50 + i;
    g->CopyColumnFrom(Axis::Rows, *src, 1);
    EXPECT_EQ(Colours(*g), (std::vector<COLORREF>{0, 0, 52, 53, 0, 0}));
    g->CopyColumnFrom(Axis::Columns, *src, 1);
    EXPECT_EQ(Colours(*g), (std::vector<COLORREF>{0, 51, 52, 53, 0, 55}));
}

TEST(RegionPrimitives, OneColumnOnlyTheOffSwitchesAct) {
    const std::vector<std::pair<const char*, Op>> switchOff = {
        {"clear", [](auto& g, Axis a) { g.ClearColumn(a, 0); }},
        {"push left", [](auto& g, Axis a) { g.PushLeft(a, 0); }},
        {"push right", [](auto& g, Axis a) { g.PushRight(a, 0); }},
        {"push inward", [](auto& g, Axis a) { g.PushInward(a, 0, 0); }},
    };
    for (const auto& [what, op] : switchOff) {
        auto g = Row({7});
        op(*g, Axis::Columns);
        EXPECT_EQ(Colours(*g), std::vector<COLORREF>{0}) << what;
    }
    for (const PrimitiveCase& c : PrimitiveCases()) {
        const std::string what = c.what;
        if (what.starts_with("clear") || what.starts_with("push") || what.starts_with("pull"))
            continue;
        auto g = Row({7});
        c.op(*g, Axis::Columns);
        EXPECT_EQ(Colours(*g), std::vector<COLORREF>{7}) << c.what;
    }
    // The pulls leave the one column alone apart from their edge clearing.
    auto g = Row({7});
    g->PullLeft(Axis::Columns, 0, true);
    g->PullRight(Axis::Columns, 0, true);
    EXPECT_EQ(Colours(*g), std::vector<COLORREF>{7});
}

TEST(RegionPrimitives, NeverTouchCellsOutsideTheGrid) {
    // Every primitive at every position near the edges of grids from 0 x 0 to 3 x 3,
    // both axes, fed from sources of other sizes: the sanitizers watch the array.
    const std::vector<Op> ops = {
        [](auto& g, Axis a) { g.Interleave(a); },
        [](auto& g, Axis a) { g.ShiftLeft(a, true); },
        [](auto& g, Axis a) { g.ShiftRight(a, false); },
    };
    for (std::int32_t cols = 0; cols <= 3; ++cols)
        for (std::int32_t rows = 0; rows <= 3; ++rows)
            for (Axis axis : {Axis::Columns, Axis::Rows})
                for (std::int32_t x = -2; x <= 4; ++x) {
                    auto g = Grid(cols, rows);
                    g->FillAll(5);
                    auto other = Grid(3 - cols, rows + 1);
                    other->FillAll(9);
                    g->CopyColumnFrom(axis, *other, x);
                    g->ClearColumn(axis, x);
                    g->PullLeft(axis, x, false);
                    g->PullRight(axis, x, false);
                    g->PullApart(axis, x, 2 - x, true);
                    g->PushLeft(axis, x);
                    g->PushRight(axis, x);
                    g->PushApart(axis, x, 1 - x);
                    g->PushInward(axis, x, 2 - x);
                    g->PushInward(axis, x, cols - 1 - x);
                    g->SmearLeft(axis, x);
                    g->SmearRight(axis, x);
                    g->SmearApart(axis, x, 3 - x);
                    g->SetColumnColour(axis, x, 3);
                    const std::int32_t lines[] = {x, x + 1, -x};
                    g->ScaleColumnsFrom(axis, *other, lines, 0.5);
                    g->ScaleColoursFrom(*other, 0.5);
                    for (const Op& op : ops) op(*g, axis);
                    (void)g->LitColumns(axis);
                }
}

TEST(RegionPrimitives, ACellArrayThatDisagreesWithItsGridHasNoLines) {
    auto g = Grid(3, 1);
    g->cols = 5;  // as a half-read record could leave it
    EXPECT_EQ(g->LineCount(Axis::Columns), 0);
    g->PushRight(Axis::Columns, 4);
    g->CopyColumnFrom(Axis::Columns, Source5(), 4);
    EXPECT_TRUE(g->LitColumns(Axis::Columns).empty());
}

TEST(RegionColours, ScaleFloorsEveryByte) {
    EXPECT_EQ(CNeonRegion::ScaleColour(RGB(255, 128, 0), std::sin(11 * kPi / 24)),
              RGB(252, 126, 0));
    EXPECT_EQ(CNeonRegion::ScaleColour(RGB(255, 128, 0), std::sin(kPi / 24)), RGB(33, 16, 0));
    EXPECT_EQ(CNeonRegion::ScaleColour(RGB(10, 20, 200), 1.0), RGB(10, 20, 200));
    EXPECT_EQ(CNeonRegion::ScaleColour(RGB(10, 20, 200), 0.0), 0u);
}

TEST(RegionColours, WheelRunsThroughTheSixHues) {
    // floor(sin(pi/8) * 255) = 97 and floor(sin(5pi/8) * 255) = 235.
    const struct {
        double a;
        COLORREF colour;
    } wheel[] = {
        {0, RGB(255, 0, 0)},
        {kPi / 8, RGB(255, 97, 0)},
        {kPi / 2, RGB(255, 255, 0)},
        {5 * kPi / 8, RGB(235, 255, 0)},
        {9 * kPi / 8, RGB(0, 255, 97)},
        {13 * kPi / 8, RGB(0, 235, 255)},
        {17 * kPi / 8, RGB(97, 0, 255)},
        {21 * kPi / 8, RGB(255, 0, 235)},
        // Past 3 pi (a region regridded after its sweep was assigned) the hue goes round.
        {3 * kPi + kPi / 8, RGB(255, 97, 0)},
    };
    for (const auto& w : wheel) EXPECT_EQ(CNeonRegion::WheelColour(w.a), w.colour) << w.a;
}

TEST(RegionColours, LitColumnsAndRows) {
    auto g = Grid(4, 3);
    g->Cell(0, 1).colour = 5;
    g->Cell(2, 1).colour = 6;
    g->Cell(2, 3).colour = 7;
    EXPECT_EQ(g->LitColumns(Axis::Columns), (std::vector<std::int32_t>{1, 3}));
    EXPECT_EQ(g->LitColumns(Axis::Rows), (std::vector<std::int32_t>{0, 2}));
}
