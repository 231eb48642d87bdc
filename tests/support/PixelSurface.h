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
