#pragma once
// A polygon region with the alternate (even-odd) fill rule, as CreatePolygonRgn
// makes it, for hit testing. The point test works on the vertices directly, so a
// region of any size costs nothing to build and answers in time linear in its
// vertex count.

#include <span>
#include <vector>

#include "gdi/Geometry.h"

namespace zv {

class GdiRegion {
public:
    GdiRegion() = default;
    explicit GdiRegion(std::span<const Point> polygon)
        : vertices_(polygon.begin(), polygon.end()) {}

    // PtInRegion: the pixel (x, y) belongs to the region. Pixels are filled on each
    // row y from the first pixel at or right of an edge crossing up to, but not
    // including, the first pixel at or right of the next crossing; an edge covers
    // the rows from its upper end to just above its lower end.
    bool Contains(std::int32_t x, std::int32_t y) const;

    const std::vector<Point>& Vertices() const { return vertices_; }

private:
    std::vector<Point> vertices_;
};

}  // namespace zv
