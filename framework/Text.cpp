#include "framework/Text.h"

#include <windows.h>

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
