#pragma once
// Frames with lit regions for the effect tests, and ways to read their pictures.

#include <memory>
#include <vector>

#include "layers/Ring.h"
#include "model/EffectStepper.h"
#include "model/NeonAv.h"

namespace zv::test {

// Every region's cells of one picture, in ring order: colour and previous colour.
using Picture = std::vector<std::vector<std::pair<COLORREF, COLORREF>>>;

inline std::vector<COLORREF> Colours(const CNeonRegion& r) {
    std::vector<COLORREF> out;
    for (const NeonCell& c : r.cells) out.push_back(c.colour);
    return out;
}

inline std::vector<CNeonRegion*> RegionsOf(const CNeonFrame& f) {
    std::vector<CNeonRegion*> out;
    for (CNeonRegion* r : Ring<CNeonRegion>::Items(f.regions.get())) out.push_back(r);
    return out;
}

inline std::vector<CNeonFrame*> FramesOf(CNeonFrame& anchor) {
    std::vector<CNeonFrame*> out;
    for (CNeonFrame* f : Ring<CNeonFrame>::Items(&anchor)) out.push_back(f);
    return out;
}

inline Picture PictureOf(const CNeonFrame& f) {
    Picture p;
    for (const CNeonRegion* r : RegionsOf(f)) {
        p.emplace_back();
        for (const NeonCell& c : r->cells) p.back().emplace_back(c.colour, c.prevColour);
    }
    return p;
}

// A region of cols x rows at the given left edge of the frame, holding the colours
// in cell order (the rest unlit); it becomes the selected region.
inline CNeonRegion& AddRegion(CNeonFrame& f, std::int32_t cols, std::int32_t rows,
                              const std::vector<COLORREF>& colours, std::int32_t left = 0) {
    f.AddRectRegion(cols, rows, 1.0f, Rect{left, 0, left + 10 * cols + 1, 10 * rows + 1});
    CNeonRegion& r = *f.selectedRegion;
    for (std::size_t i = 0; i < colours.size() && i < r.cells.size(); ++i)
        r.cells[i].colour = colours[i];
    return r;
}

// An animation of `frames` empty frames; the first is current.
inline std::unique_ptr<CNeonAv> Animation(int frames = 1) {
    auto av = std::make_unique<CNeonAv>();
    av->CreateFirstFrame();
    for (int i = 1; i < frames; ++i) av->InsertAfter(av->Last(), false);
    av->currentFrame = av->First();
    av->currentIndex = 1;
    return av;
}

// The sub-frames as BuildSubFrames leaves them.
inline std::vector<Picture> BuiltPictures(CNeonFrame& f) {
    f.BuildSubFrames();
    std::vector<Picture> out;
    for (const CNeonFrame* sub : Ring<CNeonFrame>::Items(f.subFrames.get()))
        out.push_back(PictureOf(*sub));
    return out;
}

// The same sub-frames walked one at a time.
inline std::vector<Picture> SteppedPictures(CNeonFrame& f) {
    std::vector<Picture> out;
    CEffectStepper steps(f);
    do out.push_back(PictureOf(steps.SubFrame()));
    while (steps.Advance());
    return out;
}

// Colours of the first region in every sub-frame.
inline std::vector<std::vector<COLORREF>> FirstRegionColours(const std::vector<Picture>& pictures) {
    std::vector<std::vector<COLORREF>> out;
    for (const Picture& p : pictures) {
        out.emplace_back();
        for (const auto& cell : p.at(0)) out.back().push_back(cell.first);
    }
    return out;
}

}  // namespace zv::test
