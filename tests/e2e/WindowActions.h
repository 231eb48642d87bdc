#pragma once
// Acting on another process's windows as a user would, never waiting longer than a timeout.

#include "WindowQueries.h"

#include <windows.h>

#include <optional>
#include <string>

// SendMessageTimeout: the result, or nullopt if the window did not answer in time.
std::optional<LRESULT> Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0,
                            UINT timeoutMs = kMessageTimeoutMs);
// Throws if the message cannot be queued.
void Post(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

// Posted, because a click that opens a modal box would not return until the box is closed.
void Click(HWND button);
// Sent, for a button whose handler opens no box: returns once the click has been handled.
void ClickAndWait(HWND button);
// WM_SETTEXT; an edit control reports the change to its parent as typing would.
void SetText(HWND window, const std::wstring& text);
// Posted, for the same reason as a click: closing may ask a question first.
void Close(HWND window);
// WM_SYSCOMMAND SC_MINIMIZE, as the caption's minimize button sends it.
void Minimize(HWND window);
