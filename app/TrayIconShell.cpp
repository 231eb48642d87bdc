// The tray icon's life in the notification area: what the shell is told, with which record, and
// how an add that the shell refused or answered too late is made good.

#include "app/TrayIcon.h"

#include "framework/Application.h"
#include "platform/Facets.h"
#include "platform/NotifyArea.h"
#include "platform/Utf8.h"

#include <algorithm>
#include <cstring>

void TTrayIcon::Activate() {
    bool newShell = NewShell();
    data_.cbSize = newShell ? NOTIFYICONDATAA_V2_SIZE : NOTIFYICONDATAA_V1_SIZE;
    if (newShell) {
        data_.uVersion = NOTIFYICON_VERSION;
    }
    data_.hWnd = MessageWindow();
    data_.uID = kIconId;
    data_.uCallbackMessage = kCallbackMessage;
    data_.hIcon = CurrentIcon();
    FillTip();
    data_.uFlags = 0;
    if (hook_ == 0 && Application != nullptr) {
        hook_ = Application->HookMainWindow([this](UINT message, WPARAM wParam, LPARAM) {
            if (message == WM_SYSCOMMAND && wParam == SC_MINIMIZE && active_ &&
                visibility_.Contains(TTrayVisibility::tvAutoHide)) {
                ConcealApplication();
            }
            // The application window's own handling follows in every case.
            return false;
        });
    }
    AddIcon();
}

void TTrayIcon::Deactivate() {
    if (hook_ != 0) {
        if (Application != nullptr) {
            Application->UnhookMainWindow(hook_);
        }
        hook_ = 0;
    }
    RemoveIcon();
}

void TTrayIcon::AddIcon() {
    if (iconAdded_ || !active_) {
        return;
    }
    // Set before the call. A shell that refuses the icon (busy at logon, with no
    // "TaskbarCreated" to come since its taskbar already stands) is asked again every two
    // seconds, for as long as it takes: without the icon a hidden program could not be reached.
    iconAdded_ = true;
    if (!Notify(NIM_ADD, kAddFlags)) {
        iconAdded_ = false;
        if (!retryingAdd_) {
            retryingAdd_ = SetTimer(MessageWindow(), kAddRetryTimer, kAddRetryMs, nullptr) != 0;
        }
        return;
    }
    IconTaken();
}

void TTrayIcon::RetryAdd() {
    if (iconAdded_ || !active_) {
        return;
    }
    // A refusal may come from a shell that answered too late: it puts the icon in when it gets
    // to it, then refuses every add of an icon it has. A modify that it takes says the icon is in.
    iconAdded_ = true;
    if (!Notify(NIM_ADD, kAddFlags) && !Notify(NIM_MODIFY, kAddFlags)) {
        iconAdded_ = false;
        return;
    }
    IconTaken();
}

void TTrayIcon::IconTaken() {
    StopAddRetry();
    if (NewShell()) {
        Notify(NIM_SETVERSION, 0);
    }
}

void TTrayIcon::StopAddRetry() {
    if (retryingAdd_) {
        retryingAdd_ = false;
        KillTimer(MessageWindow(), kAddRetryTimer);
    }
}

void TTrayIcon::RemoveIcon() {
    // An add still being retried may have put the icon in, too late to say so.
    const bool mayBeIn = iconAdded_ || retryingAdd_;
    StopAddRetry();
    if (!mayBeIn) {
        return;
    }
    iconAdded_ = false;
    Notify(NIM_DELETE, 0);
}

void TTrayIcon::SendTipIfStale() {
    if (!tipStale_) {
        return;
    }
    tipStale_ = false;
    FillTip();
    if (iconAdded_) {
        Notify(NIM_MODIFY, NIF_TIP);
    }
}

void TTrayIcon::FillTip() {
    std::string tip = platform::Utf8ToAnsi(hint_.substr(0, hint_.find('|')));
    size_t longest = NewShell() ? 127 : 63;
    size_t length = std::min(tip.size(), longest);
    std::memcpy(data_.szTip, tip.data(), length);
    data_.szTip[length] = '\0';
}

HICON TTrayIcon::CurrentIcon() const {
    if (!icon_.Empty()) {
        return icon_.Handle();
    }
    if (Application != nullptr && Application->Handle() != nullptr) {
        // Borrowed from the application window's class.
        return reinterpret_cast<HICON>(GetClassLongPtrW(Application->Handle(), GCLP_HICON));
    }
    return nullptr;
}

bool TTrayIcon::NewShell() const {
    return ShellSpeaksVersion5(platform::Current().notifyArea->ShellVersion());
}

// Only the answers to NIM_ADD and to the NIM_MODIFY after a refused retry are ever looked at.
bool TTrayIcon::Notify(DWORD message, UINT flags) {
    data_.uFlags = flags;
    return platform::Current().notifyArea->NotifyIcon(message, data_);
}
