// Importing a small EMF and a small WMF through the decoder helper (a process per
// import, under its limits) against decoding the same file in this process; and
// how long each hostile test picture takes to be refused or stopped. Single imports,
// 20 of them, so that the median is the median of 20.
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <benchmark/benchmark.h>

#include "layers/Picture.h"
#include "layers/PictureImport.h"
#include "support/Metafiles.h"

using namespace zv;
using namespace zv::test;

namespace {

const QString kDir = QDir::tempPath() + QStringLiteral("/zorvane-bench");

QString SmallEmf() {
    const QString path = kDir + QStringLiteral("/small.emf");
    if (QFile::exists(path)) return path;
    QDir().mkpath(kDir);
    return TwoShapeEmf(path).isEmpty() ? QString() : path;
}

// 200 x 100 pixels, the same two shapes.
QString SmallWmf() {
    const QString path = kDir + QStringLiteral("/small.wmf");
    if (QFile::exists(path)) return path;
    QDir().mkpath(kDir);
    WmfWriter w(path, 200, 100);
    w.NullPen();
    w.Brush(U_BS_SOLID, qRgb(255, 0, 0));
    w.Add(U_WMRRECTANGLE_set(R16(20, 10, 60, 50)));
    w.Brush(U_BS_SOLID, qRgb(0, 0, 255));
    w.Add(U_WMRELLIPSE_set(R16(100, 20, 160, 80)));
    return w.Finish().isEmpty() ? QString() : path;
}

void InProcess(benchmark::State& state, const QString& path) {
    if (path.isEmpty()) state.SkipWithError("the picture could not be written");
    for (auto _ : state) {
        CPicture loader;
        if (!loader.OpenFile(path)) state.SkipWithError("no picture");
        benchmark::DoNotOptimize(loader.Image().constBits());
    }
}

void ThroughHelper(benchmark::State& state, const QString& path) {
    if (path.isEmpty()) state.SkipWithError("the picture could not be written");
    for (auto _ : state) {
        const PictureResult r = PictureImport::Run(path);
        if (!r.Ok()) state.SkipWithError(r.message.toStdString().c_str());
        benchmark::DoNotOptimize(r.image.constBits());
    }
}

void BM_SmallEmfInProcess(benchmark::State& state) {
    InProcess(state, SmallEmf());
}
void BM_SmallEmfThroughHelper(benchmark::State& state) {
    ThroughHelper(state, SmallEmf());
}
void BM_SmallWmfInProcess(benchmark::State& state) {
    InProcess(state, SmallWmf());
}
void BM_SmallWmfThroughHelper(benchmark::State& state) {
    ThroughHelper(state, SmallWmf());
}
// Single imports, 20 of them.
void SingleImports(benchmark::internal::Benchmark* b) {
    b->Iterations(1)->Repetitions(20)->Unit(benchmark::kMillisecond)->UseRealTime();
}
BENCHMARK(BM_SmallEmfInProcess)->Apply(SingleImports);
BENCHMARK(BM_SmallEmfThroughHelper)->Apply(SingleImports);
BENCHMARK(BM_SmallWmfInProcess)->Apply(SingleImports);
BENCHMARK(BM_SmallWmfThroughHelper)->Apply(SingleImports);

const QString kHostile = QStringLiteral(ZORVANE_TESTDATA_DIR "/hostile-pictures");

QStringList HostileFiles() {
    return QDir(kHostile).entryList({"*.emf", "*.wmf"}, QDir::Files, QDir::Name);
}

// The whole import, from starting the helper to its answer.
void BM_HostilePicture(benchmark::State& state) {
    const QStringList files = HostileFiles();
    const auto i = static_cast<qsizetype>(state.range(0));
    if (i >= files.size()) {
        state.SkipWithError("no such hostile test picture (shared test data absent?)");
        return;
    }
    state.SetLabel(files[i].toStdString());
    for (auto _ : state) {
        const PictureResult r = PictureImport::Run(kHostile + QLatin1Char('/') + files[i]);
        if (r.Ok()) state.SkipWithError("a hostile picture was imported");
    }
}
BENCHMARK(BM_HostilePicture)
    ->DenseRange(0, 13)
    ->Iterations(1)
    ->Repetitions(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
