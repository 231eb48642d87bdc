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
    // A window of the single-byte character set, whose unhandled messages go to DefWindowProcA.
    struct Ansi {};
    UtilWindow(Ansi, const char* className, DWORD style, DWORD exStyle, TObject* sender,
               Handler handler);
    ~UtilWindow();
    UtilWindow(const UtilWindow&) = delete;
    UtilWindow& operator=(const UtilWindow&) = delete;

    HWND Handle() const { return window_.get(); }
    // The system's default handling of a message, in the window's own character set.
    static LRESULT Default(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    TObject* sender_;
    Handler handler_;
    OwnedWindow window_;
};
