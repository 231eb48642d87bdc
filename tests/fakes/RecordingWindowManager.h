#pragma once
// The window manager of the system, with every call written down in order. The animation
// setting is the fake's own, so that no test changes the machine's. A form shows, hides and
// places its own window and asks whether it is minimized: those calls are left out, and the
// record holds what the program asks of its application window and of the windows it brings to
// the front.

#include "framework/Forms.h"
#include "platform/WindowManager.h"

#include <cstdio>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

class RecordingWindowManager final : public platform::WindowManager {
public:
    // Names the windows in the record: calls read "ShowWindow(app, 0)".
    std::function<std::string(HWND)> nameOf;
    std::vector<std::string> calls;
    bool animation = true;
    // The user's menu alignment; the system's when unset. A setting read, not recorded.
    std::optional<bool> menusDropLeft;
    // When set, ShowWindow raises after doing its work, as a failing call in between would.
    bool showWindowThrows = false;

    void Clear() { calls.clear(); }

    bool IsIconic(HWND window) override {
        bool iconic = real().IsIconic(window);
        if (!OfForm(window)) {
            Record("IsIconic(" + Name(window) + ") -> " + (iconic ? "1" : "0"));
        }
        return iconic;
    }
    void SetActiveWindow(HWND window) override {
        Record("SetActiveWindow(" + Name(window) + ")");
        real().SetActiveWindow(window);
    }
    void ShowWindow(HWND window, int command) override {
        if (!OfForm(window)) {
            Record("ShowWindow(" + Name(window) + ", " + std::to_string(command) + ")");
        }
        real().ShowWindow(window, command);
        if (showWindowThrows) {
            throw std::runtime_error("échec simulé");
        }
    }
    void SetWindowPos(HWND window, HWND after, int x, int y, int width, int height,
                      UINT flags) override {
        Record("SetWindowPos(" + Name(window) + ", " + Name(after) + ", " + std::to_string(x) +
               ", " + std::to_string(y) + ", " + std::to_string(width) + ", " +
               std::to_string(height) + ", " + Hex(flags) + ")");
        real().SetWindowPos(window, after, x, y, width, height, flags);
    }
    LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
        Record("DefWindowProcA(" + Name(window) + ", " + Hex(message) + ", " + Hex(wParam) + ", " +
               std::to_string(lParam) + ")");
        return real().DefWindowProcA(window, message, wParam, lParam);
    }
    bool IsWindowEnabled(HWND window) override {
        Record("IsWindowEnabled(" + Name(window) + ")");
        return real().IsWindowEnabled(window);
    }
    bool IsWindowVisible(HWND window) override {
        bool visible = real().IsWindowVisible(window);
        Record("IsWindowVisible(" + Name(window) + ") -> " + (visible ? "1" : "0"));
        return visible;
    }
    int GetSystemMetrics(int index) override {
        Record("GetSystemMetrics(" + std::to_string(index) + ")");
        return real().GetSystemMetrics(index);
    }
    RECT GetWindowRect(HWND window) override {
        if (!OfForm(window)) {
            Record("GetWindowRect(" + Name(window) + ")");
        }
        return real().GetWindowRect(window);
    }
    HWND GetDesktopWindow() override {
        HWND desktop = real().GetDesktopWindow();
        Record("GetDesktopWindow -> " + Name(desktop));
        return desktop;
    }
    STARTUPINFOW GetStartupInfoW() override {
        Record("GetStartupInfoW");
        return real().GetStartupInfoW();
    }
    bool GetMinimizeAnimation() override {
        Record("GetMinimizeAnimation");
        return animation;
    }
    void SetMinimizeAnimation(bool animate) override {
        Record(std::string("SetMinimizeAnimation(") + (animate ? "1" : "0") + ")");
        animation = animate;
    }
    HWND GetLastActivePopup(HWND window) override {
        HWND popup = real().GetLastActivePopup(window);
        Record("GetLastActivePopup(" + Name(window) + ") -> " + Name(popup));
        return popup;
    }
    void SetForegroundWindow(HWND window) override {
        Record("SetForegroundWindow(" + Name(window) + ")");
        real().SetForegroundWindow(window);
    }
    bool MenusDropLeft() override {
        return menusDropLeft.has_value() ? *menusDropLeft : real().MenusDropLeft();
    }

private:
    static platform::WindowManager& real() { return platform::Win32WindowManager(); }
    void Record(std::string call) { calls.push_back(std::move(call)); }
    static bool OfForm(HWND window) {
        return dynamic_cast<TForm*>(TWinControl::FromHandle(window)) != nullptr;
    }
    std::string Name(HWND window) const {
        if (window == nullptr) {
            return "0";
        }
        std::string name = nameOf ? nameOf(window) : std::string();
        return name.empty() ? Hex(reinterpret_cast<uintptr_t>(window)) : name;
    }
    static std::string Hex(uintptr_t value) {
        char text[32];
        snprintf(text, sizeof text, "0x%llX", static_cast<unsigned long long>(value));
        return text;
    }
};
