#pragma once
// A 32-bit top-down DIB section with a memory DC: something to paint on and read back, pixel by
// pixel, in real GDI.

#include "framework/Handles.h"

#include <cstdint>

class PixelSurface {
public:
    PixelSurface(int width, int height);
    ~PixelSurface();
    PixelSurface(const PixelSurface&) = delete;
    PixelSurface& operator=(const PixelSurface&) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }
    HDC Dc() const { return dc_.get(); }
    // 0xRRGGBB.
    uint32_t Pixel(int x, int y) const;
    void Fill(uint32_t rgb);

private:
    int width_;
    int height_;
    OwnedMemoryDc dc_;
    OwnedBitmap bitmap_;
    HGDIOBJ previous_ = nullptr;
    uint32_t* bits_ = nullptr;
};

// The colour on the screen at (x, y) of `window`'s client area, 0xRRGGBB.
uint32_t ScreenPixel(HWND window, int x, int y);
// Paints (x, y) of `window`'s client area straight onto the screen in `rgb`, behind the program's
// back: only a redraw of what lies there covers the mark again.
void MarkScreenPixel(HWND window, int x, int y, uint32_t rgb);
