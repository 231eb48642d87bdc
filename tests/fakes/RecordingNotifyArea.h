#pragma once
// A notification area that keeps a copy of the record of every call, for a shell of the test's
// chosen version.

#include "platform/NotifyArea.h"

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

    void NotifyIcon(DWORD message, NOTIFYICONDATAA& data) override {
        calls.push_back({message, data});
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
