#include "framework/Text.h"

#include <windows.h>

std::wstring Utf8ToWide(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    int length =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        length);
    return wide;
}

namespace {

std::string WideToCodePage(std::wstring_view text, UINT codePage) {
    if (text.empty()) {
        return {};
    }
    int length = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()),
                                     nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), narrow.data(),
                        length, nullptr, nullptr);
    return narrow;
}

}  // namespace

std::string WideToUtf8(std::wstring_view text) {
    return WideToCodePage(text, CP_UTF8);
}

std::string Utf8ToAnsi(std::string_view text) {
    return WideToCodePage(Utf8ToWide(text), CP_ACP);
}
