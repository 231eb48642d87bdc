#pragma once
// Waiting on the real timers: the program's messages are handled until what the test expects
// has happened, with seconds to spare for a busy machine.

#include "framework/Application.h"

#include <windows.h>

inline constexpr DWORD kPatienceMs = 10000;

// Handles the messages waiting in the queue as the program's message loop does, with the main
// window's dialog keys, then returns. A quit message is dropped: the test decides when to stop.
inline void PumpMessages(const TApplication& app) {
    HWND form = app.MainForm() != nullptr ? app.MainForm()->Handle() : nullptr;
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            continue;
        }
        if (form == nullptr || !IsDialogMessageW(form, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

// Whether the program has asked its message loop to end; takes the quit message off the queue.
inline bool TakeQuitMessage() {
    MSG message{};
    return PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
}

// Handles the queued messages until `condition` holds or `timeoutMs` has passed; answers
// whether it holds.
template <typename Condition>
bool PumpUntil(TApplication& app, Condition condition, DWORD timeoutMs = kPatienceMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        PumpMessages(app);
        if (condition()) {
            return true;
        }
        if (GetTickCount64() >= deadline) {
            return false;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}
