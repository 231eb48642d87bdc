#pragma once
// Colours: red in the lowest byte, then green and blue; a high byte of 0xFF names a system
// colour by its index.

#include <windows.h>

#include <cstdint>

using TColor = int32_t;

constexpr TColor kSystemColor = static_cast<TColor>(0xFF000000u);

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clGreen = 0x008000;
constexpr TColor clNavy = 0x800000;
constexpr TColor clWindowText = kSystemColor | COLOR_WINDOWTEXT;
constexpr TColor clBtnFace = kSystemColor | COLOR_BTNFACE;
constexpr TColor clWindow = kSystemColor | COLOR_WINDOW;
constexpr TColor clWindowFrame = kSystemColor | COLOR_WINDOWFRAME;
constexpr TColor clBtnText = kSystemColor | COLOR_BTNTEXT;
constexpr TColor clHighlight = kSystemColor | COLOR_HIGHLIGHT;
constexpr TColor clHighlightText = kSystemColor | COLOR_HIGHLIGHTTEXT;
constexpr TColor clHotLight = kSystemColor | COLOR_HOTLIGHT;

constexpr bool IsSystemColor(TColor color) {
    return (static_cast<uint32_t>(color) & 0xFF000000u) == 0xFF000000u;
}

inline COLORREF ColorToRGB(TColor color) {
    if (IsSystemColor(color)) {
        return GetSysColor(color & 0xFF);
    }
    return static_cast<COLORREF>(color) & 0x00FFFFFFu;
}
