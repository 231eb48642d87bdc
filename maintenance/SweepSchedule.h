#pragma once
// The periodic full sweep's interval.

#include <cstdint>

// The longest interval a window timer counts (USER_TIMER_MAXIMUM, about 24.8 days).
constexpr uint32_t kLongestSweepIntervalMs = 0x7FFFFFFF;

// minutes * 60000, formed without overflow; 0 means the sweep never runs. A product that is
// negative or longer than a window timer counts gets the longest interval: a wrapped product
// would sweep every few seconds.
constexpr uint32_t SweepIntervalMs(int32_t minutes) {
    int64_t product = int64_t{minutes} * 60000;
    if (product < 0 || product > kLongestSweepIntervalMs) {
        return kLongestSweepIntervalMs;
    }
    return static_cast<uint32_t>(product);
}
