#pragma once
// Harness failures are thrown, so that gtest reports them on the test that met them.

#include <string>
#include <string_view>

// UTF-8, for exception messages and gtest output.
std::string Utf8(std::wstring_view text);

// Throws std::runtime_error naming what failed and the thread's last Win32 error.
[[noreturn]] void ThrowLastError(std::string_view what);
