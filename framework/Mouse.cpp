#include "framework/Mouse.h"

MouseAction DecodeMouse(UINT message) {
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

TShiftState ShiftFromKeys(WPARAM keys) {
    return {.shift = (keys & MK_SHIFT) != 0,
            .alt = GetKeyState(VK_MENU) < 0,
            .ctrl = (keys & MK_CONTROL) != 0,
            .left = (keys & MK_LBUTTON) != 0,
            .right = (keys & MK_RBUTTON) != 0,
            .middle = (keys & MK_MBUTTON) != 0};
}

TShiftState HeldKeys() {
    auto down = [](int key) { return (GetKeyState(key) & 0x8000) != 0; };
    return {down(VK_SHIFT),   down(VK_MENU),    down(VK_CONTROL),
            down(VK_LBUTTON), down(VK_RBUTTON), down(VK_MBUTTON)};
}
