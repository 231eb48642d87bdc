#pragma once
// Waiting on the real timers: the program's messages are handled until what the test expects
// has happened, with seconds to spare for a busy machine.

#include "framework/Application.h"

#include <windows.h>

inline constexpr DWORD kPatienceMs = 10000;

// Handles the queued messages until `condition` holds or `timeoutMs` has passed; answers
// whether it holds.
template <typename Condition>
bool PumpUntil(TApplication& app, Condition condition, DWORD timeoutMs = kPatienceMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        app.ProcessMessages();
        if (condition()) {
            return true;
        }
        if (GetTickCount64() >= deadline) {
            return false;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}
