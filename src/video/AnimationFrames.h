#pragma once
// The video frames of an animation in order, rendered one at a time: a normal frame
// once, an effect frame once per sub-frame (stepped with CEffectStepper, drawn under
// the frame's own shapes, pictures and texts). An effect frame left mid-way, by
// Rewind or destruction, gets its own colours back.

#include <QImage>

#include <cstdint>
#include <memory>

namespace zv {

class CEffectStepper;
class CNeonAv;
class CNeonBkg;
class CNeonFrame;

class AnimationFrames {
public:
    AnimationFrames(CNeonAv& av, const CNeonBkg* background, bool showGrid);
    ~AnimationFrames();
    AnimationFrames(const AnimationFrames&) = delete;
    AnimationFrames& operator=(const AnimationFrames&) = delete;

    // Draws the next video frame over `image` (cleared to black first, at its own
    // size); false after the last.
    bool RenderNext(QImage& image);
    // Back to the first frame.
    void Rewind();

    // Normal frames count one, effect frames one per sub-frame.
    static std::int64_t Count(const CNeonAv& av);

private:
    void LeaveEffectFrame();

    CNeonAv& av_;
    const CNeonBkg* background_;
    bool showGrid_;
    CNeonFrame* frame_;
    std::unique_ptr<CEffectStepper> steps_;
};

}  // namespace zv
