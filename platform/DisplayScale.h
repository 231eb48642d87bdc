#pragma once
#include <windows.h>

namespace platform {

// How finely the screen under a window is drawn, in dots per inch. The functions that tell it
// per window exist only on newer Windows: they are found at run time, and where they are
// missing every answer is the system's one scale.
class DisplayScale {
public:
    virtual ~DisplayScale() = default;
    // GetDpiForWindow; the screen's LOGPIXELSY without it.
    virtual int GetDpiForWindow(HWND window) = 0;
    // GetSystemMetricsForDpi; GetSystemMetrics without it.
    virtual int GetSystemMetricsForDpi(int index, int dpi) = 0;
    // AdjustWindowRectExForDpi: the outer rectangle around a client rectangle; AdjustWindowRectEx
    // without it.
    virtual RECT AdjustWindowRectExForDpi(const RECT& client, DWORD style, DWORD exStyle,
                                          int dpi) = 0;
};

DisplayScale& Win32DisplayScale();

}  // namespace platform
