#pragma once
// The program's number syntax: integers as the settings file holds them, and number pictures
// for the figures the window shows.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

// Leading spaces, an optional sign, then decimal digits or hexadecimal digits after `$`, `x`,
// `X`, `0x` or `0X`, and nothing after. Hexadecimal text is a 32-bit pattern ($FFFFFFFF is -1).
// Leaves `value` untouched on failure.
bool TryStrToInt(std::string_view text, int32_t& value);

int32_t StrToIntDef(std::string_view text, int32_t fallback);

// Formats `value` rounded to a whole number after `picture`: quoted literal text and one digit
// part of `#` (optional digit), `0` (compulsory digit) and `,` (group thousands with
// `thousandSeparator`). The number stands where the digit part begins; literal text inside
// the digit part follows it.
std::string FormatFloat(std::string_view picture, double value, std::string_view thousandSeparator);

// `pattern` with each `%d` replaced by the next of `values` in decimal and each `%%` by `%`;
// a `%d` with no value left, and any other `%`, stand as they are.
std::wstring FormatIntegers(std::wstring_view pattern, std::initializer_list<int64_t> values);
