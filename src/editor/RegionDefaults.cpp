#include "editor/RegionDefaults.h"

#include <QCoreApplication>

#include <algorithm>

#include "editor/NumberText.h"
#include "layers/NeonRegion.h"

namespace zv {

namespace {
constexpr std::int32_t kEmptyRows = 1;
constexpr std::int32_t kEmptyCols = 50;
}  // namespace

bool GridCountsAllowed(const GridCounts& c) {
    return c.rows >= 1 && c.cols >= 1 && c.rows <= kMaxGridSide && c.cols <= kMaxGridSide;
}

GridReading ReadGridCounts(const QString& rowsText, const QString& colsText) {
    const GridCounts c{rowsText.isEmpty() ? kEmptyRows : TextToNumber(rowsText),
                       colsText.isEmpty() ? kEmptyCols : TextToNumber(colsText)};
    if (GridCountsAllowed(c)) return {c, {}};
    return {std::nullopt,
            QCoreApplication::translate("RegionDefaults", "行数和列数必须是 1 到 %1 之间的整数。")
                .arg(kMaxGridSide)};
}

int ScalePercentOf(float zoom) {
    return std::clamp(CNeonRegion::ZoomPercent(zoom), 0, 100);
}

float ZoomOfScalePercent(int percent) {
    return CNeonRegion::ZoomFromPercent(static_cast<std::uint32_t>(std::clamp(percent, 0, 100)));
}

}  // namespace zv
