#pragma once
// The program's text is UTF-8; the system's wide functions take UTF-16.

#include <string>
#include <string_view>

namespace platform {

std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);
// The text in the system's single-byte (ANSI) code page, for the calls that take no other.
std::string Utf8ToAnsi(std::string_view text);

}  // namespace platform
