#pragma once
// The program under test runs its own message loop: the harness polls for what it expects.

#include <windows.h>

// Calls condition every pollMs until it holds or timeoutMs has passed; returns its last answer.
template <typename Condition>
bool WaitUntil(Condition&& condition, DWORD timeoutMs, DWORD pollMs = 20) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!condition()) {
        if (GetTickCount64() >= deadline) {
            return condition();
        }
        Sleep(pollMs);
    }
    return true;
}
