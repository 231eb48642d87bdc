#include "framework/Numbers.h"

#include <charconv>
#include <cmath>
#include <cstddef>

namespace {

constexpr uint64_t kLargestHexPattern = 0xFFFFFFFFull;
constexpr uint64_t kLargestNegativeMagnitude = 2147483648ull;
constexpr uint64_t kLargestPositiveMagnitude = 2147483647ull;

// Consumes a hexadecimal prefix at the front of `text`, if there is one.
bool TakeHexPrefix(std::string_view& text) {
    if (text.starts_with("0x") || text.starts_with("0X")) {
        text.remove_prefix(2);
        return true;
    }
    if (text.starts_with('$') || text.starts_with('x') || text.starts_with('X')) {
        text.remove_prefix(1);
        return true;
    }
    return false;
}

// Reads the whole of `digits` as a magnitude, failing on an empty run, a stray character or a
// value above `limit`.
bool ParseMagnitude(std::string_view digits, int radix, uint64_t limit, uint64_t& magnitude) {
    const char* end = digits.data() + digits.size();
    auto [stop, error] = std::from_chars(digits.data(), end, magnitude, radix);
    return error == std::errc{} && stop == end && magnitude <= limit;
}

bool IsDigitPlaceholder(char c) {
    return c == '#' || c == '0';
}

struct DigitPart {
    size_t begin = std::string_view::npos;  // first placeholder, npos when there is none
    size_t end = 0;                         // one past the last placeholder
    size_t compulsoryDigits = 0;
    bool grouped = false;
};

// Calls visit(index, character, quoted) for each character of picture[begin, end) but the quote
// marks themselves.
template <typename Visit>
void ForEachCharacter(std::string_view picture, size_t begin, size_t end, Visit visit) {
    char quote = 0;
    for (size_t i = begin; i < end; ++i) {
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

// Locates the digit part among the unquoted characters of the picture.
DigitPart FindDigitPart(std::string_view picture) {
    DigitPart part;
    ForEachCharacter(picture, 0, picture.size(), [&](size_t i, char c, bool quoted) {
        if (quoted || !IsDigitPlaceholder(c)) {
            return;
        }
        if (part.begin == std::string_view::npos) {
            part.begin = i;
        }
        part.end = i + 1;
        if (c == '0') {
            ++part.compulsoryDigits;
        }
    });
    if (part.begin == std::string_view::npos) {
        return part;
    }
    // Commas right before or after the placeholders belong to the digit part as well.
    while (part.begin > 0 && picture[part.begin - 1] == ',') {
        --part.begin;
    }
    while (part.end < picture.size() && picture[part.end] == ',') {
        ++part.end;
    }
    ForEachCharacter(picture, part.begin, part.end, [&](size_t, char c, bool quoted) {
        if (!quoted && c == ',') {
            part.grouped = true;
        }
    });
    return part;
}

// The decimal digits of a whole, finite, non-negative value; none at all for zero. Worked out
// exactly from the value's binary digits, so the program carries no float printing of its own.
std::string WholeDigits(double magnitude) {
    if (magnitude == 0) {
        return {};
    }
    int exponent = 0;
    const double fraction = std::frexp(magnitude, &exponent);
    uint64_t mantissa = static_cast<uint64_t>(std::ldexp(fraction, 53));
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

std::string GroupThousands(const std::string& digits, std::string_view separator) {
    std::string grouped;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            grouped += separator;
        }
        grouped += digits[i];
    }
    return grouped;
}

std::string FormatNumber(const DigitPart& part, double value, std::string_view separator) {
    if (!std::isfinite(value)) {
        return std::isnan(value) ? "nan" : value < 0 ? "-inf" : "inf";
    }
    double rounded = std::round(value);
    std::string digits = WholeDigits(std::fabs(rounded));
    if (digits.size() < part.compulsoryDigits) {
        digits.insert(0, part.compulsoryDigits - digits.size(), '0');
    }
    if (part.grouped) {
        digits = GroupThousands(digits, separator);
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
    uint64_t magnitude = 0;
    if (TakeHexPrefix(text)) {
        if (!ParseMagnitude(text, 16, kLargestHexPattern, magnitude)) {
            return false;
        }
        // A negated pattern wraps, as 32-bit arithmetic does.
        auto pattern = static_cast<uint32_t>(magnitude);
        value = static_cast<int32_t>(negative ? 0u - pattern : pattern);
        return true;
    }
    uint64_t limit = negative ? kLargestNegativeMagnitude : kLargestPositiveMagnitude;
    if (!ParseMagnitude(text, 10, limit, magnitude)) {
        return false;
    }
    value = static_cast<int32_t>(negative ? -static_cast<int64_t>(magnitude)
                                          : static_cast<int64_t>(magnitude));
    return true;
}

int32_t StrToIntDef(std::string_view text, int32_t fallback) {
    int32_t value = fallback;
    return TryStrToInt(text, value) ? value : fallback;
}

std::string FormatFloat(std::string_view picture, double value,
                        std::string_view thousandSeparator) {
    DigitPart part = FindDigitPart(picture);
    std::string text;
    ForEachCharacter(picture, 0, picture.size(), [&](size_t i, char c, bool quoted) {
        bool inDigitPart = !quoted && i >= part.begin && i < part.end;
        if (!quoted && i == part.begin) {
            text += FormatNumber(part, value, thousandSeparator);
        } else if (!inDigitPart || !(IsDigitPlaceholder(c) || c == ',')) {
            text += c;
        }
    });
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
