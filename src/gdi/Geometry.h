#pragma once
// Plain GDI-style geometry and colours used by the whole model.
//
// A Rect keeps GDI's meaning: right and bottom are exclusive. QRect is kept out of
// the model on purpose (its right() is inclusive); convert only where we paint.

#include <cmath>
#include <cstdint>
#include <limits>

namespace zv {

using COLORREF = std::uint32_t;  // 0x00BBGGRR

constexpr COLORREF RGB(int r, int g, int b) {
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int GetRValue(COLORREF c) {
    return static_cast<int>(c & 0xFF);
}
constexpr int GetGValue(COLORREF c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int GetBValue(COLORREF c) {
    return static_cast<int>((c >> 16) & 0xFF);
}

struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    std::int32_t Width() const { return right - left; }
    std::int32_t Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    // The platform's point-in-rectangle test: left/top inclusive, right/bottom exclusive.
    bool Contains(std::int32_t x, std::int32_t y) const {
        return x >= left && x < right && y >= top && y < bottom;
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// floor() into a 32-bit integer without undefined behaviour: values outside the
// range saturate and NaN gives 0. Layout arithmetic on absurd stored grids would
// otherwise overflow the conversion.
inline std::int32_t FloorToInt(double v) {
    if (std::isnan(v)) return 0;
    v = std::floor(v);
    if (v <= static_cast<double>(std::numeric_limits<std::int32_t>::min()))
        return std::numeric_limits<std::int32_t>::min();
    if (v >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(v);
}

// floor(v) + 1 with the same saturation (the "+ 1" must not overflow a capped value).
inline std::int32_t FloorPlusOne(double v) {
    return FloorToInt(std::floor(v) + 1.0);
}

// Coordinates handed to the painter are kept within this range: far beyond any
// view, and small enough that widths and differences cannot overflow.
constexpr std::int32_t kPaintLimit = 1 << 24;
inline std::int32_t ClampPaint(std::int32_t v) {
    return v < -kPaintLimit ? -kPaintLimit : (v > kPaintLimit ? kPaintLimit : v);
}

// C-style truncation towards zero, saturating like FloorToInt.
inline std::int32_t TruncToInt(double v) {
    if (std::isnan(v)) return 0;
    return FloorToInt(v < 0 ? std::ceil(v) : v);
}

}  // namespace zv
