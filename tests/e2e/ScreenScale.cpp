#include "ScreenScale.h"

#include "Win32Error.h"

namespace {

constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
constexpr wchar_t kLogPixels[] = L"LogPixels";

}  // namespace

ScopedLogPixels::ScopedLogPixels(DWORD dpi) {
    LSTATUS result = RegCreateKeyExW(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0,
                                     KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key_, nullptr);
    if (result != ERROR_SUCCESS) {
        SetLastError(static_cast<DWORD>(result));
        ThrowLastError("RegCreateKeyExW");
    }
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegQueryValueExW(key_, kLogPixels, nullptr, &type, reinterpret_cast<BYTE*>(&value),
                         &size) == ERROR_SUCCESS &&
        type == REG_DWORD) {
        previous_ = value;
    }
    result = RegSetValueExW(key_, kLogPixels, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi),
                            sizeof dpi);
    if (result != ERROR_SUCCESS) {
        RegCloseKey(key_);
        SetLastError(static_cast<DWORD>(result));
        ThrowLastError("RegSetValueExW");
    }
}

ScopedLogPixels::~ScopedLogPixels() {
    Restore();
    RegCloseKey(key_);
}

void ScopedLogPixels::Restore() {
    if (restored_) {
        return;
    }
    restored_ = true;
    if (previous_) {
        RegSetValueExW(key_, kLogPixels, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&*previous_),
                       sizeof *previous_);
    } else {
        RegDeleteValueW(key_, kLogPixels);
    }
}
