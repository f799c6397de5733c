#include "model/NeonAv.h"

#include "layers/Ring.h"

namespace zv {

using Frames = Ring<CNeonFrame>;

CNeonAv::CNeonAv() : anchor(std::make_unique<CNeonFrame>()) {}

CNeonAv::~CNeonAv() {
    Clear();
}

CNeonFrame* CNeonAv::InsertAfter(CNeonFrame* after, bool takeLayout) {
    CNeonFrame* pos = after ? after : anchor->next;
    CNeonFrame* f = Frames::InsertAfter(pos, std::make_unique<CNeonFrame>());
    if (takeLayout) f->CopyRegionsFrom(*pos, CNeonFrame::CopyLayout);
    ++currentIndex;
    ++frameCount;
    return f;
}

void CNeonAv::CreateFirstFrame() {
    currentFrame = InsertAfter(anchor.get(), true);
    frameCount = 1;
    currentIndex = 1;
}

int CNeonAv::DeleteFrame(CNeonFrame* frame, bool moveCurrent) {
    if (!frame || frame == anchor.get()) return 0;
    // The current frame cannot outlive its deletion, whatever the caller asked for.
    if (frame == currentFrame) moveCurrent = true;
    CNeonFrame* follower = frame->next;
    Frames::Unlink(frame).reset();
    --frameCount;
    if (frameCount > 0) {
        if (follower == anchor.get()) {
            if (moveCurrent) currentFrame = anchor->prev;
            currentIndex = frameCount;
        } else if (follower != anchor->next) {
            if (moveCurrent) currentFrame = follower;
        } else {
            if (moveCurrent) currentFrame = follower;
            currentIndex = 1;
        }
        return 1;
    }
    frameCount = 0;
    currentIndex = 0;
    if (moveCurrent) currentFrame = nullptr;
    return 0;
}

CNeonFrame* CNeonAv::GetFrameAt(std::int32_t n) const {
    if (n < 1) return nullptr;
    CNeonFrame* f = anchor->next;
    for (std::int32_t i = 1; f != anchor.get(); ++i, f = f->next)
        if (i == n) return f;
    return nullptr;
}

void CNeonAv::Recount() {
    frameCount = static_cast<std::int32_t>(Frames::Count(anchor.get()));
}

void CNeonAv::Clear() {
    currentFrame = nullptr;
    if (frameCount >= 1 || !Frames::IsEmpty(anchor.get())) {
        Frames::DestroyAll(anchor.get());
        frameCount = 0;
        currentIndex = 0;
    }
}

}  // namespace zv
