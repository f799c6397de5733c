// Drawing one frame at 1920 x 1080: 20 rectangle regions of 64 x 16 cells and 5
// polygon regions of 16 x 8 cells, grid lines shown, every cell lit.
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include "layers/Ring.h"
#include "model/NeonFrame.h"

using namespace zv;

namespace {

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

void BM_FrameDraw(benchmark::State& state) {
    CNeonFrame frame;
    FillFrame(frame);
    QImage screen(1920, 1080, QImage::Format_RGB32);
    screen.fill(Qt::black);
    for (auto _ : state) {
        frame.Draw(screen, false, true);
        benchmark::DoNotOptimize(screen.constBits());
    }
}
BENCHMARK(BM_FrameDraw)->Unit(benchmark::kMillisecond);

}  // namespace

namespace {

// The same frame with the grid hidden, as playback shows it.
void BM_FrameDrawNoGrid(benchmark::State& state) {
    CNeonFrame frame;
    FillFrame(frame);
    QImage screen(1920, 1080, QImage::Format_RGB32);
    for (auto _ : state) frame.Draw(screen, false, false);
}
BENCHMARK(BM_FrameDrawNoGrid)->Unit(benchmark::kMillisecond);

}  // namespace
