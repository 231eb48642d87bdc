#include "controls/GaugeMath.h"

#include <cstdlib>
#include <limits>

namespace {

// A positive extended-precision value: mantissa * 2^exponent, the mantissa normalised to
// 64 bits (its top bit set) unless it is 0.
struct Extended {
    uint64_t mantissa;
    int exponent;
};

struct Wide {
    uint64_t high;
    uint64_t low;
};

Wide Multiply(uint64_t a, uint64_t b) {
    uint64_t aLow = a & 0xFFFFFFFFu;
    uint64_t aHigh = a >> 32;
    uint64_t bLow = b & 0xFFFFFFFFu;
    uint64_t bHigh = b >> 32;
    uint64_t lowLow = aLow * bLow;
    uint64_t lowHigh = aLow * bHigh;
    uint64_t highLow = aHigh * bLow;
    uint64_t highHigh = aHigh * bHigh;
    uint64_t middle = (lowLow >> 32) + (lowHigh & 0xFFFFFFFFu) + (highLow & 0xFFFFFFFFu);
    return {highHigh + (lowHigh >> 32) + (highLow >> 32) + (middle >> 32),
            (middle << 32) | (lowLow & 0xFFFFFFFFu)};
}

// Rounds a 128-bit product to 64 significant bits, to nearest with ties to even.
Extended Normalise(Wide product, int exponent) {
    if (product.high == 0 && product.low == 0) {
        return {0, 0};
    }
    int shift = 0;  // how far right the product must move to fit 64 bits
    if (product.high != 0) {
        for (uint64_t h = product.high; h != 0; h >>= 1) {
            ++shift;
        }
    }
    if (shift == 0) {
        uint64_t m = product.low;
        while ((m & (uint64_t{1} << 63)) == 0) {
            m <<= 1;
            --exponent;
        }
        return {m, exponent};
    }
    uint64_t kept = (product.low >> shift) | (product.high << (64 - shift));
    uint64_t dropped = product.low << (64 - shift);  // the bits shifted out, left-aligned
    const uint64_t half = uint64_t{1} << 63;
    bool roundUp = dropped > half || (dropped == half && (kept & 1) != 0);
    exponent += shift;
    if (roundUp) {
        ++kept;
        if (kept == 0) {  // carried out of 64 bits
            kept = half;
            ++exponent;
        }
    }
    return {kept, exponent};
}

Extended Times(Extended value, uint64_t factor) {
    return Normalise(Multiply(value.mantissa, factor), value.exponent);
}

uint64_t Truncate(Extended value) {
    if (value.mantissa == 0 || value.exponent <= -64) {
        return 0;
    }
    if (value.exponent >= 0) {
        return value.mantissa << value.exponent;  // never reached for 32-bit results
    }
    return value.mantissa >> -value.exponent;
}

// 0.01 to 64 significant bits: 0xA3D70A3D70A3D70A * 2^-70, just below a hundredth.
constexpr Extended kHundredth{0xA3D70A3D70A3D70Aull, -70};

int32_t Saturate(int64_t value) {
    constexpr int64_t kLowest = std::numeric_limits<int32_t>::min();
    constexpr int64_t kHighest = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(value < kLowest ? kLowest : value > kHighest ? kHighest : value);
}

}  // namespace

int32_t SpanToPercent(int64_t offset, int64_t span) {
    if (span == 0) {
        return 0;
    }
    // Differences of 32-bit values lie within 2^33 of zero: the product keeps inside 64 bits.
    return Saturate(100 * offset / span);
}

int32_t PercentToSpan(int32_t percent, int32_t span) {
    bool negative = (percent < 0) != (span < 0);
    auto p = static_cast<uint64_t>(std::llabs(percent));
    auto s = static_cast<uint64_t>(std::llabs(span));
    uint64_t magnitude = Truncate(Times(Times(kHundredth, p), s));
    int64_t result = negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
    return Saturate(result);
}
