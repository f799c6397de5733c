// Resident memory while schemes are opened one after another into the same animation,
// as the editor does: a 116 MB scheme (one 64 x 32 region, converge-left expanded
// into its 2018 frames) eight times, then a one-frame scheme of 57 KB. The memory of
// the cells must follow what is open: after each load of the large scheme at most
// 1.3 x its size + 60 MB, after the small one at most 100 MB.
#include <QDir>
#include <QFile>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include <benchmark/benchmark.h>

#include "layers/NeonBkg.h"
#include "model/NeonAv.h"

using namespace zv;

namespace {

const QString kDir = QDir::tempPath() + QStringLiteral("/zorvane-bench");
const QString kLarge = kDir + QStringLiteral("/converge-64x32.zrx");
const QString kSmall = kDir + QStringLiteral("/one-frame-64x32.zrx");
constexpr std::int32_t kConvergeLeft = 4;

double ResidentMb() {
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

double FileMb(const QString& path) {
    return double(QFile(path).size()) / (1024.0 * 1024.0);
}

// One frame with a lit 64 x 32 region; with `expand`, converge-left written out as
// plain frames, as `zorvane-cli apply-effect --effect 4 --expand` makes it.
bool MakeScheme(const QString& path, bool expand) {
    CNeonAv av;
    av.CreateFirstFrame();
    CNeonFrame* frame = av.currentFrame;
    frame->AddRectRegion(64, 32, 1.0f, Rect{20, 20, 660, 340});
    CellArray& cells = frame->selectedRegion->cells;
    for (std::size_t i = 0; i < cells.size(); ++i)
        cells[i].colour = COLORREF(0x203040 + i * 2654435761u) & 0xFFFFFF;
    if (expand) {
        frame->ApplyEffect(*av.anchor, kConvergeLeft, 1, true);
        av.Recount();
    }
    return av.SaveSchemeFile(path, CNeonBkg());
}

void BM_SchemeMemory(benchmark::State& state) {
    QDir().mkpath(kDir);
    if (!QFile::exists(kLarge) && !MakeScheme(kLarge, true)) {
        state.SkipWithError("could not write the large scheme");
        return;
    }
    if (!QFile::exists(kSmall) && !MakeScheme(kSmall, false)) {
        state.SkipWithError("could not write the small scheme");
        return;
    }
    const double largeMb = FileMb(kLarge);
    const double largeBar = 1.3 * largeMb + 60.0;
    for (auto _ : state) {
        CNeonAv av;
        CNeonBkg bkg;
        state.counters["start_MB"] = ResidentMb();
        double worst = 0;
        for (int i = 1; i <= 8; ++i) {
            if (!av.LoadSchemeFile(kLarge, bkg)) {
                state.SkipWithError("the large scheme did not load");
                return;
            }
            const double mb = ResidentMb();
            worst = std::max(worst, mb);
            state.counters["load" + std::to_string(i) + "_MB"] = mb;
            if (i == 1) state.counters["large_frames"] = av.frameCount;
        }
        if (!av.LoadSchemeFile(kSmall, bkg)) {
            state.SkipWithError("the small scheme did not load");
            return;
        }
        const double small = ResidentMb();
        state.counters["small_MB"] = small;
        state.counters["large_file_MB"] = largeMb;
        state.counters["large_bar_MB"] = largeBar;
        state.counters["bars_held"] = worst <= largeBar && small <= 100.0 ? 1 : 0;
    }
}
BENCHMARK(BM_SchemeMemory)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
