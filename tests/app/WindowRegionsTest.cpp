// Lit regions made and painted with the mouse in the real view.

#include "WindowFixture.h"

namespace zv {
namespace {

using Regions = Ring<CNeonRegion>;

class WindowRegionsTest : public WindowTest {};

TEST_F(WindowRegionsTest, TwoClicksMakeARectangleRegionAndAThirdStartsAnother) {
    Trigger(32923);
    EXPECT_EQ(doc->toolMode, 9);
    Click(10, 10);
    Move(30, 25);
    Click(50, 40);
    ASSERT_EQ(Regions::Count(Frame()->regions.get()), 1u);
    const CNeonRegion* r = Frame()->regions->next;
    EXPECT_EQ(r->bounds, (Rect{10, 10, 50, 40}));
    EXPECT_EQ(r->cols, 24);
    EXPECT_EQ(r->rows, 1);
    EXPECT_EQ(Frame()->selectedRegion, r);
    EXPECT_TRUE(doc->pointCollector.empty());
    Click(100, 100);
    EXPECT_EQ(doc->pointCollector.size(), 1u);
    EXPECT_EQ(Regions::Count(Frame()->regions.get()), 1u);
    // Clicked bottom-right first: the same rectangle.
    Click(60, 80);
    EXPECT_EQ(Frame()->regions->prev->bounds, (Rect{60, 80, 100, 100}));
}

TEST_F(WindowRegionsTest, VerticalRectangleExchangesTheCounts) {
    Trigger(32924);
    Click(10, 10);
    Click(40, 300);
    const CNeonRegion* r = Frame()->regions->next;
    EXPECT_EQ(r->cols, 1);
    EXPECT_EQ(r->rows, 24);
}

TEST_F(WindowRegionsTest, PolygonNeedsThreePointsAndADoubleClick) {
    Trigger(32930);
    Click(100, 100);
    DoubleClick(200, 100);  // two points only: dropped
    EXPECT_TRUE(Regions::IsEmpty(Frame()->regions.get()));
    EXPECT_TRUE(doc->pointCollector.empty());

    Click(100, 100);
    Click(200, 100);
    EXPECT_TRUE(Regions::IsEmpty(Frame()->regions.get()));
    DoubleClick(150, 180);
    ASSERT_EQ(Regions::Count(Frame()->regions.get()), 1u);
    const CNeonRegion* r = Frame()->regions->next;
    EXPECT_TRUE(r->isPolygon);
    EXPECT_EQ(r->points, (std::vector<Point>{{100, 100}, {200, 100}, {150, 180}}));
    EXPECT_EQ(r->cols, 24);
    EXPECT_EQ(r->rows, 1);

    Trigger(32929);  // vertical: counts exchanged
    Click(300, 100);
    Click(400, 100);
    DoubleClick(350, 200);
    EXPECT_EQ(Frame()->regions->prev->cols, 1);
    EXPECT_EQ(Frame()->regions->prev->rows, 24);
}

TEST_F(WindowRegionsTest, RubberBandLeavesNoTrace) {
    Trigger(32923);
    const QImage before = view->Screen().copy();
    Click(100, 100);
    Move(180, 160);
    EXPECT_NE(view->Screen(), before);  // the preview shows
    Move(260, 230);
    Move(120, 110);
    // Erasing the last preview gives back exactly what was there.
    const QImage withPreview = view->Screen().copy();
    Move(120, 110);  // same point again: erased and drawn once more, unchanged
    EXPECT_EQ(view->Screen(), withPreview);
    Click(200, 150);
    ASSERT_EQ(Regions::Count(Frame()->regions.get()), 1u);
    EXPECT_EQ(view->Screen(), Frame()->RenderImage(view->Screen().size(), true, doc->Background()));
    // Moves without collected points draw nothing.
    const QImage after = view->Screen().copy();
    Move(300, 300);
    EXPECT_EQ(view->Screen(), after);
}

TEST_F(WindowRegionsTest, PolygonPreviewLinesGoWhenTheRegionIsMade) {
    Trigger(32930);
    Click(100, 100);
    Move(200, 100);
    Click(200, 100);
    Move(150, 200);
    DoubleClick(150, 200);
    EXPECT_EQ(view->Screen(), Frame()->RenderImage(view->Screen().size(), true, doc->Background()));
}

class WindowPaintTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        // 24 cells of 10 x 20 pixels from (0, 20).
        Trigger(32923);
        Click(0, 20);
        Click(240, 40);
        ASSERT_NE(Frame()->selectedRegion, nullptr);
    }
    COLORREF CellColour(int c) { return Frame()->selectedRegion->Cell(0, c).colour; }
};

TEST_F(WindowPaintTest, BrushPaintsTheCellUnderTheMouse) {
    Trigger(32798);
    Click(35, 30);
    EXPECT_EQ(CellColour(3), RGB(255, 0, 0));
    for (int c : {0, 2, 4, 23}) EXPECT_EQ(CellColour(c), 0u) << c;
    // Shown at once.
    const QRgb shown = view->Screen().pixel(35, 30);
    EXPECT_EQ(qRed(shown), 255);
    EXPECT_EQ(qGreen(shown), 0);
    Click(500, 500);  // off the grid: nothing
    EXPECT_EQ(CellColour(3), RGB(255, 0, 0));
}

TEST_F(WindowPaintTest, BucketFillsTheSelectedCells) {
    // Select cells 2..5 with a band around them, then pour.
    Trigger(32780);
    Drag({21, 15}, {59, 45});
    doc->SetMainColour(RGB(0, 0, 255));
    Trigger(32789);
    Click(35, 30);
    for (int c = 0; c < 24; ++c)
        EXPECT_EQ(CellColour(c), c >= 2 && c <= 5 ? RGB(0, 0, 255) : 0u) << c;
}

TEST_F(WindowPaintTest, ArrowSelectionPicksTheRegionUnderTheMouse) {
    Trigger(32923);
    Click(0, 100);
    Click(240, 120);
    const CNeonRegion* second = Frame()->selectedRegion;
    Trigger(32796);
    Click(5, 25);
    EXPECT_NE(Frame()->selectedRegion, second);
    Click(5, 105);
    EXPECT_EQ(Frame()->selectedRegion, second);
}

TEST_F(WindowPaintTest, DeleteOnTheBackgroundLayerRemovesTheSelectedRegion) {
    view->setFocus();
    Key(Qt::Key_Delete);
    EXPECT_TRUE(Regions::IsEmpty(Frame()->regions.get()));
    EXPECT_EQ(Frame()->selectedRegion, nullptr);
}

TEST_F(WindowPaintTest, MoveCommandsShiftTheRegion) {
    Trigger(32798);
    Click(5, 30);  // cell 0 lit
    Trigger(32834);
    EXPECT_EQ(CellColour(1), RGB(255, 0, 0));
    EXPECT_EQ(CellColour(0), 0u);
    Trigger(32833);
    Trigger(32833);  // loop on: wraps to the last column
    EXPECT_EQ(CellColour(23), RGB(255, 0, 0));
}

}  // namespace
}  // namespace zv
