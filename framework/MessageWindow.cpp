#include "framework/MessageWindow.h"

MessageWindow& MessageWindow::Instance() {
    static MessageWindow window;
    return window;
}

MessageWindow::MessageWindow() {
    WindowSpec spec;
    spec.className = L"TMessageWindow";
    spec.exStyle = WS_EX_TOOLWINDOW;
    window_.reset(CreateFrameworkWindow(spec, *this));
}

MessageWindow::~MessageWindow() {
    DetachWindow(window_.get());
}

UINT_PTR MessageWindow::AddTimer(TObject* sender, std::function<void()> work) {
    timers_[nextTimer_] = {sender, std::move(work)};
    return nextTimer_++;
}

UINT MessageWindow::AddCommand(TObject* sender, std::function<void()> work) {
    commands_[nextCommand_] = {sender, std::move(work)};
    return nextCommand_++;
}

void MessageWindow::RemoveTimer(UINT_PTR id) {
    KillTimer(Handle(), id);
    timers_.erase(id);
}

void MessageWindow::RemoveCommand(UINT id) {
    commands_.erase(id);
}

const MessageWindow::Client* MessageWindow::Find(UINT message, WPARAM wParam) const {
    const std::map<UINT_PTR, Client>* clients = nullptr;
    UINT_PTR id = wParam;
    if (message == WM_TIMER) {
        clients = &timers_;
    } else if (message == WM_COMMAND && HIWORD(wParam) == 0) {
        clients = &commands_;
        id = LOWORD(wParam);
    }
    if (clients == nullptr) {
        return nullptr;
    }
    auto found = clients->find(id);
    return found != clients->end() ? &found->second : nullptr;
}

LRESULT MessageWindow::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (const Client* client = Find(message, wParam)) {
        // A copy: the work may remove its own client.
        std::function<void()> work = client->work;
        work();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

TObject* MessageWindow::Sender(UINT message, WPARAM wParam) {
    const Client* client = Find(message, wParam);
    return client != nullptr ? client->sender : nullptr;
}
