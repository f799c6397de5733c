#pragma once
// The Position bar's typed points: "1 x,y" clicks, "2 x,y" double-clicks, "3 x,y"
// moves to a point and "4 x,y,a" rotates, turned into the view's simulated-input
// messages.

#include <QString>

#include <cstdint>
#include <optional>

namespace zv {

// What the bar is waiting for.
enum class PositionKind : int { None = 0, Points = 1, MoveTo = 3, Rotate = 4, Off = -1 };

struct ParsedPosition {
    // 1, 3, 5, 7 for a well-formed line with prefix 1, 2, 3, 4; 2, 4, 6, 8 when the
    // numbers lack their separator; 0 when no prefix matches.
    int code = 0;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t a = 0;  // prefix 4 only
};

ParsedPosition ParsePositionText(const QString& text);

// A message for the view: the window message number and its two parameters.
struct SimMessage {
    int message = 0;
    std::int64_t wParam = 0;
    std::int64_t lParam = 0;
};

// Enter or Escape (Qt key codes) typed with `text` while the bar waits for `kind`.
// Nothing for other keys, other kinds or text the grammar does not accept.
std::optional<SimMessage> PositionKeyMessage(PositionKind kind, int key, const QString& text);

}  // namespace zv
