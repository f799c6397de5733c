#pragma once
// The JSON views of a scheme that zorvane-cli prints: what a file holds (info) and
// the cell colours of its frames and generated sub-frames (cells).

#include <QJsonObject>

#include <cstdint>
#include <optional>

namespace zv {

class CNeonAv;
class CNeonBkg;

QJsonObject SchemeInfo(const CNeonAv& av, const CNeonBkg& background, std::int32_t version);

// More colours than this are not listed: a small file can describe millions of
// sub-frames, and the listing would not fit in memory.
constexpr std::int64_t kMaxListedColours = 50'000'000;

// Every frame, or only frame `only` (1-based) when it is above 0. Effect frames also
// list their sub-frames 0 to stepCount; the frames' own colours are restored after.
// Null, with `total` set to what it would hold, above kMaxListedColours.
std::optional<QJsonObject> SchemeCells(CNeonAv& av, std::int32_t only, std::int64_t* total);

}  // namespace zv
