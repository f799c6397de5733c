// Text items: the record bytes, loading, copying and drawing.
#include <QBuffer>
#include <QImage>
#include <QPainter>

#include <cstdint>

#include <gtest/gtest.h>

#include "gdi/BinaryIO.h"
#include "layers/NeonChar.h"
#include "layers/Ring.h"
#include "support/Bytes.h"
#include "support/Regions.h"

using namespace zv;

namespace {

LogFont TestFont(int height) {
    LogFont lf;
    lf.lfHeight = -height;
    lf.lfWeight = 700;
    lf.SetFaceName("DejaVu Sans");
    return lf;
}

}  // namespace

TEST(NeonChar, RecordBytesAndTheAnchorsEndHeader) {
    OwnedRing<CNeonChar> ring;
    CNeonChar& anchor = ring.anchor;
    CNeonChar* t = anchor.AppendText();
    t->x = 10;
    t->y = 20;
    t->textColour = 0x0000FF;
    t->SetLogFont(TestFont(16));
    t->SetText(QString::fromUtf8("中A"));

    QByteArray out;
    QDataStream s(&out, QIODevice::WriteOnly);
    UseFileByteOrder(s);
    t->Save(s, true);
    anchor.Save(s, false);

    QByteArray want = Ints({4, 4, 10, 20, 255, 63});
    want += TestFont(16).ToBytes();
    want += QByteArray(
        "\xD6\xD0"
        "A",
        3);
    want += Ints({4, 0, 0, 0, 0, 60});
    EXPECT_EQ(out, want);
}

TEST(NeonChar, LoadReadsBackTextBytesAndFont) {
    for (const QString& text : {QString::fromUtf8("霓虹 Neon 灯"), QString()}) {
        CNeonChar src;
        src.SetLogFont(TestFont(30));
        src.SetText(text);
        QByteArray out;
        QDataStream w(&out, QIODevice::WriteOnly);
        UseFileByteOrder(w);
        src.Save(w, true);

        QDataStream r(out);
        UseFileByteOrder(r);
        TextRecordHeader h;
        ASSERT_TRUE(h.Read(r));
        ASSERT_TRUE(h.IsItem());
        EXPECT_EQ(h.bodySize, src.TextBytes().size() + 60);
        OwnedRing<CNeonChar> ring;
        CNeonChar& anchor = ring.anchor;
        CNeonChar* t = anchor.AppendText();
        t->TakeHeader(h);
        ASSERT_TRUE(t->Load(r, h.bodySize));
        EXPECT_EQ(t->TextBytes(), src.TextBytes());
        EXPECT_EQ(t->Text(), text);
        EXPECT_EQ(t->GetLogFont(), src.GetLogFont());
        EXPECT_EQ(t->Font().pixelSize(), 30);
        EXPECT_TRUE(r.atEnd());
    }
}

TEST(NeonChar, BodyShorterThanTheFontOrLongerThanTheFileIsRefused) {
    const QByteArray body = TestFont(12).ToBytes() + "abc";
    for (std::int32_t size : {-1, 0, 59, 64, 1 << 30}) {
        QDataStream r(body);
        CNeonChar t;
        t.SetText("keep");
        EXPECT_FALSE(t.Load(r, size)) << size;
        EXPECT_EQ(t.Text(), "keep");
    }
}

TEST(NeonChar, CopyTakesEverythingAndStandsAlone) {
    OwnedRing<CNeonChar> ring;
    CNeonChar& anchor = ring.anchor;
    CNeonChar* a = anchor.AppendText();
    a->x = 3;
    a->y = 4;
    a->textColour = 0x123456;
    a->SetLogFont(TestFont(22));
    a->SetText(QString::fromUtf8("文字"));
    CNeonChar copy;
    a->CopyTo(copy);
    EXPECT_EQ(copy.x, 3);
    EXPECT_EQ(copy.y, 4);
    EXPECT_EQ(copy.textColour, 0x123456u);
    EXPECT_EQ(copy.GetLogFont(), a->GetLogFont());
    EXPECT_EQ(copy.Font(), a->Font());
    EXPECT_EQ(copy.TextBytes(), a->TextBytes());
    EXPECT_EQ(copy.next, &copy);
    EXPECT_EQ(copy.prev, &copy);
    EXPECT_EQ(Ring<CNeonChar>::Count(&anchor), 1u);
}

TEST(NeonChar, DrawsTransparentlyInsideTheClip) {
    QImage img(120, 60, QImage::Format_RGB32);
    img.fill(QColor(0, 0, 255));
    CNeonChar t;
    t.x = 2;
    t.y = 10;
    t.textColour = 0xFFFFFF;
    t.SetLogFont(TestFont(30));
    t.SetText("MMMMMMMM");
    {
        QPainter p(&img);
        t.Draw(p, Rect{0, 0, 40, 60});
    }
    int white = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 120; ++x) {
            const QRgb c = img.pixel(x, y);
            if (x >= 40) {
                EXPECT_EQ(c, qRgb(0, 0, 255)) << x << "," << y;
            }
            white += c == qRgb(255, 255, 255);
        }
    EXPECT_GT(white, 50);
    // Above the text's top the background is untouched.
    EXPECT_EQ(img.pixel(10, 5), qRgb(0, 0, 255));
}

TEST(NeonChar, OlderItemLiesOnTopWhenDrawnNewestFirst) {
    OwnedRing<CNeonChar> ring;
    CNeonChar& anchor = ring.anchor;
    CNeonChar* older = anchor.AppendText();
    CNeonChar* newer = anchor.AppendText();
    for (CNeonChar* t : {older, newer}) {
        t->SetLogFont(TestFont(40));
        t->SetText(QString(QChar(0x2588)));  // full block
        t->x = 5;
        t->y = 5;
    }
    older->textColour = 0x0000FF;
    newer->textColour = 0x00FF00;
    QImage img(80, 80, QImage::Format_RGB32);
    img.fill(Qt::black);
    {
        QPainter p(&img);
        for (CNeonChar* t : Ring<CNeonChar>::ItemsBackward(&anchor)) t->Draw(p, Rect{0, 0, 80, 80});
    }
    int red = 0, green = 0;
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 80; ++x) {
            red += img.pixel(x, y) == qRgb(255, 0, 0);
            green += img.pixel(x, y) == qRgb(0, 255, 0);
        }
    EXPECT_GT(red, 100);
    EXPECT_EQ(green, 0);
}
