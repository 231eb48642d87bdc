#include "framework/Window.h"

#include "framework/Exceptions.h"
#include "platform/Utf8.h"

#include <commctrl.h>

// Set once by the application object and read at every window procedure's edge.
static ExceptionHandler slot;  // NOLINT(cppcoreguidelines-avoid-non-const-global-variables)

void SetExceptionHandler(ExceptionHandler handler) {
    slot = std::move(handler);
}

void HandleEscapedException(std::exception_ptr error) {
    // Copied: the handler may empty the slot while it runs.
    if (ExceptionHandler handler = slot) {
        handler(std::move(error));
    }
}

namespace {

constexpr wchar_t kTargetProperty[] = L"Velmora.Window";
constexpr UINT_PTR kSubclassId = 1;

LRESULT Dispatch(WindowTarget& target, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = RunGuarded(
        LRESULT{0}, [&] { return target.HandleMessage(window, message, wParam, lParam); });
    if (message == WM_NCDESTROY) {
        DetachWindow(window);
    }
    return result;
}

void Attach(HWND window, WindowTarget& target) {
    SetPropW(window, kTargetProperty, &target);
    target.Attached(window);
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        // The wide and the single-byte creation records both start with the creation data.
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        Attach(window, *static_cast<WindowTarget*>(create->lpCreateParams));
    }
    WindowTarget* target = TargetOf(window);
    return target != nullptr ? Dispatch(*target, window, message, wParam, lParam)
                             : DefaultWindowProc(window, message, wParam, lParam);
}

LRESULT CALLBACK SubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR, DWORD_PTR data) {
    return Dispatch(*reinterpret_cast<WindowTarget*>(data), window, message, wParam, lParam);
}

// A class that an earlier window registered stays as it is.
void Register(const WindowRequest& request) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    auto fill = [&](auto& windowClass, auto* name) {
        windowClass.cbSize = sizeof windowClass;
        windowClass.style = request.classStyle;
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = instance;
        windowClass.hIcon = LoadIconW(instance, L"MAINICON");
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = name;
        return &windowClass;
    };
    WNDCLASSEXA ansiClass{};
    WNDCLASSEXW wideClass{};
    std::string ansiName(request.className.begin(), request.className.end());
    ATOM atom = request.ansi ? RegisterClassExA(fill(ansiClass, ansiName.c_str()))
                             : RegisterClassExW(fill(wideClass, request.className.c_str()));
    if (atom == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        throw Exception("Impossible d'enregistrer la classe de fenêtre " +
                        platform::WideToUtf8(request.className));
    }
}

}  // namespace

HWND CreateFrameworkWindow(const WindowRequest& request, WindowTarget& target) {
    if (!request.systemClass) {
        Register(request);
    }
    // A window of the system's class is attached by subclassing, not at its creation.
    void* creation = request.systemClass ? nullptr : &target;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HWND window = nullptr;
    if (request.ansi) {
        std::string name(request.className.begin(), request.className.end());
        window = CreateWindowExA(request.exStyle, name.c_str(),
                                 platform::Utf8ToAnsi(platform::WideToUtf8(request.title)).c_str(),
                                 request.style, request.x, request.y, request.width, request.height,
                                 request.parent, nullptr, instance, creation);
    } else {
        window = CreateWindowExW(request.exStyle, request.className.c_str(), request.title.c_str(),
                                 request.style, request.x, request.y, request.width, request.height,
                                 request.parent, nullptr, instance, creation);
    }
    if (window == nullptr) {
        throw Exception("Impossible de créer la fenêtre " +
                        platform::WideToUtf8(request.className));
    }
    if (request.systemClass) {
        Attach(window, target);
        SetWindowSubclass(window, SubclassProcedure, kSubclassId,
                          reinterpret_cast<DWORD_PTR>(&target));
    }
    return window;
}

void DetachWindow(HWND window) {
    WindowTarget* target = TargetOf(window);
    if (target == nullptr) {
        return;
    }
    RemovePropW(window, kTargetProperty);
    // Nothing to remove from a window of the framework's own classes.
    RemoveWindowSubclass(window, SubclassProcedure, kSubclassId);
    target->Detached();
}

WindowTarget* TargetOf(HWND window) {
    return window != nullptr ? static_cast<WindowTarget*>(GetPropW(window, kTargetProperty))
                             : nullptr;
}

LRESULT DefaultWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return IsWindowUnicode(window) ? DefWindowProcW(window, message, wParam, lParam)
                                   : DefWindowProcA(window, message, wParam, lParam);
}

HandlerWindow::HandlerWindow(const WindowRequest& request, Handler handler)
    : handler_(std::move(handler)) {
    window_.reset(CreateFrameworkWindow(request, *this));
}

HandlerWindow::~HandlerWindow() {
    DetachWindow(window_.get());
}

LRESULT HandlerWindow::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return handler_(window, message, wParam, lParam);
}

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
