#include "gdi/GdiRegion.h"

#include <cmath>

namespace zv {

bool GdiRegion::Contains(std::int32_t x, std::int32_t y) const {
    const std::size_t n = vertices_.size();
    if (n < 3) return false;
    bool inside = false;
    for (std::size_t i = 0; i < n; ++i) {
        const Point& a = vertices_[i];
        const Point& b = vertices_[(i + 1) % n];
        if (a.y == b.y) continue;
        const Point& top = a.y < b.y ? a : b;
        const Point& bottom = a.y < b.y ? b : a;
        if (y < top.y || y >= bottom.y) continue;
        // 64-bit and double keep vertices anywhere in the 32-bit plane exact enough.
        const double cross =
            static_cast<double>(top.x) + static_cast<double>(static_cast<std::int64_t>(y) - top.y) *
                                             (static_cast<double>(bottom.x) - top.x) /
                                             (static_cast<double>(bottom.y) - top.y);
        if (std::ceil(cross) <= static_cast<double>(x)) inside = !inside;
    }
    return inside;
}

}  // namespace zv
