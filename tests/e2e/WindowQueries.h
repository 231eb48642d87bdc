#pragma once
// Finding and reading another process's windows.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// What a window must look like to match; an unset field matches anything.
struct WindowMatch {
    std::optional<std::wstring> className = std::nullopt;
    std::optional<std::wstring> text = std::nullopt;
    bool textIsPrefix = false;  // text need only begin the window's text
};

// How long a query waits on a window that does not answer its messages.
constexpr UINT kMessageTimeoutMs = 5000;

std::vector<HWND> TopLevelWindows(DWORD processId);
std::vector<HWND> TopLevelWindows(DWORD processId, const WindowMatch& match);
HWND FindTopLevelWindow(DWORD processId, const WindowMatch& match);
bool AnyTopLevelWindowVisible(DWORD processId);

// Every descendant, in the order EnumChildWindows gives them.
std::vector<HWND> ChildWindows(HWND parent, const WindowMatch& match);
HWND FindChild(HWND parent, const WindowMatch& match);

std::wstring ClassName(HWND window);
// WM_GETTEXT, which controls of another process answer with their own text.
std::wstring WindowText(HWND window);
bool IsVisible(HWND window);
// True once neither the window nor any of its descendants waits for a WM_PAINT.
bool IsPainted(HWND window);
// The window's outer rectangle in the client coordinates of mainWindow.
RECT RectInClient(HWND window, HWND mainWindow);
// BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
LRESULT CheckState(HWND checkBox);
bool IsCheckBox(HWND button);
