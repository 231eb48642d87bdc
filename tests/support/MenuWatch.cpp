#include "support/MenuWatch.h"

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
    ++watching->shown_;
    EndMenu();
}
