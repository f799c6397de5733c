#include "app/AppResources.h"

#include "editor/EditorTypes.h"
#include "res/Resources.h"

namespace zv {

QCursor CursorFor(int cursorId) {
    switch (cursorId) {
        case CursorId::SizeNwse:
            return Qt::SizeFDiagCursor;
        case CursorId::SizeNesw:
            return Qt::SizeBDiagCursor;
        case CursorId::SizeWe:
            return Qt::SizeHorCursor;
        case CursorId::SizeNs:
            return Qt::SizeVerCursor;
        default:
            return ToolCursor(cursorId);
    }
}

}  // namespace zv
