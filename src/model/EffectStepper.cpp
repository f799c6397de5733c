#include "model/EffectStepper.h"

#include "layers/Ring.h"

namespace zv {

namespace {

// A sub-frame made by copying the previous one starts with fresh cells that take only
// the colours; stepping in place keeps the previous colours the same way.
void StartFromColoursOnly(CNeonFrame& sub) {
    for (CNeonRegion* r : Ring<CNeonRegion>::Items(sub.regions.get()))
        for (NeonCell& cell : r->cells) cell.prevColour = 0;
}

}  // namespace

CEffectStepper::CEffectStepper(CNeonFrame& frame)
    : frame_(frame), sub_(std::make_unique<CNeonFrame>()), count_(frame.SubFrameCount()) {
    sub_->CopyFrom(frame, false, CNeonFrame::CopyMerge);
}

bool CEffectStepper::Advance() {
    if (index_ + 1 >= count_) return false;
    StartFromColoursOnly(*sub_);
    frame_.ApplyEffectStep(*sub_, static_cast<std::int32_t>(index_));
    ++index_;
    return true;
}

bool CEffectStepper::SeekTo(std::int64_t k) {
    if (k < index_ || k >= count_) return false;
    while (index_ < k) Advance();
    return true;
}

}  // namespace zv
