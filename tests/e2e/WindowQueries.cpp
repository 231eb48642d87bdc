#include "WindowQueries.h"

#include "Win32Error.h"

#include <stdexcept>

namespace {

std::optional<std::wstring> TryClassName(HWND window) {
    wchar_t name[256];
    const int length = GetClassNameW(window, name, 256);
    if (length == 0) {
        return std::nullopt;
    }
    return std::wstring(name, static_cast<size_t>(length));
}

std::optional<std::wstring> TryWindowText(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs,
                             &length)) {
        return std::nullopt;
    }
    // The length may be an overestimate, and a status bar's answer to WM_GETTEXT packs more than
    // a length: the text ends at its terminating null.
    std::wstring text(length + 1, L'\0');
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, kMessageTimeoutMs, nullptr)) {
        return std::nullopt;
    }
    text.resize(text.find(L'\0'));
    return text;
}

// A window that vanishes or stops answering while it is examined matches nothing.
bool Matches(HWND window, const WindowMatch& match) {
    if (match.className && TryClassName(window) != match.className) {
        return false;
    }
    if (!match.text) {
        return true;
    }
    const std::optional<std::wstring> text = TryWindowText(window);
    if (!text) {
        return false;
    }
    return match.textIsPrefix ? text->starts_with(*match.text) : *text == *match.text;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM windows) {
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}

std::vector<HWND> Filter(const std::vector<HWND>& windows, const WindowMatch& match) {
    std::vector<HWND> matching;
    for (HWND window : windows) {
        if (Matches(window, match)) {
            matching.push_back(window);
        }
    }
    return matching;
}

}  // namespace

std::vector<HWND> TopLevelWindows(DWORD processId) {
    std::vector<HWND> all;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&all));
    std::vector<HWND> owned;
    for (HWND window : all) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId) {
            owned.push_back(window);
        }
    }
    return owned;
}

std::vector<HWND> TopLevelWindows(DWORD processId, const WindowMatch& match) {
    return Filter(TopLevelWindows(processId), match);
}

HWND FindTopLevelWindow(DWORD processId, const WindowMatch& match) {
    const std::vector<HWND> windows = TopLevelWindows(processId, match);
    return windows.empty() ? nullptr : windows.front();
}

bool AnyTopLevelWindowVisible(DWORD processId) {
    for (HWND window : TopLevelWindows(processId)) {
        if (IsWindowVisible(window)) {
            return true;
        }
    }
    return false;
}

std::vector<HWND> ChildWindows(HWND parent, const WindowMatch& match) {
    std::vector<HWND> all;
    EnumChildWindows(parent, CollectWindow, reinterpret_cast<LPARAM>(&all));
    return Filter(all, match);
}

HWND FindChild(HWND parent, const WindowMatch& match) {
    const std::vector<HWND> windows = ChildWindows(parent, match);
    return windows.empty() ? nullptr : windows.front();
}

std::wstring ClassName(HWND window) {
    std::optional<std::wstring> name = TryClassName(window);
    if (!name) {
        ThrowLastError("GetClassNameW");
    }
    return *name;
}

std::wstring WindowText(HWND window) {
    std::optional<std::wstring> text = TryWindowText(window);
    if (!text) {
        ThrowLastError("WM_GETTEXT");
    }
    return *text;
}

bool IsVisible(HWND window) {
    return IsWindowVisible(window) != FALSE;
}

bool IsPainted(HWND window) {
    if (GetUpdateRect(window, nullptr, FALSE)) {
        return false;
    }
    for (HWND child : ChildWindows(window, {})) {
        if (GetUpdateRect(child, nullptr, FALSE)) {
            return false;
        }
    }
    return true;
}

RECT RectInClient(HWND window, HWND mainWindow) {
    RECT rect{};
    if (!GetWindowRect(window, &rect)) {
        ThrowLastError("GetWindowRect");
    }
    MapWindowPoints(HWND_DESKTOP, mainWindow, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

LRESULT CheckState(HWND checkBox) {
    DWORD_PTR state = 0;
    if (!SendMessageTimeoutW(checkBox, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs,
                             &state)) {
        ThrowLastError("BM_GETCHECK");
    }
    return static_cast<LRESULT>(state);
}

bool IsCheckBox(HWND button) {
    const LONG_PTR type = GetWindowLongPtrW(button, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX;
}
