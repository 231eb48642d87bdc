#include "WindowActions.h"

#include "Win32Error.h"

#include <stdexcept>

std::optional<LRESULT> Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                            UINT timeoutMs) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, timeoutMs,
                             &result)) {
        return std::nullopt;
    }
    return static_cast<LRESULT>(result);
}

void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!PostMessageW(window, message, wParam, lParam)) {
        ThrowLastError("PostMessageW of message " + std::to_string(message));
    }
}

void Click(HWND button) {
    Post(button, BM_CLICK);
}

void ClickAndWait(HWND button) {
    if (!Send(button, BM_CLICK)) {
        throw std::runtime_error("BM_CLICK was not handled in time");
    }
}

void SetText(HWND window, const std::wstring& text) {
    const std::optional<LRESULT> result =
        Send(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (!result || *result == FALSE) {
        throw std::runtime_error("WM_SETTEXT was not accepted");
    }
}

void Close(HWND window) {
    Post(window, WM_CLOSE);
}

void Minimize(HWND window) {
    if (!Send(window, WM_SYSCOMMAND, SC_MINIMIZE)) {
        throw std::runtime_error("WM_SYSCOMMAND SC_MINIMIZE was not answered");
    }
}
