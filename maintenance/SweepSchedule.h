#pragma once
// The periodic full sweep's interval.

#include <cstdint>

// minutes * 60000 formed in 32 bits and taken as an unsigned count of milliseconds: exact from
// 1 to 71582 minutes, wrapping beyond and for negative values; 0 means the sweep never runs.
constexpr uint32_t SweepIntervalMs(int32_t minutes) {
    return static_cast<uint32_t>(minutes) * 60000u;
}
