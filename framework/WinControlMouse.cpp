// The mouse in a windowed control: its own mouse events, and those of the windowless children
// that it hands on, with the capture a held left button gives them.

#include "framework/Controls.h"

#include <windowsx.h>

#include <utility>

namespace {

TShiftState ShiftFromKeys(WPARAM keys) {
    return {.shift = (keys & MK_SHIFT) != 0,
            .alt = GetKeyState(VK_MENU) < 0,
            .ctrl = (keys & MK_CONTROL) != 0,
            .left = (keys & MK_LBUTTON) != 0,
            .right = (keys & MK_RBUTTON) != 0,
            .middle = (keys & MK_MBUTTON) != 0};
}

TMouseButton ButtonOf(UINT message) {
    switch (message) {
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_RBUTTONUP:
            return TMouseButton::mbRight;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
        case WM_MBUTTONUP:
            return TMouseButton::mbMiddle;
        default:
            return TMouseButton::mbLeft;
    }
}

}  // namespace

TControl* TWinControl::captureControl_ = nullptr;

TGraphicControl* TWinControl::GraphicControlAt(POINT point) const {
    // The last created lies on top; a disabled control lets the mouse through to its parent.
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        auto* graphic = dynamic_cast<TGraphicControl*>(*it);
        if (graphic != nullptr && graphic->Visible() && graphic->Enabled()) {
            RECT bounds = graphic->BoundsRect();
            if (PtInRect(&bounds, point)) {
                return graphic;
            }
        }
    }
    return nullptr;
}

bool TWinControl::RouteMouse(UINT message, WPARAM wParam, LPARAM lParam) {
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    TControl* target = captureControl_ != nullptr && captureControl_->parent_ == this
                           ? captureControl_
                           : GraphicControlAt(point);
    if (target == nullptr) {
        return false;
    }
    TShiftState shift = ShiftFromKeys(wParam);
    int x = point.x - target->Left();
    int y = point.y - target->Top();
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            // A second quick press is a press like the first: each one counts.
            captureControl_ = target;
            SetCapture(handle_);
            target->MouseDown(TMouseButton::mbLeft, shift, x, y);
            break;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
            target->MouseDown(ButtonOf(message), shift, x, y);
            break;
        case WM_MOUSEMOVE:
            target->MouseMove(shift, x, y);
            break;
        case WM_LBUTTONUP:
            // The capture ends before the control hears of the release.
            if (captureControl_ == target) {
                captureControl_ = nullptr;
                ReleaseCapture();
            }
            target->MouseUp(TMouseButton::mbLeft, shift, x, y);
            break;
        default:
            target->MouseUp(ButtonOf(message), shift, x, y);
            break;
    }
    return true;
}

bool TWinControl::HandleMouse(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_RBUTTONUP:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
        case WM_MBUTTONUP:
            return RouteMouse(message, wParam, lParam);
        case WM_CAPTURECHANGED:
            // Another window took the mouse: the windowless control lost it too.
            if (captureControl_ != nullptr && captureControl_->parent_ == this &&
                reinterpret_cast<HWND>(lParam) != handle_) {
                std::exchange(captureControl_, nullptr)->MouseCaptureLost();
            }
            return false;
        case WM_MOUSEMOVE:
            if (RouteMouse(message, wParam, lParam)) {
                return true;
            }
            if (!trackingMouse_) {
                TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, handle_, 0};
                trackingMouse_ = TrackMouseEvent(&track) != FALSE;
            }
            MouseMove(ShiftFromKeys(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return false;
        case WM_MOUSELEAVE:
            trackingMouse_ = false;
            Fire(OnMouseLeave, this);
            return false;
        default:
            return false;
    }
}
