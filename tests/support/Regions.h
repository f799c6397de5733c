#pragma once
// Reading a region's cells and owning test rings.
#include <vector>

#include "layers/NeonRegion.h"
#include "layers/Ring.h"

inline std::vector<zv::COLORREF> Colours(const zv::CNeonRegion& r) {
    std::vector<zv::COLORREF> out;
    for (const zv::NeonCell& c : r.cells) out.push_back(c.colour);
    return out;
}

inline std::vector<zv::COLORREF> Prevs(const zv::CNeonRegion& r) {
    std::vector<zv::COLORREF> out;
    for (const zv::NeonCell& c : r.cells) out.push_back(c.prevColour);
    return out;
}

// A ring anchor that destroys its items when the test ends, as a frame does.
template <class T>
struct OwnedRing {
    T anchor;
    ~OwnedRing() { zv::Ring<T>::DestroyAll(&anchor); }
};
