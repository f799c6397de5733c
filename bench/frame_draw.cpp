// Drawing one frame at 1920 x 1080: 20 rectangle regions of 64 x 16 cells and 5
// polygon regions of 16 x 8 cells, grid lines shown, every cell lit; then with the
// background, texts and pictures too.
//
// Each draw is measured against what any frame costs the view at least: filling its
// 1920 x 1080 screen image and blitting it once, as the view's paint event does. The
// two are timed alternately in the same loop (processor time of this thread, so that
// other work on the machine weighs less) and `x_baseline` is the ratio of their
// medians.
#include <QImage>
#include <QPainter>

#include <time.h>

#include <algorithm>
#include <vector>

#include <benchmark/benchmark.h>

#include "layers/NeonBkg.h"
#include "model/NeonFrame.h"
#include "scene/BenchScene.h"

using namespace zv;

namespace {

constexpr QSize kView(1920, 1080);

double ThreadMs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

// The view's least work per frame: its screen image filled, then blitted onto the
// window's surface.
class FillAndBlit {
public:
    FillAndBlit() : screen_(kView, QImage::Format_RGB32), window_(kView, QImage::Format_RGB32) {}
    void Run() {
        screen_.fill(Qt::black);
        QPainter p(&window_);
        const QRect r(QPoint(0, 0), kView);
        p.drawImage(r, screen_, r);
    }
    const uchar* Bits() const { return window_.constBits(); }

private:
    QImage screen_;
    QImage window_;
};

template <class Draw>
void AgainstBaseline(benchmark::State& state, Draw draw) {
    FillAndBlit baseline;
    std::vector<double> drawMs, baseMs;
    for (auto _ : state) {
        const double t0 = ThreadMs();
        baseline.Run();
        benchmark::DoNotOptimize(baseline.Bits());
        const double t1 = ThreadMs();
        draw();
        const double t2 = ThreadMs();
        baseMs.push_back(t1 - t0);
        drawMs.push_back(t2 - t1);
        state.SetIterationTime((t2 - t1) / 1e3);
    }
    const double d = Median(drawMs), b = Median(baseMs);
    state.counters["draw_ms"] = d;
    state.counters["baseline_ms"] = b;
    state.counters["x_baseline"] = b > 0 ? d / b : 0.0;
}

void BM_FillAndBlit(benchmark::State& state) {
    FillAndBlit baseline;
    for (auto _ : state) {
        baseline.Run();
        benchmark::DoNotOptimize(baseline.Bits());
    }
}
BENCHMARK(BM_FillAndBlit)->Unit(benchmark::kMillisecond);

void BM_FrameDraw(benchmark::State& state) {
    CNeonFrame frame;
    FillFrame(frame);
    QImage screen(kView, QImage::Format_RGB32);
    screen.fill(Qt::black);
    AgainstBaseline(state, [&] {
        frame.Draw(screen, false, true);
        benchmark::DoNotOptimize(screen.constBits());
    });
}
BENCHMARK(BM_FrameDraw)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_FrameDrawAllLayers(benchmark::State& state) {
    CNeonFrame frame;
    FillFrame(frame);
    CNeonBkg bkg;
    AddLayers(frame, bkg);
    QImage screen(kView, QImage::Format_RGB32);
    AgainstBaseline(state, [&] {
        frame.Draw(screen, false, true, &bkg);
        benchmark::DoNotOptimize(screen.constBits());
    });
}
BENCHMARK(BM_FrameDrawAllLayers)->UseManualTime()->Unit(benchmark::kMillisecond);

// The same frame with the grid hidden, as playback shows it.
void BM_FrameDrawNoGrid(benchmark::State& state) {
    CNeonFrame frame;
    FillFrame(frame);
    QImage screen(kView, QImage::Format_RGB32);
    AgainstBaseline(state, [&] {
        frame.Draw(screen, false, false);
        benchmark::DoNotOptimize(screen.constBits());
    });
}
BENCHMARK(BM_FrameDrawNoGrid)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
