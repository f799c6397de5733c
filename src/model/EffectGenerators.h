#pragma once
// The effect generators. Each applies at most one elementary move of its effect at
// step s to `target` (the region of a new sub-frame, holding the previous picture),
// reading `source` (the frame's own region, or its backup for the single-colour
// sweeps). Past the source's step count a generator does only its closing move.

#include <cstdint>

#include "layers/NeonRegion.h"

namespace zv {

// Steps effect e makes on a region of this grid; 0 for a number outside 1..56.
std::int32_t EffectStepCount(std::int32_t effect, const CNeonRegion& region);

// Effects 1..46: the horizontal movements 1..23 and their vertical twins 24..46.
std::int32_t MovementStepCount(std::int32_t effect, const CNeonRegion& region);
void RunMovementEffect(std::int32_t effect, const CNeonRegion& source, CNeonRegion& target,
                       std::int32_t s);

// Effects 47..56: fades, seven-colour sweeps and single-colour sweeps.
std::int32_t GradientStepCount(std::int32_t effect, const CNeonRegion& region);
void RunGradientEffect(std::int32_t effect, const CNeonRegion& source, CNeonRegion& target,
                       std::int32_t s);

// The single-colour sweeps read the colours the effect was assigned with.
constexpr bool ReadsBackup(std::int32_t effect) {
    return effect >= 53 && effect <= 56;
}
// The colour sweeps leave the frame's own region showing their latest step.
constexpr bool CopiesBack(std::int32_t effect) {
    return effect >= 49 && effect <= 56;
}

}  // namespace zv
