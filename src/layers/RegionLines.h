#pragma once
// The cells of a region seen as lines along an effect axis: line x is column x (or
// row x), cell k of it the cell of row k (or column k). A grid whose cell array does
// not match its size has no lines at all, so callers never index past the array.

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "layers/NeonRegion.h"

namespace zv {

template <class Region>  // CNeonRegion or const CNeonRegion
class RegionLines {
public:
    using Cell = std::conditional_t<std::is_const_v<Region>, const NeonCell, NeonCell>;

    RegionLines(Region& region, CNeonRegion::Axis axis)
        : region_(region), alongRows_(axis == CNeonRegion::Axis::Rows) {
        const bool valid = region.rows > 0 && region.cols > 0 &&
                           region.cells.size() == std::size_t(region.rows) * region.cols;
        count_ = valid ? (alongRows_ ? region.rows : region.cols) : 0;
        length_ = valid ? (alongRows_ ? region.cols : region.rows) : 0;
    }

    std::int32_t Count() const { return count_; }
    std::int32_t Length() const { return length_; }
    bool Has(std::int32_t x) const { return x >= 0 && x < count_; }

    Cell& At(std::int32_t x, std::int32_t k) const {
        const std::size_t cols = std::size_t(region_.cols);
        return region_.cells[alongRows_ ? std::size_t(x) * cols + k : std::size_t(k) * cols + x];
    }

private:
    Region& region_;
    bool alongRows_;
    std::int32_t count_ = 0;
    std::int32_t length_ = 0;
};

}  // namespace zv
