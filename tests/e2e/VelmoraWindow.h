#pragma once
// Velmora's main window seen from outside, shown or not: a hidden window keeps its child
// windows, so the minutes field and the three browser boxes can be read all the same.

#include "ProgramUnderTest.h"

#include <windows.h>

#include <ostream>
#include <string>

inline constexpr const wchar_t* kInternetExplorerBox = L"J'utilise Internet Explorer";
inline constexpr const wchar_t* kFirefoxBox = L"J'utilise Firefox";
inline constexpr const wchar_t* kChromeBox = L"J'utilise Chrome";

// What the window shows of the four stored values.
struct StoredControls {
    std::wstring minutes;
    bool internetExplorer = false;
    bool firefox = false;
    bool chrome = false;
    bool operator==(const StoredControls&) const = default;
};
void PrintTo(const StoredControls& controls, std::ostream* out);

// The window of class TForm1, shown or not; nullptr if none comes within timeoutMs.
HWND WaitForMainWindow(ProgramUnderTest& program, DWORD timeoutMs);

// Throw when the window has no such child.
HWND MinutesField(HWND main);
HWND BrowserBox(HWND main, const wchar_t* caption);

StoredControls ReadStoredControls(HWND main);
