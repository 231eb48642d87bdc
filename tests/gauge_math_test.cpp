// The gauge's arithmetic: whole percentages of a span, and lengths for a percentage.

#include "controls/GaugeMath.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

constexpr int32_t kLowest = std::numeric_limits<int32_t>::min();
constexpr int32_t kHighest = std::numeric_limits<int32_t>::max();

using Exact = unsigned __int128;

// An exact positive value mantissa * 2^exponent.
struct Binary {
    Exact mantissa;
    int exponent;
};

// Rounded to 64 significant bits, to nearest with ties to even, as the x87 unit rounds.
Binary RoundTo64Bits(Binary value) {
    int bits = 0;
    for (Exact m = value.mantissa; m != 0; m >>= 1) {
        ++bits;
    }
    if (bits <= 64) {
        return value;
    }
    int dropped = bits - 64;
    Exact kept = value.mantissa >> dropped;
    Exact rest = value.mantissa - (kept << dropped);
    Exact half = Exact{1} << (dropped - 1);
    if (rest > half || (rest == half && (kept & 1) != 0)) {
        ++kept;
    }
    return {kept, value.exponent + dropped};
}

// percent * 0.01 * span in 80-bit extended arithmetic, worked out with exact integers:
// 0.01 as the nearest value with a 64-bit mantissa, each product rounded, then truncated.
int64_t ExtendedPercentOf(uint32_t percent, uint32_t span) {
    Binary hundredth{((Exact{1} << 70) + 50) / 100, -70};  // 64 bits, nearest: no tie
    Binary scaled = RoundTo64Bits({hundredth.mantissa * percent, hundredth.exponent});
    Binary length = RoundTo64Bits({scaled.mantissa * span, scaled.exponent});
    return static_cast<int64_t>(length.mantissa >> -length.exponent);
}

}  // namespace

TEST(GaugeMath, SpanToPercentTruncatesTowardZero) {
    struct Case {
        int64_t offset, span;
        int32_t percent;
    };
    const Case cases[] = {
        {0, 0, 0},
        {5, 0, 0},
        {50, 100, 50},
        {1, 3, 33},
        {-1, 3, -33},
        {2, 3, 66},
        {501, 1000, 50},
        {500, 1000, 50},
        {999, 1000, 99},
        {kHighest, kHighest, 100},
        {1073741824, kHighest, 50},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SpanToPercent(c.offset, c.span), c.percent) << c.offset << " of " << c.span;
    }
}

TEST(GaugeMath, SpanToPercentTakesSpansBeyond32Bits) {
    // The offsets and spans of bounds at the 32-bit limits, which a 32-bit difference wraps.
    const int64_t widest = int64_t{kHighest} - kLowest;
    EXPECT_EQ(SpanToPercent(widest, widest), 100);
    EXPECT_EQ(SpanToPercent(0, widest), 0);
    EXPECT_EQ(SpanToPercent(int64_t{0} - kLowest, widest), 50);
    EXPECT_EQ(SpanToPercent(int64_t{-1} - kLowest, widest), 49);
    EXPECT_EQ(SpanToPercent(2000000000 - int64_t{-2000000000}, 4000000000), 100);
    EXPECT_EQ(SpanToPercent(1000000000, 4000000000), 25);
    // Only bounds that cross each other, as a form may store them, get this far.
    EXPECT_EQ(SpanToPercent(widest, 1), kHighest);
    EXPECT_EQ(SpanToPercent(widest, -1), kLowest);
}

TEST(GaugeMath, PercentToSpanLosesOneAtSomeExactMultiplesOfAHundred) {
    struct Case {
        int32_t percent, span, length;
    };
    const Case cases[] = {
        {20, 245, 48},       {5, 20, 0},      {10, 10, 0},    {30, 1000, 299},  {50, 247, 123},
        {100, 247, 247},     {100, 246, 246}, {50, 246, 123}, {99, 246, 243},   {1, 100, 1},
        {100, 20000, 20000}, {0, 247, 0},     {25, 4, 1},     {-50, 200, -100}, {-20, 245, -48},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PercentToSpan(c.percent, c.span), c.length) << c.percent << "% of " << c.span;
    }
}

TEST(GaugeMath, PercentToSpanOfEveryPercentageAndSpanMatchesExactExtendedArithmetic) {
    int mismatches = 0;
    int shortByOne = 0;
    for (int32_t percent = 0; percent <= 100; ++percent) {
        for (int32_t span = 0; span <= 20000; ++span) {
            int32_t length = PercentToSpan(percent, span);
            int64_t expected = ExtendedPercentOf(percent, span);
            int64_t floor = int64_t{percent} * span / 100;
            bool multiple = int64_t{percent} * span % 100 == 0;
            // Off the multiples of 100 the extended result is the plain quotient; on them it
            // is the quotient or one less.
            bool plausible = length == floor || (multiple && length == floor - 1);
            if (length != expected || !plausible) {
                if (++mismatches <= 10) {
                    ADD_FAILURE() << percent << "% of " << span << " gave " << length
                                  << ", extended arithmetic gives " << expected
                                  << ", the quotient is " << floor;
                }
            }
            shortByOne += length == floor - 1;
        }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_GT(shortByOne, 0) << "0.01 lies below a hundredth: some multiples come out one less";
}

TEST(GaugeMath, PercentToSpanAtThe32BitLimitsStaysWithin32Bits) {
    EXPECT_EQ(PercentToSpan(100, kHighest), kHighest);
    EXPECT_EQ(PercentToSpan(-100, kHighest), -kHighest);
    EXPECT_EQ(PercentToSpan(100, kLowest), kLowest);
    EXPECT_EQ(PercentToSpan(kHighest, kHighest), kHighest) << "held at the largest length";
    EXPECT_EQ(PercentToSpan(kLowest, kHighest), kLowest);
    EXPECT_EQ(PercentToSpan(50, kHighest), 1073741823);
}
