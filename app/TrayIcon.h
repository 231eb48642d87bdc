#pragma once
// The program's icon in the notification area: its tip, its menu, and the clicks, double clicks
// and menu requests that the shell reports to the icon's own hidden window.

#include "framework/Component.h"
#include "framework/Graphics.h"
#include "framework/Window.h"

#include <windows.h>

#include <shellapi.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class TPopupMenu;

enum class TTrayVisibility {
    tvVisibleTaskBar,
    tvVisibleTaskList,
    tvAutoHide,
    tvAutoHideIcon,
    tvVisibleDesign,
    tvRestoreClick,
    tvRestoreDbClick,
    tvMinimizeClick,
    tvMinimizeDbClick,
    tvAnimateToTray,
};

// A set of TTrayVisibility, one bit per member in declaration order.
class TTrayVisibilities {
public:
    TTrayVisibilities() = default;
    TTrayVisibilities(std::initializer_list<TTrayVisibility> members) {
        for (TTrayVisibility member : members) {
            Include(member);
        }
    }
    bool Contains(TTrayVisibility member) const { return (bits_ & Bit(member)) != 0; }
    void Include(TTrayVisibility member) { bits_ |= Bit(member); }
    void Exclude(TTrayVisibility member) { bits_ &= ~Bit(member); }
    bool operator==(const TTrayVisibilities&) const = default;

private:
    static uint16_t Bit(TTrayVisibility member) {
        return static_cast<uint16_t>(1u << static_cast<unsigned>(member));
    }
    uint16_t bits_ = 0;
};

// Whether the shell of that version (shell32.dll's major.minor, major in the upper 16 bits)
// speaks the newer notification protocol: larger record, longer tips, menu on request.
inline bool ShellSpeaksVersion5(DWORD shellVersion) {
    return shellVersion >= 0x50000;
}

class TTrayIcon : public TComponent {
public:
    // The message that the shell sends to the message window for the icon.
    static constexpr UINT kCallbackMessage = WM_USER + 1;
    // Timers of the message window: the animation's, the balloon's (never started here) and
    // the double-click wait.
    static constexpr UINT_PTR kAnimationTimer = 1;
    static constexpr UINT_PTR kBalloonTimer = 2;
    static constexpr UINT_PTR kDoubleClickTimer = 3;
    // Tries again to add an icon that the shell refused, as a shell still starting at logon does.
    static constexpr UINT_PTR kAddRetryTimer = 4;
    static constexpr UINT kAddRetryMs = 2000;
    static constexpr UINT kIconId = 1;
    // What an add gives the shell: the callback message, the picture and the tip.
    static constexpr UINT kAddFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;

    explicit TTrayIcon(TComponent* owner);
    ~TTrayIcon() override;

    bool Active() const { return active_; }
    void SetActive(bool active);
    TIcon& Icon() { return icon_; }
    // Takes a new picture from the program's resources and hands it to the shell.
    void SetIconResource(const std::string& name);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint);
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* menu) { popupMenu_ = menu; }
    void SetDropDownMenu(TPopupMenu* menu) { dropDownMenu_ = menu; }
    TTrayVisibilities Visibility() const { return visibility_; }

    // Minimizes the application when it is not minimized yet, then hides its window and so its
    // taskbar button.
    virtual void ConcealApplication();
    // The opposite; only the click members of Visibility would call it.
    virtual void RevealApplication();

    TMouseEvent OnClick;
    TMouseEvent OnDblClick;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    // May declare a request for the menu handled, so that no menu is shown.
    std::function<void(TObject* sender, POINT position, bool& handled)> OnContextPopup;

    HWND MessageWindow() const { return window_->Handle(); }

    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    bool SetPublished(const PropertyItem& property, FormReader& reader) override;

private:
    void ReadIcon(const PropertyValue& value, FormReader& reader);
    void ReadVisibility(const PropertyValue& value, FormReader& reader);

    struct HeldClick {
        TMouseButton button;
        TShiftState shift;
        POINT position;
    };

    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void HandleCallback(LPARAM event);
    void ButtonDown(TMouseButton button, TShiftState shift, POINT position);
    void ButtonUp(TMouseButton button, TShiftState shift, POINT position);
    void DoubleClick(TMouseButton button, TShiftState shift, POINT position);
    void DeliverClick(const HeldClick& click);
    void EndDoubleClickWait();
    // The menu at the pointer's position, or beside the icon's rectangle when one is given.
    void ContextMenu(POINT position, const RECT* icon = nullptr);
    void ShowMenu(TPopupMenu* menu, POINT position, const RECT* icon = nullptr);
    // A menu closed without a command hands the keyboard back to the notification area.
    void HandFocusBack();

    void Activate();
    void Deactivate();
    void AddIcon();
    // One tick of the retry after a refused add.
    void RetryAdd();
    // The shell has the icon: no more retries, and the newer shells' notifications asked for.
    void IconTaken();
    void RemoveIcon();
    void SendTipIfStale();
    void FillTip();
    HICON CurrentIcon() const;
    bool NewShell() const;
    bool Notify(DWORD message, UINT flags);
    void StopAddRetry();

    std::unique_ptr<HandlerWindow> window_;
    UINT taskbarCreated_ = 0;
    NOTIFYICONDATAA data_{};
    bool active_ = false;
    bool deferredActive_ = false;
    bool iconAdded_ = false;
    bool retryingAdd_ = false;
    int hook_ = 0;
    bool tipStale_ = false;
    bool buttonDown_ = false;
    std::optional<HeldClick> heldClick_;
    bool waitRunning_ = false;
    bool menuUp_ = false;
    // The last button notification was the right button's release.
    bool rightReleased_ = false;
    TIcon icon_;
    // The resource the picture came from, to take it again at another scale.
    std::string iconResource_;
    std::string hint_;
    TPopupMenu* popupMenu_ = nullptr;
    TPopupMenu* dropDownMenu_ = nullptr;
    TTrayVisibilities visibility_{TTrayVisibility::tvVisibleTaskBar,
                                  TTrayVisibility::tvVisibleTaskList, TTrayVisibility::tvAutoHide};
};
