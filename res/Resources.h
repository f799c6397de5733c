// The program's own pictures: tool and command icons, the view's cursors and the
// application icon, plus the freedesktop theme icons used for the standard actions.
#pragma once

#include <QCursor>
#include <QIcon>
#include <QList>
#include <QString>

namespace zv {

// The icon theme scripts/bootstrap installs; used when the desktop's own theme lacks a
// name or when there is no desktop theme at all.
inline constexpr const char* kFallbackIconTheme = "oxygen";

// Makes theme icons resolve on a bare machine: adds the system icon folders to the
// search path, names the fallback theme, and uses it as the theme only when the
// platform names none. A desktop's own theme stays in charge. Call once after the
// QGuiApplication exists.
void InitIcons();

// An icon by the name the command table gives it: one of our drawings by its path
// below the icon folder ("tools/brush"), or a freedesktop action name ("go-next")
// from the theme, with our drawing of it when the theme lacks the name. Null for an
// empty or unknown name.
QIcon NamedIcon(const QString& name);

// A freedesktop-named action icon from the theme, or our drawing of it when the theme
// lacks it; null for names we have no drawing of and the theme lacks.
QIcon ThemeIcon(const QString& name);

// The view's cursor for a cursor resource number (104, 188, 190, 197, 200, 213, 217,
// 218, 219, 239); any other number gives 104. 32 x 32 pixels, hot spot in pixels.
// Built on each call: widgets keep the cursor they are given.
QCursor ToolCursor(int resourceId);

// The application icon (scalable).
QIcon AppIcon();

// Every cursor resource number, in table order.
QList<int> CursorIds();

}  // namespace zv
