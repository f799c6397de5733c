#pragma once
// The program's private window messages. They travel as custom Qt events posted to
// the receiving object's queue (posted, never sent), so the sender never re-enters
// the receiver.

#include <QEvent>

namespace zv {

constexpr int UM_FRAME_CHANGED = 0x464;
constexpr int UM_PICK_COLOUR = 0x465;
constexpr int UM_APPLY_TO_SELECTION = 0x466;
constexpr int UM_APPLY_PROPERTIES = 0x467;
constexpr int UM_TOOL_CHANGED = 0x468;
constexpr int UM_LAYER_CHANGED = 0x469;
constexpr int UM_REDRAW = 0x46A;
constexpr int UM_SIM_CLICK = 0x46B;
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

}  // namespace zv
