#include "support/GaugePictures.h"

uint32_t Rgb(TColor color) {
    uint32_t c = static_cast<uint32_t>(color);
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

std::unique_ptr<PixelSurface> PaintOf(TGauge& gauge, uint32_t under) {
    auto surface = std::make_unique<PixelSurface>(gauge.Width(), gauge.Height());
    surface->Fill(under);
    gauge.Paint(surface->Dc());
    return surface;
}

namespace {

OwnedFont FontOf(const wchar_t* face, int fontHeight) {
    return OwnedFont(CreateFontW(fontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                 DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                 DEFAULT_QUALITY, DEFAULT_PITCH, face));
}

}  // namespace

SIZE TextExtentIn(const wchar_t* face, int fontHeight, const std::wstring& text) {
    PixelSurface surface(1, 1);
    OwnedFont font = FontOf(face, fontHeight);
    ScopedSelect select(surface.Dc(), font.get());
    SIZE extent{};
    GetTextExtentPoint32W(surface.Dc(), text.c_str(), static_cast<int>(text.size()), &extent);
    return extent;
}

std::unique_ptr<PixelSurface> TextLayer(int width, int height, const RECT& area,
                                        const std::wstring& text, const wchar_t* face,
                                        int fontHeight) {
    auto layer = std::make_unique<PixelSurface>(width, height);
    layer->Fill(0);
    OwnedFont font(CreateFontW(fontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                               OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                               DEFAULT_PITCH, face));
    HDC dc = layer->Dc();
    ScopedSelect select(dc, font.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    int x = (area.right - area.left + 1 - extent.cx) / 2;
    int y = (area.bottom - area.top + 1 - extent.cy) / 2;
    ExtTextOutW(dc, x, y, ETO_CLIPPED, &area, text.c_str(), static_cast<UINT>(text.size()),
                nullptr);
    return layer;
}
