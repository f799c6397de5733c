#pragma once
// The program's private window messages. They travel as custom Qt events posted to
// the receiving object's queue (posted, never sent), so the sender never re-enters
// the receiver.

#include <QEvent>

#include <cstdint>

namespace zv {

constexpr int UM_FRAME_CHANGED = 0x464;
constexpr int UM_PICK_COLOUR = 0x465;
constexpr int UM_APPLY_TO_SELECTION = 0x466;
constexpr int UM_APPLY_PROPERTIES = 0x467;
constexpr int UM_TOOL_CHANGED = 0x468;
constexpr int UM_LAYER_CHANGED = 0x469;
constexpr int UM_REDRAW = 0x46A;
constexpr int UM_SIM_CLICK = 0x46B;
constexpr int UM_SIM_DOUBLE_CLICK = 0x46C;
constexpr int UM_SIM_FINISH = 0x46D;
constexpr int UM_SIM_MOVE_TO = 0x46E;
constexpr int UM_SIM_MOVE_CANCEL = 0x46F;
constexpr int UM_SIM_ROTATE = 0x470;
constexpr int UM_SIM_ROTATE_CANCEL = 0x471;

// The Qt event type that carries message `um`.
constexpr QEvent::Type MessageEventType(int um) {
    return static_cast<QEvent::Type>(QEvent::User + um);
}

// The message number carried by `type`, or 0 when it is not one of ours.
constexpr int MessageOfEventType(QEvent::Type type) {
    const int um = static_cast<int>(type) - QEvent::User;
    return um >= UM_FRAME_CHANGED && um <= UM_SIM_ROTATE_CANCEL ? um : 0;
}

// A posted message with its two parameters.
class MessageEvent : public QEvent {
public:
    MessageEvent(int um, std::int64_t w = 0, std::int64_t l = 0)
        : QEvent(MessageEventType(um)), wParam(w), lParam(l) {}
    int Message() const { return MessageOfEventType(type()); }
    std::int64_t wParam;
    std::int64_t lParam;
};

}  // namespace zv
