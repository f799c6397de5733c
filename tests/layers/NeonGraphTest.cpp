// The frame's shape container: its stream, its shape block and its hand-over to the
// drawing tool.
#include <QBuffer>
#include <QDataStream>
#include <QImage>

#include <gtest/gtest.h>

#include "gdi/BinaryIO.h"
#include "layers/NeonGraph.h"
#include "shapes/DLine.h"
#include "shapes/KorDraw.h"
#include "shapes/Rectangle.h"
#include "shapes/ShapeHost.h"

using namespace zv;

namespace {

QByteArray Le16(std::uint16_t v) {
    QByteArray b;
    b.append(static_cast<char>(v & 0xFF));
    b.append(static_cast<char>(v >> 8));
    return b;
}
QByteArray Le32(std::uint32_t v) {
    return Le16(v & 0xFFFF) + Le16(v >> 16);
}

QByteArray LineRecord(int x1, int y1, int x2, int y2) {
    QByteArray b = Le32(0) + Le32(0) + Le32(1) + Le32(13) + Le32(1) + Le32(0xFFFFFF);
    for (int v : {x1, y1, x2, y2}) b += Le32(static_cast<std::uint32_t>(v));
    return b;
}

std::unique_ptr<CDLine> Line(int x1, int y1, int x2, int y2) {
    auto line = std::make_unique<CDLine>();
    line->startPoint = {x1, y1};
    line->endPoint = {x2, y2};
    return line;
}

class NullHost : public ShapeHost {
public:
    std::unique_ptr<GdiDc> GetClientDc() override { return std::make_unique<GdiDc>(image); }
    void SetCapture() override {}
    void ReleaseCapture() override {}
    QObject* MessageTarget() override { return nullptr; }
    ScrollSize GetScrollSize() const override { return {100, 100}; }
    void InvalidateRect(const Rect&) override {}
    QImage image{100, 100, QImage::Format_RGB32};
};

}  // namespace

TEST(NeonGraph, EmptyContainerIs32Bytes) {
    const CNeonGraph graph;
    QByteArray expected =
        Le32(static_cast<std::uint32_t>(-1000)) + Le32(static_cast<std::uint32_t>(-1000));
    for (int i = 0; i < 12; ++i) expected += Le16(0);
    EXPECT_EQ(graph.StoreStream(), expected);
    EXPECT_EQ(expected.size(), 32);
}

TEST(NeonGraph, TwoLinesShareOneClassRecord) {
    CNeonGraph graph;
    graph.origin = {5, -6};
    graph.Add(Line(1, 2, 3, 4));
    graph.Add(Line(5, 6, 7, 8));
    QByteArray expected = Le32(5) + Le32(static_cast<std::uint32_t>(-6)) + Le16(2);
    expected += Le16(0xFFFF) + Le16(1) + Le16(6) + QByteArray("CDLine") + LineRecord(1, 2, 3, 4);
    expected += Le16(0x8001) + LineRecord(5, 6, 7, 8);
    for (int i = 0; i < 11; ++i) expected += Le16(0);
    EXPECT_EQ(graph.StoreStream(), expected);

    CNeonGraph back;
    ASSERT_TRUE(back.LoadStream(expected));
    EXPECT_EQ(back.origin, (Point{5, -6}));
    ASSERT_EQ(back.List(ShapeKind::Line).size(), 2u);
    EXPECT_EQ(back.List(ShapeKind::Line)[1]->endPoint, (Point{7, 8}));
}

TEST(NeonGraph, ListsAreStoredInStreamOrder) {
    // Polygons come before rounded rectangles, elliptic arcs last.
    CNeonGraph graph;
    graph.Add(std::make_unique<CRectangle>());
    graph.Add(MakeShape("CEllipseArc"));
    graph.Add(MakeShape("CPolygon"));
    const QByteArray s = graph.StoreStream();
    EXPECT_EQ(s.indexOf("CRectangle"), 8 + 2 + 2 + 2 + 6);  // third list
    EXPECT_LT(s.indexOf("CRectangle"), s.indexOf("CPolygon"));
    EXPECT_LT(s.indexOf("CPolygon"), s.indexOf("CEllipseArc"));
    CNeonGraph back;
    ASSERT_TRUE(back.LoadStream(s));
    EXPECT_EQ(back.List(ShapeKind::EllipseArc).size(), 1u);
    EXPECT_EQ(back.List(ShapeKind::Polygon).size(), 1u);
    EXPECT_EQ(back.StoreStream(), s);
}

TEST(NeonGraph, ShapeBlockHeaderAndSize) {
    CNeonGraph graph;
    graph.Add(Line(1, 2, 3, 4));
    QByteArray file;
    {
        QBuffer buf(&file);
        buf.open(QIODevice::WriteOnly);
        QDataStream out(&buf);
        UseFileByteOrder(out);
        graph.SaveTo(out, 0);
    }
    const int n = static_cast<int>(graph.StoreStream().size());
    EXPECT_EQ(file.left(12), Le32(3) + Le32(0) + Le32(static_cast<std::uint32_t>(n)));
    EXPECT_EQ(file.size(), 12 + n);

    QBuffer buf(&file);
    buf.open(QIODevice::ReadOnly);
    QDataStream in(&buf);
    UseFileByteOrder(in);
    in.skipRawData(12);
    CNeonGraph back;
    ASSERT_TRUE(back.LoadFrom(in, n));
    EXPECT_EQ(back.ShapeCount(), 1u);
}

TEST(NeonGraph, BadStreamsLeaveTheContainerAsItWas) {
    CNeonGraph graph;
    graph.Add(Line(1, 1, 2, 2));
    const QByteArray header = Le32(0) + Le32(0);
    const QByteArray zeros11 = QByteArray(22, '\0');
    const QByteArray bad[] = {
        header + Le16(1) + Le16(0xFFFF) + Le16(1) + Le16(6) + "CBogus" + LineRecord(0, 0, 1, 1) +
            zeros11,
        header + Le16(1) + Le16(0) + zeros11,  // an empty slot
        header + Le16(2) + Le16(0xFFFF) + Le16(1) + Le16(6) + "CDLine" + LineRecord(0, 0, 1, 1) +
            Le16(2) + zeros11,                           // the same line twice
        header + Le16(0xFFFF) + Le32(100000) + zeros11,  // count beyond the bytes
        header + Le16(0),                                // cut short
        header.left(5),
    };
    for (const QByteArray& b : bad) {
        EXPECT_FALSE(graph.LoadStream(b));
        ASSERT_EQ(graph.ShapeCount(), 1u);
        EXPECT_EQ(graph.List(ShapeKind::Line)[0]->endPoint, (Point{2, 2}));
    }
    // A shape block whose size runs past the file.
    QByteArray file = graph.StoreStream();
    QBuffer buf(&file);
    buf.open(QIODevice::ReadOnly);
    QDataStream in(&buf);
    EXPECT_FALSE(graph.LoadFrom(in, static_cast<std::int32_t>(file.size()) + 1));
    EXPECT_FALSE(graph.LoadFrom(in, -1));
    EXPECT_EQ(graph.ShapeCount(), 1u);
}

TEST(NeonGraph, CopyIsDeep) {
    CNeonGraph a;
    a.origin = {1, 2};
    a.Add(Line(1, 1, 2, 2));
    CNeonGraph b;
    b.Add(Line(9, 9, 9, 9));
    b.CopyFrom(a);
    ASSERT_EQ(b.ShapeCount(), 1u);
    EXPECT_EQ(b.origin, (Point{1, 2}));
    EXPECT_NE(b.List(ShapeKind::Line)[0].get(), a.List(ShapeKind::Line)[0].get());
    EXPECT_EQ(b.StoreStream(), a.StoreStream());
}

TEST(NeonGraph, HandedToTheToolAndTakenBack) {
    NullHost host;
    CKorDraw tool(host);
    auto frameShapes = std::make_unique<CNeonGraph>();
    frameShapes->origin = {-500, -400};
    frameShapes->Add(Line(1, 1, 2, 2));
    frameShapes->HandTo(tool);
    EXPECT_EQ(tool.origin, (Point{-500, -400}));
    EXPECT_EQ(tool.Lists().ShapeCount(), 1u);
    // A new frame container takes what the tool shows: copies of another frame's.
    CNeonGraph other;
    other.TakeFrom(tool);
    EXPECT_EQ(other.ShapeCount(), 1u);
    EXPECT_EQ(frameShapes->ShapeCount(), 1u);
    EXPECT_TRUE(tool.IsAttachedTo(&other));
    // Shapes drawn while nothing is attached move into the frame that takes them.
    tool.Attach(nullptr);
    tool.SelectTool(10);
    tool.OnLButtonDown(1, {5, 5});
    tool.OnMouseMove(0, {50, 50});
    tool.OnLButtonDown(1, {50, 50});
    frameShapes->TakeFrom(tool);
    EXPECT_EQ(frameShapes->ShapeCount(), 1u);
    EXPECT_EQ(frameShapes->List(ShapeKind::Line)[0]->endPoint, (Point{550, 450}));
    EXPECT_TRUE(tool.IsAttachedTo(frameShapes.get()));
    // A container destroyed while shown leaves the tool on its own lists.
    frameShapes.reset();
    EXPECT_TRUE(tool.ShowsOwnLists());
}
