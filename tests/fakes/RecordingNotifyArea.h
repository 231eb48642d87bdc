#pragma once
// A notification area that keeps a copy of the record of every call, for a shell of the test's
// chosen version. It holds icons as the shell does: one per window and identifier, so that an
// add of an icon that is already there is refused, and a modify or a delete of one that is not.

#include "platform/NotifyArea.h"

#include <map>
#include <optional>
#include <utility>
#include <vector>

class RecordingNotifyArea final : public platform::NotifyArea {
public:
    struct Call {
        DWORD message;
        NOTIFYICONDATAA data;
    };

    DWORD version = 0x60000;  // 6.0
    std::vector<Call> calls;
    int versionReads = 0;
    // How many NIM_ADD calls the shell refuses before it accepts one, as a shell not up yet.
    int addsToRefuse = 0;
    // How many NIM_ADD calls time out, as with a shell busy at logon: the call reports failure,
    // yet the shell puts the icon in when it gets to it.
    int addsToTimeOut = 0;
    std::vector<std::pair<HWND, UINT>> allowedMessages;
    // The icons in the notification area, by window and identifier, with the notification
    // version each asked for (0 until NIM_SETVERSION).
    std::map<std::pair<HWND, UINT>, UINT> icons;

    bool NotifyIcon(DWORD message, NOTIFYICONDATAA& data) override {
        calls.push_back({message, data});
        const std::pair<HWND, UINT> key{data.hWnd, data.uID};
        auto icon = icons.find(key);
        switch (message) {
            case NIM_ADD:
                if (icon != icons.end()) {
                    return false;
                }
                if (addsToRefuse > 0) {
                    --addsToRefuse;
                    return false;
                }
                icons[key] = 0;
                if (addsToTimeOut > 0) {
                    --addsToTimeOut;
                    return false;
                }
                return true;
            case NIM_SETVERSION:
                if (icon != icons.end()) {
                    icon->second = data.uVersion;
                }
                return icon != icons.end();
            case NIM_DELETE:
                if (icon != icons.end()) {
                    icons.erase(icon);
                    return true;
                }
                return false;
            default:
                return icon != icons.end();
        }
    }
    void AllowMessage(HWND window, UINT message) override {
        allowedMessages.emplace_back(window, message);
    }
    DWORD ShellVersion() override {
        ++versionReads;
        return version;
    }
    // Where the shell shows its icons; unset, as a shell without Shell_NotifyIconGetRect.
    std::optional<RECT> iconRect;
    bool IconRect(HWND window, UINT id, RECT& rect) override {
        if (!iconRect || icons.count({window, id}) == 0) {
            return false;
        }
        rect = *iconRect;
        return true;
    }

    std::vector<DWORD> Messages() const {
        std::vector<DWORD> messages;
        for (const Call& call : calls) {
            messages.push_back(call.message);
        }
        return messages;
    }

    // What the shell sends the icon's window for a right click: down and up, then, to an icon
    // that asked for version 3 notifications, the request for its menu.
    std::vector<LPARAM> RightClick(HWND window, UINT id) const {
        std::vector<LPARAM> events{WM_RBUTTONDOWN, WM_RBUTTONUP};
        auto icon = icons.find({window, id});
        if (icon != icons.end() && icon->second >= NOTIFYICON_VERSION) {
            events.push_back(WM_CONTEXTMENU);
        }
        return events;
    }
};
