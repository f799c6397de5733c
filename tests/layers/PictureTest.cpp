// The picture loader: every import type decoded from a small file the test makes
// (metafiles written with libUEMF), sizes at 96 pixels per inch, error texts.
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <cstdlib>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include <uemf.h>
#include <uwmf.h>

#include "layers/Metafile.h"
#include "layers/NeonImg.h"
#include "layers/Picture.h"

using namespace zv;

namespace {

bool Near(QRgb a, QRgb b, int tolerance = 0) {
    return std::abs(qRed(a) - qRed(b)) <= tolerance &&
           std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

U_POINT16 P16(int x, int y) {
    return U_POINT16{static_cast<int16_t>(x), static_cast<int16_t>(y)};
}
U_RECT16 R16(int l, int t, int r, int b) {
    return U_RECT16{static_cast<int16_t>(l), static_cast<int16_t>(t), static_cast<int16_t>(r),
                    static_cast<int16_t>(b)};
}

void Add(WMFTRACK* wt, char* rec) {
    ASSERT_EQ(wmf_append(reinterpret_cast<U_METARECORD*>(rec), wt, U_REC_FREE), 0);
}

// A placeable WMF of 2 x 1 inches at 1200 units per inch (192 x 96 pixels): a red
// rectangle with a black outline near the top-left corner, a blue ellipse without
// outline, a green triangle and a yellow pie, all well inside the header's extent.
QString MakeWmf(const QString& path) {
    WMFTRACK* wt = nullptr;
    WMFHANDLES* wht = nullptr;
    const QByteArray name = QFile::encodeName(path);
    if (wmf_start(name.constData(), 4096, 4096, &wt) || wmf_htable_create(32, 32, &wht)) return {};
    U_PAIRF* size = U_PAIRF_set(2.0f, 1.0f);
    wmf_header_append(reinterpret_cast<U_METARECORD*>(U_WMRHEADER_set(size, 1200)), wt, U_REC_FREE);
    std::free(size);
    Add(wt, U_WMRSETWINDOWEXT_set(P16(2400, 1200)));
    Add(wt, U_WMRSETWINDOWORG_set(P16(0, 0)));
    Add(wt, U_WMRSETMAPMODE_set(U_MM_ANISOTROPIC));
    uint32_t pen = 0, nullPen = 0, red = 0, blue = 0, green = 0, yellow = 0;
    Add(wt, wcreatepenindirect_set(&pen, wht, U_PEN_set(U_PS_SOLID, 50, colorref3_set(0, 0, 0))));
    Add(wt, wselectobject_set(pen, wht));
    Add(wt, wcreatebrushindirect_set(&red, wht,
                                     U_WLOGBRUSH_set(U_BS_SOLID, colorref3_set(255, 0, 0), 0)));
    Add(wt, wselectobject_set(red, wht));
    Add(wt, U_WMRRECTANGLE_set(R16(120, 120, 600, 600)));
    Add(wt, wcreatepenindirect_set(&nullPen, wht, U_PEN_set(U_PS_NULL, 1, colorref3_set(0, 0, 0))));
    Add(wt, wselectobject_set(nullPen, wht));
    Add(wt, wcreatebrushindirect_set(&blue, wht,
                                     U_WLOGBRUSH_set(U_BS_SOLID, colorref3_set(0, 0, 255), 0)));
    Add(wt, wselectobject_set(blue, wht));
    Add(wt, U_WMRELLIPSE_set(R16(1200, 300, 1800, 900)));
    Add(wt, wcreatebrushindirect_set(&green, wht,
                                     U_WLOGBRUSH_set(U_BS_SOLID, colorref3_set(0, 200, 0), 0)));
    Add(wt, wselectobject_set(green, wht));
    const U_POINT16 triangle[3] = {P16(1900, 1000), P16(2300, 1000), P16(2100, 600)};
    Add(wt, U_WMRPOLYGON_set(3, triangle));
    Add(wt, wcreatebrushindirect_set(&yellow, wht,
                                     U_WLOGBRUSH_set(U_BS_SOLID, colorref3_set(255, 255, 0), 0)));
    Add(wt, wselectobject_set(yellow, wht));
    // Quarter pie from 3 o'clock anticlockwise to 12 o'clock.
    Add(wt, U_WMRPIE_set(P16(1000, 900), P16(800, 700), R16(600, 700, 1000, 1100)));
    Add(wt, U_WMREOF_set());
    wmf_finish(wt);
    wmf_free(&wt);
    wmf_htable_free(&wht);
    return path;
}

void AddE(EMFTRACK* et, char* rec) {
    ASSERT_EQ(emf_append(reinterpret_cast<U_ENHMETARECORD*>(rec), et, U_REC_FREE), 0);
}

// An EMF whose frame is 52.92 x 26.46 mm (200 x 100 pixels) on a 96-dpi device; the
// drawing (a red square and a blue circle) covers only part of it.
QString MakeEmf(const QString& path) {
    EMFTRACK* et = nullptr;
    EMFHANDLES* eht = nullptr;
    const QByteArray name = QFile::encodeName(path);
    if (emf_start(name.constData(), 4096, 4096, &et) || emf_htable_create(32, 32, &eht)) return {};
    const U_RECTL bounds = rectl_set(pointl_set(20, 10), pointl_set(160, 80));
    const U_RECTL frame = rectl_set(pointl_set(0, 0), pointl_set(5292, 2646));
    AddE(et, U_EMRHEADER_set(bounds, frame, nullptr, 0, nullptr, sizel_set(960, 540),
                             sizel_set(254, 143), 0));
    uint32_t red = 0, blue = 0;
    AddE(et, selectobject_set(U_NULL_PEN, eht));
    AddE(et,
         createbrushindirect_set(&red, eht, logbrush_set(U_BS_SOLID, colorref3_set(255, 0, 0), 0)));
    AddE(et, selectobject_set(red, eht));
    AddE(et, U_EMRRECTANGLE_set(rectl_set(pointl_set(20, 10), pointl_set(60, 50))));
    AddE(et, createbrushindirect_set(&blue, eht,
                                     logbrush_set(U_BS_SOLID, colorref3_set(0, 0, 255), 0)));
    AddE(et, selectobject_set(blue, eht));
    AddE(et, U_EMRELLIPSE_set(rectl_set(pointl_set(100, 20), pointl_set(160, 80))));
    AddE(et, U_EMREOF_set(0, nullptr, et));
    emf_finish(et, eht);
    emf_free(&et);
    emf_htable_free(&eht);
    return path;
}

// A 2 x 1 GIF with a two-colour table (red, blue): pixel 0 red, pixel 1 blue. The LZW
// stream is clear (4), 0, 1, end (5) in 3-bit codes.
QByteArray TinyGif() {
    return QByteArray(
        "GIF89a\x02\x00\x01\x00\x80\x00\x00"
        "\xFF\x00\x00\x00\x00\xFF"
        "\x2C\x00\x00\x00\x00\x02\x00\x01\x00\x00"
        "\x02\x02\x44\x0A\x00"
        "\x3B",
        13 + 6 + 10 + 5 + 1);
}

}  // namespace

TEST(MulDiv, RoundsLikeWindows) {
    const std::tuple<int, int, int, int> cases[] = {
        {5292, 96, 2540, 200}, {2646, 96, 2540, 100}, {5, 1, 2, 3},
        {-5, 1, 2, -3},        {7, 1, 0, -1},         {INT32_MAX, INT32_MAX, 1, -1}};
    for (auto [a, b, c, want] : cases)
        EXPECT_EQ(MulDiv(a, b, c), want) << a << "*" << b << "/" << c;
}

TEST(CPicture, RasterTypesDecodeAtTheirPixelSize) {
    QTemporaryDir dir;
    QImage img(16, 8, QImage::Format_RGB32);
    img.fill(qRgb(200, 40, 40));
    ASSERT_TRUE(img.save(dir.filePath("p.bmp"), "BMP"));
    ASSERT_TRUE(QFile::copy(dir.filePath("p.bmp"), dir.filePath("p.dib")));
    ASSERT_TRUE(img.save(dir.filePath("p.jpg"), "JPEG", 100));
    QImage icon(16, 16, QImage::Format_ARGB32);
    icon.fill(qRgba(0, 0, 0, 0));
    for (int i = 4; i < 12; ++i) icon.setPixel(i, i, qRgba(0, 255, 0, 255));
    ASSERT_TRUE(icon.save(dir.filePath("p.ico"), "ICO"));
    QFile gif(dir.filePath("p.gif"));
    ASSERT_TRUE(gif.open(QIODevice::WriteOnly));
    gif.write(TinyGif());
    gif.close();

    struct Case {
        const char* file;
        int w, h;
        QPoint at;
        QRgb colour;
        int tolerance;
    };
    const Case cases[] = {{"p.bmp", 16, 8, {3, 3}, qRgb(200, 40, 40), 0},
                          {"p.dib", 16, 8, {3, 3}, qRgb(200, 40, 40), 0},
                          {"p.jpg", 16, 8, {8, 4}, qRgb(200, 40, 40), 8},
                          {"p.gif", 2, 1, {1, 0}, qRgb(0, 0, 255), 0},
                          {"p.ico", 16, 16, {5, 5}, qRgb(0, 255, 0), 0}};
    for (const Case& c : cases) {
        CPicture pic;
        ASSERT_EQ(pic.OpenFile(dir.filePath(c.file)), 1) << c.file;
        EXPECT_EQ(pic.pixelWidth, c.w) << c.file;
        EXPECT_EQ(pic.pixelHeight, c.h) << c.file;
        EXPECT_EQ(pic.dataSize, QFileInfo(dir.filePath(c.file)).size()) << c.file;
        EXPECT_EQ(pic.Image().format(), QImage::Format_RGB32);
        EXPECT_TRUE(Near(pic.Image().pixel(c.at), c.colour, c.tolerance)) << c.file;
        EXPECT_TRUE(pic.Message().isEmpty());
    }
    // The icon's see-through pixels are black, the transparent colour of pictures.
    CPicture ico;
    ASSERT_EQ(ico.OpenFile(dir.filePath("p.ico")), 1);
    EXPECT_EQ(ico.Image().pixel(0, 15), qRgb(0, 0, 0));
}

TEST(CPicture, WmfComesOutAtItsHeaderExtentWithFilledShapes) {
    QTemporaryDir dir;
    const QString path = MakeWmf(dir.filePath("p.wmf"));
    ASSERT_FALSE(path.isEmpty());
    CPicture pic;
    ASSERT_EQ(pic.OpenFile(path), 1);
    EXPECT_EQ(pic.pixelWidth, 192);
    EXPECT_EQ(pic.pixelHeight, 96);
    const QImage& img = pic.Image();
    ASSERT_EQ(img.size(), QSize(192, 96));
    // Not cropped to the drawing: the space left of and above the rectangle is kept.
    EXPECT_EQ(img.pixel(4, 4), qRgb(0, 0, 0));
    EXPECT_EQ(img.pixel(28, 28), qRgb(255, 0, 0));   // rectangle 9.6..48
    EXPECT_EQ(img.pixel(9, 28), qRgb(0, 0, 0));      // its 4-pixel outline
    EXPECT_EQ(img.pixel(120, 48), qRgb(0, 0, 255));  // ellipse without outline, filled
    EXPECT_EQ(img.pixel(143, 48), qRgb(0, 0, 255));
    EXPECT_EQ(img.pixel(120, 73), qRgb(0, 0, 0));
    EXPECT_EQ(img.pixel(168, 75), qRgb(0, 200, 0));   // triangle
    EXPECT_EQ(img.pixel(72, 64), qRgb(255, 255, 0));  // pie: upper-right quarter
    EXPECT_EQ(img.pixel(56, 64), qRgb(0, 0, 0));      // ... and not the upper-left one
}

TEST(CPicture, EmfKeepsItsFrameAndColours) {
    QTemporaryDir dir;
    const QString path = MakeEmf(dir.filePath("p.emf"));
    ASSERT_FALSE(path.isEmpty());
    CPicture pic;
    ASSERT_EQ(pic.OpenFile(path), 1);
    EXPECT_EQ(pic.pixelWidth, 200);
    EXPECT_EQ(pic.pixelHeight, 100);
    const QImage& img = pic.Image();
    EXPECT_EQ(img.pixel(5, 5), qRgb(0, 0, 0));  // the frame's margin is not cropped away
    EXPECT_EQ(img.pixel(40, 30), qRgb(255, 0, 0));
    EXPECT_EQ(img.pixel(130, 50), qRgb(0, 0, 255));
    EXPECT_EQ(img.pixel(80, 30), qRgb(0, 0, 0));
}

TEST(CPicture, DamagedMetafilesGiveNoPictureWithoutCrashing) {
    QTemporaryDir dir;
    const QByteArray wmf = ReadAll(MakeWmf(dir.filePath("p.wmf")));
    const QByteArray emf = ReadAll(MakeEmf(dir.filePath("p.emf")));
    ASSERT_FALSE(wmf.isEmpty());
    ASSERT_FALSE(emf.isEmpty());
    // Every cut of the WMF still decodes safely; a cut header gives no picture.
    for (int n = 0; n < wmf.size(); n += 7) {
        CPicture pic;
        EXPECT_EQ(pic.Decode(QByteArrayView(wmf).first(n)), 1);
        if (n < 40) {
            EXPECT_FALSE(pic.HasPicture()) << n;
        }
    }
    QByteArray zeroInch = wmf;
    zeroInch[14] = zeroInch[15] = 0;
    QByteArray recordSizeZero = wmf;
    for (int i = 40; i < 44; ++i) recordSizeZero[i] = 0;
    QByteArray emfSizeTooLarge = emf;
    emfSizeTooLarge[48] = emfSizeTooLarge[49] = emfSizeTooLarge[50] = '\x7F';
    CPicture a, b, c;
    a.Decode(zeroInch);
    EXPECT_FALSE(a.HasPicture());
    b.Decode(recordSizeZero);  // stops at the bad record: the header's extent, drawn so far
    EXPECT_EQ(b.Image().size(), QSize(192, 96));
    c.Decode(emfSizeTooLarge);
    EXPECT_FALSE(c.HasPicture());
}

TEST(CPicture, FileErrorsAndNonPictures) {
    QTemporaryDir dir;
    CPicture pic;
    EXPECT_EQ(pic.OpenFile(dir.filePath("missing.gif")), 0);
    EXPECT_FALSE(pic.Message().isEmpty());
    EXPECT_FALSE(pic.HasPicture());
    EXPECT_EQ(pic.pixelWidth, 0);

    QFile junk(dir.filePath("junk.jpg"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("this is not a picture at all");
    junk.close();
    CPicture bad;
    EXPECT_EQ(bad.OpenFile(junk.fileName()), 0);
    EXPECT_TRUE(bad.Message().isEmpty());

    // A PNG is not one of the picture types, whatever its name.
    QImage img(4, 4, QImage::Format_RGB32);
    img.fill(Qt::red);
    ASSERT_TRUE(img.save(dir.filePath("png.gif"), "PNG"));
    CPicture png;
    EXPECT_EQ(png.OpenFile(dir.filePath("png.gif")), 0);
}

TEST(CPicture, AbsurdSizesAreRefused) {
    // A BMP header claiming 20000 x 20000 pixels over a few bytes.
    QByteArray bmp("BM", 2);
    bmp.append(QByteArray(12, '\0'));
    QByteArray info(40, '\0');
    info[0] = 40;
    info[4] = static_cast<char>(0x20);  // 20000 = 0x4E20
    info[5] = static_cast<char>(0x4E);
    info[8] = static_cast<char>(0x20);
    info[9] = static_cast<char>(0x4E);
    info[12] = 1;
    info[14] = 24;
    bmp += info + QByteArray(64, '\0');
    QTemporaryDir dir;
    QFile f(dir.filePath("big.bmp"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bmp);
    f.close();
    EXPECT_TRUE(ReadBitmapFile(f.fileName()).isNull());
    EXPECT_FALSE(CNeonImg::ImportPicture(f.fileName(), 0, 0, 10, 10));
}

TEST(CPicture, WriteBitmapFileAndMetafileImport) {
    QTemporaryDir dir;
    CPicture pic;
    ASSERT_EQ(pic.OpenFile(MakeWmf(dir.filePath("p.wmf"))), 1);
    ASSERT_EQ(pic.WriteBitmapFile(dir.filePath("out.bmp")), 1);
    EXPECT_EQ(ReadBitmapFile(dir.filePath("out.bmp")), pic.Image());
    EXPECT_EQ(pic.WriteBitmapFile(dir.filePath("no/such/dir/out.bmp")), 0);
    EXPECT_FALSE(pic.Message().isEmpty());

    auto item = CNeonImg::ImportPicture(dir.filePath("p.wmf"), 10, 10, 106, 200);
    ASSERT_TRUE(item);
    EXPECT_EQ(std::make_pair(item->srcWidth, item->srcHeight), std::make_pair(192, 96));
    EXPECT_EQ(std::make_pair(item->width, item->height), std::make_pair(96, 48));
    auto emf = CNeonImg::ImportPicture(MakeEmf(dir.filePath("p.emf")), 0, 0, 500, 500);
    ASSERT_TRUE(emf);
    EXPECT_EQ(std::make_pair(emf->width, emf->height), std::make_pair(200, 100));
}

TEST(CPicture, MutatedFilesNeverCrash) {
    // Random byte changes (fixed seed) over each metafile.
    QTemporaryDir dir;
    const std::vector<QByteArray> seeds = {ReadAll(MakeWmf(dir.filePath("p.wmf"))),
                                           ReadAll(MakeEmf(dir.filePath("p.emf")))};
    std::uint32_t state = 12345;
    const auto next = [&state] { return state = state * 1664525u + 1013904223u; };
    for (const QByteArray& seed : seeds) {
        ASSERT_FALSE(seed.isEmpty());
        for (int round = 0; round < 150; ++round) {
            QByteArray bytes = seed;
            for (int k = 0; k < 4; ++k)
                bytes[static_cast<qsizetype>(next() % bytes.size())] =
                    static_cast<char>(next() >> 24);
            CPicture pic;
            EXPECT_EQ(pic.Decode(bytes), 1);
        }
    }
}
