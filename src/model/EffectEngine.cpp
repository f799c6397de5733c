// The effect engine of a frame: assigning an effect, generating the sub-frames of an
// effect frame, and expanding an effect's steps into the frames that follow.

#include <algorithm>

#include "layers/Ring.h"
#include "model/EffectGenerators.h"
#include "model/EffectStepper.h"
#include "model/FrameCategoryNames.h"
#include "model/NeonFrame.h"

namespace zv {

namespace {

using Regions = Ring<CNeonRegion>;

void RunEffect(std::int32_t effect, const CNeonRegion& source, CNeonRegion& target,
               std::int32_t s) {
    if (effect <= 46)
        RunMovementEffect(effect, source, target, s);
    else
        RunGradientEffect(effect, source, target, s);
}

// The expanded region of a following frame, created over the effect region's grid
// when that frame lacks it.
CNeonRegion& RegionLike(CNeonFrame& frame, const CNeonRegion& like) {
    if (CNeonRegion* r = frame.FindRegion(like)) return *r;
    CNeonRegion* r = frame.regions->AppendRegion();
    r->Init(like.cols, like.rows, like.zoom, like.bounds);
    return *r;
}

}  // namespace

std::int32_t EffectStepCount(std::int32_t effect, const CNeonRegion& region) {
    if (!IsEffect(effect)) return 0;
    return effect <= 46 ? MovementStepCount(effect, region) : GradientStepCount(effect, region);
}

void CNeonFrame::ApplyEffect(const CNeonFrame& anchor, std::int32_t effect, std::int32_t loop,
                             bool expand) {
    if (!IsEffect(effect) || !selectedRegion) return;
    CNeonRegion& region = *selectedRegion;
    const std::int32_t n = EffectStepCount(effect, region);
    stepCount = std::max(stepCount, n);
    region.SetEffect(effect, n, loop);
    if (!expand) {
        category = EffectFrameCategory;
        return;
    }
    ExpandEffect(anchor);
    region.effect = 0;
    category = NormalFrameCategory;
    region.CopyColours(*region.backup);
    stepCount = 1;
    region.effectFrames = 1;
}

std::int64_t CNeonFrame::SubFrameCount() const {
    return std::int64_t(std::max(stepCount, 0)) + 1;
}

void CNeonFrame::ApplyEffectStep(CNeonFrame& sub, std::int32_t s) {
    CNeonRegion* t = sub.regions->next;
    for (CNeonRegion* r : Regions::Items(regions.get())) {
        // A sub-frame holds one region per distinct rectangle: regions of this frame
        // stacked over the same rectangle leave it shorter, and the pairing ends there.
        if (t == sub.regions.get()) break;
        if (s == 0 && r->backup) {
            r->CopyColours(*r->backup);
            t->CopyColours(*r->backup);
        }
        if (IsEffect(r->effect)) {
            const CNeonRegion* source = ReadsBackup(r->effect) ? r->backup.get() : r;
            if (source) RunEffect(r->effect, *source, *t, s);
            if (CopiesBack(r->effect)) r->CopyColours(*t);
        }
        t = t->next;
    }
}

void CNeonFrame::BuildSubFrames() {
    // A rebuild replaces the earlier sub-frames instead of piling up behind them.
    ClearSubFrames();
    if (!subFrames) subFrames = std::make_unique<CNeonFrame>();
    AppendSubFrame(false);
    for (std::int32_t s = 0; s < stepCount; ++s) ApplyEffectStep(*AppendSubFrame(false), s);
    subCursor = subFrames->next;
}

void CNeonFrame::ExpandEffect(const CNeonFrame& anchor) {
    if (!selectedRegion) return;
    const CNeonRegion& effectRegion = *selectedRegion;
    ClearSubFrames();
    if (!subFrames) subFrames = std::make_unique<CNeonFrame>();

    // The steps are walked one at a time rather than built as a whole list, which for
    // a long effect on a large grid would not fit in memory. Only a frame appended
    // right after this one sees this frame's own regions, and it must see them as a
    // complete build leaves them: walk the steps once beforehand in that case, keeping
    // the starting picture.
    std::unique_ptr<CNeonRegion> start;
    if (next == &anchor) {
        CEffectStepper pass(*this);
        if (const CNeonRegion* u = pass.SubFrame().FindRegion(effectRegion)) {
            start = std::make_unique<CNeonRegion>(u->cols, u->rows, u->zoom);
            start->Init(u->cols, u->rows, u->zoom, u->bounds);
            start->CopyColours(*u);
        }
        while (pass.Advance()) {
        }
    }

    CEffectStepper steps(*this);
    CNeonFrame* target = this;
    do {
        target = target->next == &anchor ? target->InsertFrameAfter(true) : target->next;
        const CNeonRegion* u =
            steps.Index() == 0 && start ? start.get() : steps.SubFrame().FindRegion(effectRegion);
        if (u) RegionLike(*target, effectRegion).CopyColours(*u);
    } while (steps.Advance());
    ClearSubFrames();
}

}  // namespace zv
