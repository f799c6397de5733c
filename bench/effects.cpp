// Effect stepping: walking every sub-frame of a long effect on a large region one at a
// time (time and peak memory), and building the whole sub-frame list of every effect
// on the default strip.

#include <QFile>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>

#include "model/EffectStepper.h"
#include "model/NeonAv.h"

using namespace zv;

namespace {

// One frame with one cols x rows region, every cell lit in its own colour, carrying
// the effect.
std::unique_ptr<CNeonAv> EffectFrame(std::int32_t effect, std::int32_t cols, std::int32_t rows) {
    auto av = std::make_unique<CNeonAv>();
    av->CreateFirstFrame();
    CNeonFrame& f = *av->currentFrame;
    f.AddRectRegion(cols, rows, 1.0f, Rect{0, 0, 10 * cols + 1, 10 * rows + 1});
    std::uint32_t n = 1;
    for (NeonCell& c : f.selectedRegion->cells) c.colour = n++;
    f.ApplyEffect(*av->anchor, effect, 1, false);
    return av;
}

// Resident set figures of this process, in kB: the current size and the peak since
// the last reset.
std::int64_t StatusKb(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(int(qstrlen(field))).trimmed().split(' ')[0].toLongLong();
    return -1;
}

bool ResetPeak() {
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    return clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
}

std::int64_t WalkAll(CNeonFrame& f) {
    CEffectStepper steps(f);
    std::int64_t checksum = 0;
    do checksum += steps.SubFrame().regions->next->cells[0].colour;
    while (steps.Advance());
    f.RestoreRegions();
    return checksum;
}

// "聚合--左" on a 128 x 64 region: 8128 steps, 8129 sub-frames.
void BM_StepConvergeLeft128x64(benchmark::State& state) {
    auto av = EffectFrame(4, 128, 64);
    CNeonFrame& f = *av->currentFrame;
    // Peak memory growth of one whole walk, measured once outside the timed loop.
    const bool peakKnown = ResetPeak();
    const std::int64_t before = StatusKb("VmRSS:");
    benchmark::DoNotOptimize(WalkAll(f));
    const std::int64_t peak = StatusKb("VmHWM:");
    for (auto _ : state) benchmark::DoNotOptimize(WalkAll(f));
    state.counters["steps"] = double(f.stepCount);
    if (peakKnown && before >= 0 && peak >= 0)
        state.counters["peak_growth_MB"] =
            double(std::max<std::int64_t>(peak - before, 0)) / 1024.0;
}
BENCHMARK(BM_StepConvergeLeft128x64)->Unit(benchmark::kMillisecond)->UseRealTime();

// The whole sub-frame list of effect e on the default 24 x 1 strip, then emptied and
// the frame restored, as playback leaves it.
void BM_BuildSubFrames24x1(benchmark::State& state) {
    auto av = EffectFrame(std::int32_t(state.range(0)), 24, 1);
    CNeonFrame& f = *av->currentFrame;
    for (auto _ : state) {
        f.BuildSubFrames();
        f.ClearSubFrames();
        f.RestoreRegions();
    }
    state.counters["sub_frames"] = double(f.SubFrameCount());
}
BENCHMARK(BM_BuildSubFrames24x1)->DenseRange(1, 56)->Unit(benchmark::kMicrosecond);

}  // namespace
