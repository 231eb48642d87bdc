#pragma once
// The mouse messages, decoded once for every window that hears them: which button did what, and
// which keys and buttons were held.

#include "framework/Classes.h"

#include <windows.h>

struct MouseAction {
    enum Kind { kNone, kMove, kDown, kUp, kDoubleClick };
    Kind kind = kNone;
    TMouseButton button = TMouseButton::mbLeft;
};

// WM_MOUSEMOVE and the three buttons' down, up and double-click messages; kNone for the rest.
inline MouseAction DecodeMouse(UINT message) {
    if (message == WM_MOUSEMOVE) {
        return {MouseAction::kMove};
    }
    if (message < WM_LBUTTONDOWN || message > WM_MBUTTONDBLCLK) {
        return {};
    }
    // The system numbers them down, up and double click of the left, the right and the middle
    // button, in that order.
    const UINT offset = message - WM_LBUTTONDOWN;
    return {static_cast<MouseAction::Kind>(MouseAction::kDown + offset % 3),
            static_cast<TMouseButton>(offset / 3)};
}

// The keys and buttons held, as a window's mouse message gives them in its wParam.
inline TShiftState ShiftFromKeys(WPARAM keys) {
    return {.shift = (keys & MK_SHIFT) != 0,
            .alt = GetKeyState(VK_MENU) < 0,
            .ctrl = (keys & MK_CONTROL) != 0,
            .left = (keys & MK_LBUTTON) != 0,
            .right = (keys & MK_RBUTTON) != 0,
            .middle = (keys & MK_MBUTTON) != 0};
}
