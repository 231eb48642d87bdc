#include "app/TrayIcon.h"

#include "framework/Application.h"
#include "framework/Menus.h"
#include "framework/Mouse.h"
#include "framework/Published.h"
#include "platform/DisplayScale.h"
#include "platform/Facets.h"
#include "platform/NotifyArea.h"
#include "platform/WindowManager.h"

namespace {

// The keys and buttons held now: the shell's notification carries none.
TShiftState HeldKeys() {
    auto down = [](int key) { return (GetKeyState(key) & 0x8000) != 0; };
    return {down(VK_SHIFT),   down(VK_MENU),    down(VK_CONTROL),
            down(VK_LBUTTON), down(VK_RBUTTON), down(VK_MBUTTON)};
}

std::string ReplaceLineBreaks(std::string text) {
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) {
        text.replace(at, 2, " - ");
        at += 3;
    }
    return text;
}

constexpr EnumName kVisibilityNames[] = {
    {"tvVisibleTaskBar", TTrayVisibility::tvVisibleTaskBar},
    {"tvVisibleTaskList", TTrayVisibility::tvVisibleTaskList},
    {"tvAutoHide", TTrayVisibility::tvAutoHide},
    {"tvAutoHideIcon", TTrayVisibility::tvAutoHideIcon},
    {"tvVisibleDesign", TTrayVisibility::tvVisibleDesign},
    {"tvRestoreClick", TTrayVisibility::tvRestoreClick},
    {"tvRestoreDbClick", TTrayVisibility::tvRestoreDbClick},
    {"tvMinimizeClick", TTrayVisibility::tvMinimizeClick},
    {"tvMinimizeDbClick", TTrayVisibility::tvMinimizeDbClick},
    {"tvAnimateToTray", TTrayVisibility::tvAnimateToTray},
};
constexpr Enumeration kVisibilities{"membre", kVisibilityNames};

}  // namespace

TTrayIcon::TTrayIcon(TComponent* owner) : TComponent(owner) {
    window_ = std::make_unique<HandlerWindow>(
        WindowRequest{.className = L"TTrayIconWindow", .ansi = true, .exStyle = WS_EX_TOOLWINDOW},
        [this](HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
            return HandleMessage(window, message, wParam, lParam);
        });
    taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
    // Run elevated, the program would not hear a restarted shell's broadcast without this.
    if (taskbarCreated_ != 0) {
        platform::Current().notifyArea->AllowMessage(MessageWindow(), taskbarCreated_);
    }
}

TTrayIcon::~TTrayIcon() {
    KillTimer(MessageWindow(), kDoubleClickTimer);
    KillTimer(MessageWindow(), kBalloonTimer);
    SetActive(false);
    icon_.Release();
    window_.reset();
}

void TTrayIcon::SetActive(bool active) {
    if (IsLoading()) {
        deferredActive_ = active;
        return;
    }
    if (active == active_) {
        return;
    }
    active_ = active;
    if (active) {
        Activate();
    } else {
        Deactivate();
    }
}

void TTrayIcon::SetIconResource(const std::string& name) {
    iconResource_ = name;
    // The notification area shows small icons at the screen's scale: the icon holds an image
    // drawn for each, so none is stretched.
    platform::DisplayScale& scale = *platform::Current().scale;
    const int dpi = scale.GetDpiForWindow(MessageWindow());
    icon_.LoadFromResource(name, scale.GetSystemMetricsForDpi(SM_CXSMICON, dpi),
                           scale.GetSystemMetricsForDpi(SM_CYSMICON, dpi));
    data_.hIcon = CurrentIcon();
    if (iconAdded_) {
        Notify(NIM_MODIFY, NIF_ICON);
    }
}

void TTrayIcon::SetHint(const std::string& hint) {
    // The older shells show a one-line tip.
    std::string value = NewShell() ? hint : ReplaceLineBreaks(hint);
    if (value == hint_) {
        return;
    }
    hint_ = std::move(value);
    tipStale_ = true;
}

void TTrayIcon::ConcealApplication() {
    if (Application == nullptr) {
        return;
    }
    Application->Conceal();
    visibility_.Exclude(TTrayVisibility::tvVisibleTaskBar);
}

void TTrayIcon::RevealApplication() {
    if (Application == nullptr) {
        return;
    }
    Application->Restore();
    Application->BringToFront();
    visibility_.Include(TTrayVisibility::tvVisibleTaskBar);
}

void TTrayIcon::Loaded() {
    TComponent::Loaded();
    data_.hIcon = CurrentIcon();
    if (deferredActive_) {
        SetActive(true);
    }
}

void TTrayIcon::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != TOperation::opRemove) {
        return;
    }
    if (component == popupMenu_) {
        popupMenu_ = nullptr;
    }
    if (component == dropDownMenu_) {
        dropDownMenu_ = nullptr;
    }
}

bool TTrayIcon::SetPublished(const PropertyItem& property, FormReader& reader) {
    static constexpr PublishedProperty kPublished[] = {
        Property<&TTrayIcon::SetActive>("Active"),
        Property<&TTrayIcon::ReadIcon>("Icon"),
        Property<&TTrayIcon::SetHint>("Hint"),
        Property<&TTrayIcon::SetPopupMenu>("PopupMenu"),
        Property<&TTrayIcon::SetDropDownMenu>("DropDownMenu"),
        Property<&TTrayIcon::ReadVisibility>("Visibility"),
        Property<&TTrayIcon::OnClick>("OnClick"),
        Property<&TTrayIcon::OnDblClick>("OnDblClick"),
        Property<&TTrayIcon::OnMouseDown>("OnMouseDown"),
        Property<&TTrayIcon::OnMouseUp>("OnMouseUp"),
        Property<&TTrayIcon::OnMouseMove>("OnMouseMove"),
    };
    return SetFromTable(*this, kPublished, property, reader) ||
           TComponent::SetPublished(property, reader);
}

void TTrayIcon::ReadIcon(const PropertyValue& value, FormReader&) {
    SetIconResource(value.AsString());
    if (icon_.Empty()) {
        ThrowReadError(value.line, "icône introuvable « " + value.AsString() + " »");
    }
}

void TTrayIcon::ReadVisibility(const PropertyValue& value, FormReader&) {
    unsigned members = SetValue(value, kVisibilities, "un ensemble est attendu");
    visibility_ = {};
    for (const EnumName& member : kVisibilityNames) {
        if ((members & 1u << member.value) != 0) {
            visibility_.Include(static_cast<TTrayVisibility>(member.value));
        }
    }
}

LRESULT TTrayIcon::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == taskbarCreated_ && message != 0) {
        // The shell has started again and knows no icon: give it ours once more. It also says
        // so when the screen's scale has changed: the picture is taken again at the new size.
        RemoveIcon();
        if (!iconResource_.empty()) {
            SetIconResource(iconResource_);
        }
        if (active_) {
            AddIcon();
        }
        return 0;
    }
    switch (message) {
        case WM_QUERYENDSESSION:
            return 1;
        case WM_ENDSESSION:
            if (wParam != 0) {
                RemoveIcon();
            } else if (active_) {
                AddIcon();
            }
            return 0;
        case WM_TIMER:
            if (wParam == kDoubleClickTimer) {
                std::optional<HeldClick> click = heldClick_;
                EndDoubleClickWait();
                if (click) {
                    DeliverClick(*click);
                }
                return 0;
            }
            if (wParam == kAddRetryTimer) {
                RetryAdd();
                return 0;
            }
            if (wParam == kAnimationTimer || wParam == kBalloonTimer) {
                return 0;
            }
            break;
        case kCallbackMessage:
            HandleCallback(lParam);
            return 0;
        default:
            break;
    }
    return DefaultWindowProc(window, message, wParam, lParam);
}

void TTrayIcon::HandleCallback(LPARAM event) {
    // NIN_SELECT, the balloons' notifications (no balloon is ever shown) and anything unknown
    // do nothing, and cost nothing: the pointer and the keys are read only for the others.
    const bool pointerEvent = event >= WM_MOUSEFIRST && event <= WM_MBUTTONDBLCLK;
    if (!pointerEvent && event != WM_CONTEXTMENU && event != NIN_KEYSELECT) {
        return;
    }
    // The position that comes with the notification is not used: the pointer's is.
    POINT position{};
    GetCursorPos(&position);
    if (!pointerEvent) {
        // The mouse asks for the menu right after the right button's release. Asked for
        // without one (Shift+F10, the menu key), or the icon chosen with Enter or Space, it
        // comes up beside the icon, where the user is looking, which may be far from the pointer.
        const bool byMouse = event == WM_CONTEXTMENU && rightReleased_;
        rightReleased_ = false;
        RECT icon{};
        const bool atIcon =
            !byMouse && platform::Current().notifyArea->IconRect(MessageWindow(), kIconId, icon);
        ContextMenu(position, atIcon ? &icon : nullptr);
        return;
    }
    const TShiftState shift = HeldKeys();
    const MouseAction action = DecodeMouse(static_cast<UINT>(event));
    if (action.kind != MouseAction::kMove) {
        rightReleased_ = event == WM_RBUTTONUP;
    }
    switch (action.kind) {
        case MouseAction::kMove:
            SendTipIfStale();
            Fire(OnMouseMove, this, shift, position.x, position.y);
            break;
        case MouseAction::kDown:
            ButtonDown(action.button, shift, position);
            break;
        case MouseAction::kUp:
            ButtonUp(action.button, shift, position);
            break;
        case MouseAction::kDoubleClick:
            DoubleClick(action.button, shift, position);
            break;
        default:
            break;
    }
}

void TTrayIcon::ButtonDown(TMouseButton button, TShiftState shift, POINT position) {
    buttonDown_ = true;
    Fire(OnMouseDown, this, button, shift, position.x, position.y);
}

void TTrayIcon::ButtonUp(TMouseButton button, TShiftState shift, POINT position) {
    if (buttonDown_) {
        buttonDown_ = false;
        bool click = OnClick || (button == TMouseButton::mbLeft &&
                                 (dropDownMenu_ != nullptr ||
                                  visibility_.Contains(TTrayVisibility::tvRestoreClick) ||
                                  visibility_.Contains(TTrayVisibility::tvMinimizeClick)));
        bool doubleClickWanted = OnDblClick ||
                                 visibility_.Contains(TTrayVisibility::tvRestoreDbClick) ||
                                 visibility_.Contains(TTrayVisibility::tvMinimizeDbClick);
        if (click && doubleClickWanted) {
            // Held back until the double-click time has passed without a second click.
            heldClick_ = HeldClick{button, shift, position};
            if (!waitRunning_) {
                waitRunning_ = true;
                SetTimer(MessageWindow(), kDoubleClickTimer, GetDoubleClickTime(), nullptr);
            }
        } else if (click) {
            DeliverClick({button, shift, position});
        }
    }
    Fire(OnMouseUp, this, button, shift, position.x, position.y);
    // The older shells send no request for the menu: the right button's release is one.
    if (button == TMouseButton::mbRight && !NewShell()) {
        ContextMenu(position);
    }
}

void TTrayIcon::DoubleClick(TMouseButton button, TShiftState shift, POINT position) {
    if (heldClick_) {
        EndDoubleClickWait();
    }
    if (OnDblClick) {
        OnDblClick(this, button, shift, position.x, position.y);
        return;
    }
    if (visibility_.Contains(TTrayVisibility::tvRestoreDbClick)) {
        RevealApplication();
    } else if (visibility_.Contains(TTrayVisibility::tvMinimizeDbClick)) {
        ConcealApplication();
    }
}

void TTrayIcon::DeliverClick(const HeldClick& click) {
    Fire(OnClick, this, click.button, click.shift, click.position.x, click.position.y);
    if (click.button != TMouseButton::mbLeft) {
        return;
    }
    if (dropDownMenu_ != nullptr) {
        ShowMenu(dropDownMenu_, click.position);
    }
    if (visibility_.Contains(TTrayVisibility::tvRestoreClick)) {
        RevealApplication();
    } else if (visibility_.Contains(TTrayVisibility::tvMinimizeClick)) {
        ConcealApplication();
    }
}

void TTrayIcon::EndDoubleClickWait() {
    heldClick_.reset();
    waitRunning_ = false;
    KillTimer(MessageWindow(), kDoubleClickTimer);
}

void TTrayIcon::ContextMenu(POINT position, const RECT* icon) {
    bool handled = false;
    if (OnContextPopup) {
        OnContextPopup(this, position, handled);
    }
    if (!handled && popupMenu_ != nullptr) {
        ShowMenu(popupMenu_, position, icon);
    }
}

void TTrayIcon::ShowMenu(TPopupMenu* menu, POINT position, const RECT* icon) {
    // The open menu's loop hands the shell's notifications on: a second request while it is up
    // opens nothing, since the system shows one menu at a time, and hands no focus away from it.
    if (menuUp_) {
        return;
    }
    struct MenuUp {
        bool& up;
        explicit MenuUp(bool& flag) : up(flag) { up = true; }
        ~MenuUp() { up = false; }
    } menuUp{menuUp_};
    // A menu of a window that is not in the foreground would not close when the user clicks
    // elsewhere; the posted null message makes the next right click work the first time.
    platform::Current().windows->SetForegroundWindow(MessageWindow());
    const bool chosen =
        icon != nullptr ? menu->PopupBeside(*icon) : menu->Popup(position.x, position.y);
    PostMessageA(MessageWindow(), WM_NULL, 0, 0);
    if (!chosen) {
        HandFocusBack();
    }
}

void TTrayIcon::HandFocusBack() {
    // Closed with Esc, the menu leaves the focus on the hidden message window, where no key is
    // answered: the notification area takes it back. Closed by a click on another window, the
    // menu leaves the focus there, and it stays there.
    if (iconAdded_ && NewShell() && GetForegroundWindow() == MessageWindow()) {
        Notify(NIM_SETFOCUS, 0);
    }
}
