// The picture loader: every import type decoded from a small file the test makes
// (metafiles written with libUEMF), sizes at 96 pixels per inch, metafiles capped at
// 4096 pixels, and the reason given for every failure.
#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <cstdlib>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "layers/Metafile.h"
#include "layers/NeonImg.h"
#include "layers/Picture.h"
#include "support/Metafiles.h"

using namespace zv;
using namespace zv::test;

namespace {

bool Near(QRgb a, QRgb b, int tolerance = 0) {
    return std::abs(qRed(a) - qRed(b)) <= tolerance &&
           std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

// A placeable WMF of 2 x 1 inches at 1200 units per inch (192 x 96 pixels): a red
// rectangle with a black outline near the top-left corner, a blue ellipse without
// outline, a green triangle and a yellow pie, all well inside the header's extent.
QString MakeWmf(const QString& path) {
    WmfWriter w(path, 2400, 1200, 1200);
    if (!w.ok) return {};
    w.Add(U_WMRSETMAPMODE_set(U_MM_ANISOTROPIC));
    w.Pen(U_PS_SOLID, 50, qRgb(0, 0, 0));
    w.Brush(U_BS_SOLID, qRgb(255, 0, 0));
    w.Add(U_WMRRECTANGLE_set(R16(120, 120, 600, 600)));
    w.NullPen();
    w.Brush(U_BS_SOLID, qRgb(0, 0, 255));
    w.Add(U_WMRELLIPSE_set(R16(1200, 300, 1800, 900)));
    w.Brush(U_BS_SOLID, qRgb(0, 200, 0));
    const U_POINT16 triangle[3] = {P16(1900, 1000), P16(2300, 1000), P16(2100, 600)};
    w.Add(U_WMRPOLYGON_set(3, triangle));
    w.Brush(U_BS_SOLID, qRgb(255, 255, 0));
    // Quarter pie from 3 o'clock anticlockwise to 12 o'clock.
    w.Add(U_WMRPIE_set(P16(1000, 900), P16(800, 700), R16(600, 700, 1000, 1100)));
    return w.Finish().isEmpty() ? QString() : path;
}

QString MakeEmf(const QString& path) {
    return TwoShapeEmf(path).isEmpty() ? QString() : path;
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

namespace {

// A BMP or GIF header claiming w x h pixels over a few bytes of data.
QByteArray BmpClaiming(int w, int h) {
    QByteArray info(40, '\0');
    info[0] = 40;
    for (int i = 0; i < 4; ++i) {
        info[4 + i] = static_cast<char>(w >> (8 * i));
        info[8 + i] = static_cast<char>(h >> (8 * i));
    }
    info[12] = 1;
    info[14] = 24;
    QByteArray file = QByteArray("BM", 2) + QByteArray(12, '\0') + info + QByteArray(64, '\0');
    file[10] = 54;  // the pixels' offset
    return file;
}
QByteArray GifClaiming(int w, int h) {
    QByteArray gif = TinyGif();
    for (int at : {6, 13 + 6 + 5}) {  // logical screen and image descriptor
        gif[at] = static_cast<char>(w & 0xFF);
        gif[at + 1] = static_cast<char>(w >> 8);
        gif[at + 2] = static_cast<char>(h & 0xFF);
        gif[at + 3] = static_cast<char>(h >> 8);
    }
    return gif;
}

}  // namespace

TEST(CPicture, EveryFailureSaysWhy) {
    QTemporaryDir dir;
    const QByteArray wmf = ReadAll(MakeWmf(dir.filePath("p.wmf")));
    const QByteArray emf = ReadAll(MakeEmf(dir.filePath("p.emf")));
    QImage img(4, 4, QImage::Format_RGB32);
    img.fill(Qt::red);
    QByteArray png;
    {
        QBuffer b(&png);
        b.open(QIODevice::WriteOnly);
        ASSERT_TRUE(img.save(&b, "PNG"));
    }
    QByteArray zeroInch = wmf;
    zeroInch[14] = zeroInch[15] = 0;
    // The end record cut off, the header's file size made to agree.
    QByteArray noEnd = emf.first(emf.size() - 20);
    noEnd[48] = static_cast<char>(noEnd.size() & 0xFF);
    noEnd[49] = static_cast<char>(noEnd.size() >> 8);

    struct Case {
        const char* name;
        QByteArray bytes;
        PictureFailure failure;
        const char* saying;
    };
    const Case cases[] = {
        {"text", "this is not a picture at all", PictureFailure::NotAPicture, "not a picture"},
        {"png", png, PictureFailure::NotAPicture, "not a picture"},
        {"wmf without units per inch", zeroInch, PictureFailure::Damaged, "WMF header"},
        {"emf without end record", noEnd, PictureFailure::Damaged, "no end record"},
        {"gif 20000 x 10", GifClaiming(20000, 10), PictureFailure::TooLarge, "16384"},
        // Within the side limit, but 144 MB and 1 GB in the working format.
        {"gif 6000 x 6000", GifClaiming(6000, 6000), PictureFailure::TooLarge, "128 MB"},
        {"bmp 16384 x 16384", BmpClaiming(16384, 16384), PictureFailure::TooLarge, "128 MB"},
    };
    for (const Case& c : cases) {
        CPicture pic;
        EXPECT_EQ(pic.Decode(c.bytes), 1) << c.name;
        EXPECT_FALSE(pic.HasPicture()) << c.name;
        EXPECT_EQ(pic.Failure(), c.failure) << c.name;
        EXPECT_TRUE(pic.Message().contains(QLatin1String(c.saying)))
            << c.name << ": " << pic.Message().toStdString();
        EXPECT_EQ(pic.pixelWidth, 0) << c.name;
    }

    CPicture missing;
    EXPECT_EQ(missing.OpenFile(dir.filePath("missing.gif")), 0);
    EXPECT_EQ(missing.Failure(), PictureFailure::CannotOpen);
    EXPECT_FALSE(missing.Message().isEmpty());
    // A PNG is not one of the picture types, whatever its name says.
    QFile named(dir.filePath("png.gif"));
    ASSERT_TRUE(named.open(QIODevice::WriteOnly));
    named.write(png);
    named.close();
    CPicture renamed;
    EXPECT_EQ(renamed.OpenFile(named.fileName()), 0);
    EXPECT_EQ(renamed.Failure(), PictureFailure::NotAPicture);
}

TEST(CPicture, BitmapFilesKeepTheLimits) {
    QTemporaryDir dir;
    QFile f(dir.filePath("big.bmp"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(BmpClaiming(16384, 16384));
    f.close();
    PictureFailure failure = PictureFailure::None;
    QString message;
    EXPECT_TRUE(ReadBitmapFile(f.fileName(), &failure, &message).isNull());
    EXPECT_EQ(failure, PictureFailure::TooLarge);
    QString why;
    EXPECT_FALSE(CNeonImg::ImportPicture(f.fileName(), 0, 0, 10, 10, &why));
    EXPECT_EQ(why, message);
    EXPECT_TRUE(ReadBitmapFile(dir.filePath("none.bmp"), &failure).isNull());
    EXPECT_EQ(failure, PictureFailure::CannotOpen);
}

TEST(CPicture, VectorDrawSizeCapsTheLongerSide) {
    const std::tuple<int, int, int, int> cases[] = {
        {4096, 4096, 4096, 4096},   {4097, 100, 4096, 100},  {12000, 15000, 3277, 4096},
        {15000, 12000, 4096, 3277}, {100000, 1, 4096, 1},    {3, 50000, 1, 4096},
        {200, 100, 200, 100},       {8192, 4095, 4096, 2048}};
    for (auto [w, h, wantW, wantH] : cases)
        EXPECT_EQ(VectorDrawSize(w, h), QSize(wantW, wantH)) << w << " x " << h;
}

TEST(CPicture, PosterSizedMetafilesAreDrawnAt4096) {
    // 12000 x 15000 pixels, the left half red: drawn at 3277 x 4096, the left half
    // still red.
    QTemporaryDir dir;
    EmfWriter e(dir.filePath("poster.emf"), RectL(0, 0, 12000, 15000), RectL(0, 0, 317500, 396875));
    ASSERT_TRUE(e.ok);
    e.NullPen();
    e.Brush(qRgb(255, 0, 0));
    e.Add(U_EMRRECTANGLE_set(RectL(0, 0, 6000, 15000)));
    WmfWriter w(dir.filePath("poster.wmf"), 12000, 15000, 96);
    ASSERT_TRUE(w.ok);
    w.NullPen();
    w.Brush(U_BS_SOLID, qRgb(255, 0, 0));
    w.Add(U_WMRRECTANGLE_set(R16(0, 0, 6000, 15000)));
    for (const QByteArray& bytes : {e.Finish(), w.Finish()}) {
        CPicture pic;
        ASSERT_EQ(pic.Decode(bytes), 1);
        ASSERT_TRUE(pic.HasPicture()) << pic.Message().toStdString();
        EXPECT_EQ(pic.Image().size(), QSize(3277, 4096));
        EXPECT_EQ(pic.pixelWidth, 3277);
        EXPECT_EQ(pic.pixelHeight, 4096);
        EXPECT_EQ(pic.Image().pixel(1000, 2000), qRgb(255, 0, 0));
        EXPECT_EQ(pic.Image().pixel(1600, 4000), qRgb(255, 0, 0));
        EXPECT_EQ(pic.Image().pixel(1700, 100), qRgb(0, 0, 0));
        EXPECT_EQ(pic.Image().pixel(3000, 2000), qRgb(0, 0, 0));
    }
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
