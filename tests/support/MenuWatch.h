#pragma once
// Sees a popup menu come up from inside its modal loop, counts it and closes it, so that a test
// can open a menu without a user to close it.

#include <windows.h>

#include <string>
#include <vector>

class MenuWatch {
public:
    MenuWatch();
    ~MenuWatch();
    MenuWatch(const MenuWatch&) = delete;
    MenuWatch& operator=(const MenuWatch&) = delete;

    // How many menus have been seen and closed.
    int Shown() const { return shown_; }
    // Where the last menu came up, in screen coordinates.
    POINT LastPosition() const { return {bounds_.left, bounds_.top}; }
    RECT LastBounds() const { return bounds_; }
    // The texts of the last menu's items, "-" for a separator.
    const std::vector<std::string>& LastItems() const { return items_; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);

    UINT_PTR timer_;
    int shown_ = 0;
    RECT bounds_{};
    std::vector<std::string> items_;
};
