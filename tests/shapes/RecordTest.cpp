// Every shape class written and read back, and archives that must be refused.
#include <gtest/gtest.h>

#include <functional>

#include "ArchiveBytes.h"
#include "shapes/Archive.h"
#include "shapes/Curve.h"
#include "shapes/DLine.h"
#include "shapes/DrawText.h"
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
using zv::test::Bytes;

namespace {

// Distinct values in every field, so that a field read into the wrong place shows.
void FillAll(CUnit& s) {
    s.penStyle = 2, s.penWidth = 3, s.backMode = 2, s.drawMode = 7;
    s.penColour = 0x010203, s.brushColour = 0x040506, s.backColour = 0x070809;
    s.startPoint = {11, 12}, s.endPoint = {-13, 14}, s.arcStart = {15, 16}, s.centre = {17, -18};
    s.arcFrom = {19, 20}, s.arcTo = {21, 22};
    s.pointList = {{1, 2}, {3, 4}, {5, 6}};
    s.controlPoints = {{7, 8}, {9, 10}, {11, 12}, {13, 14}};
    s.brushStyle = 2, s.hatchStyle = 4, s.radius = 23, s.radiusX = 24, s.radiusY = 25;
    s.cosAngle = 0.6, s.sinAngle = -0.8, s.angleFrom = 30.5, s.angleTo = 300.25;
}

struct RecordCase {
    const char* name;
    // Fields of the record that must come back.
    std::function<void(const CUnit& in, const CUnit& out)> check;
};

void CheckHead(const CUnit& a, const CUnit& b) {
    EXPECT_EQ(b.penColour, a.penColour);
    EXPECT_EQ(b.penStyle, a.penStyle);
    EXPECT_EQ(b.penWidth, a.penWidth);
    EXPECT_EQ(b.drawMode, a.drawMode);
    EXPECT_EQ(b.backMode, a.backMode);
    EXPECT_EQ(b.backColour, a.backColour);
    EXPECT_EQ(b.startPoint, a.startPoint);
    EXPECT_EQ(b.endPoint, a.endPoint);
}

void CheckBrush(const CUnit& a, const CUnit& b) {
    EXPECT_EQ(b.brushStyle, a.brushStyle);
    EXPECT_EQ(b.hatchStyle, a.hatchStyle);
    EXPECT_EQ(b.brushColour, a.brushColour);
}

void CheckSlanted(const CUnit& a, const CUnit& b) {
    CheckHead(a, b);
    CheckBrush(a, b);
    EXPECT_EQ(b.sinAngle, a.sinAngle);
    EXPECT_EQ(b.cosAngle, a.cosAngle);
    EXPECT_EQ(b.radiusX, a.radiusX);
    EXPECT_EQ(b.radiusY, a.radiusY);
    EXPECT_EQ(b.centre, a.centre);
}

class RecordRoundTrip : public testing::TestWithParam<RecordCase> {};

}  // namespace

TEST_P(RecordRoundTrip, WrittenAndReadBack) {
    std::unique_ptr<CUnit> in = MakeShape(GetParam().name);
    ASSERT_TRUE(in);
    FillAll(*in);
    if (auto* text = dynamic_cast<CDrawText*>(in.get())) {
        text->text = QString::fromUtf8("霓虹 Neon");
        text->width = 120, text->height = 18, text->position = {40, -50};
        text->font.lfHeight = -20, text->font.lfWeight = 700, text->font.lfItalic = 1;
        text->font.lfCharSet = 134, text->font.lfEscapement = 5, text->font.lfQuality = 3;
        text->font.SetFaceName(QString::fromUtf8("宋体"));
    }
    QByteArray bytes;
    {
        CArchive ar(&bytes);
        ar.WriteObject(in.get());
    }
    CArchive ar(bytes);
    CArchive::ObjectRef ref;
    ASSERT_TRUE(ar.ReadObject(ref));
    ASSERT_EQ(ref.kind, CArchive::RefKind::Created);
    EXPECT_EQ(ar.BytesLeft(), 0);
    EXPECT_STREQ(ref.created->GetRuntimeClass().name, GetParam().name);
    GetParam().check(*in, *ref.created);

    // Writing what was read gives the same bytes.
    QByteArray again;
    {
        CArchive out(&again);
        out.WriteObject(ref.created.get());
    }
    EXPECT_EQ(again, bytes);
}

INSTANTIATE_TEST_SUITE_P(
    EveryClass, RecordRoundTrip,
    testing::Values(
        RecordCase{"CDLine",
                   [](const CUnit& a, const CUnit& b) {
                       CheckHead(a, b);
                       EXPECT_NE(b.brushColour, a.brushColour);  // not in a line's record
                   }},
        RecordCase{"CCurve",
                   [](const CUnit& a, const CUnit& b) {
                       EXPECT_EQ(b.penColour, a.penColour);
                       EXPECT_EQ(b.penStyle, a.penStyle);
                       EXPECT_EQ(b.penWidth, a.penWidth);
                       EXPECT_EQ(b.pointList, a.pointList);
                       EXPECT_EQ(b.drawMode, R2_COPYPEN);  // no head: the default stays
                   }},
        RecordCase{"CRectangle",
                   [](const CUnit& a, const CUnit& b) { CheckHead(a, b), CheckBrush(a, b); }},
        RecordCase{"CRoundRectangle",
                   [](const CUnit& a, const CUnit& b) { CheckHead(a, b), CheckBrush(a, b); }},
        RecordCase{"CLiEllipse",
                   [](const CUnit& a, const CUnit& b) { CheckHead(a, b), CheckBrush(a, b); }},
        RecordCase{"CRound",
                   [](const CUnit& a, const CUnit& b) {
                       CheckHead(a, b), CheckBrush(a, b);
                       EXPECT_EQ(b.centre, a.centre);
                   }},
        RecordCase{"CEllipse", CheckSlanted},
        RecordCase{"CEllipseArc",
                   [](const CUnit& a, const CUnit& b) {
                       CheckSlanted(a, b);
                       EXPECT_EQ(b.arcFrom, a.arcFrom);
                       EXPECT_EQ(b.arcTo, a.arcTo);
                       EXPECT_EQ(b.angleFrom, a.angleFrom);
                       EXPECT_EQ(b.angleTo, a.angleTo);
                       EXPECT_EQ(b.arcFlag, 1);
                   }},
        RecordCase{"CRoundArc",
                   [](const CUnit& a, const CUnit& b) {
                       CheckHead(a, b);
                       EXPECT_EQ(b.arcStart, a.arcStart);
                       EXPECT_EQ(b.radiusX, a.radiusX);
                       EXPECT_EQ(b.centre, a.centre);
                   }},
        RecordCase{"CPolygon",
                   [](const CUnit& a, const CUnit& b) {
                       CheckHead(a, b);
                       EXPECT_EQ(b.pointList, a.pointList);
                   }},
        RecordCase{"CPolyBezier",
                   [](const CUnit& a, const CUnit& b) {
                       CheckHead(a, b);
                       EXPECT_EQ(b.controlPoints, a.controlPoints);
                   }},
        RecordCase{"CDrawText",
                   [](const CUnit& a, const CUnit& b) {
                       CheckHead(a, b);
                       const auto& ta = dynamic_cast<const CDrawText&>(a);
                       const auto& tb = dynamic_cast<const CDrawText&>(b);
                       EXPECT_EQ(tb.text, ta.text);
                       EXPECT_EQ(tb.width, ta.width);
                       EXPECT_EQ(tb.height, ta.height);
                       EXPECT_EQ(tb.position, ta.position);
                       EXPECT_EQ(tb.font, ta.font);
                       EXPECT_EQ(tb.loaded, 1);
                   }}),
    [](const testing::TestParamInfo<RecordCase>& info) { return std::string(info.param.name); });

TEST(Record, TextRecordLayout) {
    CDrawText text;
    text.text = "Hi";
    text.width = 30, text.height = 16, text.position = {5, 6};
    QByteArray bytes;
    {
        CArchive ar(&bytes);
        ar.WriteObject(&text);
    }
    const QByteArray tail = Bytes()
                                .i32s({16, 30, 5, 6})
                                .u8(2)
                                .text("Hi")
                                .u8(0)     // lfCharSet
                                .u8(0)     // lfClipPrecision
                                .i32(0)    // lfEscapement
                                .i32(-16)  // lfHeight
                                .u8(0)     // lfItalic
                                .i32(0)    // lfOrientation
                                .u8(0)     // lfOutPrecision
                                .u8(0)     // lfPitchAndFamily
                                .u8(0)     // lfQuality
                                .i32(0)    // lfWidth
                                .i32(400)  // lfWeight
                                .u8(0)     // lfUnderline
                                .u8(0)     // lfStrikeOut
                                .u8(5)
                                .text("Arial");
    EXPECT_EQ(bytes.mid(2 + 2 + 2 + 9 + 40), tail);
}

TEST(Record, ReadingTheLineRecordByHand) {
    const QByteArray bytes =
        Bytes().newClass("CDLine").head(0xFF, 1, 2, 7, 2, 0x00FF00, 10, 20, 30, 40);
    CArchive ar(bytes);
    CArchive::ObjectRef ref;
    ASSERT_TRUE(ar.ReadObject(ref));
    const CUnit& line = *ref.created;
    EXPECT_EQ(line.penColour, 0xFFu);
    EXPECT_EQ(line.penStyle, 1u);
    EXPECT_EQ(line.penWidth, 2);
    EXPECT_EQ(line.drawMode, 7);
    EXPECT_EQ(line.backMode, 2);
    EXPECT_EQ(line.backColour, 0x00FF00u);
    EXPECT_EQ(line.startPoint, (Point{10, 20}));
    EXPECT_EQ(line.endPoint, (Point{30, 40}));
}

namespace {

struct BadCase {
    const char* what;
    QByteArray bytes;
};

class BadArchive : public testing::TestWithParam<BadCase> {};

const QByteArray kLineHead = Bytes().head(0, 0, 1, 13, 1, 0xFFFFFF, 0, 0, 1, 1);

}  // namespace

TEST_P(BadArchive, IsRefused) {
    CArchive ar(GetParam().bytes);
    CArchive::ObjectRef ref;
    bool ok = true;
    // Read objects until the bytes run out or one is refused.
    while (ok && ar.BytesLeft() > 0) ok = ar.ReadObject(ref);
    EXPECT_FALSE(ok) << GetParam().what;
    EXPECT_TRUE(ar.Failed());
    EXPECT_EQ(ref.created, nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadArchive,
    testing::Values(
        BadCase{"unknown class", Bytes().newClass("CBogus").raw(kLineHead)},
        BadCase{"wrong schema", Bytes().u16(0xFFFF).u16(2).u16(6).text("CDLine").raw(kLineHead)},
        BadCase{"class name past the end", Bytes().u16(0xFFFF).u16(1).u16(40).text("CDLine")},
        BadCase{"class name too long",
                Bytes().u16(0xFFFF).u16(1).u16(300).raw(QByteArray(300, 'C'))},
        BadCase{"class index never defined", Bytes().u16(0x8005).raw(kLineHead)},
        BadCase{"class index that is an object",
                Bytes().newClass("CDLine").raw(kLineHead).u16(0x8002).raw(kLineHead)},
        BadCase{"object index never written", Bytes().u16(0x0009)},
        BadCase{"object index that is a class", Bytes().newClass("CDLine").raw(kLineHead).u16(1)},
        BadCase{"big object index nowhere", Bytes().u16(0x7FFF).u32(0x12345)},
        BadCase{"record cut short", Bytes().newClass("CDLine").raw(kLineHead.left(30))},
        BadCase{"point count beyond the bytes",
                Bytes().newClass("CCurve").u32(0).u32(0).i32(1).u16(0xFFFF).u32(0x40000000)},
        BadCase{"point count one too many",
                Bytes().newClass("CCurve").u32(0).u32(0).i32(1).u16(2).i32s({1, 2, 3})},
        BadCase{"string past the end", Bytes()
                                           .newClass("CDrawText")
                                           .raw(kLineHead)
                                           .i32s({0, 0, 0, 0})
                                           .u8(0xFF)
                                           .u16(0xFFFF)
                                           .u32(1000000)},
        BadCase{"coordinate out of range",
                Bytes().newClass("CDLine").head(0, 0, 1, 13, 1, 0, 0x7FFFFFFF, 0, 0, 0)},
        BadCase{"pen width out of range",
                Bytes().newClass("CDLine").head(0, 0, -0x7FFFFFFF, 13, 1, 0, 0, 0, 0, 0)},
        BadCase{"tag cut short", Bytes().u8(0xFF)}),
    [](const testing::TestParamInfo<BadCase>& info) {
        std::string name = info.param.what;
        for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

TEST(Record, CopyIsIndependentAndDropsTheHitRegion) {
    CPolygon a;
    FillAll(a);
    a.HitTest(0, 0);
    a.GetHitRegion();
    const std::unique_ptr<CUnit> b = a.Clone();
    EXPECT_EQ(b->hitRegion, nullptr);
    EXPECT_EQ(b->pointList, a.pointList);
    EXPECT_EQ(b->controlPoints, a.controlPoints);
    EXPECT_EQ(b->angleTo, a.angleTo);
    a.pointList[0] = {99, 99};
    EXPECT_EQ(b->pointList[0], (Point{1, 2}));
}

TEST(Record, NewShapesHaveTheBaseDefaults) {
    for (const char* name : {"CDLine", "CRectangle", "CEllipse", "CPolyBezier"}) {
        const std::unique_ptr<CUnit> s = MakeShape(name);
        EXPECT_EQ(s->penWidth, 1) << name;
        EXPECT_EQ(s->penStyle, PS_SOLID);
        EXPECT_EQ(s->penColour, 0u);
        EXPECT_EQ(s->drawMode, R2_COPYPEN);
        EXPECT_EQ(s->backMode, TRANSPARENT);
        EXPECT_EQ(s->backColour, 0xFFFFFFu);
        EXPECT_FALSE(s->selected);
    }
    EXPECT_EQ(CEllipseArc().arcFlag, 0);
    EXPECT_EQ(MakeShape("CNothing"), nullptr);
}
