#pragma once
// Walks an effect frame's sub-frames one at a time, holding only the current one:
// sub-frame k + 1 is made from sub-frame k in place. The sub-frames, and what happens
// to the frame's own regions on the way, are exactly those of BuildSubFrames; when
// the walk is over, the frame's RestoreRegions gives it back its own colours.
//
//     CEffectStepper steps(frame);
//     do show(steps.SubFrame()); while (steps.Advance());
//     frame.RestoreRegions();

#include <cstdint>
#include <memory>

#include "model/NeonFrame.h"

namespace zv {

class CEffectStepper {
public:
    // Sub-frame 0: a copy of the frame's regions and their current colours.
    explicit CEffectStepper(CNeonFrame& frame);
    CEffectStepper(const CEffectStepper&) = delete;
    CEffectStepper& operator=(const CEffectStepper&) = delete;

    // Sub-frames in all: the starting picture and one per step of the frame.
    std::int64_t Count() const { return count_; }
    std::int64_t Index() const { return index_; }
    // The sub-frame at Index(): regions only, as BuildSubFrames makes them.
    const CNeonFrame& SubFrame() const { return *sub_; }

    // On to the next sub-frame; false, with nothing changed, after the last.
    bool Advance();
    // Forward to sub-frame k; false when k lies behind the current one or past the end
    // (a new stepper, after RestoreRegions, starts again from sub-frame 0).
    bool SeekTo(std::int64_t k);

private:
    CNeonFrame& frame_;
    std::unique_ptr<CNeonFrame> sub_;
    std::int64_t count_;
    std::int64_t index_ = 0;
};

}  // namespace zv
