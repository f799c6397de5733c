// Picture items: fitting, handles, dragging, zooming, transparency, records.
#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <cstdint>
#include <tuple>

#include <gtest/gtest.h>

#include "gdi/BinaryIO.h"
#include "layers/NeonImg.h"
#include "layers/Ring.h"
#include "support/Bytes.h"
#include "support/Regions.h"

using namespace zv;

namespace {

QImage Solid(int w, int h, QRgb c) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    return img;
}

// A picture of w x h shown at (x, y) with size sw x sh.
std::unique_ptr<CNeonImg> Picture(const QImage& img, int x, int y, int sw, int sh) {
    auto p = std::make_unique<CNeonImg>();
    p->SetBitmap(img);
    p->x = x;
    p->y = y;
    p->width = sw;
    p->height = sh;
    return p;
}

}  // namespace

class FitRule : public testing::TestWithParam<std::tuple<int, int, Rect, int, int>> {};

TEST_P(FitRule, FitsIntoTheDraggedRectangleWithoutEnlarging) {
    const auto [w, h, r, wantW, wantH] = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath("p.bmp");
    ASSERT_TRUE(Solid(w, h, qRgb(200, 10, 10)).save(path, "BMP"));
    auto pic = CNeonImg::ImportPicture(path, r.left, r.top, r.right, r.bottom);
    ASSERT_TRUE(pic);
    EXPECT_EQ(pic->srcWidth, w);
    EXPECT_EQ(pic->srcHeight, h);
    EXPECT_EQ(pic->width, wantW);
    EXPECT_EQ(pic->height, wantH);
    EXPECT_EQ(pic->x, r.left);
    EXPECT_EQ(pic->y, r.top);
}

INSTANTIATE_TEST_SUITE_P(Picture, FitRule,
                         testing::Values(std::make_tuple(640, 480, Rect{0, 0, 320, 320}, 320, 240),
                                         std::make_tuple(100, 50, Rect{0, 0, 320, 320}, 100, 50),
                                         std::make_tuple(100, 50, Rect{10, 10, 10, 300}, 0, 0),
                                         std::make_tuple(100, 50, Rect{10, 10, 300, 10}, 0, 0),
                                         std::make_tuple(300, 90, Rect{400, 300, 100, 100}, 300,
                                                         90),
                                         std::make_tuple(1000, 10, Rect{0, 0, 100, 100}, 100, 1)));

TEST(NeonImg, ImportRefusesOtherTypesAndMissingFiles) {
    QTemporaryDir dir;
    const QString png = dir.filePath("p.png");
    ASSERT_TRUE(Solid(4, 4, qRgb(1, 2, 3)).save(png, "PNG"));
    EXPECT_FALSE(CNeonImg::ImportPicture(png, 0, 0, 100, 100));
    QString message;
    EXPECT_FALSE(CNeonImg::ImportPicture(dir.filePath("none.jpg"), 0, 0, 100, 100, &message));
    EXPECT_FALSE(message.isEmpty());
    EXPECT_FALSE(CNeonImg::ImportPicture(dir.filePath("none.bmp"), 0, 0, 100, 100, &message));
    EXPECT_TRUE(CNeonImg::IsSupportedExtension("a/b.Jpg"));
    EXPECT_FALSE(CNeonImg::IsSupportedExtension("a/b.jpeg"));
}

TEST(NeonImg, ZeroSizedPictureDrawsNothing) {
    auto pic = Picture(Solid(10, 10, qRgb(255, 255, 255)), 5, 5, 0, 0);
    QImage view = Solid(30, 30, qRgb(0, 0, 255));
    const QImage before = view;
    QPainter p(&view);
    pic->Draw(p, false);
    p.end();
    EXPECT_EQ(view, before);
}

TEST(NeonImg, HitTestCodes) {
    auto pic = Picture(Solid(1, 1, 0), 100, 100, 50, 40);  // right 150, bottom 140
    const std::tuple<int, int, int> cases[] = {
        {100, 100, 0},  {150, 120, 0},  {96, 120, 0},   {125, 140, 0},   // not strictly inside
        {101, 101, 1},  {103, 103, 1},  {149, 139, 2},  {147, 137, 2},   // corners
        {149, 101, 3},  {101, 139, 4},                                   //
        {101, 120, 11}, {125, 101, 12}, {149, 120, 13}, {125, 139, 14},  // edges
        {125, 120, 5},  {104, 101, 5},  {101, 104, 5},  {105, 101, 12},  // open intervals
    };
    for (auto [x, y, code] : cases) EXPECT_EQ(pic->HitTest(x, y), code) << x << "," << y;
}

TEST(NeonImg, HitTestCodesAreTriedInTheirOrder) {
    // On a 6 x 6 picture the zones overlap; the first code in the order wins.
    auto pic = Picture(Solid(1, 1, 0), 0, 0, 6, 6);
    EXPECT_EQ(pic->HitTest(3, 3), 1);  // near every corner
    EXPECT_EQ(pic->HitTest(5, 5), 2);  // bottom-right before top-right and bottom-left
    EXPECT_EQ(pic->HitTest(5, 1), 3);
    EXPECT_EQ(pic->HitTest(1, 5), 4);
}

TEST(NeonImg, AdjustByCode) {
    struct Case {
        int code, x, y, w, h;
    };
    // From (100, 100) 50 x 40, mouse step (10, 10) -> (20, 15).
    const Case cases[] = {{1, 110, 105, 40, 35},  {2, 100, 100, 60, 45},  {3, 100, 105, 60, 35},
                          {4, 110, 100, 40, 45},  {5, 110, 105, 50, 40},  {6, 20, 15, 50, 40},
                          {11, 110, 100, 40, 40}, {12, 100, 105, 50, 35}, {13, 100, 100, 60, 40},
                          {14, 100, 100, 50, 45}, {0, 100, 100, 50, 40},  {7, 100, 100, 50, 40}};
    for (const Case& c : cases) {
        auto pic = Picture(Solid(1, 1, 0), 100, 100, 50, 40);
        pic->Adjust(c.code, 10, 10, 20, 15);
        EXPECT_EQ(std::make_tuple(pic->x, pic->y, pic->width, pic->height),
                  std::make_tuple(c.x, c.y, c.w, c.h))
            << "code " << c.code;
    }
}

TEST(NeonImg, AdjustNeverLeavesANegativeSize) {
    auto pic = Picture(Solid(1, 1, 0), 100, 100, 50, 40);
    pic->Adjust(kHitRight, 150, 120, 20, 120);  // right edge dragged past the left edge
    EXPECT_EQ(pic->width, 0);
    pic->Adjust(kHitTopLeft, 0, 0, 500, 500);
    EXPECT_EQ(pic->width, 0);
    EXPECT_EQ(pic->height, 0);
    pic->Adjust(kHitBottomRight, 0, 0, INT32_MIN, INT32_MIN);
    EXPECT_GE(pic->width, 0);
}

TEST(NeonImg, DragMovesOrAdjustsAndFollowsTheMouse) {
    auto pic = Picture(Solid(1, 1, 0), 100, 100, 50, 40);
    pic->dragPoint = {120, 120};
    pic->dragMode = kDragMove;
    pic->Drag(130, 125);
    EXPECT_EQ(std::make_tuple(pic->x, pic->y, pic->width), std::make_tuple(110, 105, 50));
    EXPECT_EQ(pic->dragPoint, (Point{130, 125}));
    pic->dragMode = kDragAdjust;
    pic->grabCode = kHitBottomRight;
    pic->Drag(140, 135);
    EXPECT_EQ(std::make_tuple(pic->x, pic->width, pic->height), std::make_tuple(110, 60, 50));
    pic->dragMode = kDragNone;
    pic->Drag(0, 0);
    EXPECT_EQ(std::make_tuple(pic->x, pic->width), std::make_tuple(110, 60));
    EXPECT_EQ(pic->dragPoint, (Point{0, 0}));
}

TEST(NeonImg, IntersectsWhenACornerIsStrictlyInside) {
    auto pic = Picture(Solid(1, 1, 0), 100, 100, 50, 40);
    EXPECT_TRUE(pic->Intersects(Rect{90, 90, 110, 110}));
    EXPECT_TRUE(pic->Intersects(Rect{140, 130, 160, 150}));
    EXPECT_FALSE(pic->Intersects(Rect{100, 100, 110, 110}));  // corner on the edge
    EXPECT_FALSE(pic->Intersects(Rect{110, 110, 140, 130}));  // inside, no corner
}

TEST(NeonImg, ZoomRoundsDownAtEachStep) {
    auto even = Picture(Solid(1, 1, 0), 0, 0, 100, 80);
    even->Zoom(0.5);
    even->Zoom(2.0);
    EXPECT_EQ(std::make_pair(even->width, even->height), std::make_pair(100, 80));
    auto odd = Picture(Solid(1, 1, 0), 0, 0, 101, 75);
    odd->Zoom(0.5);
    EXPECT_EQ(std::make_pair(odd->width, odd->height), std::make_pair(50, 37));
    odd->Zoom(2.0);
    EXPECT_EQ(std::make_pair(odd->width, odd->height), std::make_pair(100, 74));
    auto big = Picture(Solid(1, 1, 0), 0, 0, 1 << 30, 10);
    big->Zoom(4.0);  // saturates instead of overflowing
    EXPECT_EQ(big->width, INT32_MAX);
}

TEST(NeonImg, BlackOrTheKeyColourLeavesWhatLiesBelow) {
    QImage img(2, 1, QImage::Format_RGB32);
    img.setPixel(0, 0, qRgb(0, 0, 0));
    img.setPixel(1, 0, qRgb(255, 0, 0));
    auto pic = Picture(img, 1, 1, 4, 2);  // each bitmap pixel shown 2 x 2
    const QRgb below = qRgb(0, 0, 255);

    QImage view = Solid(8, 4, below);
    QPainter p(&view);
    pic->Draw(p, false);
    p.end();
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool red = x >= 3 && x < 5 && y >= 1 && y < 3;
            EXPECT_EQ(view.pixel(x, y), red ? qRgb(255, 0, 0) : below) << x << "," << y;
        }

    QImage keyed = Solid(8, 4, below);
    QPainter k(&keyed);
    pic->DrawTransparent(k, 0x0000FF);  // red is the key now; black is drawn
    k.end();
    EXPECT_EQ(keyed.pixel(1, 1), qRgb(0, 0, 0));
    EXPECT_EQ(keyed.pixel(3, 1), below);
}

TEST(NeonImg, SelectedPictureIsOpaqueWithWhiteHandles) {
    auto pic = Picture(Solid(20, 20, qRgb(0, 0, 0)), 10, 10, 40, 30);
    QImage view = Solid(60, 50, qRgb(0, 0, 255));
    QPainter p(&view);
    pic->Draw(p, true);
    p.end();
    EXPECT_EQ(view.pixel(30, 25), qRgb(0, 0, 0));  // black drawn, not see-through
    for (auto [x, y] : {std::pair{9, 9}, {15, 15}, {49 - 5, 39 - 5}, {50, 40}, {49, 10}, {10, 39}})
        EXPECT_EQ(view.pixel(x, y), qRgb(255, 255, 255)) << x << "," << y;
    EXPECT_EQ(view.pixel(8, 8), qRgb(0, 0, 255));
    EXPECT_EQ(view.pixel(17, 17), qRgb(0, 0, 0));
}

TEST(NeonImg, MakeTransparentChangesOnlyThePicturesOwnPixels) {
    QImage img = Solid(4, 4, qRgb(0, 255, 0));
    img.setPixel(1, 1, qRgb(255, 0, 0));
    auto pic = Picture(img, 3, 3, 12, 12);  // shown three times larger
    QImage view = Solid(20, 20, qRgb(0, 0, 255));
    QPainter p(&view);
    pic->Draw(p, false);  // fills the draw cache first
    pic->MakeTransparent(0x0000FF);
    pic->Draw(p, false);
    p.end();
    EXPECT_EQ(pic->bitmap.size(), QSize(4, 4));
    EXPECT_EQ(pic->bitmap.pixel(1, 1), qRgb(0, 0, 0));
    EXPECT_EQ(pic->bitmap.pixel(0, 0), qRgb(0, 255, 0));
    EXPECT_EQ(pic->bitmap.pixel(3, 3), qRgb(0, 255, 0));
    // The former red square shows the red drawn before, not the view's blue taken in.
    EXPECT_EQ(view.pixel(7, 7), qRgb(255, 0, 0));
    QImage fresh = Solid(20, 20, qRgb(0, 0, 255));
    QPainter f(&fresh);
    pic->Draw(f, false);
    f.end();
    EXPECT_EQ(fresh.pixel(7, 7), qRgb(0, 0, 255));
    EXPECT_EQ(fresh.pixel(4, 4), qRgb(0, 255, 0));
}

TEST(NeonImg, CopyIsIndependentAndStandsAlone) {
    OwnedRing<CNeonImg> ring;
    CNeonImg& anchor = ring.anchor;
    CNeonImg* a = anchor.AppendPicture();
    a->SetBitmap(Solid(3, 2, qRgb(255, 0, 0)));
    a->x = 7;
    a->y = 8;
    a->width = 30;
    a->height = 20;
    CNeonImg copy;
    a->CopyTo(copy);
    EXPECT_EQ(
        std::make_tuple(copy.x, copy.y, copy.width, copy.height, copy.srcWidth, copy.srcHeight),
        std::make_tuple(7, 8, 30, 20, 3, 2));
    EXPECT_EQ(copy.next, &copy);
    copy.MakeTransparent(0x0000FF);
    EXPECT_EQ(a->bitmap.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(copy.bitmap.pixel(0, 0), qRgb(0, 0, 0));
}

TEST(NeonImg, RecordBytes) {
    OwnedRing<CNeonImg> ring;
    CNeonImg& anchor = ring.anchor;
    CNeonImg* pic = anchor.AppendPicture();
    pic->SetBitmap(Solid(1, 1, qRgb(0x11, 0x22, 0x33)));
    pic->x = -5;
    pic->y = 6;
    pic->width = 7;
    pic->height = 8;
    QByteArray out;
    QDataStream s(&out, QIODevice::WriteOnly);
    UseFileByteOrder(s);
    ASSERT_TRUE(pic->Save(s, true));
    ASSERT_TRUE(anchor.Save(s, false));
    QByteArray want = Ints({5, 5, 8, 7, 1, 1, -5, 6});
    want += QByteArray("BM", 2) + Ints({58, 0, 54});
    want += Ints({40, 1, 1}) + QByteArray("\x01\0\x20\0", 4) + Ints({0, 4, 0, 0, 0, 0});
    want += QByteArray("\x33\x22\x11\x00", 4);
    want += Ints({5, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(out, want);

    CNeonImg empty;
    QByteArray none;
    QDataStream n(&none, QIODevice::WriteOnly);
    EXPECT_FALSE(empty.Save(n, true));
    EXPECT_TRUE(none.isEmpty());
}

TEST(NeonImg, LoadRoundTripAndDamagedImages) {
    QImage img(5, 3, QImage::Format_RGB32);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) img.setPixel(x, y, qRgb(x * 40, y * 80, 7));
    auto src = Picture(img, 1, 2, 10, 6);
    QByteArray out;
    QDataStream w(&out, QIODevice::WriteOnly);
    UseFileByteOrder(w);
    ASSERT_TRUE(src->Save(w, true));

    QDataStream r(out);
    UseFileByteOrder(r);
    PictureRecordHeader h;
    ASSERT_TRUE(h.Read(r));
    ASSERT_TRUE(h.IsItem());
    OwnedRing<CNeonImg> ring;
    CNeonImg& anchor = ring.anchor;
    CNeonImg* pic = anchor.AppendPicture();
    pic->TakeHeader(h);
    ASSERT_TRUE(pic->Load(r));
    EXPECT_EQ(pic->bitmap, img);
    EXPECT_EQ(std::make_tuple(pic->x, pic->y, pic->width, pic->height),
              std::make_tuple(1, 2, 10, 6));
    EXPECT_TRUE(r.atEnd());

    // A file size beyond the record's bytes, and a file image cut short.
    const QByteArray body = out.mid(32);
    QByteArray tooLong = body;
    tooLong[2] = static_cast<char>(body.size() + 1);
    for (const QByteArray& bad : {tooLong, body.left(body.size() - 1), body.left(10)}) {
        QDataStream b(bad);
        CNeonImg keep;
        keep.SetBitmap(Solid(2, 2, qRgb(1, 1, 1)));
        EXPECT_FALSE(keep.Load(b));
        EXPECT_EQ(keep.bitmap.size(), QSize(2, 2));
    }
}

// Copies of a picture share what its stretched image costs; a copy shown at another
// size or with another transparent colour must still draw itself, and leave the others
// as they were.
TEST(NeonImg, CopiesShareTheStretchedPictureButEachDrawsItsOwnSize) {
    // Left half red, right half green, 4 x 2 pixels: stretched, the halves stay halves.
    QImage img(4, 2, QImage::Format_RGB32);
    img.fill(qRgb(255, 0, 0));
    for (int y = 0; y < 2; ++y)
        for (int x = 2; x < 4; ++x) img.setPixel(x, y, qRgb(0, 255, 0));
    auto original = Picture(img, 0, 0, 8, 4);
    CNeonImg copy;
    original->CopyTo(copy);
    CNeonImg second;
    original->CopyTo(second);
    second.width = 12;

    const auto shown = [](const CNeonImg& pic, COLORREF key) {
        QImage view = Solid(16, 8, qRgb(0, 0, 255));
        QPainter p(&view);
        pic.DrawTransparent(p, key);
        p.end();
        return view;
    };
    // The copy draws first and fills the shared image; each then draws its own size.
    const QImage viaCopy = shown(copy, 0);
    const QImage wide = shown(second, 0);
    const QImage viaOriginal = shown(*original, 0);
    EXPECT_EQ(viaCopy, viaOriginal);
    for (int x = 0; x < 16; ++x) {
        const QRgb expected = x < 4 ? qRgb(255, 0, 0) : x < 8 ? qRgb(0, 255, 0) : qRgb(0, 0, 255);
        EXPECT_EQ(viaOriginal.pixel(x, 3), expected) << "x " << x;
        const QRgb wideExpected = x < 6    ? qRgb(255, 0, 0)
                                  : x < 12 ? qRgb(0, 255, 0)
                                           : qRgb(0, 0, 255);
        EXPECT_EQ(wide.pixel(x, 3), wideExpected) << "x " << x;
    }
    EXPECT_EQ(viaOriginal.pixel(0, 4), qRgb(0, 0, 255));
    // Red made transparent in one copy leaves the other copies opaque.
    const QImage keyed = shown(copy, 0x0000FF);
    EXPECT_EQ(keyed.pixel(1, 1), qRgb(0, 0, 255));
    EXPECT_EQ(keyed.pixel(5, 1), qRgb(0, 255, 0));
    EXPECT_EQ(shown(*original, 0), viaOriginal);
    EXPECT_EQ(shown(second, 0), wide);
}
