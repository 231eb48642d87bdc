#pragma once
// Fonts, canvases and bitmaps: GDI objects owned so that each is released on every path.

#include "framework/Colors.h"
#include "framework/Handles.h"

#include <functional>
#include <memory>
#include <string>

struct PropertyItem;

class TFont {
public:
    const std::string& Name() const { return name_; }
    void SetName(const std::string& name);
    int Height() const { return height_; }
    void SetHeight(int height);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    bool Bold() const { return bold_; }
    void SetBold(bool bold);
    bool Underline() const { return underline_; }
    void SetUnderline(bool underline);
    bool Italic() const { return italic_; }
    void SetItalic(bool italic);

    void Assign(const TFont& other);
    bool operator==(const TFont& other) const;

    // The GDI font, created at first need and kept until the font changes.
    HFONT Handle() const;

    // Sets `Font.Name`-style sub-properties; false when the name is not a font property.
    bool SetProperty(const PropertyItem& property);

    std::function<void()> OnChange;

private:
    void Changed();

    std::string name_ = "MS Sans Serif";
    int height_ = -11;
    TColor color_ = clWindowText;
    bool bold_ = false;
    bool underline_ = false;
    bool italic_ = false;
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
    HDC Handle() const { return dc_; }
    void FillRect(const RECT& rect, TColor color);
    SIZE TextExtent(const std::wstring& text) const;

private:
    HDC dc_;
};

// An off-screen true-colour bitmap with a memory device context selected into it. A GDI
// object that cannot be created raises EOutOfResources, so nothing draws on a missing picture.
class TBitmap {
public:
    // No picture yet, 0 x 0, until SetSize.
    TBitmap();
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
    // A new picture of that size; the old one is freed.
    void SetSize(int width, int height);
    // BLACKNESS over the whole bitmap.
    void Blacken();

private:
    int width_ = 0;
    int height_ = 0;
    OwnedMemoryDc dc_;
    OwnedBitmap bitmap_;
    HGDIOBJ previous_ = nullptr;
};
