#pragma once
// The program keeps its texts in UTF-8; windows get them as UTF-16 at the framework's edge.

#include <string>
#include <string_view>

std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);
// The text in the system's single-byte (ANSI) code page, for the calls that take no other.
std::string Utf8ToAnsi(std::string_view text);
