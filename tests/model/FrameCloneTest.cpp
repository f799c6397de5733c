// A frame's exact copy, the undo history's snapshot: rings in their order, the
// selected region and text, live colours apart from backup colours, the effect
// state, the picture in hand with its drag state, the shapes, and the sub-frames.

#include <gtest/gtest.h>

#include <vector>

#include "layers/Ring.h"
#include "model/NeonFrame.h"
#include "support/Regions.h"

namespace zv {
namespace {

std::vector<Rect> Bounds(const CNeonFrame& f) {
    std::vector<Rect> b;
    for (const CNeonRegion* r : Ring<CNeonRegion>::Items(f.regions.get())) b.push_back(r->bounds);
    return b;
}

template <class T>
int IndexOf(const T* anchor, const T* item) {
    int i = 0;
    for (const T* x : Ring<T>::Items(anchor)) {
        if (x == item) return i;
        ++i;
    }
    return -1;
}

TEST(FrameCloneTest, CopiesEverythingExactlyAndSharesNothing) {
    CNeonFrame f;
    f.AddRectRegion(8, 1, 1.0f, {0, 0, 80, 10});
    f.AddRectRegion(8, 1, 1.0f, {0, 20, 80, 30});
    f.AddRectRegion(4, 2, 1.0f, {0, 40, 40, 60});
    CNeonRegion* middle = f.regions->next->next;
    for (std::int32_t c = 0; c < 8; ++c) middle->Cell(0, c).colour = RGB(10 * c, 0, 0);
    f.selectedRegion = middle;
    // An effect assigned: the backup keeps the colours, the live cells then differ.
    middle->SetEffect(1, 8, 1);
    ASSERT_TRUE(middle->backup);
    f.stepCount = 8;
    f.category = 3;
    f.frameTag = 7;
    f.pickCounter = 5;
    for (const char* s : {"one", "two", "three"}) {
        CNeonChar* t = f.texts->AppendText();
        t->SetText(QString::fromUtf8(s));
        t->x = 11;
    }
    f.selectedText = f.texts->prev->prev;  // "two"
    QImage img(4, 3, QImage::Format_RGB32);
    img.fill(Qt::green);
    f.pictures->AppendPicture()->SetBitmap(img);
    f.movingPicture = std::make_unique<CNeonImg>();
    f.movingPicture->SetBitmap(img);
    f.movingPicture->x = 33;
    f.movingPicture->dragMode = kDragMove;
    f.movingPicture->dragPoint = {5, 6};
    f.BuildSubFrames();
    f.subCursor = f.subFrames->next->next;
    middle->Cell(0, 0).colour = RGB(1, 2, 3);
    const COLORREF live3 = middle->Cell(0, 3).colour;

    const std::unique_ptr<CNeonFrame> c = f.Clone();
    EXPECT_EQ(Bounds(*c), Bounds(f));
    EXPECT_EQ(IndexOf(c->regions.get(), c->selectedRegion), 1);
    const CNeonRegion* cm = c->selectedRegion;
    ASSERT_NE(cm, middle);
    EXPECT_EQ(Colours(*cm), Colours(*middle));
    EXPECT_EQ(Prevs(*cm), Prevs(*middle));
    ASSERT_TRUE(cm->backup);
    EXPECT_NE(cm->backup.get(), middle->backup.get());
    EXPECT_EQ(Colours(*cm->backup), Colours(*middle->backup));
    EXPECT_NE(Colours(*cm), Colours(*cm->backup));
    EXPECT_EQ(cm->effect, 1);
    EXPECT_EQ(cm->effectFrames, middle->effectFrames);
    EXPECT_EQ(c->stepCount, 8);
    EXPECT_EQ(c->category, 3);
    EXPECT_EQ(c->frameTag, 7);
    EXPECT_EQ(c->pickCounter, 5);
    std::vector<QString> texts;
    for (const CNeonChar* t : Ring<CNeonChar>::Items(c->texts.get())) texts.push_back(t->Text());
    EXPECT_EQ(texts, (std::vector<QString>{"one", "two", "three"}));
    EXPECT_EQ(c->selectedText->Text(), QStringLiteral("two"));
    EXPECT_EQ(Ring<CNeonImg>::Count(c->pictures.get()), 1u);
    ASSERT_TRUE(c->movingPicture);
    EXPECT_EQ(c->movingPicture->x, 33);
    EXPECT_EQ(c->movingPicture->dragMode, kDragMove);
    EXPECT_EQ(c->movingPicture->dragPoint, (Point{5, 6}));
    EXPECT_EQ(c->movingPicture->bitmap, img);
    EXPECT_FALSE(c->movingPictureCopy);
    ASSERT_TRUE(c->subFrames);
    EXPECT_EQ(Ring<CNeonFrame>::Count(c->subFrames.get()),
              Ring<CNeonFrame>::Count(f.subFrames.get()));
    EXPECT_EQ(IndexOf(c->subFrames.get(), c->subCursor), 1);

    // The copy stands alone: changing the original leaves it as it was.
    middle->Cell(0, 3).colour = RGB(9, 9, 9);
    middle->backup->Cell(0, 3).colour = RGB(9, 9, 9);
    f.RemoveRegion(f.regions->next);
    EXPECT_EQ(cm->Cell(0, 3).colour, live3);
    EXPECT_EQ(cm->backup->Cell(0, 3).colour, RGB(30, 0, 0));
    EXPECT_EQ(Bounds(*c).size(), 3u);
}

}  // namespace
}  // namespace zv
