// The two shapes the property pages and the text tools drive most: the text box
// (typing, Return, Escape, boxes left empty, taking it again) and the smooth curve
// (every one of its handles), and the pixels of arcs and slanted ellipses.
#include <gtest/gtest.h>

#include <cmath>

#include "ToolHost.h"
#include "gdi/GdiDc.h"
#include "shapes/DrawText.h"
#include "shapes/Ellipse.h"
#include "shapes/EllipseArc.h"
#include "shapes/PolyBezier.h"

using namespace zv;
using namespace zv::test;

namespace {

class TextBox : public testing::Test {
protected:
    ImageHost host;
    CKorDraw tool{host};

    const ShapeList& Texts() { return tool.Lists().List(ShapeKind::DrawText); }
    CDrawText& OnlyText() {
        EXPECT_EQ(Texts().size(), 1u);
        return dynamic_cast<CDrawText&>(*Texts().front());
    }
    void Type(const QString& s) {
        for (QChar c : s) EXPECT_TRUE(tool.OnChar(c));
    }
    int Posted(int um) {
        int n = 0;
        for (int m : host.Messages()) n += m == um;
        return n;
    }
};

TEST_F(TextBox, ReturnEndsTheTypingAndKeepsTheText) {
    tool.SelectTool(21);
    Click(tool, 30, 40);
    host.Messages();
    Type(QStringLiteral("Hi\tz"));  // a tab is not printable: left out
    EXPECT_EQ(OnlyText().text, QStringLiteral("Hiz"));
    EXPECT_EQ(Posted(UM_FRAME_CHANGED), 3);
    EXPECT_TRUE(tool.OnChar(QChar('\r')));
    EXPECT_FALSE(OnlyText().editing);
    EXPECT_EQ(tool.EditedText(), nullptr);
    EXPECT_FALSE(tool.OnChar(QChar('x')));
    EXPECT_EQ(OnlyText().text, QStringLiteral("Hiz"));
    // The box is as large as the text in its font.
    GdiDc dc(host.screen);
    dc.SelectFont(MakeFont(OnlyText().font));
    const TextSize size = dc.GetTextExtent(QStringLiteral("Hiz"));
    EXPECT_EQ(OnlyText().width, size.cx);
    EXPECT_EQ(OnlyText().height, size.cy);
    EXPECT_EQ(OnlyText().Box(), (Rect{1030, 1040, 1030 + size.cx, 1040 + size.cy}));
}

TEST_F(TextBox, EscapeOrReturnOnAnEmptyBoxDropsIt) {
    for (QChar end : {QChar(0x1B), QChar('\r'), QChar('\n')}) {
        tool.SelectTool(21);
        Click(tool, 30, 40);
        ASSERT_EQ(Texts().size(), 1u);
        host.Messages();
        EXPECT_TRUE(tool.OnChar(QChar(0x08)));  // taken, but nothing to take back
        EXPECT_EQ(Posted(UM_FRAME_CHANGED), 0);
        EXPECT_TRUE(tool.OnChar(end));
        EXPECT_TRUE(Texts().empty()) << int(end.unicode());
        EXPECT_EQ(Posted(UM_FRAME_CHANGED), 1);
        EXPECT_FALSE(host.invalidated.empty());
    }
}

TEST_F(TextBox, BackspaceTakesCharactersBackAndEscapeKeepsWhatIsLeft) {
    tool.SelectTool(21);
    Click(tool, 30, 40);
    Type(QStringLiteral("abc"));
    const std::int32_t three = OnlyText().width;
    Type(QString(QChar(0x08)));
    EXPECT_EQ(OnlyText().text, QStringLiteral("ab"));
    EXPECT_LT(OnlyText().width, three);
    EXPECT_TRUE(tool.OnChar(QChar(0x1B)));
    EXPECT_EQ(OnlyText().text, QStringLiteral("ab"));
    // A click in the box while typing keeps the typing going; a click elsewhere
    // ends it.
    tool.SelectTool(21);
    Click(tool, 100, 100);
    Type(QStringLiteral("x"));
    CDrawText& second = dynamic_cast<CDrawText&>(*Texts().back());
    Click(tool, 101, 101);
    EXPECT_TRUE(second.editing);
    Type(QStringLiteral("y"));
    EXPECT_EQ(second.text, QStringLiteral("xy"));
    Click(tool, 300, 250);
    EXPECT_FALSE(second.editing);
    EXPECT_EQ(Texts().size(), 2u);
}

TEST_F(TextBox, TakenAgainItEditsAndMoves) {
    tool.SelectTool(21);
    Click(tool, 30, 40);
    Type(QStringLiteral("Move"));
    tool.OnChar(QChar('\r'));
    CDrawText& t = OnlyText();
    tool.EnterSelectMode();
    Click(tool, 32, 42);  // the body: selected
    ASSERT_TRUE(t.selected);
    Click(tool, 32, 42);  // the box is its handle: taken, typing goes to it
    EXPECT_EQ(tool.state, 5);
    EXPECT_TRUE(t.editing);
    Type(QStringLiteral("d"));
    EXPECT_EQ(t.text, QStringLiteral("Moved"));
    // The box's corner follows the mouse.
    Move(tool, 52, 62);
    EXPECT_EQ(t.position, (Point{1052, 1062}));
    Click(tool, 52, 62);
    EXPECT_EQ(tool.state, 3);
    EXPECT_EQ(t.position, (Point{1052, 1062}));
    // Text is drawn in the pen colour on the background colour, not in XOR, inside
    // its box.
    host.screen.fill(Qt::black);
    t.penColour = RGB(0, 255, 0);
    t.backColour = RGB(0, 0, 255);
    GdiDc dc(host.screen);
    dc.SetViewportOrg(tool.origin);
    t.Draw(dc);
    int glyph = 0;
    for (int y = 0; y < host.screen.height(); ++y)
        for (int x = 0; x < host.screen.width(); ++x) {
            const QRgb c = host.screen.pixel(x, y);
            if ((c & 0xFFFFFF) == 0) continue;
            EXPECT_TRUE(t.Box().Contains(x + 1000, y + 1000)) << x << "," << y;
            glyph += qGreen(c) > 128 && qRed(c) < 64;
        }
    EXPECT_GT(glyph, 10);
}

// A smooth curve of two pieces whose seven control points all differ.
class SmoothCurveHandle : public testing::TestWithParam<int> {};

TEST_P(SmoothCurveHandle, MovesOnlyItsOwnPoint) {
    const int handle = GetParam();
    ImageHost host;
    CKorDraw tool(host);
    tool.SelectTool(20);
    const Point clicks[] = {{20, 20}, {60, 20}, {90, 60}, {130, 60}, {170, 20}, {210, 40}};
    for (const Point p : clicks) MoveClick(tool, p.x, p.y);
    Move(tool, 250, 90);
    tool.OnLButtonDblClk(1, {250, 90});
    ASSERT_EQ(tool.Lists().List(ShapeKind::PolyBezier).size(), 1u);
    CUnit& curve = *tool.Lists().List(ShapeKind::PolyBezier).front();
    std::vector<Point> want = {{1020, 1020}, {1060, 1020}, {1090, 1060}, {1130, 1060},
                               {1170, 1020}, {1210, 1040}, {1250, 1090}};
    ASSERT_EQ(curve.controlPoints, want);

    tool.EnterSelectMode();
    Click(tool, 20, 20);
    ASSERT_TRUE(curve.selected);
    const Point grab{want[std::size_t(handle - 1)].x - 1000,
                     want[std::size_t(handle - 1)].y - 1000};
    ASSERT_EQ(curve.HitHandle(grab.x + 1000, grab.y + 1000), handle);
    Click(tool, grab.x, grab.y);
    ASSERT_EQ(tool.state, 5);
    Move(tool, grab.x + 7, grab.y + 50);
    Move(tool, grab.x + 13, grab.y + 100);
    Click(tool, grab.x + 13, grab.y + 100);
    EXPECT_EQ(tool.state, 3);
    want[std::size_t(handle - 1)] = {grab.x + 1013, grab.y + 1100};
    EXPECT_EQ(curve.controlPoints, want);
    tool.DeleteSelection();
    EXPECT_EQ(LitCount(host.screen), 0);
}

INSTANTIATE_TEST_SUITE_P(EveryControlPoint, SmoothCurveHandle, testing::Range(1, 8));

TEST(EllipticArcAngle, OffAxisPointsInAllFourQuadrants) {
    CEllipseArc arc;
    arc.centre = {100, 100};
    // atan(10 / 30) = 18.4349 degrees, measured clockwise on the screen.
    const double a = std::atan(1.0 / 3.0) * 180.0 / M_PI;
    const struct {
        int x, y;
        double angle;
    } cases[] = {
        {130, 110, a},         // right, below
        {70, 110, 180.0 - a},  // left, below
        {70, 90, 180.0 + a},   // left, above
        {130, 90, 360.0 - a},  // right, above
        {110, 130, 90.0 - a},  // below, right of the centre
        {90, 130, 90.0 + a},   // below, left
        {90, 70, 270.0 - a},   // above, left
        {110, 70, 270.0 + a},  // above, right
    };
    for (const auto& c : cases)
        EXPECT_NEAR(arc.AngleOf(c.x, c.y), c.angle, 1e-4) << c.x << "," << c.y;
}

TEST(EllipticArcAngle, AnArcInTheLowerLeftQuarterIsDrawnThere) {
    CEllipseArc arc;
    arc.centre = {100, 100};
    arc.radiusX = arc.radiusY = 40;
    arc.penColour = 0xFFFFFF;
    arc.SetArcStartFrom({93, 140});  // 99.9 degrees
    arc.SetArcEndFrom({60, 107});    // 170.1 degrees
    QImage img(200, 200, QImage::Format_RGB32);
    img.fill(Qt::black);
    GdiDc dc(img);
    arc.Draw(dc);
    const std::vector<Point> lit = LitPixels(img);
    EXPECT_GE(lit.size(), 40u);
    for (const Point& p : lit) {
        EXPECT_LE(p.x, 100) << p.x << "," << p.y;
        EXPECT_GE(p.y, 100) << p.x << "," << p.y;
    }
    // Halfway along, at 135 degrees: (100 - 28.3, 100 + 28.3).
    bool middle = false;
    for (const Point& p : lit)
        middle = middle || (std::abs(p.x - 72) <= 1 && std::abs(p.y - 128) <= 1);
    EXPECT_TRUE(middle);
    // Nothing at the quarter's ends beyond the arc: straight down and straight left.
    EXPECT_EQ(img.pixel(100, 140) & 0xFFFFFF, 0u);
    EXPECT_EQ(img.pixel(60, 100) & 0xFFFFFF, 0u);
    // Its ends are found where the pixels cross the two directions.
    EXPECT_LE(std::abs(arc.arcFrom.x - 93) + std::abs(arc.arcFrom.y - 140), 2);
    EXPECT_LE(std::abs(arc.arcTo.x - 60) + std::abs(arc.arcTo.y - 107), 2);
}

TEST(SlantedEllipsePixels, AtFortyFiveDegrees) {
    CEllipse e;
    e.SetAxis({60, 60}, {140, 140});  // the long axis runs down to the right
    e.centre = {100, 100};
    e.radiusX = 20;  // across the axis
    e.radiusY = 40;  // along it
    e.penColour = 0xFFFFFF;
    QImage img(200, 200, QImage::Format_RGB32);
    img.fill(Qt::black);
    GdiDc dc(img);
    e.Draw(dc);
    const std::vector<Point> lit = LitPixels(img);
    ASSERT_GE(lit.size(), 100u);
    for (const Point& p : lit) {
        const double dx = p.x - 100, dy = p.y - 100;
        const double along = (dx + dy) / std::sqrt(2.0), across = (dx - dy) / std::sqrt(2.0);
        EXPECT_NEAR(along * along / 1600.0 + across * across / 400.0, 1.0, 0.12)
            << p.x << "," << p.y;
    }
    auto litNear = [&](double x, double y) {
        for (const Point& p : lit)
            if (std::abs(p.x - x) <= 1.0 && std::abs(p.y - y) <= 1.0) return true;
        return false;
    };
    const double d = 40 / std::sqrt(2.0), s = 20 / std::sqrt(2.0);
    EXPECT_TRUE(litNear(100 + d, 100 + d));
    EXPECT_TRUE(litNear(100 - d, 100 - d));
    EXPECT_TRUE(litNear(100 + s, 100 - s));
    EXPECT_TRUE(litNear(100 - s, 100 + s));
    // Turned the other way the long axis would reach here.
    EXPECT_FALSE(litNear(100 + d, 100 - d));
    EXPECT_FALSE(litNear(100 - d, 100 + d));
}

}  // namespace
