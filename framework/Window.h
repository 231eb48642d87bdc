#pragma once
// The framework's one window procedure. Every window that the framework makes, and every
// standard control that it subclasses, hands its messages to a WindowTarget: attached when the
// window is created (WM_NCCREATE) or subclassed, detached at WM_NCDESTROY. Every exception that
// a message raises stops there, and goes to the handler that the application object sets.

#include "framework/Classes.h"
#include "framework/Handles.h"

#include <exception>
#include <functional>
#include <map>
#include <string>

using ExceptionHandler = std::function<void(std::exception_ptr error)>;
// An empty handler drops every escaped exception quietly.
void SetExceptionHandler(ExceptionHandler handler);
void HandleEscapedException(std::exception_ptr error);

// The work's result, or `fallback` once the handler has had what the work raised.
template <typename Work, typename Result>
Result RunGuarded(Result fallback, Work&& work) {
    try {
        return work();
    } catch (...) {
        HandleEscapedException(std::current_exception());
        return fallback;
    }
}

class WindowTarget {
public:
    virtual ~WindowTarget() = default;
    virtual LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // The window now routes to the target, and stops at its end or when detached.
    virtual void Attached(HWND) {}
    virtual void Detached() {}
};

struct WindowRequest {
    std::wstring className{};
    // A window of the single-byte character set, whose unhandled messages go to DefWindowProcA.
    bool ansi = false;
    // A class of the system's, whose window is subclassed once it exists.
    bool systemClass = false;
    UINT classStyle = 0;
    DWORD style = WS_POPUP;
    DWORD exStyle = 0;
    std::wstring title{};
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    HWND parent = nullptr;
};

// Registers the class at its first window and creates the window for `target`; raises on failure.
HWND CreateFrameworkWindow(const WindowRequest& request, WindowTarget& target);
// Stops the routing before the window goes, so that its last messages reach no dying object.
void DetachWindow(HWND window);
WindowTarget* TargetOf(HWND window);
// The system's default handling, in the window's own character set.
LRESULT DefaultWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// A window of the framework's own whose messages go to a callable, as the application's does.
class HandlerWindow final : public WindowTarget {
public:
    using Handler = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;
    HandlerWindow(const WindowRequest& request, Handler handler);
    ~HandlerWindow() override;

    HWND Handle() const { return window_.get(); }

    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    Handler handler_;
    OwnedWindow window_;
};

// The framework's one hidden window for timer ticks and menu commands: every timer counts on
// it under an identifier of its own, and the commands of a shown menu come back to it.
class MessageWindow {
public:
    static MessageWindow& Instance();
    HWND Handle() const { return window_.Handle(); }

    // A new identifier, for a timer on this window or a menu command, that runs `work`.
    UINT Add(std::function<void()> work);
    // Stops the identifier's timer, if it has one, and forgets it.
    void Remove(UINT id);

private:
    MessageWindow();
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    std::map<UINT, std::function<void()>> clients_;
    // Above the range that dialogs use for their own buttons' commands.
    UINT nextId_ = 100;
    HandlerWindow window_;
};
