#pragma once
// A screen of any scale for the in-process window: the scale that windows are on is the test's,
// the metrics and frames at a scale are the system's own.

#include "platform/DisplayScale.h"

class FakeDisplayScale final : public platform::DisplayScale {
public:
    int dpi = 96;

    int GetDpiForWindow(HWND) override { return dpi; }
    int GetSystemMetricsForDpi(int index, int atDpi) override {
        return platform::Win32DisplayScale().GetSystemMetricsForDpi(index, atDpi);
    }
    RECT AdjustWindowRectExForDpi(const RECT& client, DWORD style, DWORD exStyle,
                                  int atDpi) override {
        return platform::Win32DisplayScale().AdjustWindowRectExForDpi(client, style, exStyle,
                                                                      atDpi);
    }
};
