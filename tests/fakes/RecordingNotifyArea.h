#pragma once
// A notification area that keeps a copy of the record of every call, for a shell of the test's
// chosen version.

#include "platform/NotifyArea.h"

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
    // How many NIM_ADD calls the shell refuses before it accepts one, as a busy shell at logon.
    int addsToRefuse = 0;
    std::vector<std::pair<HWND, UINT>> allowedMessages;

    bool NotifyIcon(DWORD message, NOTIFYICONDATAA& data) override {
        calls.push_back({message, data});
        if (message == NIM_ADD && addsToRefuse > 0) {
            --addsToRefuse;
            return false;
        }
        return true;
    }
    void AllowMessage(HWND window, UINT message) override {
        allowedMessages.emplace_back(window, message);
    }
    DWORD ShellVersion() override {
        ++versionReads;
        return version;
    }

    std::vector<DWORD> Messages() const {
        std::vector<DWORD> messages;
        for (const Call& call : calls) {
            messages.push_back(call.message);
        }
        return messages;
    }
};
