#include "scene/BenchScene.h"

#include <QImage>
#include <QPainter>

#include "layers/NeonBkg.h"
#include "layers/Ring.h"
#include "model/NeonAv.h"
#include "model/NeonFrame.h"

namespace zv {

void FillFrame(CNeonFrame& f) {
    for (int i = 0; i < 20; ++i) {
        const int x = 20 + (i % 4) * 470, y = 20 + (i / 4) * 170;
        f.AddRectRegion(64, 16, 1.0f, Rect{x, y, x + 450, y + 150});
    }
    for (int i = 0; i < 5; ++i) {
        const int x = 20 + i * 380, y = 880;
        const Point hexagon[] = {{x + 60, y},        {x + 300, y},      {x + 360, y + 90},
                                 {x + 300, y + 180}, {x + 60, y + 180}, {x, y + 90}};
        f.AddPolygonRegion(16, 8, 1.0f, hexagon);
    }
    int n = 0;
    for (CNeonRegion* r : Ring<CNeonRegion>::Items(f.regions.get()))
        for (NeonCell& c : r->cells) {
            c.colour = RGB(40 + n % 200, 255 - n % 200, (n * 7) % 256);
            ++n;
        }
}

void AddLayers(CNeonFrame& f, CNeonBkg& bkg) {
    QImage photo(1600, 900, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(photo.scanLine(y));
        for (int x = 0; x < photo.width(); ++x) line[x] = qRgb(x % 256, y % 256, (x + y) % 256);
    }
    bkg.SetBitmap(photo);
    for (int i = 0; i < 10; ++i) {
        CNeonChar* t = f.texts->AppendText();
        LogFont lf;
        lf.lfHeight = -(24 + 4 * i);
        lf.SetFaceName(QStringLiteral("DejaVu Sans"));
        t->SetLogFont(lf);
        t->SetText(QString::fromUtf8("欢迎光临 OPEN %1").arg(i));
        t->x = 40 + 150 * (i % 5);
        t->y = 60 + 400 * (i / 5);
        t->textColour = RGB(255, 200 - 10 * i, 40);
    }
    for (int i = 0; i < 4; ++i) {
        QImage neon(400, 300, QImage::Format_RGB32);
        neon.fill(Qt::black);
        QPainter p(&neon);
        p.fillRect(QRect(50, 50, 300, 200), QColor(255, 0, 160));
        p.end();
        CNeonImg* img = f.pictures->AppendPicture();
        img->SetBitmap(neon);
        img->x = 100 + 420 * i;
        img->y = 500;
        img->width = i < 2 ? 600 : 400;
        img->height = i < 2 ? 450 : 300;
    }
}

void BuildBigScheme(CNeonAv& av) {
    av.Clear();
    av.CreateFirstFrame();
    for (int f = 0; f < 1000; ++f) {
        CNeonFrame* frame = f == 0 ? av.currentFrame : av.InsertAfter(av.Last(), false);
        for (int r = 0; r < 10; ++r) {
            frame->AddRectRegion(64, 8, 1.0f, Rect{10, 10 + r * 100, 650, 90 + r * 100});
            for (std::size_t i = 0; i < frame->selectedRegion->cells.size(); ++i)
                frame->selectedRegion->cells[i].colour = COLORREF(i * 2654435761u) & 0xFFFFFF;
        }
    }
    av.Recount();
    av.currentFrame = av.First();
    av.currentIndex = 1;
}

}  // namespace zv
