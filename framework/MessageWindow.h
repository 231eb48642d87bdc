#pragma once
// The framework's one hidden window for timer ticks and menu commands: every timer counts on
// it under an identifier of its own, and the commands of a shown menu come back to it.

#include "framework/Window.h"

#include <functional>
#include <map>

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
