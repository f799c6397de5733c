#include "app/AppResources.h"

#include "editor/EditorTypes.h"

namespace zv {

void InitAppResources() {}

QIcon IconFor(const QString& name) {
    if (name.isEmpty()) return {};
    return QIcon::fromTheme(name);
}

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
        case CursorId::Cross:
            return Qt::CrossCursor;
        case CursorId::Text:
            return Qt::IBeamCursor;
        case CursorId::Drag:
            return Qt::SizeAllCursor;
        case CursorId::Pick:
            return Qt::PointingHandCursor;
        default:
            return Qt::ArrowCursor;
    }
}

QIcon ApplicationIcon() {
    return {};
}

}  // namespace zv
