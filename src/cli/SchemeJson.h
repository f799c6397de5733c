#pragma once
// The JSON views of a scheme that zorvane-cli prints: what a file holds (info) and
// the cell colours of its frames and generated sub-frames (cells).

#include <QJsonObject>

#include <cstdint>

namespace zv {

class CNeonAv;
class CNeonBkg;

QJsonObject SchemeInfo(const CNeonAv& av, const CNeonBkg& background, std::int32_t version);

// Every frame, or only frame `only` (1-based) when it is above 0. Effect frames also
// list their sub-frames 0 to stepCount; the frames' own colours are restored after.
QJsonObject SchemeCells(CNeonAv& av, std::int32_t only);

}  // namespace zv
