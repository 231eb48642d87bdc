#pragma once
// The windowless controls on a window: painted on its surface, found under the pointer, and
// given the mouse from a left press on one of them to its release.

#include "framework/Controls.h"

#include <vector>

class WindowlessControls {
public:
    void Add(TGraphicControl* control) { controls_.push_back(control); }
    // A control that leaves lets go of the mouse it holds.
    void Remove(TControl* control);

    // Keeps the window's background from being erased beneath the opaque ones.
    void ExcludeOpaque(HDC dc) const;
    void Paint(HDC dc, const RECT& area) const;

    // Hands a mouse message of `window` to the control that holds the mouse or lies under the
    // pointer; false when there is none, or the message is not the mouse's.
    bool Route(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // `taker` took the mouse from `window`: the control that held it will never see the release.
    void CaptureChanged(HWND window, HWND taker);
    // The control that holds the mouse, or null.
    const TGraphicControl* Capture() const { return capture_; }

private:
    TGraphicControl* At(POINT point) const;

    // In creation order: the last lies on top.
    std::vector<TGraphicControl*> controls_;
    TGraphicControl* capture_ = nullptr;
};
