#pragma once
#include <windows.h>

namespace platform {

// The window-manager calls by which the program minimizes, restores, shows and hides its
// application window and its forms, places them, and brings its windows to the front. The names
// are the system's own.
class WindowManager {
public:
    virtual ~WindowManager() = default;
    virtual bool IsIconic(HWND window) = 0;
    virtual void SetActiveWindow(HWND window) = 0;
    virtual void ShowWindow(HWND window, int command) = 0;
    virtual void SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height,
                              UINT flags) = 0;
    virtual LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    virtual bool IsWindowEnabled(HWND window) = 0;
    virtual bool IsWindowVisible(HWND window) = 0;
    virtual int GetSystemMetrics(int index) = 0;
    // The window's place on the screen; all zero when there is no such window.
    virtual RECT GetWindowRect(HWND window) = 0;
    virtual HWND GetDesktopWindow() = 0;
    // How the program was started, with the show command asked for its first window.
    virtual STARTUPINFOW GetStartupInfoW() = 0;
    // SystemParametersInfoA with SPI_GETANIMATION: whether windows animate as they minimize
    // and restore.
    virtual bool GetMinimizeAnimation() = 0;
    // SystemParametersInfoA with SPI_SETANIMATION.
    virtual void SetMinimizeAnimation(bool animate) = 0;
    virtual HWND GetLastActivePopup(HWND window) = 0;
    virtual void SetForegroundWindow(HWND window) = 0;
    // GetSystemMetrics(SM_MENUDROPALIGNMENT): whether the user's menus drop to the left.
    virtual bool MenusDropLeft() = 0;
};

WindowManager& Win32WindowManager();

}  // namespace platform
