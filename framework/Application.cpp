#include "framework/Application.h"

#include "framework/Exceptions.h"
#include "framework/Published.h"
#include "platform/Facets.h"
#include "platform/WindowManager.h"

#include <commctrl.h>

#include <algorithm>

// The one application object, as every component finds it.
TApplication* Application = nullptr;  // NOLINT(cppcoreguidelines-avoid-non-const-global-variables)

// Posted to the application window to hand its keyboard focus on to the main form.
constexpr UINT kFocusMainForm = WM_APP + 1;

TApplication::TApplication() : TComponent(nullptr) {
    Application = this;
    SetExceptionHandler([this](std::exception_ptr error) { HandleException(std::move(error)); });
}

TApplication::~TApplication() {
    DestroyComponents();
    window_.reset();
    if (Application == this) {
        Application = nullptr;
        SetExceptionHandler(nullptr);
    }
}

void TApplication::Initialize() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    platform::WindowManager& windows = *platform::Current().windows;
    window_ = std::make_unique<HandlerWindow>(
        WindowRequest{
            .className = L"TApplication",
            .style = WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
            .title = L"Velmora",
            .x = windows.GetSystemMetrics(SM_CXSCREEN) / 2,
            .y = windows.GetSystemMetrics(SM_CYSCREEN) / 2},
        [this](HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
            return WindowProc(window, message, wParam, lParam);
        });
}

void TApplication::Run() {
    if (mainForm_ != nullptr) {
        // The show command the program was started with, if any.
        STARTUPINFOW startup = platform::Current().windows->GetStartupInfoW();
        const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? startup.wShowWindow : 0;
        if (show == SW_SHOWMAXIMIZED) {
            mainForm_->SetWindowState(TWindowState::wsMaximized);
        } else if (show == SW_SHOWMINNOACTIVE) {
            mainForm_->MarkWindowState(TWindowState::wsMinimized);
        }
        if (showMainForm_) {
            if (mainForm_->WindowState() == TWindowState::wsMinimized) {
                Minimize();
            } else {
                mainForm_->Show();
            }
        }
    }
    MSG message{};
    while (!terminated_ && GetMessageW(&message, nullptr, 0, 0) > 0) {
        // The main window's keyboard works as a dialog's: Tab and the arrow keys move the focus.
        HWND form = mainForm_ != nullptr ? mainForm_->Handle() : nullptr;
        if (form == nullptr || !IsDialogMessageW(form, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    terminated_ = true;
}

void TApplication::Terminate() {
    if (!terminated_) {
        terminated_ = true;
        PostQuitMessage(0);
    }
}

bool TApplication::SetIconic(bool iconic) {
    platform::WindowManager& windows = *platform::Current().windows;
    HWND window = Handle();
    if (windows.IsIconic(window) == iconic) {
        return false;
    }
    windows.SetActiveWindow(window);
    // Whether the window goes down and comes back through the main form's place on the screen.
    const bool throughMainForm = mainForm_ != nullptr && mainForm_->HandleAllocated() &&
                                 windows.IsWindowEnabled(mainForm_->Handle()) &&
                                 (showMainForm_ || mainForm_->Visible());
    if (!throughMainForm) {
        // Without the animation, which would start from nowhere; the user's setting comes back
        // on every path.
        const bool animated = windows.GetMinimizeAnimation();
        if (animated) {
            windows.SetMinimizeAnimation(false);
        }
        ScopeExit resume([&] {
            if (animated) {
                windows.SetMinimizeAnimation(true);
            }
        });
        windows.ShowWindow(window, iconic ? SW_MINIMIZE : SW_RESTORE);
        return true;
    }
    if (iconic) {
        // The system's animation then starts from the main window.
        windows.SetWindowPos(window, mainForm_->Handle(), mainForm_->Left(), mainForm_->Top(),
                             mainForm_->Width(), 0, SWP_SHOWWINDOW);
    }
    windows.DefWindowProcA(window, WM_SYSCOMMAND, iconic ? SC_MINIMIZE : SC_RESTORE, 0);
    return true;
}

void TApplication::Minimize() {
    if (!SetIconic(true)) {
        return;
    }
    for (TApplicationEvents* events : std::vector<TApplicationEvents*>(events_)) {
        Fire(events->OnMinimize, events);
    }
}

void TApplication::Restore() {
    if (!SetIconic(false)) {
        return;
    }
    platform::WindowManager& windows = *platform::Current().windows;
    HWND window = Handle();
    // Back to a visible zero-sized window at the centre of the screen, as at the start.
    windows.SetWindowPos(window, HWND_TOP, windows.GetSystemMetrics(SM_CXSCREEN) / 2,
                         windows.GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, SWP_SHOWWINDOW);
    // The window is visible now, and the record says so: after a start minimized it said
    // hidden, and the next "hide every form" would have left the taskbar button behind.
    recordedVisible_ = true;
    if (mainForm_ != nullptr && mainForm_->WindowState() == TWindowState::wsMinimized &&
        !mainForm_->Visible()) {
        mainForm_->SetWindowState(TWindowState::wsNormal);
        mainForm_->Show();
    }
    if (mainForm_ != nullptr) {
        mainForm_->FocusActiveControl();
    }
    for (TApplicationEvents* events : std::vector<TApplicationEvents*>(events_)) {
        Fire(events->OnRestore, events);
    }
}

void TApplication::Conceal() {
    platform::WindowManager& windows = *platform::Current().windows;
    if (!windows.IsIconic(Handle())) {
        Minimize();
    }
    windows.ShowWindow(Handle(), SW_HIDE);
}

void TApplication::BringToFront() {
    platform::WindowManager& windows = *platform::Current().windows;
    HWND popup = windows.GetLastActivePopup(Handle());
    if (popup != Handle() && windows.IsWindowVisible(popup) && windows.IsWindowEnabled(popup)) {
        windows.SetForegroundWindow(popup);
    }
}

void TApplication::UpdateVisible() {
    HWND window = Handle();
    if (window == nullptr) {
        return;
    }
    const bool wanted = std::ranges::any_of(Components(), [](TComponent* component) {
        auto* form = dynamic_cast<TForm*>(component);
        return form != nullptr && form->Visible();
    });
    platform::WindowManager& windows = *platform::Current().windows;
    // Only a window that still looks as it was last left is touched: a minimized and hidden
    // application window is not shown again behind the program's back.
    bool actual = windows.IsWindowVisible(window);
    if (actual == recordedVisible_ && wanted != recordedVisible_) {
        UINT show = wanted ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
        windows.SetWindowPos(window, nullptr, 0, 0, 0, 0,
                             SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | show);
        recordedVisible_ = wanted;
    }
}

bool TApplication::FormMinimizeCommand(const TForm* form, WPARAM wParam, LPARAM lParam) {
    if (form != mainForm_) {
        return false;
    }
    // Sent, not called: the hooks on the application window see the command first.
    SendMessageW(Handle(), WM_SYSCOMMAND, wParam, lParam);
    return true;
}

void TApplication::HandleException(std::exception_ptr error) {
    Exception exception(MessageOf(std::move(error)));
    for (TApplicationEvents* events : std::vector<TApplicationEvents*>(events_)) {
        if (!events->OnException) {
            continue;
        }
        // A handler that fails in turn must not take the program down with it.
        try {
            events->OnException(this, exception);
        } catch (...) {
        }
    }
}

int TApplication::HookMainWindow(MessageHook hook) {
    hooks_.emplace_back(nextHook_, std::move(hook));
    return nextHook_++;
}

void TApplication::UnhookMainWindow(int id) {
    std::erase_if(hooks_, [id](const auto& hook) { return hook.first == id; });
}

LRESULT TApplication::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    for (const auto& hook : std::vector<std::pair<int, MessageHook>>(hooks_)) {
        if (hook.second(message, wParam, lParam)) {
            return 0;
        }
    }
    switch (message) {
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_MINIMIZE) {
                Minimize();
                return 0;
            }
            if ((wParam & 0xFFF0) == SC_RESTORE) {
                Restore();
                return 0;
            }
            break;
        case WM_CLOSE:
            if (mainForm_ != nullptr) {
                mainForm_->Close();
            }
            return 0;
        case WM_ENDSESSION:
            // An installer or updater closing the program through the Restart Manager expects it
            // to end by itself; the hooks, which run first, have had their say. A log-off or a
            // shutdown ends the process without our help.
            if (wParam != 0 && (lParam & ENDSESSION_CLOSEAPP) != 0) {
                Terminate();
                return 0;
            }
            break;
        case WM_SETFOCUS:
            // The zero-sized window has nothing to type into: once the activation that gave it
            // the focus is over, the main form takes it.
            PostMessageW(window, kFocusMainForm, 0, 0);
            break;
        case kFocusMainForm:
            if (GetFocus() == window && mainForm_ != nullptr && mainForm_->HandleAllocated()) {
                platform::WindowManager& windows = *platform::Current().windows;
                HWND form = mainForm_->Handle();
                if (!windows.IsIconic(window) && windows.IsWindowVisible(form) &&
                    windows.IsWindowEnabled(form)) {
                    SetFocus(form);
                }
            }
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

TApplicationEvents::TApplicationEvents(TComponent* owner) : TComponent(owner) {
    if (Application != nullptr) {
        Application->events_.push_back(this);
    }
}

TApplicationEvents::~TApplicationEvents() {
    if (Application != nullptr) {
        std::erase(Application->events_, this);
    }
}

bool TApplicationEvents::SetPublished(const PropertyItem& property, FormReader& reader) {
    static constexpr PublishedProperty kPublished[] = {
        Property<&TApplicationEvents::OnException>("OnException"),
        Property<&TApplicationEvents::OnMinimize>("OnMinimize"),
        Property<&TApplicationEvents::OnRestore>("OnRestore"),
    };
    return SetFromTable(*this, kPublished, property, reader) ||
           TComponent::SetPublished(property, reader);
}
