#include "framework/Mouse.h"

MouseAction DecodeMouse(UINT message) {
    using enum TMouseButton;
    switch (message) {
        case WM_MOUSEMOVE:
            return {MouseAction::kMove, mbLeft};
        case WM_LBUTTONDOWN:
            return {MouseAction::kDown, mbLeft};
        case WM_RBUTTONDOWN:
            return {MouseAction::kDown, mbRight};
        case WM_MBUTTONDOWN:
            return {MouseAction::kDown, mbMiddle};
        case WM_LBUTTONUP:
            return {MouseAction::kUp, mbLeft};
        case WM_RBUTTONUP:
            return {MouseAction::kUp, mbRight};
        case WM_MBUTTONUP:
            return {MouseAction::kUp, mbMiddle};
        case WM_LBUTTONDBLCLK:
            return {MouseAction::kDoubleClick, mbLeft};
        case WM_RBUTTONDBLCLK:
            return {MouseAction::kDoubleClick, mbRight};
        case WM_MBUTTONDBLCLK:
            return {MouseAction::kDoubleClick, mbMiddle};
        default:
            return {};
    }
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
