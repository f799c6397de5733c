#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include "layers/Ring.h"
#include "model/NeonAv.h"
#include "support/Regions.h"

using namespace zv;

namespace {

std::vector<CNeonFrame*> FramesOf(CNeonAv& av) {
    std::vector<CNeonFrame*> out;
    for (CNeonFrame* f : Ring<CNeonFrame>::Items(av.anchor.get())) out.push_back(f);
    return out;
}

std::vector<CNeonRegion*> RegionsOf(const CNeonFrame& f) {
    std::vector<CNeonRegion*> out;
    for (CNeonRegion* r : Ring<CNeonRegion>::Items(f.regions.get())) out.push_back(r);
    return out;
}

// An animation of n frames built the way the add-frame command builds it.
std::unique_ptr<CNeonAv> Animation(int n) {
    auto av = std::make_unique<CNeonAv>();
    av->CreateFirstFrame();
    for (int i = 1; i < n; ++i) av->InsertAfter(av->Last(), true);
    av->currentIndex = 1;
    return av;
}

}  // namespace

TEST(FrameList, CreateFirstFrameAndInsertAfter) {
    CNeonAv av;
    EXPECT_EQ(av.frameCount, 0);
    EXPECT_EQ(av.First(), nullptr);
    av.CreateFirstFrame();
    EXPECT_EQ(av.frameCount, 1);
    EXPECT_EQ(av.currentIndex, 1);
    ASSERT_NE(av.currentFrame, nullptr);
    av.currentFrame->AddRectRegion(4, 1, 1.0f, Rect{0, 0, 41, 11});
    av.currentFrame->AddRectRegion(2, 2, 0.5f, Rect{0, 20, 41, 41});
    av.currentFrame->selectedRegion->FillAll(0xFF);
    CNeonFrame* added = av.InsertAfter(av.currentFrame, true);
    EXPECT_EQ(av.frameCount, 2);
    EXPECT_EQ(av.currentIndex, 2);           // always one more, whatever was inserted
    EXPECT_EQ(av.currentFrame, av.First());  // the current frame does not move
    auto regions = RegionsOf(*added);
    ASSERT_EQ(regions.size(), 2u);
    EXPECT_EQ(regions[1]->bounds, (Rect{0, 20, 41, 41}));
    EXPECT_EQ(regions[1]->rows, 2);
    EXPECT_FLOAT_EQ(regions[1]->zoom, 0.5f);
    for (CNeonRegion* r : regions)
        for (COLORREF c : Colours(*r)) EXPECT_EQ(c, 0u);
    EXPECT_EQ(added->selectedRegion, regions[1]);  // the last region created
}

TEST(FrameList, DeleteFrameInEveryPosition) {
    struct Case {
        const char* name;
        int deleteAt;      // 1-based among three frames
        int currentAfter;  // 1-based position (in the old list) of the new current frame
        int indexAfter;
    } cases[] = {{"first", 1, 2, 1}, {"middle", 2, 3, 2}, {"last", 3, 2, 2}};
    for (const Case& c : cases) {
        auto av = Animation(3);
        auto frames = FramesOf(*av);
        av->currentFrame = frames[c.deleteAt - 1];
        av->currentIndex = c.deleteAt;
        EXPECT_EQ(av->DeleteFrame(frames[c.deleteAt - 1], true), 1) << c.name;
        EXPECT_EQ(av->frameCount, 2) << c.name;
        EXPECT_EQ(av->currentFrame, frames[c.currentAfter - 1]) << c.name;
        EXPECT_EQ(av->currentIndex, c.indexAfter) << c.name;
    }
}

TEST(FrameList, DeletingTheOnlyFrameOrNothing) {
    auto av = Animation(1);
    EXPECT_EQ(av->DeleteFrame(nullptr, true), 0);
    EXPECT_EQ(av->DeleteFrame(av->anchor.get(), true), 0);
    EXPECT_EQ(av->frameCount, 1);
    EXPECT_EQ(av->DeleteFrame(av->currentFrame, true), 0);
    EXPECT_EQ(av->frameCount, 0);
    EXPECT_EQ(av->currentIndex, 0);
    EXPECT_EQ(av->currentFrame, nullptr);
    EXPECT_TRUE(Ring<CNeonFrame>::IsEmpty(av->anchor.get()));
}

TEST(FrameList, DeletingTheCurrentFrameNeverLeavesItDangling) {
    auto av = Animation(3);
    auto frames = FramesOf(*av);
    av->currentFrame = frames[1];
    av->currentIndex = 2;
    av->DeleteFrame(frames[1], false);
    EXPECT_EQ(av->currentFrame, frames[2]);
    // Deleting another frame without moveCurrent leaves the current one alone.
    av->DeleteFrame(frames[0], false);
    EXPECT_EQ(av->currentFrame, frames[2]);
    EXPECT_EQ(av->currentIndex, 1);
}

TEST(FrameList, GetFrameAtAndRecount) {
    auto av = Animation(3);
    auto frames = FramesOf(*av);
    EXPECT_EQ(av->GetFrameAt(0), nullptr);
    EXPECT_EQ(av->GetFrameAt(-1), nullptr);
    EXPECT_EQ(av->GetFrameAt(1), frames[0]);
    EXPECT_EQ(av->GetFrameAt(3), frames[2]);
    EXPECT_EQ(av->GetFrameAt(4), nullptr);
    // InsertFrameAfter counts nothing until Recount.
    av->Last()->InsertFrameAfter(true);
    EXPECT_EQ(av->frameCount, 3);
    EXPECT_NE(av->GetFrameAt(4), nullptr);
    av->Recount();
    EXPECT_EQ(av->frameCount, 4);
    av->Clear();
    EXPECT_EQ(av->frameCount, 0);
    EXPECT_EQ(av->currentIndex, 0);
    EXPECT_EQ(av->currentFrame, nullptr);
}

TEST(FrameCopy, InsertFrameAfterCopiesLayoutAndColours) {
    auto av = Animation(1);
    CNeonFrame* f = av->First();
    f->AddRectRegion(3, 1, 1.0f, Rect{0, 0, 31, 11});
    f->selectedRegion->FillAll(0x42);
    CNeonFrame* copy = f->InsertFrameAfter(true);
    EXPECT_EQ(f->next, copy);
    auto regions = RegionsOf(*copy);
    ASSERT_EQ(regions.size(), 1u);  // mode 0 then mode 1: one region, not two
    EXPECT_EQ(Colours(*regions[0]), (std::vector<COLORREF>{0x42, 0x42, 0x42}));
    CNeonFrame* blank = copy->InsertFrameAfter(false);
    EXPECT_TRUE(RegionsOf(*blank).empty());
}

TEST(FrameCopy, TheFourRegionModes) {
    const Rect shared{0, 0, 31, 11}, onlySrc{0, 20, 31, 31}, onlyDst{0, 40, 31, 51};
    auto makeSrc = [&] {
        auto src = std::make_unique<CNeonFrame>();
        src->AddRectRegion(3, 1, 1.0f, shared);
        src->selectedRegion->FillAll(1);
        src->AddRectRegion(3, 1, 1.0f, onlySrc);
        src->selectedRegion->FillAll(2);
        return src;
    };
    auto makeDst = [&] {
        auto dst = std::make_unique<CNeonFrame>();
        dst->AddRectRegion(3, 1, 1.0f, onlyDst);
        dst->selectedRegion->FillAll(9);
        dst->AddRectRegion(3, 1, 1.0f, shared);
        dst->selectedRegion->FillAll(8);
        return dst;
    };
    auto firstColour = [](const CNeonFrame& f, const Rect& b) -> long {
        for (CNeonRegion* r : RegionsOf(f))
            if (r->bounds == b) return r->cells[0].colour;
        return -1;  // no such region
    };
    auto src = makeSrc();

    auto layout = makeDst();
    layout->CopyRegionsFrom(*src, 0);
    EXPECT_EQ(RegionsOf(*layout).size(), 4u);  // added whatever was there
    EXPECT_EQ(RegionsOf(*layout)[3]->cells[0].colour, 0u);

    auto colours = makeDst();
    colours->CopyRegionsFrom(*src, 1);
    EXPECT_EQ(firstColour(*colours, shared), 1);
    EXPECT_EQ(firstColour(*colours, onlyDst), 9);
    EXPECT_EQ(firstColour(*colours, onlySrc), -1);

    CNeonFrame empty;
    empty.CopyRegionsFrom(*src, 1);  // no regions: falls back to merging
    EXPECT_EQ(firstColour(empty, shared), 1);
    EXPECT_EQ(firstColour(empty, onlySrc), 2);

    auto merged = makeDst();
    merged->CopyRegionsFrom(*src, 2);
    EXPECT_EQ(RegionsOf(*merged).size(), 3u);
    EXPECT_EQ(firstColour(*merged, shared), 1);
    EXPECT_EQ(firstColour(*merged, onlySrc), 2);
    EXPECT_EQ(firstColour(*merged, onlyDst), 9);
    EXPECT_EQ(merged->selectedRegion->bounds, onlySrc);  // created last

    auto selected = makeDst();
    selected->selectedRegion = RegionsOf(*selected)[0];  // onlyDst: no counterpart
    selected->CopyRegionsFrom(*src, 3);
    EXPECT_EQ(firstColour(*selected, onlyDst), 9);
    EXPECT_EQ(firstColour(*selected, shared), 8);
    selected->selectedRegion = RegionsOf(*selected)[1];
    selected->CopyRegionsFrom(*src, 3);
    EXPECT_EQ(firstColour(*selected, shared), 1);

    src->CopyRegionsFrom(*src, 0);  // onto itself: nothing, and no endless walk
    EXPECT_EQ(RegionsOf(*src).size(), 2u);
}

TEST(FrameCopy, PolygonRegionsAreCopiedByTheirVertices) {
    CNeonFrame src;
    const Point tri[] = {{0, 0}, {40, 0}, {0, 40}};
    src.AddPolygonRegion(4, 2, 1.0f, tri);
    EXPECT_EQ(src.selectedRegion->bounds, (Rect{0, 0, 40, 40}));
    CNeonFrame dst;
    dst.CopyRegionsFrom(src, 0);
    auto regions = RegionsOf(dst);
    ASSERT_EQ(regions.size(), 1u);
    EXPECT_EQ(regions[0]->isPolygon, 1);
    EXPECT_EQ(regions[0]->points, src.selectedRegion->points);
    EXPECT_EQ(regions[0]->cells.size(), 8u);
}

TEST(FrameSubFrames, AppendCopiesThePreviousSubFrame) {
    CNeonFrame f;
    f.AddRectRegion(3, 1, 1.0f, Rect{0, 0, 31, 11});
    f.selectedRegion->FillAll(5);
    CNeonFrame* s0 = f.AppendSubFrame(false);
    EXPECT_EQ(Colours(*RegionsOf(*s0)[0]), (std::vector<COLORREF>{5, 5, 5}));
    RegionsOf(*s0)[0]->FillAll(6);
    CNeonFrame* s1 = f.AppendSubFrame(false);
    EXPECT_EQ(Colours(*RegionsOf(*s1)[0]), (std::vector<COLORREF>{6, 6, 6}));
    EXPECT_EQ(Ring<CNeonFrame>::Count(f.subFrames.get()), 2u);
    f.ClearSubFrames();
    EXPECT_TRUE(Ring<CNeonFrame>::IsEmpty(f.subFrames.get()));
}

TEST(FrameRegions, RestoreRemoveAndClear) {
    CNeonFrame f;
    f.AddRectRegion(2, 1, 1.0f, Rect{0, 0, 21, 11});
    CNeonRegion* r = f.selectedRegion;
    r->FillAll(3);
    r->SetEffect(1, 2, 1);
    r->FillAll(4);
    f.RestoreRegions();
    EXPECT_EQ(Colours(*r), (std::vector<COLORREF>{3, 3}));
    EXPECT_TRUE(f.HasRegion(*r));
    f.ClearRegions();
    EXPECT_EQ(Colours(*r), (std::vector<COLORREF>{0, 0}));
    f.RemoveRegion(r);
    EXPECT_EQ(f.selectedRegion, nullptr);
    EXPECT_TRUE(RegionsOf(f).empty());
    f.RemoveRegion(f.regions.get());  // the anchor is never removed
    EXPECT_TRUE(Ring<CNeonRegion>::IsEmpty(f.regions.get()));
}

TEST(FramePick, StackedRegionsAreTakenInTurn) {
    CNeonFrame f;
    f.AddRectRegion(1, 1, 1.0f, Rect{0, 0, 100, 100});
    f.AddRectRegion(1, 1, 1.0f, Rect{10, 10, 90, 90});
    f.AddRectRegion(1, 1, 1.0f, Rect{20, 20, 80, 80});
    auto r = RegionsOf(f);
    EXPECT_EQ(f.CountRegionsAt(50, 50), 3);
    EXPECT_EQ(f.PickRegionAt(50, 50), r[2]);
    EXPECT_EQ(f.PickRegionAt(50, 50), r[1]);
    EXPECT_EQ(f.PickRegionAt(50, 50), r[0]);
    EXPECT_EQ(f.PickRegionAt(50, 50), r[2]);
    const int counter = f.pickCounter;
    EXPECT_EQ(f.PickRegionAt(5, 5), r[0]);  // a single region does not turn the counter
    EXPECT_EQ(f.pickCounter, counter);
    EXPECT_EQ(f.PickRegionAt(100, 50), nullptr);  // right edge excluded
    EXPECT_EQ(f.PickRegionIn(100, 100, 120, 120), nullptr);
    EXPECT_EQ(f.PickRegionIn(95, 95, 120, 120), r[0]);
}

TEST(FrameDraw, RegionsInRingOrderWithTheSelectedGridWhite) {
    CNeonFrame f;
    f.AddRectRegion(2, 1, 1.0f, Rect{0, 0, 21, 11});
    f.selectedRegion->FillAll(RGB(255, 0, 0));
    f.AddRectRegion(1, 1, 1.0f, Rect{5, 0, 16, 11});  // drawn later, on top
    f.selectedRegion->FillAll(RGB(0, 0, 255));
    QImage img(30, 20, QImage::Format_RGB32);
    img.fill(Qt::black);
    f.Draw(img, false, true);
    auto px = [&](int x, int y) { return img.pixel(x, y) & 0xFFFFFF; };
    EXPECT_EQ(px(2, 5), 0xFF0000u);
    EXPECT_EQ(px(8, 5), 0x0000FFu);
    EXPECT_EQ(px(5, 5), 0xFFFFFFu);   // the selected region's grid line
    EXPECT_EQ(px(20, 5), 0x585858u);  // the other region's grid line
    const QImage off = f.RenderImage(QSize(30, 20), false);
    EXPECT_EQ(off.pixel(0, 5) & 0xFFFFFF, 0u);  // grid hidden
    EXPECT_EQ(off.pixel(8, 5) & 0xFFFFFF, 0x0000FFu);
}
