#pragma once
// A hidden window of the program's own that hands its messages to a callable: the home of the
// timers, the menu commands and the application's window.

#include "framework/Handles.h"

#include <functional>
#include <string>

class TObject;

class UtilWindow {
public:
    using Handler = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;

    // `sender` is named to the exception handler when the handler raises.
    UtilWindow(const wchar_t* className, DWORD style, DWORD exStyle, TObject* sender,
               Handler handler, const std::wstring& title = L"", int x = 0, int y = 0,
               int width = 0, int height = 0);
    ~UtilWindow();
    UtilWindow(const UtilWindow&) = delete;
    UtilWindow& operator=(const UtilWindow&) = delete;

    HWND Handle() const { return window_.get(); }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    TObject* sender_;
    Handler handler_;
    OwnedWindow window_;
};
