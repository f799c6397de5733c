#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include "layers/NeonBkg.h"
#include "layers/Ring.h"
#include "model/NeonAv.h"
#include "shapes/Rectangle.h"

using namespace zv;

namespace {

std::vector<QString> Texts(const CNeonFrame& f) {
    std::vector<QString> out;
    for (const CNeonChar* t : Ring<CNeonChar>::Items(f.texts.get())) out.push_back(t->Text());
    return out;
}

QImage Solid(int w, int h, QRgb colour) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(colour);
    return img;
}

}  // namespace

TEST(FrameLayers, LayerCopyReversesTextsAndPicturesAndDeepCopiesShapes) {
    CNeonFrame src;
    for (const char* s : {"A", "B", "C"}) src.texts->AppendText()->SetText(QString::fromLatin1(s));
    for (int w : {1, 2}) {
        CNeonImg* img = src.pictures->AppendPicture();
        img->SetBitmap(Solid(w, 1, qRgb(255, 255, 255)));
    }
    src.shapes = std::make_unique<CNeonGraph>();
    src.shapes->Add(std::make_unique<CRectangle>());

    CNeonFrame copy;
    copy.CopyFrom(src, true, CNeonFrame::CopyColoursOnly);
    EXPECT_EQ(Texts(copy), (std::vector<QString>{"C", "B", "A"}));
    EXPECT_EQ(copy.pictures->next->srcWidth, 2);
    EXPECT_EQ(copy.pictures->prev->srcWidth, 1);
    ASSERT_TRUE(copy.shapes);
    EXPECT_EQ(copy.shapes->ShapeCount(), 1u);
    EXPECT_NE(copy.shapes->lists[2].front().get(), src.shapes->lists[2].front().get());

    CNeonFrame regionsOnly;
    regionsOnly.CopyFrom(src, false, CNeonFrame::CopyColoursOnly);
    EXPECT_TRUE(Texts(regionsOnly).empty());
    EXPECT_FALSE(regionsOnly.shapes);
}

TEST(FrameLayers, DrawOrderBackgroundRegionShapePictureText) {
    // Five layers stacked over one spot; each one only partly covers the one below,
    // so every layer shows where the ones above it do not reach.
    CNeonFrame f;
    CNeonBkg bkg;
    bkg.SetBitmap(Solid(4, 4, qRgb(0, 0, 200)));        // blue wall
    f.AddRectRegion(1, 1, 1.0f, Rect{10, 10, 91, 91});  // one red cell (11..89)
    f.selectedRegion->FillAll(RGB(255, 0, 0));
    f.shapes = std::make_unique<CNeonGraph>();
    auto box = std::make_unique<CRectangle>();  // green filled box from 30 to 90
    box->startPoint = {30 - f.shapes->origin.x, 30 - f.shapes->origin.y};
    box->endPoint = {90 - f.shapes->origin.x, 90 - f.shapes->origin.y};
    box->penColour = RGB(0, 255, 0);
    box->brushColour = RGB(0, 255, 0);
    f.shapes->Add(std::move(box));
    CNeonImg* pic = f.pictures->AppendPicture();  // white picture from 50 to 90
    pic->SetBitmap(Solid(40, 40, qRgb(255, 255, 255)));
    pic->x = 50;
    pic->y = 50;
    pic->width = 40;
    pic->height = 40;
    CNeonChar* text = f.texts->AppendText();
    LogFont lf;
    lf.lfHeight = -40;
    lf.lfWeight = 900;
    lf.SetFaceName(QStringLiteral("DejaVu Sans"));
    text->SetLogFont(lf);
    text->SetText(QStringLiteral("\u2588"));  // a full block glyph: solid yellow
    text->textColour = RGB(255, 255, 0);
    text->x = 70;
    text->y = 60;

    const QImage img = f.RenderImage(QSize(120, 120), false, &bkg);
    auto px = [&](int x, int y) { return img.pixel(x, y) & 0xFFFFFF; };
    EXPECT_EQ(px(5, 5), 0x0000C8u);    // background only
    EXPECT_EQ(px(20, 20), 0xFF0000u);  // region over background
    EXPECT_EQ(px(40, 40), 0x00FF00u);  // shape over region
    EXPECT_EQ(px(55, 55), 0xFFFFFFu);  // picture over shape
    EXPECT_EQ(px(80, 80), 0xFFFF00u);  // text over picture
}

TEST(FrameLayers, SubFrameRegionsUnderTheFramesOwnLayers) {
    CNeonFrame f;
    f.AddRectRegion(2, 1, 1.0f, Rect{0, 0, 21, 11});
    f.selectedRegion->FillAll(RGB(255, 0, 0));
    CNeonFrame sub;
    sub.AddRectRegion(2, 1, 1.0f, Rect{0, 0, 21, 11});
    sub.selectedRegion->FillAll(RGB(0, 0, 255));
    const QImage img = f.RenderImage(QSize(30, 20), false, nullptr, &sub);
    EXPECT_EQ(img.pixel(5, 5) & 0xFFFFFF, 0x0000FFu);
}
