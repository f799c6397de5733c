#pragma once
// The current drawing style: what the property pages set and new shapes receive.

#include <cstdint>

#include "gdi/GdiDc.h"
#include "gdi/Geometry.h"

namespace zv {

class ShapeStyle {
public:
    virtual ~ShapeStyle() = default;

    void SetPenStyle(std::uint32_t v) { penStyle = v; }
    void SetBrushStyle(std::uint32_t v) { brushStyle = v; }
    void SetHatchStyle(std::int32_t v) { hatchStyle = v; }
    void SetBrushColour(COLORREF v) { brushColour = v; }
    void SetPenColour(COLORREF v) { penColour = v; }
    void SetSpareColourValue(std::int32_t v) { spareColourValue = v; }
    void SetBackColour(COLORREF v) { backColour = v; }
    void SetPenWidth(std::int32_t v) { penWidth = v; }
    void SetBackMode(std::int32_t v) { backMode = v; }

    std::uint32_t penStyle = PS_SOLID;
    std::uint32_t brushStyle = BS_HOLLOW;
    std::int32_t hatchStyle = HS_BDIAGONAL;
    COLORREF brushColour = 0x585858;
    COLORREF penColour = 0x585858;
    std::int32_t spareColourValue = 0;  // handed over by the colour page; no shape uses it
    COLORREF backColour = 0xFFFFFF;
    std::int32_t penWidth = 1;
    std::int32_t backMode = OPAQUE;
};

}  // namespace zv
