#pragma once
// Icons and cursors the window shows, by the names the command table uses and the
// cursor numbers the editor asks for.

#include <QCursor>
#include <QIcon>
#include <QString>

namespace zv {

// Call once after the application object exists.
void InitAppResources();
// A freedesktop icon name from the theme (with our fallback theme), or one of our
// own icons ("zv-...").
QIcon IconFor(const QString& name);
QCursor CursorFor(int cursorId);
QIcon ApplicationIcon();

}  // namespace zv
