#pragma once
// The cursor the view shows for a cursor number of the editor: our own drawings,
// and the system's resize cursors for the picture handles.

#include <QCursor>

namespace zv {

QCursor CursorFor(int cursorId);

}  // namespace zv
