// Playback in the real main window with its view at 1920 x 1080: ten frames of the
// benchmark scene (regions, background photo, texts, pictures) played at 50 frames
// per second, painting included.
//
// BM_PlaybackTick times one tick and the repaint it causes; BM_PlaybackCpu plays 500
// ticks on the real timer and reports the share of one core the process used.
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <memory>
#include <vector>

#include <benchmark/benchmark.h>

#include "app/MainFrame.h"
#include "app/ZorvaneView.h"
#include "editor/Document.h"
#include "editor/Player.h"
#include "layers/NeonBkg.h"
#include "layers/Ring.h"
#include "model/NeonAv.h"
#include "scene/BenchScene.h"

using namespace zv;

namespace {

constexpr int kFrames = 10;

// A main window whose view is 1920 x 1080, playing the scene in a loop at 50/s.
std::unique_ptr<CMainFrame> MakeWindow() {
    auto frame = std::make_unique<CMainFrame>();
    frame->SkipStartPlacement();
    frame->show();
    const QSize extra = frame->size() - frame->View()->size();
    frame->resize(QSize(1920, 1080) + extra);
    QCoreApplication::processEvents();
    Document& doc = frame->Doc();
    CNeonFrame* first = doc.CurrentFrame();
    FillFrame(*first);
    AddLayers(*first, *doc.Background());
    for (int i = 1; i < kFrames; ++i) {
        doc.AddFrame();
        doc.CurrentFrame()->CopyFrom(*first, true, CNeonFrame::CopyColoursOnly);
        // Each frame lights a different share of the cells.
        int n = 0;
        for (CNeonRegion* r : Ring<CNeonRegion>::Items(doc.CurrentFrame()->regions.get()))
            for (NeonCell& c : r->cells)
                if (++n % kFrames == i) c.colour = 0;
    }
    doc.FirstFrame();
    doc.loopPlayback = true;
    doc.rateText = QStringLiteral("50");
    return frame;
}

double CpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

void BM_PlaybackTick(benchmark::State& state) {
    const auto frame = MakeWindow();
    if (frame->View()->size() != QSize(1920, 1080)) {
        state.SkipWithError("the view is not 1920 x 1080");
        return;
    }
    Player& player = frame->Doc().GetPlayer();
    player.Play();
    player.StopTimer();  // the benchmark ticks by hand
    // Pressing Play repaints the bars (tools disabled while playing): that is the
    // button's work, not a tick's.
    QCoreApplication::processEvents();
    std::vector<double> ms;
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        player.Tick();
        QCoreApplication::processEvents();  // the repaint of the view and the bars
        const double seconds = double(t.nsecsElapsed()) / 1e9;
        state.SetIterationTime(seconds);
        ms.push_back(seconds * 1e3);
    }
    std::sort(ms.begin(), ms.end());
    state.counters["median_ms"] = ms[ms.size() / 2];
    state.counters["worst_ms"] = ms.back();
}
BENCHMARK(BM_PlaybackTick)->UseManualTime()->Iterations(500)->Unit(benchmark::kMillisecond);

void BM_PlaybackCpu(benchmark::State& state) {
    const auto frame = MakeWindow();
    Player& player = frame->Doc().GetPlayer();
    for (auto _ : state) {
        int ticks = 0;
        QEventLoop loop;
        const auto connection = QObject::connect(&player, &Player::Ticked, &loop, [&] {
            if (++ticks == 500) loop.quit();
        });
        const double cpu0 = CpuSeconds();
        QElapsedTimer wall;
        wall.start();
        player.Play();
        loop.exec();
        const double elapsed = double(wall.nsecsElapsed()) / 1e9;
        player.Stop();
        QObject::disconnect(connection);
        state.SetIterationTime(elapsed);
        state.counters["cpu_percent"] = 100.0 * (CpuSeconds() - cpu0) / elapsed;
        state.counters["ticks_per_s"] = ticks / elapsed;
    }
}
BENCHMARK(BM_PlaybackCpu)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
