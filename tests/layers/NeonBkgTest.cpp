// The background: drawing stretched, clearing, the block's bytes.
#include <QIODevice>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include "gdi/BinaryIO.h"
#include "layers/NeonBkg.h"

using namespace zv;

namespace {

QImage Quadrants(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y,
                         x < w / 2 ? (y < h / 2 ? qRgb(255, 0, 0) : qRgb(0, 255, 0))
                                   : (y < h / 2 ? qRgb(0, 0, 255) : qRgb(255, 255, 0)));
    return img;
}

}  // namespace

TEST(NeonBkg, StretchesOverTheWholeView) {
    CNeonBkg bkg;
    bkg.SetBitmap(Quadrants(800, 600));
    EXPECT_EQ(std::make_pair(bkg.bkWidth, bkg.bkHeight), std::make_pair(800, 600));
    QImage view(1024, 768, QImage::Format_RGB32);
    view.fill(Qt::black);
    for (int pass = 0; pass < 2; ++pass) {  // the second draw comes from the cache
        QPainter p(&view);
        bkg.Draw(p, Rect{0, 0, 1024, 768});
    }
    EXPECT_EQ(view.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(view.pixel(511, 383), qRgb(255, 0, 0));
    EXPECT_EQ(view.pixel(512, 383), qRgb(0, 0, 255));
    EXPECT_EQ(view.pixel(511, 384), qRgb(0, 255, 0));
    EXPECT_EQ(view.pixel(1023, 767), qRgb(255, 255, 0));
}

// The first draw at a size stretches onto the view itself, later ones copy the
// stretched image kept from the second: all give the pixels of the image stretched
// once, at every size, and with the bitmap changed in between.
TEST(NeonBkg, EveryDrawGivesTheSamePixels) {
    CNeonBkg bkg;
    QImage bitmap(37, 23, QImage::Format_RGB32);
    for (int y = 0; y < bitmap.height(); ++y)
        for (int x = 0; x < bitmap.width(); ++x) bitmap.setPixel(x, y, qRgb(x * 7, y * 11, x ^ y));
    for (const QImage& source : {bitmap, bitmap.mirrored(true, false)}) {
        bkg.SetBitmap(source);
        for (const QSize size : {QSize(1440, 810), QSize(101, 67), QSize(1440, 810)}) {
            QImage expected = source.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
            for (int pass = 0; pass < 3; ++pass) {
                QImage view(size, QImage::Format_RGB32);
                view.fill(Qt::black);
                QPainter p(&view);
                bkg.Draw(p, Rect{0, 0, size.width(), size.height()});
                p.end();
                ASSERT_EQ(view, expected) << size.width() << " pass " << pass;
            }
        }
    }
}

TEST(NeonBkg, ClearedBackgroundDrawsNothingAndSavesOnlyTheHeader) {
    CNeonBkg bkg;
    bkg.SetBitmap(Quadrants(8, 6));
    bkg.Clear();
    QImage view(10, 10, QImage::Format_RGB32);
    view.fill(Qt::black);
    QPainter p(&view);
    bkg.Draw(p, Rect{0, 0, 10, 10});
    p.end();
    EXPECT_EQ(view.pixel(0, 0), qRgb(0, 0, 0));

    QByteArray out;
    QDataStream w(&out, QIODevice::WriteOnly);
    UseFileByteOrder(w);
    ASSERT_TRUE(bkg.Save(w));
    EXPECT_EQ(out, QByteArray("\x06\0\0\0\0\0\0\0\x06\0\0\0\x08\0\0\0", 16));

    QDataStream r(out);
    UseFileByteOrder(r);
    BackgroundRecordHeader h;
    ASSERT_TRUE(h.Read(r));
    CNeonBkg loaded;
    loaded.TakeHeader(h);
    ASSERT_TRUE(loaded.Load(r));
    EXPECT_EQ(loaded.hasBitmap, 0);
    EXPECT_TRUE(r.atEnd());
}

TEST(NeonBkg, BackgroundSetToNothingIsStoredAsNone) {
    CNeonBkg bkg;
    bkg.SetBitmap(QImage());
    EXPECT_EQ(bkg.hasBitmap, 1);
    QByteArray out;
    QDataStream w(&out, QIODevice::WriteOnly);
    UseFileByteOrder(w);
    ASSERT_TRUE(bkg.Save(w));
    EXPECT_EQ(out.size(), 16);
    EXPECT_EQ(out[4], '\0');
}

TEST(NeonBkg, ImageRoundTripAndDamagedImageKeepsTheOldOne) {
    CNeonBkg bkg;
    bkg.SetBitmap(Quadrants(6, 4));
    QByteArray out;
    QDataStream w(&out, QIODevice::WriteOnly);
    UseFileByteOrder(w);
    ASSERT_TRUE(bkg.Save(w));
    EXPECT_EQ(out.size(), 16 + 54 + 6 * 4 * 4);

    QDataStream r(out);
    UseFileByteOrder(r);
    BackgroundRecordHeader h;
    ASSERT_TRUE(h.Read(r));
    CNeonBkg loaded;
    loaded.TakeHeader(h);
    ASSERT_TRUE(loaded.Load(r));
    EXPECT_EQ(loaded.hasBitmap, 1);
    EXPECT_EQ(loaded.bitmap, bkg.bitmap);

    QByteArray cut = out.left(out.size() - 1);
    QDataStream c(cut);
    UseFileByteOrder(c);
    ASSERT_TRUE(h.Read(c));
    CNeonBkg keep;
    keep.SetBitmap(Quadrants(2, 2));
    keep.TakeHeader(h);
    EXPECT_FALSE(keep.Load(c));
    EXPECT_EQ(keep.bitmap.size(), QSize(2, 2));
}
