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
MouseAction DecodeMouse(UINT message);

// The keys and buttons held, as a window's mouse message gives them in its wParam.
TShiftState ShiftFromKeys(WPARAM keys);
// The keys and buttons held now, for a notification that carries none.
TShiftState HeldKeys();
