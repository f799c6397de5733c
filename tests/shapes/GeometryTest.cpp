// Shape geometry: rotation, handles, hit bands and the plotted ellipse.
#include <QImage>
#include <QPolygon>
#include <QRegion>

#include <gtest/gtest.h>

#include "ToolHost.h"
#include "gdi/GdiDc.h"
#include "shapes/Curve.h"
#include "shapes/DLine.h"
#include "shapes/Ellipse.h"
#include "shapes/EllipseArc.h"
#include "shapes/LiEllipse.h"
#include "shapes/PolyBezier.h"
#include "shapes/Polygon.h"
#include "shapes/Rectangle.h"
#include "shapes/Round.h"
#include "shapes/RoundArc.h"
#include "shapes/RoundRectangle.h"

using namespace zv;
using zv::test::LitPixels;

namespace {

QImage Black(int w = 200, int h = 200) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::black);
    return img;
}

}  // namespace

TEST(RotatePoint, TurnsClockwiseOnTheScreenAndTruncates) {
    const CUnit u;
    struct Case {
        int angle;
        Point in, out;
    };
    const Case cases[] = {
        {0, {110, 100}, {110, 100}},  {90, {110, 100}, {100, 110}}, {90, {100, 110}, {90, 100}},
        {180, {110, 100}, {90, 100}}, {90, {100, 100}, {100, 100}},  // the centre stays
        {45, {110, 100}, {107, 107}},                                // 7.07 truncated
    };
    for (const Case& c : cases) {
        Point p = c.in;
        u.RotatePoint(100, 100, c.angle, p);
        EXPECT_EQ(p, c.out) << c.angle << " " << c.in.x << "," << c.in.y;
    }
    // Two steps of 45 degrees lose a pixel to truncation that one step of 90 keeps.
    Point twice{110, 100}, once{110, 100};
    u.RotatePoint(100, 100, 45, twice);
    u.RotatePoint(100, 100, 45, twice);
    u.RotatePoint(100, 100, 90, once);
    EXPECT_EQ(once, (Point{100, 110}));
    EXPECT_EQ(twice, (Point{100, 109}));
}

TEST(SameAtPrecision, ComparesFlooredDigits) {
    const CUnit u;
    EXPECT_TRUE(u.SameAtPrecision(1.234, 1.239, 2));
    EXPECT_FALSE(u.SameAtPrecision(1.234, 1.239, 3));
    EXPECT_FALSE(u.SameAtPrecision(-1.001, -0.999, 1));
}

TEST(LineHandles, SquaresOfPenWidthPlusFiveEndsBeforeMidpoint) {
    CDLine line;
    line.startPoint = {100, 100};
    line.endPoint = {110, 100};
    EXPECT_EQ(line.HitHandle(95, 100), 1);  // 5 left of the start
    EXPECT_EQ(line.grabPoint, (Point{100, 100}));
    EXPECT_EQ(line.HitHandle(94, 100), 1);  // 6 left: -(w+5) is still inside
    EXPECT_EQ(line.HitHandle(93, 100), 0);
    // 6 right of the start is the end's square (and the midpoint's); the end wins.
    EXPECT_EQ(line.HitHandle(106, 100), 2);
    line.endPoint = {200, 100};
    EXPECT_EQ(line.HitHandle(106, 100), 0);  // right edge excluded
    EXPECT_EQ(line.HitHandle(150, 100), 3);
    EXPECT_EQ(line.grabPoint, (Point{150, 100}));
    line.penWidth = 5;
    EXPECT_EQ(line.HitHandle(109, 100), 1);
    EXPECT_EQ(line.HitHandle(110, 100), 0);
}

TEST(LineHitBand, FourCases) {
    struct Case {
        Point s, e;
        Point inside, outside;
    };
    const Case cases[] = {
        {{0, 100}, {100, 0}, {50, 50}, {50, 60}},  // rising
        {{0, 0}, {100, 100}, {50, 50}, {60, 50}},  // falling
        {{100, 100}, {0, 0}, {52, 49}, {40, 50}},  // falling, drawn backwards
        {{50, 0}, {50, 100}, {53, 50}, {54, 50}},  // vertical: 4 left, 3 right
        {{50, 0}, {50, 100}, {46, 50}, {45, 50}},
        {{0, 50}, {100, 50}, {50, 53}, {50, 54}},  // horizontal
        {{0, 50}, {100, 50}, {-5, 50}, {-6, 50}},
    };
    for (const Case& c : cases) {
        CDLine line;
        line.startPoint = c.s;
        line.endPoint = c.e;
        EXPECT_TRUE(line.HitTest(c.inside.x, c.inside.y)) << c.s.x << "," << c.s.y;
        EXPECT_FALSE(line.HitTest(c.outside.x, c.outside.y)) << c.s.x << "," << c.s.y;
    }
}

TEST(GdiRegion, AgreesWithTheScanConvertedPolygon) {
    // Qt's polygon region is the same scan conversion GDI's regions use.
    const std::vector<std::vector<Point>> polygons = {
        {{-4, 5}, {4, 15}, {14, 5}, {6, -5}},
        {{3, 3}, {40, 10}, {12, 37}},
        {{0, 0}, {30, 0}, {0, 30}, {30, 30}},  // self-crossing: alternate fill
    };
    for (const auto& poly : polygons) {
        QPolygon q;
        for (const Point& p : poly) q << QPoint(p.x, p.y);
        const QRegion qt(q, Qt::OddEvenFill);
        const GdiRegion ours(poly);
        int differ = 0;
        for (int y = -10; y < 45; ++y)
            for (int x = -10; x < 45; ++x)
                differ += qt.contains(QPoint(x, y)) != ours.Contains(x, y);
        EXPECT_EQ(differ, 0);
    }
}

TEST(RectangleHit, BandOfFourEitherSideOfTheBorder) {
    CRectangle r;
    r.startPoint = {150, 120};  // drawn from bottom-right to top-left
    r.endPoint = {50, 20};
    EXPECT_TRUE(r.HitTest(47, 70));    // 3 outside the left edge
    EXPECT_FALSE(r.HitTest(55, 70));   // 5 inside
    EXPECT_TRUE(r.HitTest(100, 123));  // 3 below the bottom
    EXPECT_FALSE(r.HitTest(100, 100));
    EXPECT_EQ(r.startPoint, (Point{50, 20}));  // put in order
    EXPECT_EQ(r.endPoint, (Point{150, 120}));
    // Handles: mouse point +-10 holding a corner, clockwise from the top-left.
    EXPECT_EQ(r.HitHandle(158, 28), 2);
    EXPECT_EQ(r.grabPoint, (Point{150, 20}));
    EXPECT_EQ(r.HitHandle(100, 70), 5);
    EXPECT_EQ(r.HitHandle(100, 40), 0);
}

TEST(RoundRectangle, CornersAreAThirdOfTheBox) {
    CRoundRectangle r;
    r.startPoint = {0, 0};
    r.endPoint = {100, 50};
    EXPECT_EQ(r.CornerSize(), (Point{33, 16}));
    EXPECT_EQ(r.HitHandle(8, 0), 0);  // only +-4 reaches a handle
    EXPECT_EQ(r.HitHandle(3, 0), 1);
}

TEST(Circle, RadiusZeroAndTheEllipseBand) {
    CRound c;
    c.SetRadiusFromPoint({60, 60}, {60, 60});
    EXPECT_EQ(c.startPoint, (Point{60, 60}));
    EXPECT_EQ(c.endPoint, (Point{60, 60}));
    c.SetRadiusFromPoint({60, 60}, {90, 100});
    EXPECT_EQ(c.radius, 50);
    EXPECT_TRUE(c.HitTest(60, 11));
    EXPECT_FALSE(c.HitTest(60, 60));
    EXPECT_FALSE(c.HitTest(15, 15));  // the box's corner is off the circle
    EXPECT_EQ(c.HitHandle(60, 58), 5);
    // Rotating a circle moves its centre and keeps it a circle.
    c.RotateAbout(0, 60, 90);
    EXPECT_EQ(c.centre, (Point{0, 120}));
    EXPECT_EQ(c.endPoint.x - c.startPoint.x, 100);
    EXPECT_EQ(c.endPoint.y - c.startPoint.y, 100);
}

TEST(Curve, VertexHitIndexZeroCountsMinusOneMisses) {
    CCurve c;
    c.pointList = {{10, 10}, {30, 10}, {50, 10}};
    EXPECT_EQ(c.HitVertex(10, 10), 0);
    EXPECT_TRUE(c.HitTest(10, 10));
    EXPECT_EQ(c.HitVertex(38, 10), 1);
    EXPECT_EQ(c.HitVertex(40, 30), -1);
    EXPECT_FALSE(c.HitTest(40, 30));
    EXPECT_EQ(c.HitHandle(11, 9), 1);  // the first vertex is handle 1
}

TEST(Polygon, EdgesTestedIncludingTheClosingOne) {
    CPolygon p;
    p.pointList = {{0, 0}, {100, 0}, {100, 100}};
    EXPECT_TRUE(p.HitTest(50, 50));  // on the closing edge
    EXPECT_TRUE(p.HitTest(50, 2));
    EXPECT_FALSE(p.HitTest(80, 40));
    EXPECT_EQ(p.HitHandle(101, 99), 3);
    EXPECT_EQ(p.grabIndex, 2);
}

TEST(CircularArc, HorizontalChordStillFindsTheCentre) {
    CRoundArc arc;
    arc.startPoint = {0, 0};
    arc.endPoint = {100, 0};
    arc.SetFirstChord(arc.startPoint, arc.endPoint);
    EXPECT_EQ(arc.slopeA, -9999999999999.0);
    EXPECT_EQ(arc.centre, (Point{50, 0}));
    arc.arcStart = {50, 50};
    arc.SetSecondChord(arc.endPoint, arc.arcStart);
    EXPECT_EQ(arc.centre, (Point{50, 0}));
    EXPECT_EQ(arc.radiusX, 50);
    EXPECT_TRUE(arc.HitTest(0, 2));
    EXPECT_FALSE(arc.HitTest(50, 10));
    // Three points on a line have no circle; the arc stays as it was.
    arc.SetSecondChord({200, 0}, {300, 0});
    EXPECT_EQ(arc.radiusX, 50);
}

TEST(SlantedEllipse, PlotPointSetsAThickDiagonalRun) {
    QImage img = Black();
    GdiDc dc(img);
    CEllipse e;
    e.centre = {100, 100};
    e.penWidth = 3;
    e.PlotPoint(dc, 50, 60, 0xFFFFFF);
    EXPECT_EQ(LitPixels(img), (std::vector<Point>{{52, 58}, {51, 59}, {50, 60}}));
}

TEST(SlantedEllipse, AxisAndTurnedPixels) {
    CEllipse e;
    // An axis from (100, 50) to (100, 150): vertical, so the ellipse is upright.
    e.SetAxis({100, 50}, {100, 150});
    EXPECT_EQ(e.endPoint, (Point{100, 150}));
    EXPECT_NEAR(e.cosAngle, 1.0, 1e-12);
    EXPECT_NEAR(e.sinAngle, -1e-13, 1e-12);
    // A 45-degree axis.
    e.SetAxis({0, 0}, {10, 10});
    EXPECT_NEAR(e.cosAngle, std::sqrt(0.5), 1e-12);
    EXPECT_NEAR(e.sinAngle, -std::sqrt(0.5), 1e-12);

    QImage img = Black();
    GdiDc dc(img);
    CEllipse upright;
    upright.SetAxis({100, 60}, {100, 140});
    upright.centre = {100, 100};
    upright.radiusX = 30, upright.radiusY = 40;
    upright.penColour = 0x00FF00;
    upright.Draw(dc);
    const auto lit = LitPixels(img);
    ASSERT_FALSE(lit.empty());
    for (const Point& p : lit) {
        const double u = (p.x - 100) / 30.0, v = (p.y - 100) / 40.0;
        EXPECT_NEAR(u * u + v * v, 1.0, 0.1) << p.x << "," << p.y;
    }
    // The axis ends are on it, each exactly once (no XOR hole where plots meet).
    for (const Point p : {Point{130, 100}, Point{70, 100}, Point{100, 60}, Point{100, 140}})
        EXPECT_EQ(img.pixel(p.x, p.y) & 0xFFFFFF, 0x00FF00u) << p.x << "," << p.y;
    EXPECT_TRUE(upright.HitTest(129, 100));
    EXPECT_FALSE(upright.HitTest(100, 100));
    EXPECT_EQ(upright.HitHandle(131, 101), 1);
}

TEST(SlantedEllipse, LargeEllipsesNeedNoMoreThan64Bits) {
    QImage img = Black(64, 64);
    GdiDc dc(img);
    CEllipse e;
    e.centre = {0, 0};
    e.radiusX = 40000, e.radiusY = 30000;  // a * b far beyond 46340
    e.penColour = 0xFFFFFF;
    e.drawMode = R2_COPYPEN;
    e.Draw(dc);             // UBSan stops the test on any signed overflow
    e.radiusX = 5'000'000;  // beyond the plotted range: drawn as nothing
    e.Draw(dc);
    SUCCEED();
}

TEST(EllipticArc, AnglesAndTheClockwiseArc) {
    CEllipseArc arc;
    arc.centre = {100, 100};
    EXPECT_DOUBLE_EQ(arc.AngleOf(110, 100), 0.0);
    EXPECT_NEAR(arc.AngleOf(100, 110), 90.0, 1e-4);  // below: clockwise on the screen
    EXPECT_NEAR(arc.AngleOf(90, 100), 180.0, 1e-9);
    EXPECT_NEAR(arc.AngleOf(100, 90), 270.0, 1e-4);
    EXPECT_NEAR(arc.AngleOf(90, 90), 225.0, 1e-4);

    arc.radiusX = arc.radiusY = 40;
    arc.penColour = 0xFFFFFF;
    arc.SetArcStartFrom({140, 100});  // 0 degrees
    arc.SetArcEndFrom({100, 140});    // 90 degrees
    EXPECT_EQ(arc.arcFlag, 1);
    QImage img = Black();
    GdiDc dc(img);
    arc.Draw(dc);
    for (const Point& p : LitPixels(img)) {
        EXPECT_GE(p.x, 100);
        EXPECT_GE(p.y, 100);
    }
    EXPECT_EQ(arc.arcFrom, (Point{140, 100}));
    EXPECT_EQ(arc.arcTo, (Point{100, 140}));
    // Both ends in one direction: the whole ellipse.
    img.fill(Qt::black);
    arc.SetArcEndFrom({140, 100});
    arc.Draw(dc);
    EXPECT_NE(img.pixel(60, 100) & 0xFFFFFF, 0u);
    EXPECT_NE(img.pixel(100, 60) & 0xFFFFFF, 0u);
    EXPECT_TRUE(arc.HitTest(125, 100));  // inner box is half size
    EXPECT_FALSE(arc.HitTest(115, 100));
}

TEST(SmoothCurve, ClicksBuildPiecesOfThreePlusOne) {
    QImage img = Black();
    GdiDc dc(img);
    dc.SetROP2(R2_XORPEN);
    CPolyBezier c;
    c.drawMode = R2_XORPEN;
    const Point p[] = {{10, 10}, {40, 10}, {60, 40}, {90, 40}};
    for (int s = 1; s <= 4; ++s) c.AddCurveClick(dc, s, p[s - 1]);
    EXPECT_EQ(c.controlPoints, (std::vector<Point>{p[0], p[1], p[2], p[3], p[3], p[3]}));
    EXPECT_TRUE(c.HitTest(41, 9));
}

TEST(Rotation, EveryClassTurnsThePointsItIsDrawnFrom) {
    CRoundArc arc;
    arc.startPoint = {10, 0}, arc.endPoint = {0, 10}, arc.arcStart = {-10, 0}, arc.centre = {0, 0};
    arc.RotateAbout(0, 0, 90);
    EXPECT_EQ(arc.arcStart, (Point{0, -10}));
    EXPECT_EQ(arc.centre, (Point{0, 0}));

    CPolyBezier bezier;
    bezier.controlPoints = {{10, 0}, {20, 0}, {30, 0}, {40, 0}};
    bezier.RotateAbout(0, 0, 90);
    EXPECT_EQ(bezier.controlPoints.back(), (Point{0, 40}));

    CEllipse e;
    e.startPoint = {0, -10}, e.endPoint = {0, 10}, e.centre = {0, 0};
    e.SetAxis(e.startPoint, e.endPoint);
    e.RotateAbout(0, 0, 90);  // the axis lies across now
    EXPECT_NEAR(std::fabs(e.sinAngle), 1.0, 1e-9);
}
