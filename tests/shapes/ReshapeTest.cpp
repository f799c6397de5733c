// Taking a handle of each kind of shape, dragging it and dropping it: the shape
// changes as its handle says, and every XOR drawing on the way cancels out.
#include <gtest/gtest.h>

#include <functional>

#include "ToolHost.h"
#include "shapes/Unit.h"

using namespace zv;
using namespace zv::test;

namespace {

struct Reshape {
    const char* name;
    int tool;
    std::vector<Point> clicks;  // device points that make the shape
    ShapeKind kind;
    int handle;
    Point dragTo;  // device point
    int state;     // 5 reshape, 2 move
    std::function<void(const CUnit& before, const CUnit& after)> check;
};

class ReshapeByHandle : public testing::TestWithParam<Reshape> {};

// A device point where the shape's handle `n` is found.
bool FindHandle(CUnit& shape, int n, int w, int h, Point& at) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (shape.HitHandle(x + 1000, y + 1000) == n) {
                at = {x, y};
                return true;
            }
    return false;
}

bool FindBody(CUnit& shape, int w, int h, Point& at) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (shape.HitTest(x + 1000, y + 1000)) {
                at = {x, y};
                return true;
            }
    return false;
}

}  // namespace

TEST_P(ReshapeByHandle, FollowsTheMouseAndLeavesNoTrace) {
    const Reshape& r = GetParam();
    ImageHost host;
    CKorDraw tool(host);
    tool.SelectTool(r.tool);
    for (std::size_t i = 0; i < r.clicks.size(); ++i) MoveClick(tool, r.clicks[i].x, r.clicks[i].y);
    if (r.tool == 16) tool.OnLButtonDblClk(1, r.clicks.back());
    ASSERT_EQ(tool.Lists().List(r.kind).size(), 1u);
    CUnit& shape = *tool.Lists().List(r.kind).front();
    const std::unique_ptr<CUnit> before = shape.Clone();

    tool.EnterSelectMode();
    Point body;
    ASSERT_TRUE(FindBody(shape, host.screen.width(), host.screen.height(), body));
    Click(tool, body.x, body.y);
    ASSERT_TRUE(shape.selected);
    Point grab;
    ASSERT_TRUE(FindHandle(shape, r.handle, host.screen.width(), host.screen.height(), grab));
    Click(tool, grab.x, grab.y);
    ASSERT_EQ(tool.state, r.state);
    Move(tool, (grab.x + r.dragTo.x) / 2, (grab.y + r.dragTo.y) / 2);
    Move(tool, r.dragTo.x, r.dragTo.y);
    Click(tool, r.dragTo.x, r.dragTo.y);
    EXPECT_EQ(tool.state, 3);
    EXPECT_TRUE(shape.selected);
    r.check(*before, shape);

    tool.DeleteSelection();
    EXPECT_EQ(LitCount(host.screen), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Handles, ReshapeByHandle,
    testing::Values(
        Reshape{"lineEnd",
                10,
                {{20, 30}, {180, 120}},
                ShapeKind::Line,
                2,
                {150, 200},
                5,
                [](const CUnit& b, const CUnit& a) {
                    EXPECT_EQ(a.startPoint, b.startPoint);
                    EXPECT_EQ(a.endPoint, (Point{1150, 1200}));
                }},
        Reshape{"rectangleCorner",
                12,
                {{20, 30}, {180, 120}},
                ShapeKind::Rectangle,
                3,
                {200, 150},
                5,
                [](const CUnit&, const CUnit& a) {
                    EXPECT_EQ(a.startPoint, (Point{1020, 1030}));
                    EXPECT_EQ(a.endPoint, (Point{1200, 1150}));
                }},
        Reshape{"roundRectangleCentre",
                13,
                {{20, 30}, {180, 120}},
                ShapeKind::RoundRectangle,
                5,
                {110, 85},
                2,
                [](const CUnit& b, const CUnit& a) {
                    EXPECT_EQ(a.endPoint.x - a.startPoint.x, b.endPoint.x - b.startPoint.x);
                    EXPECT_EQ(a.startPoint, (Point{1030, 1040}));
                }},
        Reshape{"circleCorner",
                15,
                {{100, 100}, {130, 100}},
                ShapeKind::Round,
                3,
                {150, 150},
                5,
                [](const CUnit& b, const CUnit& a) {
                    EXPECT_EQ(a.centre, b.centre);
                    EXPECT_EQ(a.radius, 70);
                }},
        Reshape{"circleCentre",
                15,
                {{100, 100}, {130, 100}},
                ShapeKind::Round,
                5,
                {120, 90},
                2,
                [](const CUnit&, const CUnit& a) {
                    EXPECT_EQ(a.centre, (Point{1120, 1090}));
                }},
        Reshape{"slantedEllipseRadius",
                14,
                {{60, 40}, {140, 120}, {150, 60}},
                ShapeKind::Ellipse,
                2,
                {40, 180},
                5,
                [](const CUnit& b, const CUnit& a) {
                    EXPECT_EQ(a.radiusX, b.radiusX);
                    EXPECT_NE(a.radiusY, b.radiusY);
                }},
        Reshape{"slantedEllipseMove",
                14,
                {{60, 40}, {140, 120}, {150, 60}},
                ShapeKind::Ellipse,
                5,
                {110, 90},
                2,
                [](const CUnit& b, const CUnit& a) {
                    EXPECT_EQ(a.centre.x - b.centre.x, 10);
                    EXPECT_EQ(a.centre.y - b.centre.y, 10);
                }},
        Reshape{"ellipticArcEnd",
                19,
                {{60, 40}, {140, 120}, {150, 60}, {60, 60}},
                ShapeKind::EllipseArc,
                2,
                {100, 140},
                5,
                [](const CUnit& b, const CUnit& a) { EXPECT_NE(a.angleTo, b.angleTo); }},
        Reshape{"ellipticArcMove",
                19,
                {{60, 40}, {140, 120}, {150, 60}, {60, 60}},
                ShapeKind::EllipseArc,
                3,
                {90, 70},
                2,
                [](const CUnit& b, const CUnit& a) { EXPECT_EQ(a.centre.x - b.centre.x, -10); }},
        Reshape{"circularArcPoint",
                18,
                {{40, 100}, {160, 100}, {100, 40}},
                ShapeKind::RoundArc,
                3,
                {100, 170},
                5,
                [](const CUnit&, const CUnit& a) {
                    EXPECT_EQ(a.arcStart, (Point{1100, 1170}));
                }},
        Reshape{"polygonVertex",
                16,
                {{20, 20}, {180, 20}, {100, 150}},
                ShapeKind::Polygon,
                2,
                {190, 60},
                5,
                [](const CUnit&, const CUnit& a) {
                    EXPECT_EQ(a.pointList[1], (Point{1190, 1060}));
                }},
        Reshape{"freeCurveMove",
                11,
                {{20, 20}, {120, 60}},
                ShapeKind::Curve,
                1,
                {40, 50},
                2,
                [](const CUnit& b, const CUnit& a) {
                    EXPECT_EQ(a.pointList.size(), b.pointList.size());
                    EXPECT_EQ(a.pointList[0].y - b.pointList[0].y, 30);
                }}),
    [](const testing::TestParamInfo<Reshape>& info) { return std::string(info.param.name); });
