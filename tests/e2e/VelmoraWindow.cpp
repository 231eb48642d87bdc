#include "VelmoraWindow.h"

#include "Win32Error.h"
#include "WindowQueries.h"

#include <stdexcept>

void PrintTo(const StoredControls& controls, std::ostream* out) {
    *out << "{minutes \"" << Utf8(controls.minutes) << "\", IE " << controls.internetExplorer
         << ", Firefox " << controls.firefox << ", Chrome " << controls.chrome << "}";
}

HWND WaitForMainWindow(ProgramUnderTest& program, DWORD timeoutMs) {
    return program.WaitForWindow({.className = L"TForm1"}, timeoutMs);
}

HWND MinutesField(HWND main) {
    const HWND field = FindChild(main, {.className = L"Edit"});
    if (field == nullptr) {
        throw std::runtime_error("no minutes field");
    }
    return field;
}

HWND BrowserBox(HWND main, const wchar_t* caption) {
    const HWND box = FindChild(main, {.className = L"Button", .text = caption});
    if (box == nullptr) {
        throw std::runtime_error("no check box " + Utf8(caption));
    }
    return box;
}

StoredControls ReadStoredControls(HWND main) {
    auto ticked = [main](const wchar_t* caption) {
        return CheckState(BrowserBox(main, caption)) == BST_CHECKED;
    };
    return {WindowText(MinutesField(main)), ticked(kInternetExplorerBox), ticked(kFirefoxBox),
            ticked(kChromeBox)};
}
