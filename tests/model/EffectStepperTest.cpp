// Walking sub-frames one at a time gives exactly what BuildSubFrames builds, for
// every effect, on ordinary and on degenerate grids.

#include <gtest/gtest.h>

#include "EffectTestSupport.h"

using namespace zv;
using namespace zv::test;

namespace {

// Colours with a pattern of unlit cells, different in every cell and region.
std::vector<COLORREF> Pattern(std::int32_t cells, std::int32_t seed) {
    std::vector<COLORREF> v;
    for (std::int32_t i = 0; i < cells; ++i)
        v.push_back((i + seed) % 3 == 0 ? 0 : RGB(17 * i + seed, 255 - 9 * i, 40 + 5 * seed));
    return v;
}

// A frame whose first region (cols x rows) carries the effect and whose second
// carries a longer disperse, so the first also runs past its own steps.
CNeonFrame& MakeFrame(std::unique_ptr<CNeonAv>& av, std::int32_t effect, std::int32_t cols,
                      std::int32_t rows, std::int32_t loop) {
    av = Animation();
    CNeonFrame& f = *av->currentFrame;
    AddRegion(f, cols, rows, Pattern(cols * rows, effect));
    f.ApplyEffect(*av->anchor, effect, loop, false);
    AddRegion(f, 5, 2, Pattern(10, 1), 500);
    f.ApplyEffect(*av->anchor, 9, 1, false);  // 15 steps
    return f;
}

void ExpectSamePaths(std::int32_t effect, std::int32_t cols, std::int32_t rows, std::int32_t loop) {
    std::unique_ptr<CNeonAv> a, b;
    CNeonFrame& built = MakeFrame(a, effect, cols, rows, loop);
    CNeonFrame& stepped = MakeFrame(b, effect, cols, rows, loop);
    const auto whole = BuiltPictures(built);
    const auto oneByOne = SteppedPictures(stepped);
    ASSERT_EQ(whole.size(), oneByOne.size());
    for (std::size_t k = 0; k < whole.size(); ++k)
        ASSERT_EQ(whole[k], oneByOne[k])
            << "effect " << effect << " on " << cols << " x " << rows << " sub-frame " << k;
    EXPECT_EQ(PictureOf(built), PictureOf(stepped)) << "the frame's own regions";
}

}  // namespace

TEST(EffectStepper, MatchesBuildSubFramesForEveryEffect) {
    const std::pair<std::int32_t, std::int32_t> grids[] = {{24, 1}, {5, 3}, {6, 4}, {3, 7}};
    for (std::int32_t e = 1; e <= 56; ++e)
        for (auto [cols, rows] : grids) ExpectSamePaths(e, cols, rows, 1);
    for (std::int32_t e : {1, 2, 24, 25}) ExpectSamePaths(e, 6, 4, 0);
}

TEST(EffectStepper, DegenerateGridsForEveryEffect) {
    // Grids from 0 x 0 to 3 x 3; the sanitizers watch every cell access, and the
    // expansion of the same effect must hold as well.
    for (std::int32_t e = 1; e <= 56; ++e)
        for (std::int32_t cols = 0; cols <= 3; ++cols)
            for (std::int32_t rows = 0; rows <= 3; ++rows) {
                ExpectSamePaths(e, cols, rows, 1);
                std::unique_ptr<CNeonAv> av;
                CNeonFrame& f = MakeFrame(av, e, cols, rows, 1);
                f.selectedRegion = RegionsOf(f).front();
                f.ApplyEffect(*av->anchor, e, 1, true);
                av->Recount();
                EXPECT_GE(av->frameCount, 2) << e;
            }
}

TEST(EffectStepper, CountsAndSeeks) {
    auto av = Animation();
    CNeonFrame& f = *av->currentFrame;
    CNeonRegion& r = AddRegion(f, 4, 1, {1, 2, 3, 4});
    f.ApplyEffect(*av->anchor, 12, 1, false);  // shrink left: 4 steps
    CEffectStepper steps(f);
    EXPECT_EQ(steps.Count(), 5);
    EXPECT_EQ(steps.Index(), 0);
    EXPECT_TRUE(steps.SeekTo(2));
    EXPECT_EQ(Colours(*RegionsOf(steps.SubFrame()).front()), (std::vector<COLORREF>{1, 4, 0, 0}));
    EXPECT_FALSE(steps.SeekTo(1));
    EXPECT_FALSE(steps.SeekTo(5));
    EXPECT_TRUE(steps.SeekTo(4));
    EXPECT_FALSE(steps.Advance());
    EXPECT_EQ(steps.Index(), 4);
    // The walk holds no sub-frame list of the frame's own.
    EXPECT_FALSE(f.subFrames && !Ring<CNeonFrame>::IsEmpty(f.subFrames.get()));
    f.RestoreRegions();
    EXPECT_EQ(Colours(r), (std::vector<COLORREF>{1, 2, 3, 4}));
}
