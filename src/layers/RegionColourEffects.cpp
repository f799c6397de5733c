// Colour work of the gradient effects: scaling colours, the colour wheel, the lit
// lines of a region and painting lines from another region.

#include <algorithm>
#include <cmath>
#include <numbers>

#include "layers/NeonRegion.h"
#include "layers/RegionLines.h"

namespace zv {

namespace {

constexpr double kPi = std::numbers::pi;

int ByteOf(double v) {
    return std::clamp(FloorToInt(v), 0, 255);
}

int WheelByte(double angle) {
    return ByteOf(std::sin(angle) * 255.0);
}

}  // namespace

COLORREF CNeonRegion::ScaleColour(COLORREF v, double f) {
    return RGB(ByteOf(GetRValue(v) * f), ByteOf(GetGValue(v) * f), ByteOf(GetBValue(v) * f));
}

COLORREF CNeonRegion::WheelColour(double a) {
    // The sweeps keep the angle below 3 pi; a region regridded after its effect was
    // assigned can run past it, and the hue then simply goes round again.
    if (!(a >= 0.0)) a = 0.0;
    if (a >= 3.0 * kPi) a = std::fmod(a, 3.0 * kPi);
    if (a < kPi / 2) return RGB(255, WheelByte(a), 0);
    if (a < kPi) return RGB(WheelByte(a), 255, 0);
    if (a < 3 * kPi / 2) return RGB(0, 255, WheelByte(a - kPi));
    if (a < 2 * kPi) return RGB(0, WheelByte(a - kPi), 255);
    if (a < 5 * kPi / 2) return RGB(WheelByte(a - 2 * kPi), 0, 255);
    return RGB(255, 0, WheelByte(a - 2 * kPi));
}

std::vector<std::int32_t> CNeonRegion::LitColumns(Axis axis) const {
    const RegionLines<const CNeonRegion> lines(*this, axis);
    std::vector<std::int32_t> lit;
    for (std::int32_t x = 0; x < lines.Count(); ++x)
        for (std::int32_t k = 0; k < lines.Length(); ++k)
            if (lines.At(x, k).colour != 0) {
                lit.push_back(x);
                break;
            }
    return lit;
}

void CNeonRegion::ScaleColoursFrom(const CNeonRegion& source, double f) {
    const RegionLines<CNeonRegion> to(*this, Axis::Rows);
    const RegionLines<const CNeonRegion> from(source, Axis::Rows);
    const std::int32_t rowCount = std::min(to.Count(), from.Count());
    const std::int32_t colCount = std::min(to.Length(), from.Length());
    for (std::int32_t r = 0; r < rowCount; ++r)
        for (std::int32_t c = 0; c < colCount; ++c) {
            NeonCell& cell = to.At(r, c);
            cell.prevColour = cell.colour;
            cell.colour = ScaleColour(from.At(r, c).colour, f);
        }
}

void CNeonRegion::SetColumnColour(Axis axis, std::int32_t x, COLORREF colour) {
    const RegionLines<CNeonRegion> lines(*this, axis);
    if (!lines.Has(x)) return;
    for (std::int32_t k = 0; k < lines.Length(); ++k) {
        NeonCell& cell = lines.At(x, k);
        cell.prevColour = cell.colour;
        cell.colour = colour;
    }
}

void CNeonRegion::ScaleColumnsFrom(Axis axis, const CNeonRegion& source,
                                   std::span<const std::int32_t> lineList, double f) {
    const RegionLines<CNeonRegion> to(*this, axis);
    const RegionLines<const CNeonRegion> from(source, axis);
    const std::int32_t length = std::min(to.Length(), from.Length());
    for (std::int32_t x : lineList) {
        if (!to.Has(x) || !from.Has(x)) continue;
        for (std::int32_t k = 0; k < length; ++k) {
            NeonCell& cell = to.At(x, k);
            cell.prevColour = cell.colour;
            cell.colour = ScaleColour(from.At(x, k).colour, f);
        }
    }
}

}  // namespace zv
