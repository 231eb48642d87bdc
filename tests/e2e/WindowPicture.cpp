#include "WindowPicture.h"

#include "E2eOptions.h"
#include "PngWriter.h"
#include "UniqueHandle.h"
#include "Win32Error.h"

#include <stdexcept>

namespace {

// Puts a bitmap into a memory DC for the life of the scope and gives the DC its own back.
class SelectedBitmap {
  public:
    SelectedBitmap(HDC dc, HBITMAP bitmap) : dc_(dc), previous_(SelectObject(dc, bitmap)) {}
    ~SelectedBitmap() { SelectObject(dc_, previous_); }
    SelectedBitmap(const SelectedBitmap&) = delete;
    SelectedBitmap& operator=(const SelectedBitmap&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace

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

    UniqueScreenDc screen(GetDC(nullptr));
    if (!screen) {
        ThrowLastError("GetDC of the screen");
    }
    UniqueMemoryDc memory(CreateCompatibleDC(screen.Get()));
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
    UniqueBitmap bitmap(CreateDIBSection(memory.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap) {
        ThrowLastError("CreateDIBSection");
    }
    {
        SelectedBitmap selected(memory.Get(), bitmap.Get());
        if (!BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), rect.left, rect.top,
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
