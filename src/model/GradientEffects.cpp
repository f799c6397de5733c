// The ten gradient effects: fades (47, 48), seven-colour sweeps (49-52) and
// single-colour sweeps (53-56).

#include <cmath>
#include <numbers>

#include "model/EffectGenerators.h"

namespace zv {

namespace {

using Axis = CNeonRegion::Axis;
constexpr double kPi = std::numbers::pi;

// The sweeps: 49 and 53 run left, 50 and 54 right, 51 and 55 up, 52 and 56 down.
Axis SweepAxis(std::int32_t e) {
    return (e == 49 || e == 50 || e == 53 || e == 54) ? Axis::Columns : Axis::Rows;
}
bool SweepsTowardsStart(std::int32_t e) {
    return e == 49 || e == 51 || e == 53 || e == 55;
}

void Rotate(CNeonRegion& t, Axis axis, bool towardsStart) {
    towardsStart ? t.ShiftLeft(axis, true) : t.ShiftRight(axis, true);
}

// Fade-out factor of step s over `fadeSteps` steps: 1 just before the start, 0 at the end.
double FadeOut(std::int32_t s, std::int32_t fadeSteps) {
    return std::sin((1.0 - (s + 1.0) / fadeSteps) * kPi / 2);
}

double FadeIn(std::int32_t s, std::int32_t fadeSteps) {
    return std::sin(((s + 1.0) / fadeSteps) * kPi / 2);
}

// A running hue enters at the edge the pattern rotates away from.
void SevenColours(std::int32_t e, const CNeonRegion& source, CNeonRegion& t, std::int32_t s) {
    const Axis axis = SweepAxis(e);
    const bool towardsStart = SweepsTowardsStart(e);
    if (s > 0) Rotate(t, axis, towardsStart);
    const std::int32_t lines = axis == Axis::Columns ? source.cols : source.rows;
    if (lines <= 0) return;
    const double a = double(s) * 3.0 * kPi / lines;
    const COLORREF hue = CNeonRegion::WheelColour(a);
    t.SetColumnColour(axis, towardsStart ? t.LineCount(axis) - 1 : 0, hue);
}

// The pattern rotates and the lines lit at the start are repainted, dimmer each step.
void SingleColour(std::int32_t e, const CNeonRegion& backup, CNeonRegion& t, std::int32_t s) {
    const Axis axis = SweepAxis(e);
    const double f = FadeOut(s, backup.fadeSteps);
    Rotate(t, axis, SweepsTowardsStart(e));
    t.ScaleColumnsFrom(axis, backup, backup.LitColumns(axis), f);
}

}  // namespace

std::int32_t GradientStepCount(std::int32_t effect, const CNeonRegion& region) {
    switch (effect) {
        case 49:
        case 50:
            return region.cols;
        case 51:
        case 52:
            return region.rows;
        default:
            return effect >= 47 && effect <= 56 ? region.fadeSteps : 0;
    }
}

void RunGradientEffect(std::int32_t effect, const CNeonRegion& source, CNeonRegion& target,
                       std::int32_t s) {
    if (effect < 47 || effect > 56 || s >= source.effectFrames) return;
    const bool fades = effect == 47 || effect == 48 || ReadsBackup(effect);
    if (fades && s >= source.fadeSteps) return;
    switch (effect) {
        case 47:
            target.ScaleColoursFrom(source, FadeOut(s, source.fadeSteps));
            break;
        case 48:
            target.ScaleColoursFrom(source, FadeIn(s, source.fadeSteps));
            break;
        case 49:
        case 50:
        case 51:
        case 52:
            SevenColours(effect, source, target, s);
            break;
        default:
            SingleColour(effect, source, target, s);
            break;
    }
}

}  // namespace zv
