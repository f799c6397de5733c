// Undo and redo of one edit (a region of the middle frame shifted) on the scheme
// benchmark's 1000-frame animation, with the memory the step holds against the
// whole animation's.
#include <benchmark/benchmark.h>

#include "editor/Document.h"
#include "editor/EditHistory.h"
#include "layers/Ring.h"
#include "model/NeonAv.h"
#include "scene/BenchScene.h"

using namespace zv;

namespace {

// A document holding the big scheme, the middle frame current, its last region
// selected, no steps.
struct BigDocument {
    BigDocument() {
        BuildBigScheme(*doc.Animation());
        doc.GoToFrame(500);
        doc.History().Reset();
    }
    // One edit as the window makes it: the command, then its checkpoint.
    void Edit() {
        doc.MoveObject(MoveDirection::Right);
        doc.Checkpoint(QStringLiteral("右移"));
    }
    std::int64_t AnimationBytes() {
        std::int64_t n = 0;
        for (const CNeonFrame* f : Ring<CNeonFrame>::Items(doc.Animation()->anchor.get()))
            n += FrameBytes(*f);
        return n;
    }
    Document doc;
};

BigDocument& Big() {
    static BigDocument big;
    return big;
}

void Counters(benchmark::State& state, BigDocument& big, int steps) {
    state.counters["step_bytes"] = double(big.doc.History().HeldBytes()) / std::max(steps, 1);
    state.counters["animation_bytes"] = double(big.AnimationBytes());
}

void BM_EditAndRecord(benchmark::State& state) {
    BigDocument& big = Big();
    big.doc.History().Reset();
    for (auto _ : state) big.Edit();
    Counters(state, big, big.doc.History().Stack().count());
    big.doc.History().Reset();
}
BENCHMARK(BM_EditAndRecord)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Undo(benchmark::State& state) {
    BigDocument& big = Big();
    big.doc.History().Reset();
    for (auto _ : state) {
        state.PauseTiming();
        big.Edit();
        state.ResumeTiming();
        big.doc.Undo();
    }
    if (big.doc.CanUndo()) state.SkipWithError("the edit was not undone");
    Counters(state, big, 1);
    big.doc.History().Reset();
}
BENCHMARK(BM_Undo)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Redo(benchmark::State& state) {
    BigDocument& big = Big();
    big.doc.History().Reset();
    big.Edit();
    for (auto _ : state) {
        state.PauseTiming();
        big.doc.Undo();
        state.ResumeTiming();
        big.doc.Redo();
    }
    if (big.doc.CanRedo()) state.SkipWithError("the edit was not redone");
    Counters(state, big, 1);
    big.doc.History().Reset();
}
BENCHMARK(BM_Redo)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
