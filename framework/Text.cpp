#include "framework/Text.h"

#include "platform/Utf8.h"

#include <windows.h>

std::wstring Utf8ToWide(std::string_view text) {
    return platform::Utf8ToWide(text);
}

std::string WideToUtf8(std::wstring_view text) {
    return platform::WideToUtf8(text);
}

std::string Utf8ToAnsi(std::string_view text) {
    std::wstring wide = Utf8ToWide(text);
    if (wide.empty()) {
        return {};
    }
    int length = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr,
                                     0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), narrow.data(),
                        length, nullptr, nullptr);
    return narrow;
}
