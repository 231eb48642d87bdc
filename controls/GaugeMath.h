#pragma once
// The gauge's arithmetic between values, spans and whole percentages.

#include <cstdint>

// 100 * offset / span truncated toward zero, 0 when span is 0. The arguments are differences
// of two 32-bit values, taken in 64 bits so that wide bounds reach it whole; every pair within
// 32 bits gives the answer of 32-bit arguments. A quotient beyond 32 bits, which only bounds that
// cross each other can produce, is held at the nearest 32-bit value.
int32_t SpanToPercent(int64_t offset, int64_t span);

// percent * 0.01 * span truncated toward zero, each product rounded to 64 mantissa bits as in
// 80-bit extended arithmetic. That 0.01 lies just below a hundredth, so an exact multiple of
// 100 may come out one less: 20 % of 245 gives 48. A length beyond 32 bits is held at the
// nearest 32-bit value.
int32_t PercentToSpan(int32_t percent, int32_t span);
