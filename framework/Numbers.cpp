#include "framework/Numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>

namespace {

constexpr uint64_t kLargestHexPattern = 0xFFFFFFFFull;
constexpr uint64_t kLargestNegativeMagnitude = 2147483648ull;
constexpr uint64_t kLargestPositiveMagnitude = 2147483647ull;

// Calls visit(index, character, quoted) for each character of the picture but the quote marks.
template <typename Visit>
void ForEachCharacter(std::string_view picture, Visit visit) {
    char quote = 0;
    for (size_t i = 0; i < picture.size(); ++i) {
        char c = picture[i];
        if (quote != 0 && c == quote) {
            quote = 0;
        } else if (quote == 0 && (c == '"' || c == '\'')) {
            quote = c;
        } else {
            visit(i, c, quote != 0);
        }
    }
}

// The decimal digits of a whole, finite, non-negative value; none at all for zero. Worked out
// exactly from the value's binary digits, so the program carries no float printing of its own.
std::string WholeDigits(double magnitude) {
    if (magnitude == 0) {
        return {};
    }
    int exponent = 0;
    const double fraction = std::frexp(magnitude, &exponent);
    auto mantissa = static_cast<uint64_t>(std::ldexp(fraction, 53));
    exponent -= 53;
    if (exponent <= 0) {
        // Below 2^53 a whole value's dropped bits are all zero.
        return std::to_string(mantissa >> -exponent);
    }
    // mantissa × 2^exponent: the decimal digits doubled once per power of two.
    std::string digits = std::to_string(mantissa);
    for (; exponent > 0; --exponent) {
        int carry = 0;
        for (auto digit = digits.rbegin(); digit != digits.rend(); ++digit) {
            const int doubled = (*digit - '0') * 2 + carry;
            *digit = static_cast<char>('0' + doubled % 10);
            carry = doubled / 10;
        }
        if (carry != 0) {
            digits.insert(digits.begin(), '1');
        }
    }
    return digits;
}

std::string FormatNumber(double value, size_t compulsoryDigits, bool grouped,
                         std::string_view separator) {
    if (!std::isfinite(value)) {
        return std::isnan(value) ? "nan" : value < 0 ? "-inf" : "inf";
    }
    double rounded = std::round(value);
    std::string digits = WholeDigits(std::fabs(rounded));
    if (digits.size() < compulsoryDigits) {
        digits.insert(0, compulsoryDigits - digits.size(), '0');
    }
    // A separator between the groups of three digits, counted from the right.
    for (size_t at = digits.size(); grouped && at > 3; at -= 3) {
        digits.insert(at - 3, separator);
    }
    return rounded < 0 ? "-" + digits : digits;
}

}  // namespace

bool TryStrToInt(std::string_view text, int32_t& value) {
    while (text.starts_with(' ')) {
        text.remove_prefix(1);
    }
    bool negative = text.starts_with('-');
    if (negative || text.starts_with('+')) {
        text.remove_prefix(1);
    }
    size_t prefix = text.starts_with("0x") || text.starts_with("0X") ? 2 : 0;
    if (prefix == 0 && (text.starts_with('$') || text.starts_with('x') || text.starts_with('X'))) {
        prefix = 1;
    }
    text.remove_prefix(prefix);
    const bool hexadecimal = prefix > 0;
    const uint64_t limit = hexadecimal ? kLargestHexPattern
                           : negative  ? kLargestNegativeMagnitude
                                       : kLargestPositiveMagnitude;
    // The digits, all of them, as a magnitude within the limit.
    uint64_t magnitude = 0;
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, magnitude, hexadecimal ? 16 : 10);
    if (error != std::errc{} || stop != end || magnitude > limit) {
        return false;
    }
    // A negated hexadecimal pattern wraps, as 32-bit arithmetic does.
    auto pattern = static_cast<uint32_t>(magnitude);
    value = static_cast<int32_t>(negative ? 0u - pattern : pattern);
    return true;
}

int32_t StrToIntDef(std::string_view text, int32_t fallback) {
    int32_t value = fallback;
    return TryStrToInt(text, value) ? value : fallback;
}

std::string FormatFloat(std::string_view picture, double value,
                        std::string_view thousandSeparator) {
    // The digit part runs from the first unquoted placeholder to the last, with the commas right
    // before and after them.
    constexpr size_t kNone = std::string_view::npos;
    size_t begin = kNone;
    size_t end = 0;
    size_t compulsoryDigits = 0;
    ForEachCharacter(picture, [&](size_t i, char c, bool quoted) {
        if (!quoted && (c == '#' || c == '0')) {
            begin = std::min(begin, i);
            end = i + 1;
            compulsoryDigits += c == '0' ? 1 : 0;
        }
    });
    while (begin != kNone && begin > 0 && picture[begin - 1] == ',') {
        --begin;
    }
    while (begin != kNone && end < picture.size() && picture[end] == ',') {
        ++end;
    }
    // The placeholders and commas of the digit part give way to the number, which stands where
    // the part begins; its other characters follow the number.
    std::string text;
    size_t numberAt = kNone;
    bool grouped = false;
    ForEachCharacter(picture, [&](size_t i, char c, bool quoted) {
        const bool inDigitPart = !quoted && i >= begin && i < end;
        if (inDigitPart && i == begin) {
            numberAt = text.size();
        }
        if (inDigitPart && (c == '#' || c == '0' || c == ',')) {
            grouped = grouped || c == ',';
        } else {
            text += c;
        }
    });
    if (numberAt != kNone) {
        text.insert(numberAt, FormatNumber(value, compulsoryDigits, grouped, thousandSeparator));
    }
    return text;
}

std::wstring FormatIntegers(std::wstring_view pattern, std::initializer_list<int64_t> values) {
    std::wstring text;
    const int64_t* next = values.begin();
    for (size_t i = 0; i < pattern.size(); ++i) {
        const wchar_t following = i + 1 < pattern.size() ? pattern[i + 1] : L'\0';
        if (pattern[i] == L'%' && following == L'%') {
            text += L'%';
            ++i;
        } else if (pattern[i] == L'%' && following == L'd' && next != values.end()) {
            // Widened by hand: the wide conversion would bring the C library's printf along.
            const std::string digits = std::to_string(*next++);
            text.append(digits.begin(), digits.end());
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}
