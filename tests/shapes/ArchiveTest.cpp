// The object archive and the shape records, against bytes written down by hand.
#include <gtest/gtest.h>

#include <cstring>

#include "ArchiveBytes.h"
#include "shapes/Archive.h"
#include "shapes/Curve.h"
#include "shapes/DLine.h"
#include "shapes/Ellipse.h"
#include "shapes/Polygon.h"
#include "shapes/Rectangle.h"
#include "shapes/RoundRectangle.h"

using namespace zv;
using zv::test::Bytes;

namespace {

QByteArray WriteAll(std::initializer_list<const CUnit*> objects) {
    QByteArray out;
    CArchive ar(&out);
    for (const CUnit* o : objects) ar.WriteObject(o);
    return out;
}

CDLine Line(Point a, Point b) {
    CDLine line;
    line.startPoint = a;
    line.endPoint = b;
    return line;
}

}  // namespace

TEST(Archive, FirstObjectOfAClassCarriesItsNameThenLaterOnesTheClassIndex) {
    const CDLine a = Line({1, 2}, {3, 4}), b = Line({5, 6}, {7, 8});
    const QByteArray expected = Bytes()
                                    .newClass("CDLine")
                                    .head(0, 0, 1, 13, 1, 0xFFFFFF, 1, 2, 3, 4)
                                    .u16(0x8001)
                                    .head(0, 0, 1, 13, 1, 0xFFFFFF, 5, 6, 7, 8);
    EXPECT_EQ(WriteAll({&a, &b}), expected);
}

TEST(Archive, NullAndRepeatedObjectsAreIndexesAlone) {
    const CDLine a;
    CRectangle r;
    // Index 1 class CDLine, 2 object a, 3 class CRectangle, 4 object r.
    const QByteArray out = WriteAll({&a, nullptr, &r, &a, &r});
    const QByteArray tail = Bytes().u16(2).u16(4);
    EXPECT_TRUE(out.endsWith(tail));
    EXPECT_EQ(out.mid(2 + 2 + 2 + 6 + 40, 2), Bytes().u16(0).data());
    EXPECT_EQ(out.mid(2 + 2 + 2 + 6 + 40 + 2, 2 + 2 + 2 + 10),
              Bytes().newClass("CRectangle").data());
}

TEST(Archive, RoundRectangleNameIsFifteenCharacters) {
    const CRoundRectangle r;
    const QByteArray out = WriteAll({&r});
    EXPECT_EQ(out.left(6), Bytes().u16(0xFFFF).u16(1).u16(15).data());
    EXPECT_EQ(out.mid(6, 15), QByteArray("CRoundRectangle"));
}

TEST(Archive, IndexesFrom0x7FFFTakeTheEscapeAndA32BitValue) {
    // 1 class + 32766 lines fill indexes 1..32767 (0x7FFF); the rectangle class is
    // then 0x8000 and its objects follow.
    std::vector<CDLine> lines(32766);
    CRectangle r1, r2;
    QByteArray out;
    CArchive ar(&out);
    for (const CDLine& l : lines) ar.WriteObject(&l);
    const qsizetype before = out.size();
    ar.WriteObject(&r1);            // new class (0x8000), object 0x8001
    ar.WriteObject(&r2);            // class 0x8000 again, object 0x8002
    ar.WriteObject(&lines.back());  // object 0x7FFF
    ar.WriteObject(&r2);
    const int record = 40 + 12;
    const QByteArray tagOfR2 = out.mid(before + 2 + 2 + 2 + 10 + record, 6);
    EXPECT_EQ(tagOfR2, Bytes().u16(0x7FFF).u32(0x80008000u).data());
    EXPECT_EQ(out.right(12), Bytes().u16(0x7FFF).u32(0x7FFF).u16(0x7FFF).u32(0x8002).data());

    // And back.
    CArchive in(out);
    CArchive::ObjectRef ref;
    std::vector<std::unique_ptr<CUnit>> kept;
    for (int i = 0; i < 32768; ++i) {
        ASSERT_TRUE(in.ReadObject(ref));
        ASSERT_EQ(ref.kind, CArchive::RefKind::Created);
        kept.push_back(std::move(ref.created));
    }
    EXPECT_STREQ(kept.back()->GetRuntimeClass().name, "CRectangle");
    ASSERT_TRUE(in.ReadObject(ref));
    EXPECT_EQ(ref.existing, kept[32765].get());
    ASSERT_TRUE(in.ReadObject(ref));
    EXPECT_EQ(ref.existing, kept.back().get());
}

TEST(Archive, CountsFrom0xFFFFUseTheEscape) {
    CCurve curve;
    curve.pointList.assign(0xFFFF, Point{1, -1});
    const QByteArray out = WriteAll({&curve});
    const int at = 2 + 2 + 2 + 6 + 12;
    EXPECT_EQ(out.mid(at, 6), Bytes().u16(0xFFFF).u32(0xFFFF).data());
    EXPECT_EQ(out.size(), at + 6 + 0xFFFF * 8);

    CCurve shorter;
    shorter.pointList.assign(0xFFFE, Point{});
    EXPECT_EQ(WriteAll({&shorter}).mid(at, 2), Bytes().u16(0xFFFE).data());
}

TEST(Archive, StringLengthPrefixes) {
    for (const int n : {0, 254, 255, 0xFFFD, 0xFFFE, 70000}) {
        QByteArray s(n, 'x'), out;
        {
            CArchive ar(&out);
            ar.IoString(s);
        }
        const int prefix = n < 0xFF ? 1 : n < 0xFFFE ? 3 : 7;
        ASSERT_EQ(out.size(), prefix + n) << n;
        if (prefix == 3) {
            EXPECT_EQ(out.left(3), Bytes().u8(0xFF).u16(static_cast<std::uint16_t>(n)).data());
        }
        if (prefix == 7) {
            EXPECT_EQ(out.left(7),
                      Bytes().u8(0xFF).u16(0xFFFF).u32(static_cast<std::uint32_t>(n)).data());
        }
        CArchive in(out);
        QByteArray back;
        in.IoString(back);
        EXPECT_FALSE(in.Failed());
        EXPECT_EQ(back, s);
    }
}

TEST(Archive, ReadsUtf16Strings) {
    const QByteArray bytes = Bytes().u8(0xFF).u16(0xFFFE).u8(2).u16(0x4E2D).u16('A');
    CArchive in(bytes);
    QByteArray s;
    in.IoString(s);
    EXPECT_FALSE(in.Failed());
    EXPECT_EQ(QString::fromUtf8(s), QString::fromUtf8("中A"));
}

TEST(Archive, TailsAreInTheirRecordOrder) {
    CRectangle rect;
    rect.brushStyle = 2, rect.hatchStyle = 5, rect.brushColour = 0x123456;
    EXPECT_EQ(WriteAll({&rect}).right(12), Bytes().u32(2).i32(5).u32(0x123456).data());

    // The free curve has no head.
    CCurve curve;
    curve.penColour = 0xABCDEF, curve.penStyle = 3, curve.penWidth = 4;
    curve.pointList = {{7, 8}};
    EXPECT_EQ(WriteAll({&curve}).mid(12),
              Bytes().u32(0xABCDEF).u32(3).i32(4).u16(1).i32s({7, 8}).data());

    // The polygon repeats its pen after the head.
    CPolygon polygon;
    polygon.penColour = 0x0000FF, polygon.penStyle = 1, polygon.penWidth = 2;
    EXPECT_EQ(WriteAll({&polygon}).mid(14 + 40), Bytes().u32(0xFF).u32(1).i32(2).u16(0).data());

    // The slanted ellipse stores the sine before the cosine.
    CEllipse ellipse;
    ellipse.sinAngle = 0.5, ellipse.cosAngle = -0.25;
    const QByteArray e = WriteAll({&ellipse});
    const int at = 14 + 40 + 16;
    double sinRead = 0, cosRead = 0;
    std::memcpy(&sinRead, e.constData() + at, 8);
    std::memcpy(&cosRead, e.constData() + at + 8, 8);
    EXPECT_EQ(sinRead, 0.5);
    EXPECT_EQ(cosRead, -0.25);
}
