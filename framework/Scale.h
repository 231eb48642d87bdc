#pragma once
// Lengths for the screen: the form resource holds pixels at 96 dots per inch.

#include <windows.h>

#include <algorithm>

inline constexpr int kDesignDpi = USER_DEFAULT_SCREEN_DPI;

// A length held at `fromDpi` dots per inch, for `dpi`, rounded to the nearest pixel.
inline int ScaleLength(int length, int dpi, int fromDpi = kDesignDpi) {
    return MulDiv(length, dpi, fromDpi);
}

// Pixel pictures grow by whole multiples only, so that they stay sharp.
inline int WholeMultiple(int dpi) {
    return std::max(1, dpi / kDesignDpi);
}
