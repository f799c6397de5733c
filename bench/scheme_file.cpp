// Saving and loading a scheme of 1000 frames, each with 10 regions of 64 x 8 cells
// (about 143 MB), against copying the same file with cp in the same run.
#include <QDir>
#include <QFile>

#include <cstdlib>
#include <memory>
#include <string>

#include <benchmark/benchmark.h>

#include "layers/NeonBkg.h"
#include "model/NeonAv.h"
#include "scene/BenchScene.h"

using namespace zv;

namespace {

const QString kDir = QDir::tempPath() + QStringLiteral("/zorvane-bench");
const QString kFile = kDir + QStringLiteral("/big.zrx");
const QString kCopy = kDir + QStringLiteral("/copy.zrx");

CNeonAv& BigAnimation() {
    static CNeonAv av;
    if (av.frameCount == 0) BuildBigScheme(av);
    return av;
}

bool Save(const CNeonAv& av, const QString& path) {
    return av.SaveSchemeFile(path, CNeonBkg());
}

void BM_SaveScheme(benchmark::State& state) {
    QDir().mkpath(kDir);
    const CNeonAv& av = BigAnimation();
    for (auto _ : state) {
        // As when the user saves: the old file has gone to its backup name first.
        state.PauseTiming();
        QFile::remove(kFile);
        state.ResumeTiming();
        if (!Save(av, kFile)) state.SkipWithError("save failed");
    }
    state.SetBytesProcessed(state.iterations() * QFile(kFile).size());
}
BENCHMARK(BM_SaveScheme)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadScheme(benchmark::State& state) {
    if (!QFile::exists(kFile) && !Save(BigAnimation(), kFile)) state.SkipWithError("no file");
    for (auto _ : state) {
        auto av = std::make_unique<CNeonAv>();
        CNeonBkg bkg;
        if (!av->LoadSchemeFile(kFile, bkg)) state.SkipWithError("load");
        benchmark::DoNotOptimize(av->frameCount);
        state.PauseTiming();  // freeing the animation is not part of loading it
        av.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * QFile(kFile).size());
}
BENCHMARK(BM_LoadScheme)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CopyWithCp(benchmark::State& state) {
    if (!QFile::exists(kFile) && !Save(BigAnimation(), kFile)) state.SkipWithError("no file");
    const std::string cmd = "cp '" + kFile.toStdString() + "' '" + kCopy.toStdString() + "'";
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(kCopy);
        state.ResumeTiming();
        if (std::system(cmd.c_str()) != 0) state.SkipWithError("cp failed");
    }
    state.SetBytesProcessed(state.iterations() * QFile(kFile).size());
    QFile::remove(kCopy);
}
BENCHMARK(BM_CopyWithCp)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
