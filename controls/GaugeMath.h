#pragma once
// The gauge's arithmetic between values, spans and whole percentages.

#include <cstdint>

// 100 * offset / span truncated toward zero, without overflow; 0 when span is 0.
int32_t SpanToPercent(int32_t offset, int32_t span);

// percent * 0.01 * span truncated toward zero, each product rounded to 64 mantissa bits as in
// 80-bit extended arithmetic. That 0.01 lies just below a hundredth, so an exact multiple of
// 100 may come out one less: 20 % of 245 gives 48.
int32_t PercentToSpan(int32_t percent, int32_t span);
