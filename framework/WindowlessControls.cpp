#include "framework/WindowlessControls.h"

#include "framework/Mouse.h"

#include <windowsx.h>

#include <utility>

void WindowlessControls::Remove(TControl* control) {
    std::erase(controls_, control);
    if (capture_ == control) {
        capture_ = nullptr;
        ReleaseCapture();
    }
}

void WindowlessControls::ExcludeOpaque(HDC dc) const {
    for (TGraphicControl* control : controls_) {
        if (control->Visible() && control->Opaque()) {
            RECT bounds = control->BoundsRect();
            ExcludeClipRect(dc, bounds.left, bounds.top, bounds.right, bounds.bottom);
        }
    }
}

void WindowlessControls::Paint(HDC dc, const RECT& area) const {
    for (TGraphicControl* control : controls_) {
        RECT bounds = control->BoundsRect();
        RECT common{};
        // A control outside the area to paint would draw only pixels that the clip throws away.
        if (!control->Visible() || !IntersectRect(&common, &bounds, &area)) {
            continue;
        }
        ScopedDcState state(dc);
        IntersectClipRect(dc, bounds.left, bounds.top, bounds.right, bounds.bottom);
        SetViewportOrgEx(dc, control->Left(), control->Top(), nullptr);
        control->Paint(dc);
    }
}

TGraphicControl* WindowlessControls::At(POINT point) const {
    // The last created lies on top; a disabled control lets the mouse through to its parent.
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TGraphicControl* control = *it;
        RECT bounds = control->BoundsRect();
        if (control->Visible() && control->Enabled() && PtInRect(&bounds, point)) {
            return control;
        }
    }
    return nullptr;
}

bool WindowlessControls::Route(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const MouseAction action = DecodeMouse(message);
    if (action.kind == MouseAction::kNone) {
        return false;
    }
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    TGraphicControl* target = capture_ != nullptr ? capture_ : At(point);
    if (target == nullptr) {
        return false;
    }
    const TShiftState shift = ShiftFromKeys(wParam);
    const bool left = action.button == TMouseButton::mbLeft;
    const int x = point.x - target->Left();
    const int y = point.y - target->Top();
    switch (action.kind) {
        case MouseAction::kMove:
            target->MouseMove(shift, x, y);
            break;
        case MouseAction::kDown:
        case MouseAction::kDoubleClick:
            // A second quick press is a press like the first: each one counts.
            if (left) {
                capture_ = target;
                SetCapture(window);
            }
            target->MouseDown(action.button, shift, x, y);
            break;
        default:
            // The capture ends before the control hears of the release.
            if (left && capture_ == target) {
                capture_ = nullptr;
                ReleaseCapture();
            }
            target->MouseUp(action.button, shift, x, y);
            break;
    }
    return true;
}

void WindowlessControls::CaptureChanged(HWND window, HWND taker) {
    if (capture_ != nullptr && taker != window) {
        std::exchange(capture_, nullptr)->MouseCaptureLost();
    }
}
