#include "framework/UtilWindow.h"

#include "framework/Exceptions.h"
#include "framework/ExceptionEdge.h"
#include "framework/Text.h"

#include <set>

UtilWindow::UtilWindow(const wchar_t* className, DWORD style, DWORD exStyle, TObject* sender,
                       Handler handler, const std::wstring& title, int x, int y, int width,
                       int height)
    : sender_(sender), handler_(std::move(handler)) {
    static std::set<std::wstring> registered;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (registered.insert(className).second) {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = instance;
        windowClass.hIcon = LoadIconW(instance, L"MAINICON");
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = className;
        if (RegisterClassExW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
            throw Exception("Impossible d'enregistrer la classe de fenêtre " +
                            WideToUtf8(className));
        }
    }
    window_.reset(CreateWindowExW(exStyle, className, title.c_str(), style, x, y, width, height,
                                  nullptr, nullptr, instance, this));
    if (!window_) {
        throw Exception("Impossible de créer la fenêtre " + WideToUtf8(className));
    }
}

UtilWindow::UtilWindow(Ansi, const char* className, DWORD style, DWORD exStyle, TObject* sender,
                       Handler handler)
    : sender_(sender), handler_(std::move(handler)) {
    static std::set<std::string> registered;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (registered.insert(className).second) {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = className;
        if (RegisterClassExA(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
            throw Exception(std::string("Impossible d'enregistrer la classe de fenêtre ") +
                            className);
        }
    }
    window_.reset(CreateWindowExA(exStyle, className, "", style, 0, 0, 0, 0, nullptr, nullptr,
                                  instance, this));
    if (!window_) {
        throw Exception(std::string("Impossible de créer la fenêtre ") + className);
    }
}

UtilWindow::~UtilWindow() {
    if (window_) {
        SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
    }
}

LRESULT UtilWindow::Default(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return IsWindowUnicode(window) ? DefWindowProcW(window, message, wParam, lParam)
                                   : DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK UtilWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<UtilWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr || !self->handler_) {
        return Default(window, message, wParam, lParam);
    }
    return RunGuarded(self->sender_, LRESULT{0},
                      [&] { return self->handler_(window, message, wParam, lParam); });
}
