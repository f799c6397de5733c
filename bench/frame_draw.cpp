// Drawing one frame at 1920 x 1080: 20 rectangle regions of 64 x 16 cells and 5
// polygon regions of 16 x 8 cells, grid lines shown, every cell lit.
#include <QImage>

#include <benchmark/benchmark.h>

#include "layers/NeonBkg.h"
#include "model/NeonFrame.h"
#include "scene/BenchScene.h"

using namespace zv;

namespace {

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

void BM_FrameDrawAllLayers(benchmark::State& state) {
    CNeonFrame frame;
    FillFrame(frame);
    CNeonBkg bkg;
    AddLayers(frame, bkg);
    QImage screen(1920, 1080, QImage::Format_RGB32);
    for (auto _ : state) {
        frame.Draw(screen, false, true, &bkg);
        benchmark::DoNotOptimize(screen.constBits());
    }
}
BENCHMARK(BM_FrameDrawAllLayers)->Unit(benchmark::kMillisecond);

// The same frame with the grid hidden, as playback shows it.
void BM_FrameDrawNoGrid(benchmark::State& state) {
    CNeonFrame frame;
    FillFrame(frame);
    QImage screen(1920, 1080, QImage::Format_RGB32);
    for (auto _ : state) frame.Draw(screen, false, false);
}
BENCHMARK(BM_FrameDrawNoGrid)->Unit(benchmark::kMillisecond);

}  // namespace
