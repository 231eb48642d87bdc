#include "framework/MessageWindow.h"

MessageWindow& MessageWindow::Instance() {
    static MessageWindow window;
    return window;
}

MessageWindow::MessageWindow()
    : window_({.className = L"TMessageWindow", .exStyle = WS_EX_TOOLWINDOW},
              [this](HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
                  return HandleMessage(window, message, wParam, lParam);
              }) {}

UINT MessageWindow::Add(std::function<void()> work) {
    clients_[nextId_] = std::move(work);
    return nextId_++;
}

void MessageWindow::Remove(UINT id) {
    KillTimer(Handle(), id);
    clients_.erase(id);
}

LRESULT MessageWindow::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER || (message == WM_COMMAND && HIWORD(wParam) == 0)) {
        auto found =
            clients_.find(message == WM_TIMER ? static_cast<UINT>(wParam) : LOWORD(wParam));
        if (found != clients_.end()) {
            // A copy: the work may remove its own client.
            std::function<void()> work = found->second;
            work();
            return 0;
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
