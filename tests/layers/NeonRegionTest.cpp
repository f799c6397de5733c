#include <QBuffer>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include "gdi/BinaryIO.h"
#include "layers/NeonRegion.h"
#include "layers/Ring.h"
#include "support/Bytes.h"
#include "support/Regions.h"

using namespace zv;

namespace {

// A laid-out 24 x 1 strip over (0, 0, 1201, 11): 50 x 10 cells, no offsets.
std::unique_ptr<CNeonRegion> Strip(std::int32_t cols = 24, std::int32_t rows = 1, float zoom = 1.0f,
                                   Rect b = {0, 0, 1201, 11}) {
    auto r = std::make_unique<CNeonRegion>(24, 1, 1.0f);
    r->Init(cols, rows, zoom, b);
    return r;
}

void SetColours(CNeonRegion& r, std::vector<COLORREF> colours) {
    for (std::size_t i = 0; i < colours.size() && i < r.cells.size(); ++i)
        r.cells[i].colour = colours[i];
}

QByteArray Saved(const CNeonRegion& r, bool body) {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    UseFileByteOrder(out);
    r.Save(out, body);
    return bytes;
}

// Reads a record the way the frame reader does: header, then body.
std::unique_ptr<CNeonRegion> LoadRecord(const QByteArray& bytes, bool* ok) {
    QDataStream in(bytes);
    UseFileByteOrder(in);
    RegionRecordHeader h;
    auto r = std::make_unique<CNeonRegion>(24, 1, 1.0f);
    *ok = h.Read(in) && r->ApplyHeader(h) && r->Load(in, h.bodySize);
    return r;
}

}  // namespace

TEST(RegionLayout, DefaultStripMatchesHandComputedCells) {
    auto r = Strip();
    EXPECT_FLOAT_EQ(r->cellWidth, 50.0f);
    EXPECT_FLOAT_EQ(r->cellHeight, 10.0f);
    EXPECT_FLOAT_EQ(r->offsetX, 0.0f);
    EXPECT_FLOAT_EQ(r->offsetY, 0.0f);
    EXPECT_EQ(r->cells[0].rect, (Rect{1, 1, 50, 10}));
    EXPECT_EQ(r->cells[1].rect, (Rect{51, 1, 100, 10}));
    EXPECT_EQ(r->cells[23].rect, (Rect{1151, 1, 1200, 10}));
    EXPECT_EQ(r->pointCount, 2);
    // New cells are unlit and carry nothing.
    for (const NeonCell& c : r->cells) {
        EXPECT_EQ(c.colour, 0u);
        EXPECT_EQ(c.prevColour, 0u);
        EXPECT_EQ(c.reserved, 0);
    }
}

TEST(RegionLayout, HalfZoomCoversTheMiddleHalf) {
    auto r = Strip(24, 1, 0.5f);
    EXPECT_FLOAT_EQ(r->cellWidth, 25.0f);
    EXPECT_FLOAT_EQ(r->cellHeight, 5.0f);
    EXPECT_FLOAT_EQ(r->offsetX, 300.0f);
    EXPECT_FLOAT_EQ(r->offsetY, 2.5f);
    EXPECT_EQ(r->cells[0].rect, (Rect{301, 3, 325, 7}));  // floor(2.5)+1, floor(7.5)
    EXPECT_EQ(r->cells[23].rect.right, 900);
}

TEST(RegionLayout, RegridRescaleAndMoveLayTheCellsOutAgain) {
    auto r = Strip();
    r->cells[0].colour = 0xFF;
    r->SetZoom(0.5f);  // colours kept, cells follow the zoom
    EXPECT_EQ(r->cells[0].rect, (Rect{301, 3, 325, 7}));
    EXPECT_EQ(r->cells[0].colour, 0xFFu);
    r->MoveTo(100, 20, 5000, 5000);  // colours kept, cells follow the move
    EXPECT_EQ(r->bounds, (Rect{100, 20, 1301, 31}));
    EXPECT_EQ(r->cells[0].rect, (Rect{401, 23, 425, 27}));
    EXPECT_EQ(r->cells[0].colour, 0xFFu);
    ASSERT_TRUE(r->SetGrid(2, 12));  // new cells unlit, laid out over the same bounds
    ASSERT_EQ(r->cells.size(), 24u);
    EXPECT_EQ(r->cells[0].colour, 0u);
    EXPECT_FLOAT_EQ(r->cellWidth, 50.0f);
    EXPECT_EQ(r->cells[12].rect.top, r->cells[0].rect.bottom + 1);
    EXPECT_FALSE(r->SetGrid(-1, 3));
    EXPECT_FALSE(r->SetGrid(100000, 100000));  // could never be stored
    EXPECT_EQ(r->rows, 2);
}

TEST(RegionLayout, MoveIsLimitedOnTheRightAndBottomOnly) {
    auto r = Strip(4, 1, 1.0f, Rect{10, 10, 50, 20});
    r->MoveTo(90, 95, 100, 100);
    EXPECT_EQ(r->bounds, (Rect{60, 90, 100, 100}));
    r->MoveTo(-30, -40, 100, 100);
    EXPECT_EQ(r->bounds, (Rect{-30, -40, 10, -30}));
}

TEST(RegionPolygon, BoundsGrowOverEveryVertexAndMoveWithIt) {
    CNeonRegion r(24, 1, 1.0f);
    const Point tri[] = {{50, 80}, {10, 20}, {90, 40}};
    Rect out;
    r.SetPolygon(tri, &out);
    EXPECT_EQ(out, (Rect{10, 20, 90, 80}));
    EXPECT_EQ(r.bounds, out);
    EXPECT_EQ(r.isPolygon, 1);
    EXPECT_EQ(r.pointCount, 3);
    r.Init(4, 2, 1.0f, out);
    EXPECT_EQ(r.pointCount, 3);  // Init keeps a polygon's vertex count
    r.MoveTo(110, 120, 1000, 1000);
    EXPECT_EQ(r.points[1], (Point{110, 120}));
    EXPECT_EQ(r.points[0], (Point{150, 180}));
}

TEST(RegionPolygon, CellsAreClippedToThePolygon) {
    // A right triangle over a 2 x 2 grid: the bottom-right cell lies wholly outside.
    CNeonRegion r(24, 1, 1.0f);
    const Point tri[] = {{0, 0}, {41, 0}, {0, 41}};
    Rect box;
    r.SetPolygon(tri, &box);
    r.Init(2, 2, 1.0f, box);
    r.FillAll(RGB(255, 0, 0));
    QImage img(60, 60, QImage::Format_RGB32);
    img.fill(Qt::black);
    {
        QPainter p(&img);
        r.DrawCells(p);
        r.DrawCells(p);  // second draw takes the cached clip; same picture
    }
    EXPECT_EQ(img.pixel(5, 5) & 0xFFFFFF, 0xFF0000u);   // top-left cell, inside
    EXPECT_EQ(img.pixel(35, 35) & 0xFFFFFF, 0u);        // bottom-right cell, outside
    EXPECT_EQ(img.pixel(30, 5) & 0xFFFFFF, 0xFF0000u);  // top-right, inside the slope
    EXPECT_EQ(img.pixel(38, 15) & 0xFFFFFF, 0u);        // top-right, beyond the slope
}

TEST(RegionHitTest, EdgesAndTheOffGridRule) {
    auto r = Strip();
    struct Case {
        int x, y, result, cell;
    } cases[] = {
        {1, 1, 1, 0},   // cell 0's left/top are inclusive
        {0, 5, 0, -1},  // left of cell 0
        {5, 0, 0, -1},  // above cell 0
        {50, 5, 1, 0},  // the grid line right of cell 0 still maps to column 1
        {51, 5, 1, 1},
        {1200, 10, 1, 23},  // last cell's right/bottom are inclusive for hit testing
        {1201, 5, 0, -1},
        {5, 11, 0, -1},
    };
    for (const Case& c : cases) {
        auto region = Strip();
        EXPECT_EQ(region->PaintCellAt(nullptr, c.x, c.y, 0xABCDEF), c.result) << c.x << "," << c.y;
        for (int i = 0; i < 24; ++i)
            EXPECT_EQ(region->cells[i].colour, i == c.cell ? 0xABCDEFu : 0u)
                << c.x << " cell " << i;
    }
    r->PaintCellAt(nullptr, 5, 5, 0x11);
    r->PaintCellAt(nullptr, 5, 5, 0x22);
    EXPECT_EQ(r->cells[0].colour, 0x22u);
    EXPECT_EQ(r->cells[0].prevColour, 0x11u);
}

TEST(RegionHitTest, EmptyGridsAreNeverRead) {
    for (auto [rows, cols] : {std::pair{0, 0}, {0, 5}, {3, 0}}) {
        auto r = Strip(cols, rows);
        EXPECT_TRUE(r->cells.empty());
        EXPECT_EQ(r->PaintCellAt(nullptr, 1, 1, 1), 0);
        EXPECT_EQ(r->FillSelectionAt(nullptr, 1, 1, 1), 0);
        EXPECT_EQ(r->SelectRange(nullptr, 0, 0, 100, 100), 1);
        r->ShiftLeft(true);
        r->ShiftRight(true);
        r->ShiftUp(true);
        r->ShiftDown(true);
        r->MarkRange(nullptr, 0, 0, 10, 10);
        r->UnmarkRange(nullptr, 0, 0, 10, 10);
        auto other = Strip();
        r->CopyColours(*other);
        other->CopyColours(*r);
        QImage img(20, 20, QImage::Format_RGB32);
        QPainter p(&img);
        r->DrawGrid(p, true, true);
        r->DrawCells(p);
        r->DrawCell(p, 1, 1);
    }
}

TEST(RegionHitTest, ClearingDarkensButKeepsTheCellsPaintable) {
    auto r = Strip();
    r->FillAll(0x123456);
    r->cells[3].reserved = 7;
    r->ClearCells();
    for (const NeonCell& c : r->cells) {
        EXPECT_EQ(c.colour, 0u);
        EXPECT_EQ(c.prevColour, 0u);
        EXPECT_EQ(c.reserved, 0);
    }
    EXPECT_EQ(r->cells[0].rect, (Rect{1, 1, 50, 10}));
    EXPECT_EQ(r->PaintCellAt(nullptr, 60, 5, 0xFF), 1);
}

TEST(RegionMarking, MarkThenUnmarkRestoresTheBlock) {
    auto r = Strip(4, 3, 1.0f, Rect{0, 0, 41, 31});  // 10 x 10 cells
    std::vector<COLORREF> start;
    for (int i = 0; i < 12; ++i) start.push_back(0x100 + i);
    SetColours(*r, start);
    r->MarkRange(nullptr, 1, 0, 3, 2);
    std::vector<COLORREF> expectMarked = start;
    for (int idx : {1, 2, 5, 6}) expectMarked[idx] = MarkColour;
    EXPECT_EQ(Colours(*r), expectMarked);
    r->UnmarkRange(nullptr, 0, 0, 4, 3);
    EXPECT_EQ(Colours(*r), start);
}

TEST(RegionMarking, BlockBeyondTheGridIsClamped) {
    auto r = Strip(3, 2, 1.0f, Rect{0, 0, 31, 21});
    r->MarkRange(nullptr, -5, -5, 50, 50);
    for (COLORREF c : Colours(*r)) EXPECT_EQ(c, MarkColour);
    std::int32_t c0 = -1, r0 = -2, c1 = 9, r1 = 9;
    r->ClampRange(c0, r0, c1, r1);
    EXPECT_EQ(c0, 0);
    EXPECT_EQ(r0, 0);
    EXPECT_EQ(c1, 3);
    EXPECT_EQ(r1, 2);
    auto untouched = Strip(3, 2, 1.0f, Rect{0, 0, 31, 21});
    untouched->MarkRange(nullptr, 2, 1, 1, 2);  // empty block
    for (COLORREF c : Colours(*untouched)) EXPECT_EQ(c, 0u);
}

TEST(RegionMarking, LookAlikeColourCountsAsMarked) {
    auto r = Strip(4, 1, 1.0f, Rect{0, 0, 41, 11});
    SetColours(*r, {MarkColour, 2, 3, 4});
    r->cells[0].prevColour = 0x77;
    // Band over columns 2..3 only; SelectRange unmarks the whole grid first.
    r->SelectRange(nullptr, 25, -5, 35, 20);
    EXPECT_EQ(Colours(*r), (std::vector<COLORREF>{0x77, 2, MarkColour, MarkColour}));
    // The look-alike is filled along with the marked cells.
    auto s = Strip(4, 1, 1.0f, Rect{0, 0, 41, 11});
    SetColours(*s, {MarkColour, 2, 3, 4});
    s->MarkRange(nullptr, 2, 0, 3, 1);
    EXPECT_EQ(s->FillSelectionAt(nullptr, 35, 5, 0xAA), 1);
    EXPECT_EQ(Colours(*s), (std::vector<COLORREF>{0xAA, 2, 0xAA, 0xAA}));
}

TEST(RegionMarking, BandRowsMustLieWhollyInside) {
    auto inside = Strip();
    inside->SelectRange(nullptr, 10, 2, 200, 8);  // within the single row: nothing
    for (COLORREF c : Colours(*inside)) EXPECT_EQ(c, 0u);
    auto across = Strip();
    across->SelectRange(nullptr, 60, -3, 160, 15);  // above to below: columns 1..3
    std::vector<COLORREF> want(24, 0);
    want[1] = want[2] = want[3] = MarkColour;
    EXPECT_EQ(Colours(*across), want);
}

TEST(RegionShift, RowsAndColumnsWithAndWithoutWrap) {
    const COLORREF A = 0xA, B = 0xB, C = 0xC;
    struct Case {
        const char* name;
        int cols, rows;
        void (CNeonRegion::*shift)(bool);
        bool wrap;
        std::vector<COLORREF> want;
    } cases[] = {
        {"left wrap", 3, 1, &CNeonRegion::ShiftLeft, true, {B, C, A}},
        {"left", 3, 1, &CNeonRegion::ShiftLeft, false, {B, C, 0}},
        {"right wrap", 3, 1, &CNeonRegion::ShiftRight, true, {C, A, B}},
        {"right", 3, 1, &CNeonRegion::ShiftRight, false, {0, A, B}},
        {"up wrap", 1, 3, &CNeonRegion::ShiftUp, true, {B, C, A}},
        {"up", 1, 3, &CNeonRegion::ShiftUp, false, {B, C, 0}},
        {"down wrap", 1, 3, &CNeonRegion::ShiftDown, true, {C, A, B}},
        {"down", 1, 3, &CNeonRegion::ShiftDown, false, {0, A, B}},
        {"up on one row", 3, 1, &CNeonRegion::ShiftUp, true, {A, B, C}},
        {"left on one column", 1, 3, &CNeonRegion::ShiftLeft, false, {A, B, C}},
    };
    for (const Case& c : cases) {
        auto r = Strip(c.cols, c.rows, 1.0f, Rect{0, 0, 31, 31});
        SetColours(*r, {A, B, C});
        for (NeonCell& cell : r->cells) cell.prevColour = cell.colour + 0x100;
        (r.get()->*c.shift)(c.wrap);
        EXPECT_EQ(Colours(*r), c.want) << c.name;
        // The previous colour travels with the colour; an emptied cell gets (0, 0).
        for (std::size_t i = 0; i < 3; ++i)
            EXPECT_EQ(r->cells[i].prevColour, c.want[i] ? c.want[i] + 0x100 : 0u) << c.name;
        // Rectangles stay with their cells.
        EXPECT_EQ(r->cells[0].rect.left, 1) << c.name;
    }
}

TEST(RegionShift, TwoByTwoMovesEveryRowIndependently) {
    auto r = Strip(2, 2, 1.0f, Rect{0, 0, 21, 21});
    SetColours(*r, {1, 2, 3, 4});
    r->ShiftLeft(true);
    EXPECT_EQ(Colours(*r), (std::vector<COLORREF>{2, 1, 4, 3}));
    r->ShiftDown(false);
    EXPECT_EQ(Colours(*r), (std::vector<COLORREF>{0, 0, 2, 1}));
}

TEST(RegionEffect, BackupKeepsTheColoursFromBeforeTheEffect) {
    auto r = Strip(3, 1, 1.0f, Rect{0, 0, 31, 11});
    SetColours(*r, {1, 2, 3});
    r->SetEffect(5, 3, 1);
    ASSERT_TRUE(r->backup);
    EXPECT_EQ(r->effect, 5);
    EXPECT_EQ(r->effectFrames, 3);
    EXPECT_EQ(r->backup->effectFrames, 3);
    EXPECT_EQ(Colours(*r->backup), (std::vector<COLORREF>{1, 2, 3}));
    EXPECT_EQ(r->backup->bounds, r->bounds);
    EXPECT_EQ(r->backup->isPolygon, 0);
    SetColours(*r, {7, 8, 9});
    r->SetEffect(6, 4, 0);  // refreshes the same backup
    EXPECT_EQ(Colours(*r->backup), (std::vector<COLORREF>{7, 8, 9}));
    EXPECT_EQ(Prevs(*r->backup), (std::vector<COLORREF>{1, 2, 3}));
    EXPECT_EQ(r->loop, 0);
}

TEST(RegionEffect, CopyColoursMatchesRowAndColumnAndNeverOverruns) {
    auto big = Strip(4, 2, 1.0f, Rect{0, 0, 41, 21});
    SetColours(*big, {1, 2, 3, 4, 5, 6, 7, 8});
    auto small = Strip(2, 1, 1.0f, Rect{0, 0, 21, 11});
    small->CopyColours(*big);
    EXPECT_EQ(Colours(*small), (std::vector<COLORREF>{1, 2}));
    big->CopyColours(*small);  // only the overlapping cells change
    EXPECT_EQ(Colours(*big), (std::vector<COLORREF>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(Prevs(*big)[0], 1u);
}

TEST(RegionRecord, BytesOfARectangleRegionWrittenByHand) {
    auto r = Strip(2, 1, 0.5f, Rect{0, 0, 41, 11});
    r->cells[0].colour = 0x0000FF;
    r->cells[1].prevColour = 0x00FF00;
    r->cells[1].reserved = 9;
    // zoom 0.5: W = 40, cellWidth 10, offsetX 10; H = 10, cellHeight 5, offsetY 2.5
    const QByteArray want =
        Ints({2, 2,  1,  2,  50, 0,        2,       0, 1, 16 + 2 * 28,  // header
              0, 0,  41, 11,                                            // bounds
              0, 11, 3,  20, 7,  0x0000FF, 0,                           // cell 0
              9, 21, 3,  30, 7,  0,        0x00FF00});                  // cell 1
    EXPECT_EQ(Saved(*r, true), want);
}

TEST(RegionRecord, EndHeaderFromTheRingAnchor) {
    CNeonRegion anchor(24, 1, 1.0f);
    EXPECT_EQ(Saved(anchor, false), Ints({2, 0, 1, 24, 100, 0, 2, 0, 1, 0}));
}

TEST(RegionRecord, PolygonAndEffectBackupRoundTrip) {
    CNeonRegion r(24, 1, 1.0f);
    const Point quad[] = {{10, 10}, {70, 12}, {60, 50}, {12, 40}};
    Rect box;
    r.SetPolygon(quad, &box);
    r.Init(3, 2, 0.8f, box);
    for (int i = 0; i < 6; ++i) r.cells[i].colour = 0x10 + i;
    r.SetEffect(2, 3, 0);
    r.FillAll(0xFFFFFF);  // what the effect did after assignment is not saved
    const QByteArray bytes = Saved(r, true);
    ASSERT_EQ(bytes.size(), 40 + 4 * 8 + 6 * 28);
    bool ok = false;
    auto back = LoadRecord(bytes, &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(back->isPolygon, 1);
    EXPECT_EQ(back->points, r.points);
    EXPECT_EQ(back->bounds, (Rect{10, 10, 70, 50}));
    EXPECT_EQ(back->rows, 2);
    EXPECT_EQ(back->cols, 3);
    EXPECT_FLOAT_EQ(back->zoom, 0.8f);
    EXPECT_EQ(back->effect, 2);
    EXPECT_EQ(back->loop, 0);
    EXPECT_EQ(Colours(*back), (std::vector<COLORREF>{0x10, 0x11, 0x12, 0x13, 0x14, 0x15}));
    ASSERT_TRUE(back->backup);
    EXPECT_EQ(Colours(*back->backup), Colours(*back));
    EXPECT_EQ(Saved(*back, true), bytes);
}

TEST(RegionRecord, EveryWholePercentSurvivesWriteReadWrite) {
    for (int pct = 0; pct <= 100; ++pct) {
        auto r = Strip(2, 1, CNeonRegion::ZoomFromPercent(pct), Rect{0, 0, 41, 11});
        const QByteArray first = Saved(*r, true);
        bool ok = false;
        auto back = LoadRecord(first, &ok);
        ASSERT_TRUE(ok) << pct;
        EXPECT_EQ(CNeonRegion::ZoomPercent(back->zoom), pct);
        EXPECT_EQ(Saved(*back, true), first) << pct;
    }
}

TEST(RegionLayout, CoordinatesAtTheEdgeOfTheRangeSaturate) {
    // Stored bounds and zooms come from files: nothing about them may overflow.
    auto far = Strip(3, 2, 1.0f, Rect{0, INT32_MAX, 10, INT32_MAX});
    for (const NeonCell& c : far->cells) EXPECT_GE(c.rect.top, c.rect.bottom - 1);
    auto huge = Strip(4, 1, 4.0e7f, Rect{0, 0, 41, 11});
    QImage img(50, 20, QImage::Format_RGB32);
    QPainter p(&img);
    huge->DrawGrid(p, true, false);
    huge->DrawCells(p);
    EXPECT_EQ(huge->SelectRange(nullptr, 0, 0, 40, 10), 1);
    auto flat = Strip(4, 1, 0.0f, Rect{0, 0, 41, 11});  // zero-sized cells
    EXPECT_EQ(flat->SelectRange(nullptr, 0, 0, 40, 10), 1);
    EXPECT_EQ(flat->PaintCellAt(nullptr, 20, 5, 1), 0);
}

TEST(RegionRecord, UnreadableRecordsAreNotWritten) {
    // A grid that cannot be held leaves an empty region, which saves and reloads.
    auto r = Strip(2, 1);
    r->Init(0x40000000, 0x40000000, 1.0f, Rect{0, 0, 41, 11});
    EXPECT_EQ(r->rows, 0);
    EXPECT_TRUE(r->cells.empty());
    bool ok = false;
    LoadRecord(Saved(*r, true), &ok);
    EXPECT_TRUE(ok);
    // Counts that disagree with the cells fail the save instead of writing them.
    auto broken = Strip(2, 1);
    broken->rows = 3;
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    UseFileByteOrder(out);
    broken->Save(out, true);
    EXPECT_NE(out.status(), QDataStream::Ok);
    EXPECT_TRUE(bytes.isEmpty());
}

TEST(RegionRecord, BadRecordsAreRefused) {
    auto good = Strip(2, 1, 1.0f, Rect{0, 0, 41, 11});
    const QByteArray bytes = Saved(*good, true);
    struct Case {
        const char* name;
        QByteArray data;
    } cases[] = {
        {"truncated body", bytes.left(bytes.size() - 5)},
        {"truncated header", bytes.left(20)},
        {"body size disagrees with grid",
         Ints({2, 2, 1, 2, 100, 0, 2, 0, 1, 16 + 28}) + bytes.mid(40)},
        {"huge grid", Ints({2, 2, 0x7FFF, 0x7FFF, 100, 0, 2, 0, 1, 16})},
        {"negative rows", Ints({2, 2, -1, 2, 100, 0, 2, 0, 1, 16 - 56})},
        {"rectangle with three points", Ints({2, 2, 1, 2, 100, 0, 3, 0, 1, 24 + 56})},
        {"polygon without points", Ints({2, 2, 1, 2, 100, 1, 0, 0, 1, 56})},
        {"polygon points beyond the data", Ints({2, 2, 0, 0, 100, 1, 0x10000000, 0, 1, 0})},
    };
    for (const Case& c : cases) {
        bool ok = true;
        LoadRecord(c.data, &ok);
        EXPECT_FALSE(ok) << c.name;
    }
}

TEST(RegionRing, AppendKeepsCreationOrder) {
    CNeonRegion anchor(24, 1, 1.0f);
    CNeonRegion* a = anchor.AppendRegion();
    CNeonRegion* b = anchor.AppendRegion();
    EXPECT_EQ(anchor.next, a);
    EXPECT_EQ(anchor.prev, b);
    EXPECT_EQ(a->next, b);
    EXPECT_EQ(b->next, &anchor);
    EXPECT_EQ(a->cols, 24);
    EXPECT_EQ(a->rows, 1);
    std::vector<CNeonRegion*> backward;
    for (CNeonRegion* r : Ring<CNeonRegion>::ItemsBackward(&anchor)) backward.push_back(r);
    EXPECT_EQ(backward, (std::vector<CNeonRegion*>{b, a}));
    Ring<CNeonRegion>::DestroyAll(&anchor);
    EXPECT_TRUE(Ring<CNeonRegion>::IsEmpty(&anchor));
}

TEST(RegionDraw, GridLinesFirstThenCellsBetweenThem) {
    auto r = Strip(2, 1, 1.0f, Rect{0, 0, 21, 11});  // cells (1,1,10,10) and (11,1,20,10)
    r->FillAll(RGB(255, 0, 0));
    QImage img(30, 20, QImage::Format_RGB32);
    img.fill(Qt::black);
    {
        QPainter p(&img);
        r->DrawGrid(p, true, false);
        r->DrawCells(p);
    }
    auto px = [&](int x, int y) { return img.pixel(x, y) & 0xFFFFFF; };
    EXPECT_EQ(px(0, 5), 0x585858u);   // left grid line
    EXPECT_EQ(px(10, 5), 0x585858u);  // line between the cells
    EXPECT_EQ(px(20, 5), 0x585858u);  // right line
    EXPECT_EQ(px(5, 0), 0x585858u);   // top line
    EXPECT_EQ(px(5, 10), 0x585858u);  // bottom line
    EXPECT_EQ(px(1, 1), 0xFF0000u);
    EXPECT_EQ(px(9, 9), 0xFF0000u);
    EXPECT_EQ(px(15, 5), 0xFF0000u);
    EXPECT_EQ(px(21, 5), 0u);  // a line stops before its last point
    QImage current(30, 20, QImage::Format_RGB32);
    current.fill(Qt::black);
    {
        QPainter p(&current);
        r->DrawGrid(p, true, true);
        r->DrawGrid(p, false, false);  // hidden grid draws nothing
    }
    EXPECT_EQ(current.pixel(0, 5) & 0xFFFFFF, 0xFFFFFFu);
}

// Laid-out cells are drawn a row at a time; cells from a file that overlap keep the
// column-by-column order, in which the cell of the later column shows where two
// overlap. Here cell (row 2, column 1) reaches up into cell (row 1, column 2).
TEST(RegionDrawing, OverlappingCellsKeepTheColumnOrder) {
    auto r = Strip(2, 2, 1.0f, Rect{0, 0, 21, 21});
    ASSERT_EQ(r->cells[1].rect, (Rect{11, 1, 20, 10}));
    SetColours(*r, {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 0)});
    QImage laidOut(21, 21, QImage::Format_RGB32);
    laidOut.fill(Qt::black);
    {
        QPainter p(&laidOut);
        r->DrawCells(p);
    }
    EXPECT_EQ(laidOut.pixel(5, 5), qRgb(255, 0, 0));
    EXPECT_EQ(laidOut.pixel(15, 5), qRgb(0, 255, 0));
    EXPECT_EQ(laidOut.pixel(5, 15), qRgb(0, 0, 255));
    EXPECT_EQ(laidOut.pixel(15, 15), qRgb(255, 255, 0));
    EXPECT_EQ(laidOut.pixel(10, 5), qRgb(0, 0, 0));  // the grid line between the columns

    r->cells[2].rect = Rect{1, 5, 15, 20};  // row 2, column 1, now over (15, 5)'s left
    QImage overlapping(21, 21, QImage::Format_RGB32);
    overlapping.fill(Qt::black);
    {
        QPainter p(&overlapping);
        r->DrawCells(p);
    }
    EXPECT_EQ(overlapping.pixel(12, 6), qRgb(0, 255, 0));     // column 2 drawn last
    EXPECT_EQ(overlapping.pixel(5, 6), qRgb(0, 0, 255));      // row 2 over row 1 in column 1
    EXPECT_EQ(overlapping.pixel(12, 12), qRgb(255, 255, 0));  // and column 2 last again
}
