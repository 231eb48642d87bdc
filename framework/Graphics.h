#pragma once
// Fonts, canvases and bitmaps: GDI objects owned so that each is released on every path.

#include "framework/Colors.h"
#include "framework/Handles.h"
#include "framework/Scale.h"

#include <functional>
#include <memory>
#include <string>

class TFont {
public:
    const std::string& Name() const { return attributes_.name; }
    void SetName(const std::string& name) { Set(attributes_.name, name); }
    int Height() const { return attributes_.height; }
    void SetHeight(int height) { Set(attributes_.height, height); }
    TColor Color() const { return attributes_.color; }
    void SetColor(TColor color) { Set(attributes_.color, color); }
    void SetBold(bool bold) { Set(attributes_.bold, bold); }
    void SetUnderline(bool underline) { Set(attributes_.underline, underline); }
    void SetItalic(bool italic) { Set(attributes_.italic, italic); }
    // The height held at `previousDpi`, for `dpi`.
    void ScaleTo(int dpi, int previousDpi);
    void Assign(const TFont& other) { Set(attributes_, other.attributes_); }

    // The GDI font, created at first need and kept until the font changes.
    HFONT Handle() const;

    std::function<void()> OnChange;

private:
    struct Attributes {
        std::string name = "MS Sans Serif";
        int height = -11;
        TColor color = clWindowText;
        bool bold = false;
        bool underline = false;
        bool italic = false;
        int dpi = kDesignDpi;
        bool operator==(const Attributes&) const = default;
    };
    // Only a value that differs makes the font anew and fires OnChange.
    template <typename T>
    void Set(T& field, const T& value) {
        if (field != value) {
            field = value;
            Changed();
        }
    }
    void Changed();

    Attributes attributes_;
    mutable OwnedFont handle_;
};

// An icon image of the program's own resources, released with its owner.
class TIcon {
public:
    bool Empty() const { return !handle_; }
    HICON Handle() const { return handle_.get(); }
    // The image of the resource icon `name` nearest to width × height; false when there is none.
    bool LoadFromResource(const std::string& name, int width, int height);
    void Release() { handle_.reset(); }

private:
    OwnedIcon handle_;
};

// Drawing on a device context that someone else owns.
class TCanvas {
public:
    explicit TCanvas(HDC dc) : dc_(dc) {}
    void FillRect(const RECT& rect, TColor color);
    SIZE TextExtent(const std::wstring& text) const;

private:
    HDC dc_;
};

// An off-screen true-colour bitmap with a memory device context selected into it. A GDI
// object that cannot be created raises EOutOfResources, so nothing draws on a missing picture.
class TBitmap {
public:
    TBitmap();  // 0 x 0 until SetSize
    TBitmap(int width, int height);
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;
    virtual ~TBitmap();

    // A bitmap resource of the program, as a true-colour picture; throws when there is none.
    static std::unique_ptr<TBitmap> FromResource(const wchar_t* name);
    std::unique_ptr<TBitmap> Copy() const;

    int Width() const { return width_; }
    int Height() const { return height_; }
    HDC Dc() const { return dc_.get(); }
    TCanvas Canvas() const { return TCanvas(dc_.get()); }
    COLORREF Pixel(int x, int y) const { return GetPixel(dc_.get(), x, y); }
    void SetSize(int width, int height);
    void Blacken();

private:
    int width_ = 0;
    int height_ = 0;
    OwnedMemoryDc dc_;
    OwnedBitmap bitmap_;
    HGDIOBJ previous_ = nullptr;
};
