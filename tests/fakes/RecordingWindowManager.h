#pragma once
// The window manager of the system, with every change the program asks of a window written down
// in order, and carried out on the real window, so that the windows' real state answers every
// question. The animation setting and the start-up show command are the fake's own, so that no
// test changes the machine's. A form shows, hides and places its own window: those calls are
// left out, and the record holds what the program does to its application window and to the
// windows it brings to the front.

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
    std::optional<int> startupShowCommand;
    // When set, ShowWindow raises after doing its work, as a failing call in between would.
    bool showWindowThrows = false;
    // The window last brought to the front; the system may refuse it to a process in the
    // background, so the test asks what was requested.
    HWND foreground = nullptr;

    void Clear() { calls.clear(); }

    bool IsIconic(HWND window) override { return real().IsIconic(window); }
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
    bool IsWindowEnabled(HWND window) override { return real().IsWindowEnabled(window); }
    bool IsWindowVisible(HWND window) override { return real().IsWindowVisible(window); }
    int GetSystemMetrics(int index) override { return real().GetSystemMetrics(index); }
    RECT GetWindowRect(HWND window) override { return real().GetWindowRect(window); }
    HWND GetDesktopWindow() override { return real().GetDesktopWindow(); }
    // The show command the program was started with, when a test sets one.
    STARTUPINFOW GetStartupInfoW() override {
        STARTUPINFOW startup = real().GetStartupInfoW();
        if (startupShowCommand) {
            startup.dwFlags |= STARTF_USESHOWWINDOW;
            startup.wShowWindow = static_cast<WORD>(*startupShowCommand);
        }
        return startup;
    }
    bool GetMinimizeAnimation() override { return animation; }
    void SetMinimizeAnimation(bool animate) override {
        Record(std::string("SetMinimizeAnimation(") + (animate ? "1" : "0") + ")");
        animation = animate;
    }
    HWND GetLastActivePopup(HWND window) override { return real().GetLastActivePopup(window); }
    void SetForegroundWindow(HWND window) override {
        Record("SetForegroundWindow(" + Name(window) + ")");
        foreground = window;
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
