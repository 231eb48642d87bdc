#include "support/PixelSurface.h"

#include <stdexcept>

PixelSurface::PixelSurface(int width, int height)
    : width_(width), height_(height), dc_(CreateCompatibleDC(nullptr)) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    bitmap_.reset(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dc_ || !bitmap_) {
        throw std::runtime_error("no DIB section");
    }
    bits_ = static_cast<uint32_t*>(bits);
    previous_ = SelectObject(dc_.get(), bitmap_.get());
}

PixelSurface::~PixelSurface() {
    SelectObject(dc_.get(), previous_);
}

uint32_t PixelSurface::Pixel(int x, int y) const {
    GdiFlush();
    return bits_[y * width_ + x] & 0xFFFFFFu;
}

void PixelSurface::Fill(uint32_t rgb) {
    GdiFlush();
    for (int i = 0; i < width_ * height_; ++i) {
        bits_[i] = rgb;
    }
}

uint32_t ScreenPixel(HWND window, int x, int y) {
    PixelSurface pixel(1, 1);
    WindowDc screen(window);
    BitBlt(pixel.Dc(), 0, 0, 1, 1, screen.get(), x, y, SRCCOPY);
    return pixel.Pixel(0, 0);
}

void MarkScreenPixel(HWND window, int x, int y, uint32_t rgb) {
    WindowDc screen(window);
    SetPixelV(screen.get(), x, y, RGB(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF));
}
