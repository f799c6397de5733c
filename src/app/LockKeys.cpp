#include "app/LockKeys.h"

#include <QGuiApplication>

#ifdef ZORVANE_HAVE_X11
#include <X11/XKBlib.h>
#include <X11/Xlib.h>

#include <QtGui/qguiapplication_platform.h>
#endif

namespace zv {

LockKeyState QueryLockKeys() {
    LockKeyState s;
#ifdef ZORVANE_HAVE_X11
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return s;
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->display()) return s;
    unsigned state = 0;
    if (XkbGetIndicatorState(x11->display(), XkbUseCoreKbd, &state) != Success) return s;
    // The core keyboard's first three indicators are Caps, Num and Scroll Lock.
    s.caps = (state & 0x1) != 0;
    s.num = (state & 0x2) != 0;
    s.scroll = (state & 0x4) != 0;
#endif
    return s;
}

}  // namespace zv
