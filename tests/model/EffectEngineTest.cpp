// Frame categories, step counts, assigning and expanding effects, and the sub-frame
// list of an effect frame.

#include <limits>

#include <gtest/gtest.h>

#include "EffectTestSupport.h"
#include "model/EffectGenerators.h"
#include "model/FrameCategoryNames.h"

using namespace zv;
using namespace zv::test;

TEST(FrameCategories, FiftyEightNamesIndexedByEffect) {
    const auto& names = FrameCategoryNames();
    ASSERT_EQ(names.size(), 58u);
    EXPECT_EQ(names[0], QStringLiteral("普通帧"));
    EXPECT_EQ(names[1], QStringLiteral("平移--左"));
    EXPECT_EQ(names[7], QStringLiteral("聚合--边缘--水平"));
    EXPECT_EQ(names[30], QStringLiteral("聚合--边缘--竖直"));
    EXPECT_EQ(names[36], QStringLiteral("收缩--下"));
    EXPECT_EQ(names[47], QStringLiteral("渐变--渐隐"));
    EXPECT_EQ(names[56], QStringLiteral("渐变--单色--下"));
    EXPECT_EQ(names[57], QStringLiteral("特效帧"));
    EXPECT_EQ(&names, &FrameCategoryNames());
    // A vertical movement shares its family with the horizontal one 23 places before.
    for (int e = 1; e <= 23; ++e) {
        EXPECT_EQ(names[e].section(QStringLiteral("--"), 0, 0),
                  names[e + 23].section(QStringLiteral("--"), 0, 0))
            << e;
        EXPECT_NE(names[e], names[e + 23]);
    }
}

TEST(EffectSteps, CountsFollowTheGrid) {
    const struct {
        std::int32_t effect, cols, rows, steps;
    } table[] = {
        {1, 24, 1, 24},
        {4, 24, 1, 276},
        {6, 24, 1, 66},
        {8, 24, 1, 300},
        {10, 24, 1, 78},
        {14, 24, 1, 13},
        {22, 24, 1, 144},
        {24, 24, 1, 1},
        {27, 24, 1, 0},
        {29, 24, 1, 0},
        {47, 24, 1, 12},
        {49, 24, 1, 24},
        {51, 24, 1, 1},
        {53, 24, 1, 12},
        {6, 5, 1, 1},
        {10, 5, 1, 4},
        {14, 5, 1, 3},
        {22, 5, 1, 4},
        {23, 7, 1, 9},
        {6, 1, 1, 0},
        {4, 0, 1, 0},
        {14, 0, 1, 1},
        {31, 3, 7, 28},
        {45, 3, 7, 9},
        {20, 3, 9, 6},
        // Long strips: the products are worked out wide and kept in the counter's range.
        {6, 70000, 1, 612482500},
        {8, 70000, 1, std::numeric_limits<std::int32_t>::max()},
    };
    for (const auto& t : table) {
        CNeonRegion r(t.cols, t.rows, 1.0f);
        EXPECT_EQ(EffectStepCount(t.effect, r), t.steps)
            << t.effect << " on " << t.cols << " x " << t.rows;
    }
    // Every vertical effect on the default strip (one row).
    CNeonRegion strip(24, 1, 1.0f);
    for (std::int32_t e = 24; e <= 46; ++e) {
        const bool none =
            e == 27 || e == 28 || e == 29 || e == 30 || e == 33 || e == 34 || e == 45 || e == 46;
        EXPECT_EQ(EffectStepCount(e, strip), none ? 0 : 1) << e;
    }
    EXPECT_EQ(EffectStepCount(0, strip), 0);
    EXPECT_EQ(EffectStepCount(57, strip), 0);
}

TEST(ApplyEffect, NumbersOutsideTheTableAreIgnored) {
    auto av = Animation();
    CNeonFrame& f = *av->currentFrame;
    CNeonRegion& r = AddRegion(f, 4, 1, {1, 2, 3, 4});
    for (std::int32_t e : {0, -1, 57, 1000}) {
        f.ApplyEffect(*av->anchor, e, 1, false);
        f.ApplyEffect(*av->anchor, e, 1, true);
    }
    EXPECT_EQ(f.category, 0);
    EXPECT_EQ(f.stepCount, 1);
    EXPECT_EQ(r.effect, 0);
    EXPECT_FALSE(r.backup);
    EXPECT_EQ(av->anchor->next->next, av->anchor.get());
}

TEST(ApplyEffect, MarksAnEffectFrameAndKeepsTheLongestCount) {
    auto av = Animation();
    CNeonFrame& f = *av->currentFrame;
    CNeonRegion& a = AddRegion(f, 24, 1, {5, 6});
    f.ApplyEffect(*av->anchor, 4, 0, false);
    CNeonRegion& b = AddRegion(f, 24, 1, {7}, 300);
    f.ApplyEffect(*av->anchor, 1, 1, false);
    EXPECT_EQ(f.category, 57);
    EXPECT_EQ(f.stepCount, 276);
    EXPECT_EQ(a.effect, 4);
    EXPECT_EQ(a.loop, 0);
    EXPECT_EQ(a.effectFrames, 276);
    EXPECT_EQ(b.effectFrames, 24);
    ASSERT_TRUE(a.backup);
    EXPECT_EQ(Colours(*a.backup)[1], 6u);

    // The moving region stops after its own 24 steps; the frame goes on to 276.
    const auto pictures = BuiltPictures(f);
    ASSERT_EQ(pictures.size(), 277u);
    std::vector<COLORREF> start(24, 0);
    start[0] = 7;
    for (std::size_t k = 24; k < pictures.size(); ++k) {
        std::vector<COLORREF> moved;
        for (const auto& cell : pictures[k][1]) moved.push_back(cell.first);
        ASSERT_EQ(moved, start) << k;  // loop on: back at the start after 24 steps
    }
}

TEST(ApplyEffect, StepCountsOfZeroOrBelowMakeNoSteps) {
    auto av = Animation();
    CNeonFrame& f = *av->currentFrame;
    CNeonRegion& r = AddRegion(f, 24, 1, {1, 2, 3});
    f.ApplyEffect(*av->anchor, 27, 1, false);  // converge up on one row: 0 steps
    EXPECT_EQ(f.stepCount, 1);
    auto pictures = FirstRegionColours(BuiltPictures(f));
    ASSERT_EQ(pictures.size(), 2u);
    EXPECT_EQ(pictures[1], pictures[0]);

    r.fadeSteps = -3;  // a fade of negative length
    f.ApplyEffect(*av->anchor, 47, 1, false);
    EXPECT_EQ(r.effectFrames, -3);
    EXPECT_EQ(f.stepCount, 1);
    pictures = FirstRegionColours(BuiltPictures(f));
    ASSERT_EQ(pictures.size(), 2u);
    EXPECT_EQ(pictures[1], pictures[0]);
}

TEST(BuildSubFrames, ClosingMovesRunPastTheRegionsOwnSteps) {
    // A second region stretches the frame to 24 steps; once converge-left on 4 cells
    // has made its 6 steps it keeps feeding its last column, and erode-left clears its
    // right edge, which its own steps left lit.
    auto av = Animation();
    CNeonFrame& f = *av->currentFrame;
    AddRegion(f, 4, 1, {1, 2, 3, 4});
    f.ApplyEffect(*av->anchor, 4, 1, false);
    AddRegion(f, 3, 1, {1, 2, 3}, 100);
    f.ApplyEffect(*av->anchor, 20, 1, false);
    AddRegion(f, 24, 1, {}, 200);
    f.ApplyEffect(*av->anchor, 1, 1, false);
    const auto pictures = BuiltPictures(f);
    ASSERT_EQ(pictures.size(), 25u);
    const auto colours = [&](std::size_t k, int region) {
        std::vector<COLORREF> v;
        for (const auto& c : pictures[k][region]) v.push_back(c.first);
        return v;
    };
    EXPECT_EQ(colours(6, 0), (std::vector<COLORREF>{4, 4, 4, 0}));
    EXPECT_EQ(colours(7, 0), (std::vector<COLORREF>{4, 4, 4, 4}));
    EXPECT_EQ(colours(24, 0), (std::vector<COLORREF>{4, 4, 4, 4}));
    EXPECT_EQ(colours(6, 1), (std::vector<COLORREF>{0, 0, 1}));
    EXPECT_EQ(colours(7, 1), (std::vector<COLORREF>{0, 0, 0}));
}

TEST(BuildSubFrames, ClosingMoveOnAMissingRowIsIgnored) {
    // Converge-to-edges, vertical, on one row names rows 0 and 1 after its (zero) steps.
    auto av = Animation();
    CNeonFrame& f = *av->currentFrame;
    AddRegion(f, 5, 1, {1, 2, 3, 4, 5});
    f.ApplyEffect(*av->anchor, 30, 1, false);
    AddRegion(f, 5, 1, {}, 100);
    f.ApplyEffect(*av->anchor, 1, 1, false);
    const auto pictures = FirstRegionColours(BuiltPictures(f));
    ASSERT_EQ(pictures.size(), 6u);
    for (const auto& p : pictures) EXPECT_EQ(p, (std::vector<COLORREF>{1, 2, 3, 4, 5}));
}

TEST(BuildSubFrames, StartsFromTheAssignedColoursAndRebuildsCleanly) {
    auto av = Animation();
    CNeonFrame& f = *av->currentFrame;
    CNeonRegion& r = AddRegion(f, 4, 1, {1, 2, 3, 4});
    f.ApplyEffect(*av->anchor, 1, 1, false);
    r.cells[0].colour = 9;  // painted after the effect was assigned
    auto pictures = FirstRegionColours(BuiltPictures(f));
    EXPECT_EQ(pictures[0], (std::vector<COLORREF>{9, 2, 3, 4}));  // the frame as it is
    EXPECT_EQ(pictures[1], (std::vector<COLORREF>{2, 3, 4, 1}));  // steps from the backup
    EXPECT_EQ(Colours(r), (std::vector<COLORREF>{1, 2, 3, 4}));
    // A second build replaces the first list instead of adding to it.
    f.BuildSubFrames();
    EXPECT_EQ(Ring<CNeonFrame>::Count(f.subFrames.get()), 5u);
    EXPECT_EQ(f.subCursor, f.subFrames->next);
}

TEST(BuildSubFrames, ColourSweepsLeaveTheFrameOnTheirLatestStep) {
    auto av = Animation();
    CNeonFrame& f = *av->currentFrame;
    CNeonRegion& r = AddRegion(f, 6, 1, {0, 0, RGB(0, 0, 200)});
    f.ApplyEffect(*av->anchor, 53, 1, false);
    const auto pictures = FirstRegionColours(BuiltPictures(f));
    EXPECT_EQ(Colours(r), pictures.back());
    f.RestoreRegions();
    EXPECT_EQ(Colours(r), (std::vector<COLORREF>{0, 0, RGB(0, 0, 200), 0, 0, 0}));
}

TEST(BuildSubFrames, RegionsStackedOverOneRectangleDoNotUnpairTheWalk) {
    // A sub-frame keeps one region per rectangle, so it is shorter than this ring.
    auto av = Animation();
    CNeonFrame& f = *av->currentFrame;
    AddRegion(f, 4, 1, {1, 2, 3, 4});
    f.ApplyEffect(*av->anchor, 1, 1, false);
    AddRegion(f, 4, 1, {5, 6, 7, 8});
    f.ApplyEffect(*av->anchor, 49, 1, false);
    AddRegion(f, 2, 2, {1}, 100);
    f.ApplyEffect(*av->anchor, 8, 1, false);
    EXPECT_EQ(BuiltPictures(f).size(), 5u);
}

namespace {

// Five frames; the first holds a 4-cell strip moving left with loop, the third an
// extra region of its own.
struct FiveFrames {
    std::unique_ptr<CNeonAv> av = Animation(5);
    CNeonFrame& first = *av->First();
    CNeonRegion& strip = AddRegion(first, 4, 1, {1, 2, 3, 4});
    CNeonRegion& extra = AddRegion(*FramesOf(*av->anchor)[2], 2, 1, {8, 9}, 100);
};

std::vector<COLORREF> StripColours(const CNeonFrame& f, const CNeonRegion& like) {
    const CNeonRegion* r = f.FindRegion(like);
    return r ? Colours(*r) : std::vector<COLORREF>{};
}

}  // namespace

TEST(ExpandEffect, WritesTheStepsForwardAndAppendsFrames) {
    FiveFrames t;
    t.first.selectedRegion = &t.strip;
    t.first.ApplyEffect(*t.av->anchor, 1, 1, true);
    t.av->Recount();
    EXPECT_EQ(t.av->frameCount, 6);  // frames 2-5 overwritten, one appended
    const auto frames = FramesOf(*t.av->anchor);
    const std::vector<std::vector<COLORREF>> want = {{1, 2, 3, 4}, {1, 2, 3, 4}, {2, 3, 4, 1},
                                                     {3, 4, 1, 2}, {4, 1, 2, 3}, {1, 2, 3, 4}};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(StripColours(*frames[i], t.strip), want[i]) << i;
    // Frames without the region get one over its rectangle; it is not selected there.
    EXPECT_EQ(frames[1]->selectedRegion, nullptr);
    EXPECT_EQ(RegionsOf(*frames[1]).front()->cols, 4);
    // Other regions are left alone, and the appended frame copies the last one whole.
    EXPECT_EQ(Colours(t.extra), (std::vector<COLORREF>{8, 9}));
    EXPECT_EQ(RegionsOf(*frames[5]).size(), 1u);
    // The frame itself is a normal frame again, showing its colours from before.
    EXPECT_EQ(t.first.category, 0);
    EXPECT_EQ(t.first.stepCount, 1);
    EXPECT_EQ(t.strip.effect, 0);
    EXPECT_EQ(t.strip.effectFrames, 1);
    EXPECT_TRUE(Ring<CNeonFrame>::IsEmpty(t.first.subFrames.get()));
    EXPECT_EQ(t.first.subCursor, nullptr);
}

TEST(ExpandEffect, OnTheLastFrameAppendsStepCountPlusOneFrames) {
    auto av = Animation(2);
    CNeonFrame& last = *av->Last();
    AddRegion(last, 5, 1, {1, 2, 3, 4, 5});
    last.ApplyEffect(*av->anchor, 13, 1, true);  // shrink right: 5 steps
    av->Recount();
    EXPECT_EQ(av->frameCount, 2 + 6);
    EXPECT_EQ(Colours(*RegionsOf(*av->Last()).front()), (std::vector<COLORREF>(5, 0)));
}

TEST(ExpandEffect, AppendedFramesCopyTheFrameAsAFullBuildLeavesIt) {
    // Beside the expanded strip the frame carries a colour sweep, which a full build
    // leaves on its last step; frames appended after the frame copy it in that state.
    const auto make = [](std::unique_ptr<CNeonAv>& av) -> CNeonFrame& {
        av = Animation();
        CNeonFrame& f = *av->currentFrame;
        AddRegion(f, 3, 1, {1, 2, 3}, 100);
        f.ApplyEffect(*av->anchor, 50, 1, false);
        AddRegion(f, 4, 1, {1, 2, 3, 4});
        return f;
    };
    std::unique_ptr<CNeonAv> built, expanded;
    CNeonFrame& b = make(built);
    b.BuildSubFrames();
    const auto sweepAfterBuild = Colours(*RegionsOf(b).front());
    CNeonFrame& e = make(expanded);
    e.ApplyEffect(*expanded->anchor, 1, 1, true);
    expanded->Recount();
    ASSERT_EQ(expanded->frameCount, 1 + 5);  // the strip's 4 steps outlast the sweep's 3
    const auto frames = FramesOf(*expanded->anchor);
    EXPECT_EQ(Colours(*RegionsOf(*frames[1]).front()), sweepAfterBuild);
    EXPECT_EQ(Colours(*RegionsOf(e).front()), sweepAfterBuild);
    EXPECT_EQ(StripColours(*frames[1], *RegionsOf(e).back()), (std::vector<COLORREF>{1, 2, 3, 4}));
    EXPECT_EQ(StripColours(*frames[2], *RegionsOf(e).back()), (std::vector<COLORREF>{2, 3, 4, 1}));
}
