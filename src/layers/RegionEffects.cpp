// Line moves of the movement effects: shifts, interleaving, pulls, pushes and smears
// of whole columns (or rows). A move copies the pair (colour, prevColour); a cell's
// rectangle and reserved word stay where they are.

#include <algorithm>

#include "layers/NeonRegion.h"
#include "layers/RegionLines.h"

namespace zv {

namespace {

using Axis = CNeonRegion::Axis;
using Lines = RegionLines<CNeonRegion>;

void Take(NeonCell& to, const NeonCell& from) {
    to.colour = from.colour;
    to.prevColour = from.prevColour;
}

// Line `to` takes line `from`'s pairs.
void MoveLine(const Lines& lines, std::int32_t to, std::int32_t from) {
    for (std::int32_t k = 0; k < lines.Length(); ++k) Take(lines.At(to, k), lines.At(from, k));
}

void ClearLine(const Lines& lines, std::int32_t x) {
    for (std::int32_t k = 0; k < lines.Length(); ++k) lines.At(x, k).colour = 0;
}

// The line remembers its colour and goes dark.
void RetireLine(const Lines& lines, std::int32_t x) {
    for (std::int32_t k = 0; k < lines.Length(); ++k) {
        NeonCell& c = lines.At(x, k);
        c.prevColour = c.colour;
        c.colour = 0;
    }
}

// Line x hands its pairs to line `to` (when that line exists), remembering its own
// colour, and goes dark in any case: the common step of every push.
void PushLine(const Lines& lines, std::int32_t x, std::int32_t to, bool move) {
    if (move) {
        MoveLine(lines, to, x);
        for (std::int32_t k = 0; k < lines.Length(); ++k) {
            NeonCell& c = lines.At(x, k);
            c.prevColour = c.colour;
        }
    }
    ClearLine(lines, x);
}

}  // namespace

std::int32_t CNeonRegion::LineCount(Axis axis) const {
    return RegionLines<const CNeonRegion>(*this, axis).Count();
}

void CNeonRegion::ShiftLeft(Axis axis, bool wrap) {
    axis == Axis::Columns ? ShiftLeft(wrap) : ShiftUp(wrap);
}

void CNeonRegion::ShiftRight(Axis axis, bool wrap) {
    axis == Axis::Columns ? ShiftRight(wrap) : ShiftDown(wrap);
}

void CNeonRegion::Interleave(Axis axis) {
    const Lines lines(*this, axis);
    const std::int32_t n = lines.Count();
    if (n < 3) return;
    const std::int32_t lastEven = (n - 1) / 2 * 2;
    const std::int32_t lastOdd = n % 2 == 0 ? n - 1 : n - 2;
    for (std::int32_t k = 0; k < lines.Length(); ++k) {
        // Even lines rotate one even position towards line 0 ...
        const NeonCell first = lines.At(0, k);
        for (std::int32_t x = 0; x + 2 <= lastEven; x += 2)
            Take(lines.At(x, k), lines.At(x + 2, k));
        Take(lines.At(lastEven, k), first);
        // ... and odd lines one odd position away from it.
        const NeonCell last = lines.At(lastOdd, k);
        for (std::int32_t x = lastOdd; x - 2 >= 1; x -= 2) Take(lines.At(x, k), lines.At(x - 2, k));
        Take(lines.At(1, k), last);
    }
}

void CNeonRegion::CopyColumnFrom(Axis axis, const CNeonRegion& source, std::int32_t x) {
    const Lines lines(*this, axis);
    const RegionLines<const CNeonRegion> from(source, axis);
    if (!lines.Has(x) || !from.Has(x)) return;
    const std::int32_t length = std::min(lines.Length(), from.Length());
    for (std::int32_t k = 0; k < length; ++k) Take(lines.At(x, k), from.At(x, k));
}

void CNeonRegion::ClearColumn(Axis axis, std::int32_t x) {
    const Lines lines(*this, axis);
    if (lines.Has(x)) ClearLine(lines, x);
}

void CNeonRegion::PullLeft(Axis axis, std::int32_t x, bool keepEdge) {
    const Lines lines(*this, axis);
    if (x > 0 && lines.Has(x)) {
        MoveLine(lines, x - 1, x);
        RetireLine(lines, x);
    }
    if (!keepEdge) ClearColumn(axis, lines.Count() - 1);
}

void CNeonRegion::PullRight(Axis axis, std::int32_t x, bool keepEdge) {
    const Lines lines(*this, axis);
    if (x >= 0 && x < lines.Count() - 1) {
        MoveLine(lines, x + 1, x);
        RetireLine(lines, x);
    }
    if (!keepEdge) ClearColumn(axis, 0);
}

void CNeonRegion::PullApart(Axis axis, std::int32_t a, std::int32_t b, bool keepEdge) {
    PullRight(axis, b, keepEdge);
    PullLeft(axis, a, keepEdge);
}

void CNeonRegion::PushLeft(Axis axis, std::int32_t x) {
    const Lines lines(*this, axis);
    if (lines.Has(x)) PushLine(lines, x, x - 1, x > 0);
}

void CNeonRegion::PushRight(Axis axis, std::int32_t x) {
    const Lines lines(*this, axis);
    if (lines.Has(x)) PushLine(lines, x, x + 1, x < lines.Count() - 1);
}

void CNeonRegion::PushApart(Axis axis, std::int32_t a, std::int32_t b) {
    PushRight(axis, b);
    PushLeft(axis, a);
}

void CNeonRegion::PushInward(Axis axis, std::int32_t a, std::int32_t b) {
    const Lines lines(*this, axis);
    const std::int32_t n = lines.Count();
    if (a < 0 || b > n - 1) return;
    // Only the half beyond the middle moves inward; the other half just goes dark.
    if (lines.Has(a)) PushLine(lines, a, a + 1, a < (n - 1) / 2);
    if (lines.Has(b)) PushLine(lines, b, b - 1, b > (n + 1) / 2);
}

void CNeonRegion::SmearLeft(Axis axis, std::int32_t x) {
    const Lines lines(*this, axis);
    if (x > 0 && lines.Has(x)) MoveLine(lines, x - 1, x);
}

void CNeonRegion::SmearRight(Axis axis, std::int32_t x) {
    const Lines lines(*this, axis);
    if (x >= 0 && x < lines.Count() - 1) MoveLine(lines, x + 1, x);
}

void CNeonRegion::SmearApart(Axis axis, std::int32_t a, std::int32_t b) {
    SmearLeft(axis, a);
    SmearRight(axis, b);
}

}  // namespace zv
