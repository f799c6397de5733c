#pragma once
// Whether Caps Lock, Num Lock and Scroll Lock are on, for the status bar.

namespace zv {

struct LockKeyState {
    bool caps = false;
    bool num = false;
    bool scroll = false;
};

// All off where the platform does not tell.
LockKeyState QueryLockKeys();

}  // namespace zv
