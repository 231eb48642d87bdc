#include "framework/Screen.h"

#include "platform/Contrast.h"
#include "platform/Facets.h"

#include <windows.h>

namespace {

HCURSOR SystemCursor(TCursor cursor) {
    return LoadCursorW(nullptr, cursor == crHandPoint ? IDC_HAND : IDC_ARROW);
}

}  // namespace

void TScreen::SetCursor(TCursor cursor) {
    if (cursor == cursor_) {
        return;
    }
    cursor_ = cursor;
    if (cursor != crDefault) {
        ::SetCursor(SystemCursor(cursor));
        return;
    }
    // Back to the default: let the window under the pointer choose its own cursor again. Only a
    // window of this thread is asked, by a direct call that cannot wait: a window of another
    // program may be hung, and the system asks it anyway at the pointer's next move.
    POINT point{};
    GetCursorPos(&point);
    HWND window = WindowFromPoint(point);
    if (window != nullptr && GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
        SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                     MAKELPARAM(SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y)),
                                WM_MOUSEMOVE));
    }
}

bool TScreen::ApplyCursor() const {
    if (cursor_ == crDefault) {
        return false;
    }
    ::SetCursor(SystemCursor(cursor_));
    return true;
}

void TScreen::ReadHighContrast() {
    highContrast_ = platform::Current().contrast->HighContrastOn();
}

TScreen& Screen() {
    static TScreen screen;
    return screen;
}
