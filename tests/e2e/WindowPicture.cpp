#include "WindowPicture.h"

#include "E2eOptions.h"
#include "PngWriter.h"
#include "framework/Handles.h"
#include "Win32Error.h"

#include <stdexcept>

RgbImage CaptureWindow(HWND window) {
    RECT rect{};
    if (!GetWindowRect(window, &rect)) {
        ThrowLastError("GetWindowRect");
    }
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) {
        throw std::runtime_error("the window has no area to capture");
    }

    WindowDc screen(nullptr);
    if (screen.get() == nullptr) {
        ThrowLastError("GetDC of the screen");
    }
    OwnedMemoryDc memory(CreateCompatibleDC(screen.get()));
    if (!memory) {
        ThrowLastError("CreateCompatibleDC");
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    OwnedBitmap bitmap(CreateDIBSection(memory.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap) {
        ThrowLastError("CreateDIBSection");
    }
    {
        ScopedSelect selected(memory.get(), bitmap.get());
        if (!BitBlt(memory.get(), 0, 0, width, height, screen.get(), rect.left, rect.top,
                    SRCCOPY | CAPTUREBLT)) {
            ThrowLastError("BitBlt from the screen");
        }
    }
    GdiFlush();

    // DIB rows are blue, green, red and padded to a multiple of four bytes.
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    const auto* source = static_cast<const std::uint8_t*>(bits);
    RgbImage image{width, height, {}};
    image.pixels.reserve(static_cast<std::size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = source + stride * y;
        for (int x = 0; x < width; ++x) {
            image.pixels.push_back(row[x * 3 + 2]);
            image.pixels.push_back(row[x * 3 + 1]);
            image.pixels.push_back(row[x * 3]);
        }
    }
    return image;
}

std::wstring SaveWindowPicture(HWND window, const std::wstring& fileName) {
    const std::wstring path = Options().pictures + L"\\" + fileName;
    SavePng(CaptureWindow(window), path);
    return path;
}
