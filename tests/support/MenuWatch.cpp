#include "support/MenuWatch.h"

#include "platform/Utf8.h"

namespace {

MenuWatch* watching = nullptr;

}  // namespace

MenuWatch::MenuWatch() {
    watching = this;
    // A thread timer: the menu's modal loop dispatches its ticks.
    timer_ = SetTimer(nullptr, 0, 20, Tick);
}

MenuWatch::~MenuWatch() {
    KillTimer(nullptr, timer_);
    watching = nullptr;
}

void CALLBACK MenuWatch::Tick(HWND, UINT, UINT_PTR, DWORD) {
    HWND menu = FindWindowW(L"#32768", nullptr);
    if (watching == nullptr || menu == nullptr || !IsWindowVisible(menu)) {
        return;
    }
    GetWindowRect(menu, &watching->bounds_);
    watching->items_.clear();
    auto* shown = reinterpret_cast<HMENU>(SendMessageW(menu, MN_GETHMENU, 0, 0));
    for (int i = 0; i < GetMenuItemCount(shown); ++i) {
        wchar_t text[128] = {};
        GetMenuStringW(shown, i, text, 128, MF_BYPOSITION);
        const bool separator = (GetMenuState(shown, i, MF_BYPOSITION) & MF_SEPARATOR) != 0;
        watching->items_.push_back(separator ? "-" : platform::WideToUtf8(text));
    }
    ++watching->shown_;
    EndMenu();
}
