#pragma once
// The frame categories: 0 a normal frame, 1 to 56 the effects (the index is also the
// effect number of the effects menu and of a region's `effect`), 57 an effect frame.

#include <QString>

#include <array>
#include <cstdint>

namespace zv {

constexpr std::int32_t NormalFrameCategory = 0;
constexpr std::int32_t FirstEffect = 1;
constexpr std::int32_t LastEffect = 56;
constexpr std::int32_t EffectFrameCategory = 57;
constexpr std::size_t FrameCategoryCount = 58;

constexpr bool IsEffect(std::int32_t e) {
    return e >= FirstEffect && e <= LastEffect;
}

// The Chinese names, as files and the command-line tool give them. Built once, on
// first use.
const std::array<QString, FrameCategoryCount>& FrameCategoryNames();

// The name in the interface's language; the number itself when there is no such
// category.
QString FrameCategoryDisplayName(std::int32_t category);

}  // namespace zv
