#include "framework/Forms.h"

#include "framework/ComCtrls.h"
#include "framework/ExceptionEdge.h"
#include "framework/Exceptions.h"
#include "framework/ExtCtrls.h"
#include "framework/Menus.h"
#include "framework/PropertyValues.h"
#include "framework/StdCtrls.h"
#include "framework/Text.h"
#include "platform/DisplayScale.h"
#include "platform/Facets.h"
#include "platform/WindowManager.h"

#include <commctrl.h>

#include <algorithm>

TApplication* Application = nullptr;

namespace {

// Posted to the application window to hand its keyboard focus on to the main form.
constexpr UINT kFocusMainForm = WM_APP + 1;

void RegisterStandardClasses() {
    ClassRegistry& registry = ClassRegistry::Instance();
    registry.Register<TLabel>("TLabel");
    registry.Register<TButton>("TButton");
    registry.Register<TCheckBox>("TCheckBox");
    registry.Register<TGroupBox>("TGroupBox");
    registry.Register<TPanel>("TPanel");
    registry.Register<TImage>("TImage");
    registry.Register<TTimer>("TTimer");
    registry.Register<TStatusBar>("TStatusBar");
    registry.Register<TPopupMenu>("TPopupMenu");
    registry.Register<TMenuItem>("TMenuItem");
    registry.Register<TApplicationEvents>("TApplicationEvents");
    registry.Register<TXPManifest>("TXPManifest");
}

TPosition PositionValue(const PropertyValue& value) {
    static const std::pair<const char*, TPosition> kPositions[] = {
        {"poDesigned", TPosition::poDesigned},
        {"poDesktopCenter", TPosition::poDesktopCenter},
        {"poScreenCenter", TPosition::poScreenCenter},
    };
    return EnumValue(value, kPositions, "placement");
}

// Switches the system's minimize and restore animation off for its life, when it is on, and
// back on at its end on every path: the user's setting must survive whatever happens between.
class AnimationPause {
public:
    explicit AnimationPause(platform::WindowManager& windows)
        : windows_(windows), paused_(windows.GetMinimizeAnimation()) {
        if (paused_) {
            windows_.SetMinimizeAnimation(false);
        }
    }
    ~AnimationPause() {
        if (paused_) {
            windows_.SetMinimizeAnimation(true);
        }
    }
    AnimationPause(const AnimationPause&) = delete;
    AnimationPause& operator=(const AnimationPause&) = delete;

private:
    platform::WindowManager& windows_;
    bool paused_;
};

}  // namespace

TForm::TForm(TComponent* owner) : TWinControl(owner) {
    static bool registered = false;
    if (!registered) {
        RegisterStandardClasses();
        registered = true;
    }
    SetVisible(false);
    SetParentFont(false);
    SetColor(clBtnFace);
}

TForm::~TForm() {
    // The components go first, while the form's window still stands around theirs.
    DestroyComponents();
    DestroyHandle();
    if (Application != nullptr && Application != Owner()) {
        Application->UpdateVisible();
    }
}

void TForm::Load() {
    std::wstring name = Utf8ToWide(ClassName());
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(module, name.c_str(), MAKEINTRESOURCEW(10));  // RT_RCDATA
    HGLOBAL data = resource != nullptr ? LoadResource(module, resource) : nullptr;
    if (data == nullptr) {
        throw EReadError("Ressource de fiche introuvable : " + std::string(ClassName()));
    }
    LoadFromText(std::string_view(static_cast<const char*>(LockResource(data)),
                                  SizeofResource(module, resource)));
}

void TForm::LoadFromText(std::string_view text) {
    std::unique_ptr<ObjectNode> root = ParseFormText(text);
    BeginLoading();
    FormReader reader(*this);
    reader.Read(*root);
    Loaded();
    for (TComponent* component : std::vector<TComponent*>(Components())) {
        component->Loaded();
    }
    CreateHandle();
    ScaleTo(platform::Current().scale->GetDpiForWindow(Handle()));
    // An exception in the creation handler is shown like any other; the form stands.
    RunGuarded(this, 0, [&] {
        Fire(OnCreate, this);
        return 0;
    });
}

const TMethod* TForm::FindMethod(const std::string& name) const {
    auto found = methods_.find(name);
    return found != methods_.end() ? &found->second : nullptr;
}

bool TForm::BindField(const std::string& name, TComponent* component) {
    auto found = fields_.find(name);
    return found == fields_.end() || found->second(component);
}

void TForm::CreateParams(WindowParams& params) {
    params.className = Utf8ToWide(ClassName());
    params.frameworkClass = true;
    params.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    params.exStyle = WS_EX_CONTROLPARENT;
    params.parent = Application != nullptr ? Application->Handle() : nullptr;
}

TWinControl* TForm::ActiveControl() const {
    return HandleAllocated() && IsChild(Handle(), activeControl_) ? FromHandle(activeControl_)
                                                                  : nullptr;
}

void TForm::ControlFocused(TWinControl* control) {
    activeControl_ = control->Handle();
}

void TForm::FocusActiveControl() {
    if (!HandleAllocated() || !IsWindowVisible(Handle()) || IsIconic(Handle())) {
        return;
    }
    TWinControl* active = ActiveControl();
    HWND target = active != nullptr && active->CanFocus()
                      ? active->Handle()
                      : GetNextDlgTabItem(Handle(), nullptr, FALSE);
    if (target != nullptr && GetFocus() != target) {
        ::SetFocus(target);
    }
}

void TForm::ScaleTo(int dpi) {
    if (dpi > 0 && dpi != dpi_) {
        const int previous = dpi_;
        dpi_ = dpi;
        scaling_ = true;
        struct Done {
            bool& flag;
            ~Done() { flag = false; }
        } done{scaling_};
        ChangeScale(dpi, previous);
    }
}

RECT TForm::ScaledBounds(int dpi, int previousDpi) const {
    // Only the client area scales: the frame around it is the system's, at each scale's size.
    platform::DisplayScale& scale = *platform::Current().scale;
    DWORD style = WS_OVERLAPPEDWINDOW;
    DWORD exStyle = WS_EX_CONTROLPARENT;
    if (HandleAllocated()) {
        style = static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE));
        exStyle = static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_EXSTYLE));
    }
    const RECT none{0, 0, 0, 0};
    RECT oldFrame = scale.AdjustWindowRectExForDpi(none, style, exStyle, previousDpi);
    RECT newFrame = scale.AdjustWindowRectExForDpi(none, style, exStyle, dpi);
    auto outer = [&](int length, LONG oldStart, LONG oldEnd, LONG newStart, LONG newEnd) {
        return ScaleLength(length - (oldEnd - oldStart), dpi, previousDpi) + (newEnd - newStart);
    };
    const int left = ScaleLength(Left(), dpi, previousDpi);
    const int top = ScaleLength(Top(), dpi, previousDpi);
    return {left, top,
            left + outer(Width(), oldFrame.left, oldFrame.right, newFrame.left, newFrame.right),
            top + outer(Height(), oldFrame.top, oldFrame.bottom, newFrame.top, newFrame.bottom)};
}

void TForm::Center() {
    HWND desktop = GetDesktopWindow();
    RECT screen{};
    GetWindowRect(desktop, &screen);
    int left = screen.left + (screen.right - screen.left - Width()) / 2;
    int top = screen.top + (screen.bottom - screen.top - Height()) / 2;
    SetBounds(left, top, Width(), Height());
}

void TForm::VisibleChanged() {
    if (Application != nullptr) {
        Application->UpdateVisible();
    }
    if (!HandleAllocated()) {
        return;
    }
    if (!Visible()) {
        ShowWindow(Handle(), SW_HIDE);
        return;
    }
    if (!shownOnce_) {
        shownOnce_ = true;
        if (position_ == TPosition::poDesktopCenter || position_ == TPosition::poScreenCenter) {
            Center();
        }
    }
    ShowWindow(Handle(),
               windowState_ == TWindowState::wsMaximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
}

void TForm::SetWindowState(TWindowState state) {
    if (state == windowState_) {
        return;
    }
    windowState_ = state;
    if (HandleAllocated() && Visible()) {
        ShowWindow(Handle(), state == TWindowState::wsMaximized   ? SW_SHOWMAXIMIZED
                             : state == TWindowState::wsMinimized ? SW_MINIMIZE
                                                                  : SW_RESTORE);
    }
}

void TForm::Close() {
    TCloseAction action = TCloseAction::caHide;
    Fire(OnClose, this, action);
    if (action == TCloseAction::caNone) {
        return;
    }
    if (Application != nullptr && Application->MainForm() == this) {
        Application->Terminate();
    } else {
        Hide();
    }
}

LRESULT TForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE:
            Close();
            return 0;
        case WM_WINDOWPOSCHANGED: {
            RECT bounds{};
            GetWindowRect(Handle(), &bounds);
            if (!IsIconic(Handle())) {
                StoreBounds(bounds);
            }
            break;
        }
        case WM_SETFOCUS:
            // The form itself has nothing to type into: the focus goes on to its active control.
            FocusActiveControl();
            return 0;
        case WM_DPICHANGED: {
            // Dragged to a screen of another scale: laid out again, in the place Windows offers.
            ScaleTo(HIWORD(wParam));
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            SetBounds(suggested->left, suggested->top, suggested->right - suggested->left,
                      suggested->bottom - suggested->top);
            return 0;
        }
        case WM_SYSCOMMAND:
            // The program minimizes as a whole: the application window takes the command.
            if ((wParam & 0xFFF0) == SC_MINIMIZE && Application != nullptr &&
                Application->MainForm() == this) {
                SendMessageW(Application->Handle(), WM_SYSCOMMAND, wParam, lParam);
                return 0;
            }
            break;
        default:
            break;
    }
    return TWinControl::WndProc(message, wParam, lParam);
}

void TForm::SetProperty(const PropertyItem& property, FormReader& reader) {
    const std::string& name = property.name;
    if (name == "Position") {
        position_ = PositionValue(property.value);
    } else if (name == "OnCreate") {
        OnCreate = reader.Method<TNotifyEvent>(property.value);
    } else if (name == "OnClose") {
        OnClose = reader.Method<TCloseEvent>(property.value);
    } else {
        TWinControl::SetProperty(property, reader);
    }
}

TApplication::TApplication() : TComponent(nullptr) {
    Application = this;
    SetExceptionHandler(
        [this](TObject* sender, std::exception_ptr error) { HandleException(sender, error); });
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
    int width = GetSystemMetrics(SM_CXSCREEN);
    int height = GetSystemMetrics(SM_CYSCREEN);
    window_ = std::make_unique<HandlerWindow>(
        WindowSpec{.className = L"TApplication",
                   .style = WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                   .title = L"Velmora",
                   .x = width / 2,
                   .y = height / 2},
        this, [this](HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
            return WindowProc(window, message, wParam, lParam);
        });
}

int TApplication::StartupShowCommand() const {
    if (startupShowCommand_ >= 0) {
        return startupShowCommand_;
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    GetStartupInfoW(&startup);
    return (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? startup.wShowWindow : SW_SHOWNORMAL;
}

void TApplication::Run() {
    if (mainForm_ != nullptr) {
        int show = StartupShowCommand();
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
        HandleMessage(message);
    }
    terminated_ = true;
}

void TApplication::HandleMessage(MSG& message) {
    // The main window's keyboard works as a dialog's: Tab and the arrow keys move the focus.
    HWND form = mainForm_ != nullptr ? mainForm_->Handle() : nullptr;
    if (form == nullptr || !IsDialogMessageW(form, &message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void TApplication::Terminate() {
    if (!terminated_) {
        terminated_ = true;
        PostQuitMessage(0);
    }
}

void TApplication::ProcessMessages() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            terminated_ = true;
            continue;
        }
        HandleMessage(message);
    }
}

bool TApplication::MainFormTakesPart() {
    return mainForm_ != nullptr && mainForm_->HandleAllocated() &&
           platform::Current().windows->IsWindowEnabled(mainForm_->Handle()) &&
           (showMainForm_ || mainForm_->Visible());
}

void TApplication::Minimize() {
    platform::WindowManager& windows = *platform::Current().windows;
    HWND window = Handle();
    if (windows.IsIconic(window)) {
        return;
    }
    windows.SetActiveWindow(window);
    if (MainFormTakesPart()) {
        // The system's animation then starts from the main window.
        windows.SetWindowPos(window, mainForm_->Handle(), mainForm_->Left(), mainForm_->Top(),
                             mainForm_->Width(), 0, SWP_SHOWWINDOW);
        windows.DefWindowProcA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    } else {
        AnimationPause pause(windows);
        windows.ShowWindow(window, SW_MINIMIZE);
    }
    for (TApplicationEvents* events : std::vector<TApplicationEvents*>(events_)) {
        Fire(events->OnMinimize, events);
    }
}

void TApplication::Restore() {
    platform::WindowManager& windows = *platform::Current().windows;
    HWND window = Handle();
    if (!windows.IsIconic(window)) {
        return;
    }
    windows.SetActiveWindow(window);
    if (MainFormTakesPart()) {
        windows.DefWindowProcA(window, WM_SYSCOMMAND, SC_RESTORE, 0);
    } else {
        AnimationPause pause(windows);
        windows.ShowWindow(window, SW_RESTORE);
    }
    // Back to a visible zero-sized window at the centre of the screen, as at the start.
    int centreX = windows.GetSystemMetrics(SM_CXSCREEN) / 2;
    int centreY = windows.GetSystemMetrics(SM_CYSCREEN) / 2;
    windows.SetWindowPos(window, HWND_TOP, centreX, centreY, 0, 0, SWP_SHOWWINDOW);
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
    bool wanted = false;
    for (TComponent* component : Components()) {
        if (auto* form = dynamic_cast<TForm*>(component); form != nullptr && form->Visible()) {
            wanted = true;
        }
    }
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

void TApplication::HandleException(TObject* sender, std::exception_ptr error) {
    Exception exception(MessageOf(error));
    for (TApplicationEvents* events : std::vector<TApplicationEvents*>(events_)) {
        if (!events->OnException) {
            continue;
        }
        // A handler that fails in turn must not take the program down with it.
        try {
            events->OnException(sender, exception);
        } catch (...) {
        }
    }
}

int TApplication::HookMainWindow(MessageHook hook) {
    hooks_.emplace_back(nextHook_, std::move(hook));
    return nextHook_++;
}

void TApplication::UnhookMainWindow(int id) {
    hooks_.erase(std::remove_if(hooks_.begin(), hooks_.end(),
                                [id](const auto& hook) { return hook.first == id; }),
                 hooks_.end());
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
        case WM_SETFOCUS:
            // The zero-sized window has nothing to type into: once the activation that gave it
            // the focus is over, the main form takes it.
            PostMessageW(window, kFocusMainForm, 0, 0);
            break;
        case kFocusMainForm:
            if (!IsIconic(window) && GetFocus() == window && mainForm_ != nullptr &&
                mainForm_->HandleAllocated() && IsWindowVisible(mainForm_->Handle()) &&
                IsWindowEnabled(mainForm_->Handle())) {
                SetFocus(mainForm_->Handle());
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
        auto& events = Application->events_;
        events.erase(std::remove(events.begin(), events.end(), this), events.end());
    }
}

void TApplicationEvents::SetProperty(const PropertyItem& property, FormReader& reader) {
    if (property.name == "OnException") {
        OnException = reader.Method<TExceptionEvent>(property.value);
    } else if (property.name == "OnMinimize") {
        OnMinimize = reader.Method<TNotifyEvent>(property.value);
    } else if (property.name == "OnRestore") {
        OnRestore = reader.Method<TNotifyEvent>(property.value);
    } else {
        TComponent::SetProperty(property, reader);
    }
}
