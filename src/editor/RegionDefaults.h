#pragma once
// The rules of the grid and scale dialogs: what the typed row and column counts
// mean, which grids are refused, and the scale slider's percentage for a zoom.

#include <QString>

#include <cstdint>
#include <optional>

namespace zv {

struct GridCounts {
    std::int32_t rows = 1;
    std::int32_t cols = 24;
    friend bool operator==(const GridCounts&, const GridCounts&) = default;
};

// A region with no rows or no columns can never hold a lamp, and a grid beyond this
// on either side would take hundreds of megabytes in every frame: both are refused.
constexpr std::int32_t kMaxGridSide = 1000;

struct GridReading {
    std::optional<GridCounts> counts;  // none when refused
    QString error;                     // why, for the user
};

// Empty rows text reads as 1, empty columns text as 50; otherwise digits only (any
// other character reads as 0). A count of 0 or above kMaxGridSide is refused.
GridReading ReadGridCounts(const QString& rowsText, const QString& colsText);
bool GridCountsAllowed(const GridCounts& counts);

// The scale slider's position for a zoom: the nearest whole percent, within 0..100.
int ScalePercentOf(float zoom);
float ZoomOfScalePercent(int percent);

}  // namespace zv
