#include "TrayFromOutside.h"

#include "WaitUntil.h"
#include "WindowActions.h"
#include "WindowQueries.h"

#include <stdexcept>

namespace {

constexpr UINT kTrayCallback = WM_USER + 1;

}  // namespace

HWND WaitForTrayWindow(ProgramUnderTest& program, DWORD timeoutMs) {
    return program.WaitForWindow({.className = L"TTrayIconWindow"}, timeoutMs);
}

void NotifyTray(HWND trayWindow, LPARAM event) {
    Post(trayWindow, kTrayCallback, 1, event);
}

HWND WaitForPopupMenu(DWORD processId, DWORD timeoutMs) {
    HWND menu = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : TopLevelWindows(processId, {.className = L"#32768"})) {
                if (IsVisible(window)) {
                    menu = window;
                }
            }
            return menu != nullptr;
        },
        timeoutMs);
    return menu;
}

void ChooseFromTrayMenu(ProgramUnderTest& program, HWND trayWindow, int downs) {
    NotifyTray(trayWindow, WM_CONTEXTMENU);
    HWND menu = WaitForPopupMenu(program.Process().Id(), 10000);
    if (menu == nullptr) {
        throw std::runtime_error("the tray icon's menu did not come up");
    }
    // The menu's own loop takes the keys from its thread's queue.
    if (downs < 0) {
        Post(menu, WM_KEYDOWN, VK_UP, 1);
    }
    for (int i = 0; i < downs; ++i) {
        Post(menu, WM_KEYDOWN, VK_DOWN, 1);
    }
    Post(menu, WM_KEYDOWN, VK_RETURN, 1);
}

int WineTrayIconCount() {
    int count = 0;
    HWND tray = nullptr;
    while ((tray = FindWindowExW(nullptr, tray, L"__winex11_standalone_tray", nullptr)) !=
           nullptr) {
        for (HWND icon = FindWindowExW(tray, nullptr, L"__winex11_tray_icon", nullptr);
             icon != nullptr; icon = FindWindowExW(tray, icon, L"__winex11_tray_icon", nullptr)) {
            ++count;
        }
    }
    return count;
}
