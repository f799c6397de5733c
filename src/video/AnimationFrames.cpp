#include "video/AnimationFrames.h"

#include "model/EffectStepper.h"
#include "model/NeonAv.h"

namespace zv {

namespace {

bool IsEffectFrame(const CNeonFrame& frame) {
    return frame.category != 0;
}

}  // namespace

AnimationFrames::AnimationFrames(CNeonAv& av, const CNeonBkg* background, bool showGrid)
    : av_(av), background_(background), showGrid_(showGrid), frame_(av.First()) {}

AnimationFrames::~AnimationFrames() {
    LeaveEffectFrame();
}

std::int64_t AnimationFrames::Count(const CNeonAv& av) {
    std::int64_t n = 0;
    for (const CNeonFrame* f = av.First(); f && f != av.anchor.get(); f = f->next)
        n += IsEffectFrame(*f) ? f->SubFrameCount() : 1;
    return n;
}

bool AnimationFrames::RenderNext(QImage& image) {
    if (!frame_ || frame_ == av_.anchor.get()) return false;
    image.fill(Qt::black);
    if (IsEffectFrame(*frame_)) {
        if (!steps_) {
            // Its sub-frames start from the frame's own colours.
            frame_->RestoreRegions();
            steps_ = std::make_unique<CEffectStepper>(*frame_);
        }
        frame_->Render(image, showGrid_, background_, &steps_->SubFrame());
        if (!steps_->Advance()) {
            LeaveEffectFrame();
            frame_ = frame_->next;
        }
    } else {
        frame_->Render(image, showGrid_, background_);
        frame_ = frame_->next;
    }
    return true;
}

void AnimationFrames::LeaveEffectFrame() {
    if (!steps_) return;
    steps_.reset();
    frame_->RestoreRegions();
}

void AnimationFrames::Rewind() {
    LeaveEffectFrame();
    frame_ = av_.First();
}

}  // namespace zv
