#include "Win32Error.h"

#include <windows.h>

#include <stdexcept>

std::string Utf8(std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, result.data(), length, nullptr, nullptr);
    return result;
}

void ThrowLastError(std::string_view what) {
    const DWORD error = GetLastError();
    throw std::runtime_error(std::string(what) + " failed (error " + std::to_string(error) + ")");
}
