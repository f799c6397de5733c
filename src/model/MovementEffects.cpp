// The 23 movement effects, each written once over an axis: the horizontal effect e
// moves columns, its vertical twin e + 23 moves rows with the same rules.

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>

#include "model/EffectGenerators.h"

namespace zv {

namespace {

using Axis = CNeonRegion::Axis;
using std::int64_t;

constexpr std::int32_t kVerticalOffset = 23;

// Step counts come from products of the grid size that outgrow 32 bits on very long
// strips; they are worked out wide and kept within the step counter's range.
std::int32_t ClampSteps(int64_t n) {
    return static_cast<std::int32_t>(std::clamp<int64_t>(
        n, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

// A position worked out wide; anything beyond the 32-bit range is off every grid
// anyway, and stays off it (negative stays negative).
std::int32_t Pos(int64_t v) {
    return static_cast<std::int32_t>(
        std::clamp<int64_t>(v, -1, std::numeric_limits<std::int32_t>::max()));
}

// --- Step selection by countdown ---------------------------------------------------
// Several effects pick the move of step s by walking pairs (i, j) in a fixed nested
// order and counting s down: the pair reached at 0 is the move. Whole inner runs are
// counted at once, which reaches the same pair.

// The integers from `first` to `last` inclusive, counting up (+1) or down (-1).
struct Run {
    int64_t first, last, dir;
    int64_t Length() const { return std::max<int64_t>((last - first) * dir + 1, 0); }
    int64_t At(int64_t k) const { return first + k * dir; }
};
Run Up(int64_t first, int64_t last) {
    return {first, last, 1};
}
Run Down(int64_t first, int64_t last) {
    return {first, last, -1};
}

// j of the pair reached at step s: i over `outer`, and for each i, j over inner(i).
// None when the pairs run out first.
template <class Inner>
std::optional<int64_t> CountDown(int64_t s, Run outer, Inner inner) {
    for (int64_t n = 0; n < outer.Length(); ++n) {
        const Run js = inner(outer.At(n));
        if (s < js.Length()) return js.At(s);
        s -= js.Length();
    }
    return std::nullopt;
}

// Converge (4 left, 5 right, 6 and 7 centre and edges).
std::optional<int64_t> ConvergeMove(std::int32_t e, int64_t n, int64_t s) {
    switch (e) {
        case 4:
            return CountDown(s, Up(0, n - 1), [n](int64_t i) { return Down(n - 1, i + 1); });
        case 5:
            return CountDown(s, Up(0, n - 1), [n](int64_t i) { return Up(0, n - 2 - i); });
        default:
            return CountDown(s, Up(0, n / 2 - 1), [n](int64_t i) { return Up(0, n / 2 - 2 - i); });
    }
}

// Disperse (8 left, 9 right, 10 centre, 11 edges).
std::optional<int64_t> DisperseMove(std::int32_t e, int64_t n, int64_t s) {
    switch (e) {
        case 8:
            return CountDown(s, Up(0, n - 1), [](int64_t i) { return Down(i, 0); });
        case 9:
            return CountDown(s, Down(n - 1, 0), [n](int64_t i) { return Up(i, n - 1); });
        case 10:
            return CountDown(s, Down(n / 2 - 1, 0), [n](int64_t i) { return Up(i, n / 2 - 1); });
        default:
            return CountDown(s, Up(0, n / 2 - 1), [](int64_t i) { return Down(i, 0); });
    }
}

// Erode (20 left, 21 right, 22 centre, 23 edges).
std::optional<int64_t> ErodeMove(std::int32_t e, int64_t n, int64_t s) {
    const int64_t m = (n - 1) / 2;
    switch (e) {
        case 20:
            return CountDown(s, Up(0, n - 2), [n](int64_t i) { return Down(n - 1, i); });
        case 21:
            return CountDown(s, Up(0, n - 2), [n](int64_t i) { return Up(0, n - 1 - i); });
        case 22:
            return CountDown(s, Up(0, m), [m](int64_t i) { return Up(0, m - i); });
        default:
            return CountDown(s, Down(m, 0), [m](int64_t) { return Down(m, 0); });
    }
}

// --- The moves --------------------------------------------------------------------

// The elementary move of horizontal effect e at step s (while s < the step count).
void Move(std::int32_t e, Axis ax, const CNeonRegion& r, CNeonRegion& t, int64_t n, int64_t s) {
    const int64_t m = (n - 1) / 2;
    const bool wrap = r.loop != 0;
    switch (e) {
        case 1:
            t.ShiftLeft(ax, wrap);
            return;
        case 2:
            t.ShiftRight(ax, wrap);
            return;
        case 3:
            t.Interleave(ax);
            return;
        case 4:
        case 5:
        case 6:
        case 7: {
            const auto j = ConvergeMove(e, n, s);
            if (!j) return;
            if (e == 4) {
                t.CopyColumnFrom(ax, r, Pos(n - 1));
                t.PullLeft(ax, Pos(*j), false);
            } else if (e == 5) {
                t.CopyColumnFrom(ax, r, 0);
                t.PullRight(ax, Pos(*j), false);
            } else if (e == 6) {
                t.CopyColumnFrom(ax, r, 0);
                t.CopyColumnFrom(ax, r, Pos(n - 1));
                t.PullApart(ax, Pos(n - 1 - *j), Pos(*j), false);
            } else {
                t.CopyColumnFrom(ax, r, Pos(m));
                t.CopyColumnFrom(ax, r, Pos(m + 1));
                t.PullApart(ax, Pos(m - *j), Pos(m + 1 + *j), true);
                t.ClearColumn(ax, Pos(m));
                t.ClearColumn(ax, Pos(m + 1));
            }
            return;
        }
        case 8:
        case 9:
        case 10:
        case 11: {
            const auto j = DisperseMove(e, n, s);
            if (!j) return;
            if (e == 8) t.PushLeft(ax, Pos(*j));
            if (e == 9) t.PushRight(ax, Pos(*j));
            if (e == 10) t.PushInward(ax, Pos(*j), Pos(n - 1 - *j));
            if (e == 11) t.PushApart(ax, Pos(*j), Pos(n - 1 - *j));
            return;
        }
        case 12:
            if (n - 1 - s >= 0) t.PushLeft(ax, Pos(n - 1 - s));
            return;
        case 13:
            if (s < n) t.PushRight(ax, Pos(s));
            return;
        case 14:
            // Nothing moves with these arguments: columns go dark from the edges inward.
            if (s < n / 2 + 1) t.PushInward(ax, Pos(n - 1 - s), Pos(s));
            return;
        case 15: {
            const int64_t x = n / 2 - 1 - s;
            if (x >= 0) t.PushApart(ax, Pos(x), Pos(n - 1 - x));
            return;
        }
        case 16:
            if (n - 1 - s >= 0) {
                t.CopyColumnFrom(ax, r, Pos(n - 1));
                t.SmearLeft(ax, Pos(n - 1 - s));
            }
            return;
        case 17:
            if (s < n) {
                t.CopyColumnFrom(ax, r, 0);
                t.SmearRight(ax, Pos(s));
            }
            return;
        case 18:
            if (s < n / 2 - 1) {
                t.CopyColumnFrom(ax, r, 0);
                t.CopyColumnFrom(ax, r, Pos(n - 1));
                t.SmearApart(ax, Pos(n - 1 - s), Pos(s));
            }
            return;
        case 19:
            if (s < n / 2 - 1) t.SmearApart(ax, Pos(m - s), Pos((n + 1) / 2 + s));
            return;
        default: {  // 20..23
            const auto j = ErodeMove(e, n, s);
            if (!j) return;
            if (e == 20) t.PushRight(ax, Pos(*j));
            if (e == 21) t.PushLeft(ax, Pos(*j));
            if (e == 22) t.PushApart(ax, Pos(*j), Pos(n - 1 - *j));
            if (e == 23) t.PushInward(ax, Pos(*j), Pos(n - 1 - *j));
            return;
        }
    }
}

// What horizontal effect e does at every step after its last one: the converging
// effects keep feeding their source columns, the one-sided erosions clear their edge.
void AfterLastStep(std::int32_t e, Axis ax, const CNeonRegion& r, CNeonRegion& t, int64_t n) {
    const int64_t m = (n - 1) / 2;
    switch (e) {
        case 4:
            t.CopyColumnFrom(ax, r, Pos(n - 1));
            break;
        case 5:
            t.CopyColumnFrom(ax, r, 0);
            break;
        case 6:
            t.CopyColumnFrom(ax, r, 0);
            t.CopyColumnFrom(ax, r, Pos(n - 1));
            break;
        case 7:
            t.CopyColumnFrom(ax, r, Pos(m));
            t.CopyColumnFrom(ax, r, Pos(m + 1));
            break;
        case 20:
            t.ClearColumn(ax, Pos(n - 1));
            break;
        case 21:
            t.ClearColumn(ax, 0);
            break;
        default:
            break;
    }
}

Axis AxisOf(std::int32_t effect) {
    return effect > kVerticalOffset ? Axis::Rows : Axis::Columns;
}

std::int32_t HorizontalIndex(std::int32_t effect) {
    return effect > kVerticalOffset ? effect - kVerticalOffset : effect;
}

int64_t LinesOf(const CNeonRegion& region, Axis axis) {
    return axis == Axis::Columns ? region.cols : region.rows;
}

}  // namespace

std::int32_t MovementStepCount(std::int32_t effect, const CNeonRegion& region) {
    if (effect < 1 || effect > 2 * kVerticalOffset) return 0;
    const int64_t n = LinesOf(region, AxisOf(effect));
    switch (HorizontalIndex(effect)) {
        case 4:
        case 5:
            return ClampSteps(n * (n - 1) / 2);
        case 6:
        case 7:
            return ClampSteps((n - 2) * n / 8);
        case 8:
        case 9:
        case 20:
        case 21:
            return ClampSteps(n * (n + 1) / 2);
        case 10:
        case 11:
            return ClampSteps((n + 2) * n / 8);
        case 14:
        case 15:
        case 18:
        case 19:
            return ClampSteps(n / 2 + 1);
        case 22:
        case 23:
            return ClampSteps((n / 2) * (n / 2));
        default:
            return ClampSteps(n);  // 1-3, 12, 13, 16, 17
    }
}

void RunMovementEffect(std::int32_t effect, const CNeonRegion& source, CNeonRegion& target,
                       std::int32_t s) {
    if (effect < 1 || effect > 2 * kVerticalOffset) return;
    const Axis axis = AxisOf(effect);
    const std::int32_t e = HorizontalIndex(effect);
    const int64_t n = LinesOf(source, axis);
    if (s >= source.effectFrames)
        AfterLastStep(e, axis, source, target, n);
    else
        Move(e, axis, source, target, n, s);
}

}  // namespace zv
