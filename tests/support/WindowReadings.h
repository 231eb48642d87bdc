#pragma once
// What a real window shows, read back from the window itself: a status bar's text and parts,
// the font that a control draws with, and the cursor that the pointer shows over it.

#include "platform/Utf8.h"

#include <commctrl.h>
#include <windows.h>

#include <string>

inline std::string StatusText(HWND bar, int part = 0) {
    const auto length = LOWORD(SendMessageW(bar, SB_GETTEXTLENGTHW, part, 0));
    std::wstring text(length + 1u, L'\0');
    SendMessageW(bar, SB_GETTEXTW, part, reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return platform::WideToUtf8(text);
}

inline int StatusParts(HWND bar) {
    return static_cast<int>(SendMessageW(bar, SB_GETPARTS, 0, 0));
}

// The font that the window was given, as the system holds it.
inline LOGFONTW FontOf(HWND window) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font;
}

// The cursor that the pointer takes over the window's client area, as the system asks the window
// at each move of the mouse.
inline HCURSOR CursorOver(HWND window) {
    SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return GetCursor();
}
