#include "framework/Forms.h"

#include "framework/Application.h"
#include "framework/ComCtrls.h"
#include "framework/Exceptions.h"
#include "framework/ExtCtrls.h"
#include "framework/Menus.h"
#include "framework/Published.h"
#include "framework/Screen.h"
#include "framework/StdCtrls.h"
#include "platform/DisplayScale.h"
#include "platform/Facets.h"
#include "platform/Utf8.h"
#include "platform/WindowManager.h"

#include <algorithm>
#include <utility>

namespace {

bool RegisterStandardClasses() {
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
    return true;
}

platform::WindowManager& Windows() {
    return *platform::Current().windows;
}

constexpr EnumName kPositionNames[] = {
    {"poDesigned", TPosition::poDesigned},
    {"poDesktopCenter", TPosition::poDesktopCenter},
};
constexpr Enumeration kPositions{"placement", kPositionNames};

}  // namespace

TForm::TForm(TComponent* owner) : TWinControl(owner) {
    [[maybe_unused]] static const bool registered = RegisterStandardClasses();
    SetVisible(false);
    SetParentFont(false);
    SetColor(clBtnFace);
}

TForm::~TForm() {
    // The components go first, while the form's window still stands around theirs.
    DestroyComponents();
    DestroyHandle();
}

void TForm::Load() {
    std::wstring name = platform::Utf8ToWide(ClassName());
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
    FormReader reader(*this, *this);
    reader.Read(*root);
    Loaded();
    for (TComponent* component : std::vector<TComponent*>(Components())) {
        component->Loaded();
    }
    Screen().ReadHighContrast();
    CreateHandle();
    Rescale(platform::Current().scale->GetDpiForWindow(Handle()), std::nullopt);
    // An exception in the creation handler is shown like any other; the form stands.
    RunGuarded(0, [&] {
        Fire(OnCreate, this);
        return 0;
    });
}

void TForm::PublishComponents(std::initializer_list<PublishedComponent> components) {
    components_.assign(components);
}

void TForm::PublishHandlers(std::initializer_list<PublishedHandler> handlers) {
    handlers_.assign(handlers);
}

std::any TForm::FindMethod(const std::string& name) {
    auto found = std::ranges::find(handlers_, name, &PublishedHandler::name);
    return found != handlers_.end() ? found->bind(*this) : std::any();
}

bool TForm::BindField(const std::string& name, TComponent* component) {
    auto found = std::ranges::find(components_, name, &PublishedComponent::name);
    return found == components_.end() || found->bind(component);
}

void TForm::CreateParams(WindowParams& params) {
    params.className = platform::Utf8ToWide(ClassName());
    params.systemClass = false;
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
    if (!HandleAllocated() || !IsWindowVisible(Handle()) || Windows().IsIconic(Handle())) {
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

void TForm::Rescale(int dpi, std::optional<RECT> placement) {
    pendingChange_ = DpiChange{dpi, placement};
    if (Scaling()) {
        return;
    }
    while (pendingChange_) {
        const DpiChange change = *pendingChange_;
        pendingChange_.reset();
        if (change.dpi <= 0 || change.dpi == dpi_) {
            if (change.placement) {
                const RECT& place = *change.placement;
                SetBounds(place.left, place.top, place.right - place.left,
                          place.bottom - place.top);
            }
            continue;
        }
        const int previous = dpi_;
        dpi_ = change.dpi;
        placement_ = change.placement;
        SetScaling(true);
        ScopeExit done([this] {
            SetScaling(false);
            placement_.reset();
        });
        ChangeScale(change.dpi, previous);
    }
}

RECT TForm::ScaledBounds(int dpi, int previousDpi) const {
    if (placement_) {
        return *placement_;
    }
    // Only the client area scales: the frame around it is the system's, at each scale's size.
    // The window stays where it stands: its place is a point on the desktop, not a length.
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
    return {Left(), Top(),
            Left() + outer(Width(), oldFrame.left, oldFrame.right, newFrame.left, newFrame.right),
            Top() + outer(Height(), oldFrame.top, oldFrame.bottom, newFrame.top, newFrame.bottom)};
}

void TForm::VisibleChanged() {
    if (Application != nullptr) {
        Application->UpdateVisible();
    }
    if (!HandleAllocated()) {
        return;
    }
    if (!Visible()) {
        Windows().ShowWindow(Handle(), SW_HIDE);
        return;
    }
    if (!std::exchange(shownOnce_, true) && position_ == TPosition::poDesktopCenter) {
        RECT screen = Windows().GetWindowRect(Windows().GetDesktopWindow());
        SetBounds(screen.left + (screen.right - screen.left - Width()) / 2,
                  screen.top + (screen.bottom - screen.top - Height()) / 2, Width(), Height());
    }
    Windows().ShowWindow(
        Handle(), windowState_ == TWindowState::wsMaximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
}

void TForm::SetWindowState(TWindowState state) {
    if (state == windowState_) {
        return;
    }
    windowState_ = state;
    if (HandleAllocated() && Visible()) {
        Windows().ShowWindow(Handle(), state == TWindowState::wsMaximized   ? SW_SHOWMAXIMIZED
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

void TForm::ContrastMayHaveChanged() {
    Screen().ReadHighContrast();
    RedrawWindow(Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

LRESULT TForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE:
            Close();
            return 0;
        case WM_WINDOWPOSCHANGED:
            if (!Windows().IsIconic(Handle())) {
                StoreBounds(Windows().GetWindowRect(Handle()));
            }
            break;
        case WM_SYSCOLORCHANGE:
            // Windows tells top-level windows only; the common controls keep colours of their
            // own, and learn of the change from their parent.
            EnumChildWindows(
                Handle(),
                [](HWND child, LPARAM) {
                    SendMessageW(child, WM_SYSCOLORCHANGE, 0, 0);
                    return TRUE;
                },
                0);
            TWinControl::WndProc(message, wParam, lParam);
            ContrastMayHaveChanged();
            return 0;
        case WM_SETTINGCHANGE:
            if (wParam == SPI_SETHIGHCONTRAST) {
                ContrastMayHaveChanged();
            }
            break;
        case WM_THEMECHANGED:
            ContrastMayHaveChanged();
            break;
        case WM_SETFOCUS:
            // The form itself has nothing to type into: the focus goes on to its active control.
            FocusActiveControl();
            return 0;
        case WM_DPICHANGED:
            // Dragged to a screen of another scale: laid out again and placed once, where
            // Windows offers. Placed there, the window may fall back on the first screen, whose
            // change then comes inside this one's.
            Rescale(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_SYSCOMMAND:
            // The program minimizes as a whole: the application window takes the command.
            if ((wParam & 0xFFF0) == SC_MINIMIZE && Application != nullptr &&
                Application->FormMinimizeCommand(this, wParam, lParam)) {
                return 0;
            }
            break;
        default:
            break;
    }
    return TWinControl::WndProc(message, wParam, lParam);
}

bool TForm::SetPublished(const PropertyItem& property, FormReader& reader) {
    static constexpr PublishedProperty kPublished[] = {
        EnumProperty<&TForm::position_, kPositions>("Position"),
        Property<&TForm::OnCreate>("OnCreate"),
        Property<&TForm::OnClose>("OnClose"),
    };
    return SetFromTable(*this, kPublished, property, reader) ||
           TWinControl::SetPublished(property, reader);
}
