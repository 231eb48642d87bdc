#pragma once
// The program keeps its texts in UTF-8; windows get them as UTF-16 at the framework's edge.

#include "platform/Utf8.h"

#include <string>
#include <string_view>

using platform::Utf8ToWide;
using platform::WideToUtf8;
// The text in the system's single-byte (ANSI) code page, for the calls that take no other.
std::string Utf8ToAnsi(std::string_view text);
