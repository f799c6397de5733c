#pragma once
// One lamp cell of a lit region. The cell array is written to scheme files exactly
// as held, so this layout is a file format: 28 bytes, little-endian, no padding.

#include <cstddef>
#include <cstdint>

#include "gdi/Geometry.h"

namespace zv {

struct NeonCell {
    std::int32_t reserved = 0;  // no meaning; carried along and written as held
    Rect rect;                  // view pixels, right and bottom exclusive
    COLORREF colour = 0;        // 0 is an unlit cell
    COLORREF prevColour = 0;    // the colour before the last change
};

static_assert(sizeof(NeonCell) == 28);
static_assert(offsetof(NeonCell, reserved) == 0);
static_assert(offsetof(NeonCell, rect) == 4);
static_assert(offsetof(NeonCell, colour) == 20);
static_assert(offsetof(NeonCell, prevColour) == 24);

}  // namespace zv
