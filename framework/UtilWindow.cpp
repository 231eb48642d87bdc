#include "framework/UtilWindow.h"

#include "framework/Exceptions.h"
#include "framework/ExceptionEdge.h"
#include "framework/Text.h"

#include <set>

namespace {

// The registration and creation calls of each character set.
template <typename Char>
struct WindowApi;
template <>
struct WindowApi<wchar_t> {
    using Class = WNDCLASSEXW;
    static ATOM Register(const Class* windowClass) { return RegisterClassExW(windowClass); }
    static constexpr auto Create = CreateWindowExW;
    static std::string Utf8(const wchar_t* text) { return WideToUtf8(text); }
};
template <>
struct WindowApi<char> {
    using Class = WNDCLASSEXA;
    static ATOM Register(const Class* windowClass) { return RegisterClassExA(windowClass); }
    static constexpr auto Create = CreateWindowExA;
    static std::string Utf8(const char* text) { return text; }
};

// Registers the class at its first window; raises when the window cannot be made.
template <typename Char>
HWND CreateUtilWindow(WNDPROC procedure, const Char* className, const Char* title, DWORD style,
                      DWORD exStyle, POINT origin, SIZE size, HICON icon, void* self) {
    using Api = WindowApi<Char>;
    static std::set<std::basic_string<Char>> registered;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (registered.insert(className).second) {
        typename Api::Class windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = instance;
        windowClass.hIcon = icon;
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = className;
        if (Api::Register(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
            throw Exception("Impossible d'enregistrer la classe de fenêtre " +
                            Api::Utf8(className));
        }
    }
    HWND window = Api::Create(exStyle, className, title, style, origin.x, origin.y, size.cx,
                              size.cy, nullptr, nullptr, instance, self);
    if (window == nullptr) {
        throw Exception("Impossible de créer la fenêtre " + Api::Utf8(className));
    }
    return window;
}

}  // namespace

UtilWindow::UtilWindow(const wchar_t* className, DWORD style, DWORD exStyle, TObject* sender,
                       Handler handler, const std::wstring& title, int x, int y, int width,
                       int height)
    : sender_(sender), handler_(std::move(handler)) {
    window_.reset(CreateUtilWindow(Procedure, className, title.c_str(), style, exStyle, {x, y},
                                   {width, height},
                                   LoadIconW(GetModuleHandleW(nullptr), L"MAINICON"), this));
}

UtilWindow::UtilWindow(Ansi, const char* className, DWORD style, DWORD exStyle, TObject* sender,
                       Handler handler)
    : sender_(sender), handler_(std::move(handler)) {
    window_.reset(
        CreateUtilWindow(Procedure, className, "", style, exStyle, {}, {}, nullptr, this));
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
