#pragma once
// The animation: a circular list of frames closed by an anchor frame that is never
// shown, with the current frame, its 1-based index and the defaults for new regions.

#include <cstdint>
#include <memory>

#include "model/NeonFrame.h"

namespace zv {

class CNeonAv {
public:
    CNeonAv();
    virtual ~CNeonAv();
    CNeonAv(const CNeonAv&) = delete;
    CNeonAv& operator=(const CNeonAv&) = delete;

    // `after` null means the anchor's next frame (the anchor itself for an empty list).
    CNeonFrame* InsertAfter(CNeonFrame* after, bool takeLayout);
    void CreateFirstFrame();
    int DeleteFrame(CNeonFrame* frame, bool moveCurrent);
    CNeonFrame* GetFrameAt(std::int32_t n) const;
    void Recount();
    void Clear();

    CNeonFrame* First() const { return anchor->next == anchor.get() ? nullptr : anchor->next; }
    CNeonFrame* Last() const { return anchor->prev == anchor.get() ? nullptr : anchor->prev; }

    CNeonFrame* currentFrame = nullptr;
    std::unique_ptr<CNeonFrame> anchor;
    std::int32_t frameCount = 0;
    std::int32_t currentIndex = 0;
    float defaultZoom = 1.0f;
    std::int32_t defaultRows = 1;
    std::int32_t defaultCols = 24;
};

}  // namespace zv
