#include "framework/Graphics.h"

#include "framework/Classes.h"
#include "framework/Exceptions.h"
#include "platform/Utf8.h"

void TFont::ScaleTo(int dpi, int previousDpi) {
    Attributes scaled = attributes_;
    scaled.height = ScaleLength(scaled.height, dpi, previousDpi);
    scaled.dpi = dpi;
    Set(attributes_, scaled);
}

HFONT TFont::Handle() const {
    if (!handle_) {
        const Attributes& font = attributes_;
        // A bitmap font of a few fixed sizes, drawn jagged and at the wrong height once scaled;
        // its outline twin has the same metrics and is on every Windows since 2000.
        const bool outlineTwin = font.dpi != kDesignDpi && font.name == "MS Sans Serif";
        std::wstring face = platform::Utf8ToWide(outlineTwin ? "Microsoft Sans Serif" : font.name);
        handle_.reset(CreateFontW(font.height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL,
                                  font.italic, font.underline, FALSE, DEFAULT_CHARSET,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                  DEFAULT_PITCH, face.c_str()));
    }
    return handle_.get();
}

void TFont::Changed() {
    handle_.reset();
    Fire(OnChange);
}

void TCanvas::FillRect(const RECT& rect, TColor color) {
    // The DC's own brush takes any colour: no brush to create and free for every fill.
    SetDCBrushColor(dc_, ColorToRGB(color));
    ::FillRect(dc_, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

SIZE TCanvas::TextExtent(const std::wstring& text) const {
    SIZE size{};
    GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

TBitmap::TBitmap() {
    dc_.reset(CreateCompatibleDC(nullptr));
    if (!dc_) {
        throw EOutOfResources();
    }
}

TBitmap::TBitmap(int width, int height) : TBitmap() {
    SetSize(width, height);
}

std::unique_ptr<TBitmap> TBitmap::FromResource(const wchar_t* name) {
    OwnedBitmap loaded(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    BITMAP info{};
    if (!loaded || GetObjectW(loaded.get(), sizeof info, &info) == 0) {
        throw Exception("Image introuvable : " + platform::WideToUtf8(name));
    }
    auto bitmap = std::make_unique<TBitmap>(info.bmWidth, info.bmHeight);
    OwnedMemoryDc source(CreateCompatibleDC(bitmap->Dc()));
    ScopedSelect selected(source.get(), loaded.get());
    BitBlt(bitmap->Dc(), 0, 0, info.bmWidth, info.bmHeight, source.get(), 0, 0, SRCCOPY);
    return bitmap;
}

std::unique_ptr<TBitmap> TBitmap::Copy() const {
    auto copy = std::make_unique<TBitmap>(width_, height_);
    BitBlt(copy->Dc(), 0, 0, width_, height_, dc_.get(), 0, 0, SRCCOPY);
    return copy;
}

TBitmap::~TBitmap() {
    // The bitmap must leave the DC before either can be deleted.
    if (previous_ != nullptr) {
        SelectObject(dc_.get(), previous_);
    }
}

void TBitmap::SetSize(int width, int height) {
    // A true-colour section drawn in memory: a bitmap in the display's own format would go
    // through the display for every call, at several times the cost.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width > 0 ? width : 1;
    info.bmiHeader.biHeight = -(height > 0 ? height : 1);  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    OwnedBitmap picture(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!picture) {
        throw EOutOfResources();
    }
    HGDIOBJ replaced = SelectObject(dc_.get(), picture.get());
    if (replaced == nullptr || replaced == HGDI_ERROR) {
        throw EOutOfResources();
    }
    if (previous_ == nullptr) {
        previous_ = replaced;  // the DC's own, given back at the end
    }
    bitmap_ = std::move(picture);  // frees the old picture, no longer selected
    width_ = width;
    height_ = height;
}

void TBitmap::Blacken() {
    PatBlt(dc_.get(), 0, 0, width_, height_, BLACKNESS);
}

bool TIcon::LoadFromResource(const std::string& name, int width, int height) {
    handle_.reset(
        static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), platform::Utf8ToWide(name).c_str(),
                                      IMAGE_ICON, width, height, 0)));
    return static_cast<bool>(handle_);
}
