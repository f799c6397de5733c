// The benchmark scene drawn at 1920 x 1080, compared with checksums of the images the
// frame drawing gave before its fast paths were written: a faster draw must not
// change a single pixel.
#include <QCryptographicHash>
#include <QImage>

#include <gtest/gtest.h>

#include <string>

#include "layers/NeonBkg.h"
#include "layers/Ring.h"
#include "model/NeonFrame.h"
#include "scene/BenchScene.h"

using namespace zv;

namespace {

// SHA-1 of the visible pixels, row by row (padding at the end of a line excluded).
std::string PixelHash(const QImage& img) {
    QCryptographicHash h(QCryptographicHash::Sha1);
    const qsizetype rowBytes = qsizetype(img.width()) * 4;
    for (int y = 0; y < img.height(); ++y)
        h.addData(QByteArrayView(reinterpret_cast<const char*>(img.constScanLine(y)), rowBytes));
    return h.result().toHex().toStdString();
}

constexpr QSize kView(1920, 1080);

}  // namespace

TEST(SceneRender, RegionsSceneIsDrawnAsBefore) {
    CNeonFrame frame;
    FillFrame(frame);
    const QImage withGrid = frame.RenderImage(kView, true);
    EXPECT_EQ(PixelHash(withGrid), std::string("a830cb9fab75c7d686c55f1bc75978282f976213"));
    EXPECT_EQ(PixelHash(frame.RenderImage(kView, false)),
              std::string("b42f20d7af99cd947480015ea3ec427a135321f3"));
    // Drawn again over what the first draw left (the polygon cells come from their
    // remembered areas the second time), the image is the same.
    QImage again = withGrid;
    frame.Draw(again, false, true);
    EXPECT_EQ(again, withGrid);
}

TEST(SceneRender, SceneWithEveryLayerIsDrawnAsBefore) {
    CNeonFrame frame;
    FillFrame(frame);
    CNeonBkg bkg;
    AddLayers(frame, bkg);
    EXPECT_EQ(PixelHash(frame.RenderImage(kView, true, &bkg)),
              std::string("a21be3e0e91b26f0a3fb1b4f4a4cdc57b6c8c61a"));
}

TEST(SceneRender, SelectedRegionAndDarkCellsAreDrawnAsBefore) {
    CNeonFrame frame;
    FillFrame(frame);
    // Every third cell dark, and the first region selected (its grid drawn white).
    int n = 0;
    for (CNeonRegion* r : Ring<CNeonRegion>::Items(frame.regions.get())) {
        if (!frame.selectedRegion) frame.selectedRegion = r;
        for (NeonCell& c : r->cells)
            if (++n % 3 == 0) c.colour = 0;
    }
    EXPECT_EQ(PixelHash(frame.RenderImage(kView, true)),
              std::string("2c9f7c51dcb71175ae996afe69f76fc3a5feaaba"));
}
