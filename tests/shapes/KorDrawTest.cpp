// The drawing tool driven by mouse events over an image.
#include <gtest/gtest.h>

#include "ToolHost.h"
#include "shapes/DLine.h"
#include "shapes/DrawText.h"
#include "shapes/Ellipse.h"
#include "shapes/PolyBezier.h"
#include "shapes/Polygon.h"
#include "shapes/Rectangle.h"
#include "shapes/Unit.h"

using namespace zv;
using namespace zv::test;

namespace {

class KorDrawTest : public testing::Test {
protected:
    ImageHost host;
    CKorDraw tool{host};

    const ShapeList& List(ShapeKind k) { return tool.Lists().List(k); }
    CUnit& Only(ShapeKind k) {
        EXPECT_EQ(List(k).size(), 1u);
        return *List(k).front();
    }
    void DrawLine(int x1, int y1, int x2, int y2) {
        tool.SelectTool(10);
        Click(tool, x1, y1);
        MoveClick(tool, x2, y2);
    }
};

}  // namespace

TEST_F(KorDrawTest, LineByClickMoveClick) {
    tool.SelectTool(10);
    Click(tool, 50, 60);
    EXPECT_TRUE(host.captured);
    Move(tool, 120, 80);
    MoveClick(tool, 150, 90);
    const CUnit& line = Only(ShapeKind::Line);
    EXPECT_NE(dynamic_cast<const CDLine*>(&line), nullptr);
    // Device points are stored in logical coordinates: the view origin is -1000.
    EXPECT_EQ(line.startPoint, (Point{1050, 1060}));
    EXPECT_EQ(line.endPoint, (Point{1150, 1090}));
    EXPECT_EQ(line.drawMode, R2_XORPEN);
    EXPECT_EQ(line.penColour, 0x585858u);  // the style's pen
    EXPECT_EQ(line.backMode, OPAQUE);
    EXPECT_FALSE(host.captured);
    EXPECT_EQ(tool.state, 1);
    EXPECT_EQ(tool.step, 0);
    // The rubber band left exactly the finished line on the screen.
    EXPECT_EQ(host.screen.pixel(50, 60) & 0xFFFFFF, 0x585858u);
    EXPECT_EQ(host.screen.pixel(120, 80) & 0xFFFFFF, 0u);
    const std::vector<int> messages = host.Messages();
    EXPECT_EQ(std::count(messages.begin(), messages.end(), UM_FRAME_CHANGED), 2);

    // The tool stays on lines: the next click starts another.
    Click(tool, 10, 10);
    EXPECT_EQ(List(ShapeKind::Line).size(), 2u);
    EXPECT_EQ(tool.step, 1);
}

TEST_F(KorDrawTest, StoredPointsShowAtTheOrigin) {
    auto line = std::make_unique<CDLine>();
    line->startPoint = {1200, 1100};
    line->endPoint = {1210, 1100};
    line->penColour = 0x00FF00;
    tool.Lists().Add(std::move(line));
    QImage frame(300, 200, QImage::Format_RGB32);
    frame.fill(Qt::black);
    GdiDc dc(frame);
    tool.DrawAllAt(dc, 0, 0);
    EXPECT_EQ(frame.pixel(200, 100) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(frame.pixel(209, 100) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(frame.pixel(210, 100) & 0xFFFFFF, 0u);  // LineTo leaves the last point out
    EXPECT_EQ(dc.ViewportOrg(), (Point{0, 0}));
}

TEST_F(KorDrawTest, OriginMarkAlongTheLogicalAxes) {
    tool.origin = {20, 30};
    QImage frame(400, 300, QImage::Format_RGB32);
    frame.fill(Qt::black);
    GdiDc dc(frame);
    tool.DrawAllAt(dc, 0, 0);
    // Logical y = 0 is device row 30, from logical x 22 (device 42) on.
    EXPECT_EQ(frame.pixel(42, 30) & 0xFFFFFF, 0xFF0000u);  // red
    EXPECT_EQ(frame.pixel(41, 30) & 0xFFFFFF, 0u);
    EXPECT_EQ(frame.pixel(20, 62) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(frame.pixel(20, 61) & 0xFFFFFF, 0u);
}

TEST_F(KorDrawTest, SelectAndDeselectByClickingTheBody) {
    DrawLine(50, 100, 250, 100);
    const QImage drawn = host.screen;
    tool.EnterSelectMode();
    Click(tool, 150, 101);  // on the body, away from the handles
    CUnit& line = Only(ShapeKind::Line);
    EXPECT_TRUE(line.selected);
    EXPECT_TRUE(tool.toggled);
    EXPECT_NE(host.screen, drawn);  // handles shown
    Click(tool, 120, 99);
    EXPECT_FALSE(line.selected);
    EXPECT_EQ(host.screen, drawn);  // and removed again
    Click(tool, 150, 150);          // nothing there
    EXPECT_FALSE(line.selected);
}

TEST_F(KorDrawTest, GrabbingTheStartHandleKeepsTheFarEnd) {
    DrawLine(50, 100, 250, 100);
    tool.EnterSelectMode();
    Click(tool, 150, 100);
    host.Messages();
    tool.style->SetPenColour(0x0000FF);
    Click(tool, 52, 101);  // handle 1
    EXPECT_EQ(tool.state, 5);
    EXPECT_TRUE(tool.hit);
    EXPECT_EQ(tool.tool, 10);
    EXPECT_TRUE(host.captured);
    CUnit& line = Only(ShapeKind::Line);
    EXPECT_EQ(line.startPoint, (Point{1250, 1100}));  // the old end
    EXPECT_EQ(line.penColour, 0x0000FFu);             // took the current style
    const std::vector<int> grabbed = host.Messages();
    EXPECT_NE(std::find(grabbed.begin(), grabbed.end(), UM_REDRAW), grabbed.end());
    Move(tool, 80, 150);
    Move(tool, 90, 160);
    Click(tool, 90, 160);
    EXPECT_EQ(tool.state, 3);
    EXPECT_EQ(line.startPoint, (Point{1250, 1100}));
    EXPECT_EQ(line.endPoint, (Point{1090, 1160}));
    EXPECT_TRUE(line.selected);
}

TEST_F(KorDrawTest, MovingByTheMidpointHandle) {
    DrawLine(50, 100, 250, 100);
    tool.EnterSelectMode();
    Click(tool, 120, 100);
    Click(tool, 150, 100);  // midpoint: move
    EXPECT_EQ(tool.state, 2);
    Move(tool, 160, 130);
    Click(tool, 160, 130);
    CUnit& line = Only(ShapeKind::Line);
    EXPECT_EQ(line.startPoint, (Point{1060, 1130}));
    EXPECT_EQ(line.endPoint, (Point{1260, 1130}));
}

TEST_F(KorDrawTest, PolygonEndedByDoubleClick) {
    tool.SelectTool(16);
    Click(tool, 10, 10);
    MoveClick(tool, 100, 10);
    MoveClick(tool, 100, 100);
    tool.OnLButtonDblClk(1, {100, 100});
    const CUnit& polygon = Only(ShapeKind::Polygon);
    EXPECT_EQ(polygon.pointList, (std::vector<Point>{{1010, 1010}, {1100, 1010}, {1100, 1100}}));
    EXPECT_EQ(tool.step, 0);
    EXPECT_FALSE(host.captured);
    // The closing edge was drawn: a pixel on the diagonal is lit.
    EXPECT_NE(host.screen.pixel(50, 50) & 0xFFFFFF, 0u);
}

TEST_F(KorDrawTest, SmoothCurveFinishedByDoubleClick) {
    tool.SelectTool(20);
    Click(tool, 10, 10);
    MoveClick(tool, 40, 10);
    MoveClick(tool, 60, 40);
    MoveClick(tool, 90, 40);
    tool.OnLButtonDblClk(1, {90, 40});
    const CUnit& curve = Only(ShapeKind::PolyBezier);
    EXPECT_EQ(curve.controlPoints.size(), 7u);
    EXPECT_EQ(curve.controlPoints.size() % 3, 1u);
    EXPECT_EQ(curve.controlPoints.back(), (Point{1090, 1040}));
    EXPECT_TRUE(curve.selected);
    EXPECT_EQ(tool.state, 3);
    EXPECT_EQ(tool.step, 0);
}

TEST_F(KorDrawTest, SwitchingToolsDeselects) {
    DrawLine(50, 100, 250, 100);
    tool.EnterSelectMode();
    Click(tool, 150, 101);
    ASSERT_TRUE(Only(ShapeKind::Line).selected);
    tool.SelectTool(12);
    EXPECT_FALSE(Only(ShapeKind::Line).selected);
    EXPECT_EQ(tool.state, 1);
    EXPECT_EQ(tool.tool, 12);
}

TEST_F(KorDrawTest, DeleteSelectionWithNothingSelectedChangesNothing) {
    DrawLine(50, 100, 250, 100);
    host.Messages();
    const QImage before = host.screen;
    tool.DeleteSelection();
    EXPECT_EQ(List(ShapeKind::Line).size(), 1u);
    EXPECT_EQ(host.screen, before);
    EXPECT_TRUE(host.Messages().empty());
}

TEST_F(KorDrawTest, ClearAllEmptiesEveryList) {
    DrawLine(50, 100, 250, 100);
    tool.SelectTool(12);
    Click(tool, 10, 10);
    MoveClick(tool, 40, 40);
    tool.ClearAll();
    EXPECT_TRUE(tool.Lists().IsEmpty());
    // The current shape is not left pointing at a deleted one.
    Move(tool, 50, 50);
    Click(tool, 60, 60);
    EXPECT_EQ(List(ShapeKind::Rectangle).size(), 1u);
}

TEST_F(KorDrawTest, ApplyStyleKeepsBackModeAndDrawMode) {
    DrawLine(50, 100, 250, 100);
    tool.EnterSelectMode();
    Click(tool, 150, 101);
    tool.style->SetBackMode(TRANSPARENT);
    tool.style->SetPenWidth(4);
    tool.style->SetPenStyle(PS_DOT);
    host.Messages();
    tool.ApplyStyleToSelection();
    const CUnit& line = Only(ShapeKind::Line);
    EXPECT_EQ(line.penWidth, 4);
    EXPECT_EQ(line.penStyle, PS_DOT);
    EXPECT_EQ(line.backMode, OPAQUE);
    EXPECT_EQ(line.drawMode, R2_XORPEN);
    EXPECT_EQ(host.Messages(), std::vector<int>{UM_REDRAW});
}

TEST_F(KorDrawTest, RotateSelectionTurnsAboutTheDevicePoint) {
    DrawLine(100, 100, 150, 100);
    tool.EnterSelectMode();
    Click(tool, 120, 100);
    tool.RotateSelection(100, 100, 90);
    const CUnit& line = Only(ShapeKind::Line);
    EXPECT_EQ(line.startPoint, (Point{1100, 1100}));
    EXPECT_EQ(line.endPoint, (Point{1100, 1150}));
}

// Each shape is made with the mouse, selected by a click on its body and deleted:
// every XOR drawing on the way must cancel, leaving the screen as it began.
struct MadeShape {
    const char* name;
    int tool;
    std::vector<Point> clicks;
    ShapeKind kind;
};

class MadeAndDeleted : public testing::TestWithParam<MadeShape> {};

TEST_P(MadeAndDeleted, LeavesNoTrace) {
    ImageHost host;
    CKorDraw tool(host);
    tool.style->SetBrushStyle(BS_HATCHED);
    tool.style->SetPenWidth(2);
    const MadeShape& m = GetParam();
    tool.SelectTool(m.tool);
    for (std::size_t i = 0; i < m.clicks.size(); ++i) {
        if (i > 0) Move(tool, (m.clicks[i - 1].x + m.clicks[i].x) / 2, m.clicks[i].y);
        MoveClick(tool, m.clicks[i].x, m.clicks[i].y);
    }
    ASSERT_EQ(tool.Lists().List(m.kind).size(), 1u);
    CUnit& shape = *tool.Lists().List(m.kind).front();
    EXPECT_EQ(tool.step, 0);
    EXPECT_GT(LitCount(host.screen), 0);
    // Find a pixel of the body and click it in select mode.
    tool.EnterSelectMode();
    bool found = false;
    for (int y = 0; y < host.screen.height() && !found; ++y)
        for (int x = 0; x < host.screen.width() && !found; ++x)
            found = shape.HitTest(x + 1000, y + 1000) && shape.HitHandle(x + 1000, y + 1000) == 0;
    ASSERT_TRUE(found);
    for (int y = 0; y < host.screen.height(); ++y) {
        int x = 0;
        while (x < host.screen.width() && !shape.HitTest(x + 1000, y + 1000)) ++x;
        if (x == host.screen.width()) continue;
        Click(tool, x, y);
        break;
    }
    ASSERT_TRUE(shape.selected);
    tool.DeleteSelection();
    EXPECT_TRUE(tool.Lists().IsEmpty());
    EXPECT_EQ(LitCount(host.screen), 0) << m.name;
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, MadeAndDeleted,
    testing::Values(
        MadeShape{"line", 10, {{20, 30}, {180, 120}}, ShapeKind::Line},
        MadeShape{"rectangle", 12, {{180, 120}, {20, 30}}, ShapeKind::Rectangle},
        MadeShape{"roundRectangle", 13, {{20, 30}, {180, 120}}, ShapeKind::RoundRectangle},
        MadeShape{"slantedEllipse", 14, {{60, 40}, {140, 120}, {150, 60}}, ShapeKind::Ellipse},
        MadeShape{"circle", 15, {{100, 100}, {140, 130}}, ShapeKind::Round},
        MadeShape{"ellipse", 17, {{20, 30}, {180, 120}}, ShapeKind::LiEllipse},
        MadeShape{"circularArc", 18, {{40, 100}, {160, 100}, {100, 40}}, ShapeKind::RoundArc},
        MadeShape{
            "ellipticArc", 19, {{60, 40}, {140, 120}, {150, 60}, {60, 60}}, ShapeKind::EllipseArc}),
    [](const testing::TestParamInfo<MadeShape>& info) { return std::string(info.param.name); });

TEST_F(KorDrawTest, HandlesDrawnTwiceLeaveNoTrace) {
    tool.SelectTool(14);
    Click(tool, 60, 40);
    MoveClick(tool, 140, 120);
    MoveClick(tool, 150, 60);
    const QImage before = host.screen;
    GdiDc dc(host.screen);
    dc.SetViewportOrg(tool.origin);
    CUnit& e = Only(ShapeKind::Ellipse);
    e.DrawHandles(dc);
    EXPECT_NE(host.screen, before);
    e.DrawHandles(dc);
    EXPECT_EQ(host.screen, before);
    e.DrawGrabMarker(dc, 1100, 1100);
    e.DrawGrabMarker(dc, 1100, 1100);
    EXPECT_EQ(host.screen, before);
}

TEST_F(KorDrawTest, TextBoxTakesTypingAndEmptyBoxesGo) {
    tool.SelectTool(21);
    Click(tool, 30, 40);
    ASSERT_EQ(List(ShapeKind::DrawText).size(), 1u);
    EXPECT_TRUE(tool.OnChar('N'));
    EXPECT_TRUE(tool.OnChar('e'));
    EXPECT_TRUE(tool.OnChar('x'));
    EXPECT_TRUE(tool.OnChar(QChar(0x08)));
    auto& text = dynamic_cast<CDrawText&>(Only(ShapeKind::DrawText));
    EXPECT_EQ(text.text, "Ne");
    EXPECT_EQ(text.position, (Point{1030, 1040}));
    EXPECT_GT(text.width, 0);
    EXPECT_FALSE(host.invalidated.empty());
    Click(tool, 300, 250);  // elsewhere: done
    EXPECT_FALSE(tool.OnChar('!'));
    EXPECT_EQ(text.text, "Ne");
    // A box left empty is not kept.
    Click(tool, 100, 100);
    Click(tool, 300, 250);
    EXPECT_EQ(List(ShapeKind::DrawText).size(), 1u);
}

TEST_F(KorDrawTest, ForgetAllDropsAttachedListsWithoutDeleting) {
    ShapeLists frameShapes;
    tool.Attach(&frameShapes);
    DrawLine(50, 100, 250, 100);
    EXPECT_EQ(frameShapes.List(ShapeKind::Line).size(), 1u);
    tool.ForgetAll();
    EXPECT_TRUE(tool.Lists().IsEmpty());
    EXPECT_EQ(frameShapes.List(ShapeKind::Line).size(), 1u);
}

TEST_F(KorDrawTest, AttachedListsThatGoAwayDetachThemselves) {
    {
        ShapeLists frameShapes;
        tool.Attach(&frameShapes);
        DrawLine(50, 100, 250, 100);
    }
    EXPECT_TRUE(tool.ShowsOwnLists());
    Move(tool, 10, 10);  // must not touch the deleted line
    DrawLine(10, 10, 20, 20);
    EXPECT_EQ(List(ShapeKind::Line).size(), 1u);
}
