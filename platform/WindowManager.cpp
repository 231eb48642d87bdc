#include "platform/WindowManager.h"

namespace platform {
namespace {

class Win32WindowManagerFacet final : public WindowManager {
public:
    bool IsIconic(HWND window) override { return ::IsIconic(window) != FALSE; }
    void SetActiveWindow(HWND window) override { ::SetActiveWindow(window); }
    void ShowWindow(HWND window, int command) override { ::ShowWindow(window, command); }
    void SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height,
                      UINT flags) override {
        ::SetWindowPos(window, insertAfter, x, y, width, height, flags);
    }
    LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
        return ::DefWindowProcA(window, message, wParam, lParam);
    }
    bool IsWindowEnabled(HWND window) override { return ::IsWindowEnabled(window) != FALSE; }
    bool IsWindowVisible(HWND window) override { return ::IsWindowVisible(window) != FALSE; }
    int GetSystemMetrics(int index) override { return ::GetSystemMetrics(index); }
    RECT GetWindowRect(HWND window) override {
        RECT rect{};
        ::GetWindowRect(window, &rect);
        return rect;
    }
    HWND GetDesktopWindow() override { return ::GetDesktopWindow(); }
    STARTUPINFOW GetStartupInfoW() override {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        ::GetStartupInfoW(&startup);
        return startup;
    }
    bool GetMinimizeAnimation() override {
        ANIMATIONINFO animation{sizeof animation, 0};
        ::SystemParametersInfoA(SPI_GETANIMATION, sizeof animation, &animation, 0);
        return animation.iMinAnimate != 0;
    }
    void SetMinimizeAnimation(bool animate) override {
        ANIMATIONINFO animation{sizeof animation, animate ? 1 : 0};
        ::SystemParametersInfoA(SPI_SETANIMATION, sizeof animation, &animation, 0);
    }
    HWND GetLastActivePopup(HWND window) override { return ::GetLastActivePopup(window); }
    void SetForegroundWindow(HWND window) override { ::SetForegroundWindow(window); }
    bool MenusDropLeft() override { return ::GetSystemMetrics(SM_MENUDROPALIGNMENT) != 0; }
};

}  // namespace

WindowManager& Win32WindowManager() {
    static Win32WindowManagerFacet manager;
    return manager;
}

}  // namespace platform
