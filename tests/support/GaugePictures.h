#pragma once
// What a gauge paints, read back from real GDI, and the text layer it should lay over its bar.

#include "controls/Gauges.h"
#include "support/PixelSurface.h"

#include <cstdint>
#include <memory>
#include <string>

// 0xRRGGBB of a plain colour.
uint32_t Rgb(TColor color);

// The gauge painted at its size onto a surface first filled with `under`.
std::unique_ptr<PixelSurface> PaintOf(TGauge& gauge, uint32_t under = 0xABCDEF);

// The percentage text where the gauge should put it: white on black, in `face` at `height`,
// X = (Right - Left + 1 - text width) div 2 and Y likewise, clipped to `area`.
std::unique_ptr<PixelSurface> TextLayer(int width, int height, const RECT& area,
                                        const std::wstring& text, const wchar_t* face,
                                        int fontHeight);

// The size of `text` in `face` at `fontHeight`.
SIZE TextExtentIn(const wchar_t* face, int fontHeight, const std::wstring& text);

// How many pixels of `picture` differ from `base(x, y)` turned by the text layer (exclusive or).
template <typename Base>
int CountMismatches(const PixelSurface& picture, const PixelSurface& layer, Base base) {
    int mismatches = 0;
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            mismatches += picture.Pixel(x, y) != (base(x, y) ^ layer.Pixel(x, y));
        }
    }
    return mismatches;
}
