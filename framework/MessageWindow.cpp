#include "framework/MessageWindow.h"

MessageWindow& MessageWindow::Instance() {
    static MessageWindow window;
    return window;
}

MessageWindow::MessageWindow() {
    window_.reset(CreateFrameworkWindow(
        {.className = L"TMessageWindow", .exStyle = WS_EX_TOOLWINDOW}, *this));
}

MessageWindow::~MessageWindow() {
    DetachWindow(window_.get());
}

UINT MessageWindow::Add(TObject* sender, std::function<void()> work) {
    clients_[nextId_] = {sender, std::move(work)};
    return nextId_++;
}

void MessageWindow::Remove(UINT id) {
    KillTimer(Handle(), id);
    clients_.erase(id);
}

const MessageWindow::Client* MessageWindow::Find(UINT message, WPARAM wParam) const {
    if (message != WM_TIMER && (message != WM_COMMAND || HIWORD(wParam) != 0)) {
        return nullptr;
    }
    auto found = clients_.find(message == WM_TIMER ? static_cast<UINT>(wParam) : LOWORD(wParam));
    return found != clients_.end() ? &found->second : nullptr;
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
