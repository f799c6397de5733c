// The EMF record check that runs before libemf2svg: our own metafiles pass, and each
// kind of damage is refused with its reason.
#include <QByteArray>
#include <QTemporaryDir>

#include <cstdlib>

#include <gtest/gtest.h>

#include <uemf_utf.h>

#include "layers/Metafile.h"
#include "support/Metafiles.h"

using namespace zv;
using namespace zv::test;

namespace {

std::uint32_t Get32(const QByteArray& d, qsizetype at) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= std::uint32_t{static_cast<unsigned char>(d[at + i])} << (8 * i);
    return v;
}
void Put32(QByteArray& d, qsizetype at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) d[at + i] = static_cast<char>(v >> (8 * i));
}

// Where the first record of `type` starts.
qsizetype FindRecord(const QByteArray& d, std::uint32_t type) {
    for (qsizetype at = 0; at + 8 <= d.size() && Get32(d, at + 4) >= 8; at += Get32(d, at + 4))
        if (Get32(d, at) == type) return at;
    return -1;
}

// An EMF with the kinds of records our pictures have: objects, shapes, a polygon,
// a bitmap and text.
QByteArray RichEmf(const QString& path) {
    EmfWriter e(path, RectL(0, 0, 99, 99), RectL(0, 0, 2646, 2646));
    e.NullPen();
    e.Brush(qRgb(255, 0, 0));
    e.Add(U_EMRRECTANGLE_set(RectL(10, 10, 40, 40)));
    const U_POINTL triangle[3] = {pointl_set(50, 90), pointl_set(90, 90), pointl_set(70, 50)};
    e.Add(U_EMRPOLYGON_set(RectL(50, 50, 90, 90), 3, triangle));
    QImage pixels(2, 2, QImage::Format_RGB32);
    pixels.fill(qRgb(0, 0, 255));
    const Dib dib(pixels);
    e.Add(U_EMRSTRETCHDIBITS_set(RectL(60, 10, 80, 30), pointl_set(60, 10), pointl_set(20, 20),
                                 pointl_set(0, 0), pointl_set(2, 2), U_DIB_RGB_COLORS, U_SRCCOPY,
                                 dib.info, dib.Size(), const_cast<char*>(dib.Bits())));
    uint16_t* text = U_Utf8ToUtf16le("EMF", 0, nullptr);
    U_RECTL noRect = RectL(0, 0, -1, -1);
    uint32_t advances[3] = {8, 8, 8};
    char* emrtext = emrtext_set(pointl_set(10, 60), 3, 2, text, U_ETO_NONE, noRect, advances);
    e.Add(U_EMREXTTEXTOUTW_set(RectL(0, 0, -1, -1), U_GM_COMPATIBLE, 1.0f, 1.0f,
                               reinterpret_cast<PU_EMRTEXT>(emrtext)));
    std::free(emrtext);
    std::free(text);
    return e.Finish();
}

}  // namespace

TEST(EmfCheck, AcceptsOurOwnMetafilesUpToTheEndRecord) {
    QTemporaryDir dir;
    const QByteArray emf = RichEmf(dir.filePath("rich.emf"));
    ASSERT_GT(emf.size(), 200);
    QString why;
    EXPECT_EQ(CheckEmfRecords(emf, &why), emf.size()) << why.toStdString();
    // Bytes after the end record are no records of the picture.
    EXPECT_EQ(CheckEmfRecords(emf + QByteArray(64, '\x7F')), emf.size());
}

TEST(EmfCheck, RefusesEachKindOfDamageWithItsReason) {
    QTemporaryDir dir;
    const QByteArray emf = RichEmf(dir.filePath("rich.emf"));
    const qsizetype eof = FindRecord(emf, U_EMR_EOF);
    const qsizetype rectangle = FindRecord(emf, U_EMR_RECTANGLE);
    const qsizetype polygon = FindRecord(emf, U_EMR_POLYGON);
    const qsizetype bitmap = FindRecord(emf, U_EMR_STRETCHDIBITS);
    ASSERT_GT(eof, 0);
    ASSERT_GT(rectangle, 0);
    ASSERT_GT(polygon, 0);
    ASSERT_GT(bitmap, 0);

    QByteArray noEnd = emf.first(eof);
    QByteArray oddSize = emf;
    Put32(oddSize, rectangle + 4, Get32(emf, rectangle + 4) + 2);
    QByteArray pastTheEnd = emf;
    Put32(pastTheEnd, rectangle + 4, static_cast<std::uint32_t>(emf.size()));
    QByteArray tooManyPoints = emf;
    Put32(tooManyPoints, polygon + 24, 1000);  // cptl after the bounds
    QByteArray bitsOutside = emf;
    Put32(bitsOutside, bitmap + 56, 0x10000);  // offBitsSrc
    QByteArray description = emf;
    Put32(description, 60, 40);  // 40 characters from byte 88 run past the header
    Put32(description, 64, 88);
    QByteArray secondHeader = emf;
    Put32(secondHeader, bitmap, U_EMR_HEADER);  // long enough to be one

    struct Case {
        const char* name;
        QByteArray bytes;
        const char* reason;
    };
    const Case cases[] = {
        {"no end record", noEnd, "no end record"},
        {"size not a multiple of 4", oddSize, "bad size"},
        {"size past the end", pastTheEnd, "bad size"},
        {"point count past the record", tooManyPoints, "points outside itself"},
        {"bitmap offset past the record", bitsOutside, "points outside itself"},
        {"description past the header", description, "header record is damaged"},
        {"a second header", secondHeader, "header record is damaged"},
        {"not an EMF", QByteArray(200, '\0'), "no EMF header"},
    };
    for (const Case& c : cases) {
        QString why;
        EXPECT_EQ(CheckEmfRecords(c.bytes, &why), 0) << c.name;
        EXPECT_TRUE(why.contains(QLatin1String(c.reason))) << c.name << ": " << why.toStdString();
        // The renderer refuses it the same way, before libemf2svg sees it.
        const MetafileImage drawn = RenderEmf(c.bytes, 50, 50);
        EXPECT_TRUE(drawn.image.isNull()) << c.name;
        EXPECT_EQ(drawn.failure, PictureFailure::Damaged) << c.name;
    }
    // The polygon record says where it is, counting the header as record 1.
    QString why;
    CheckEmfRecords(tooManyPoints, &why);
    EXPECT_TRUE(why.contains(QStringLiteral("at byte %1").arg(polygon))) << why.toStdString();
}
