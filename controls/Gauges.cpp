#include "controls/Gauges.h"

#include "controls/GaugeMath.h"
#include "framework/Exceptions.h"
#include "framework/Numbers.h"
#include "framework/Published.h"
#include "framework/Screen.h"
#include "platform/Utf8.h"
#include "resources/ResourceIds.h"

#include <cmath>
#include <initializer_list>
#include <numbers>
#include <string>

namespace {

// The bound message from the program's string table, filled with the two limits. Bounds at the
// 32-bit limits give figures just beyond 32 bits, which the message shows as they are.
std::string OutOfRangeMessage(int64_t low, int64_t high) {
    wchar_t pattern[128] = {};
    // Should the string be missing from the executable, the figures still tell the range.
    LoadStringW(GetModuleHandleW(nullptr), IDS_OUT_OF_RANGE, pattern, 128);
    return platform::WideToUtf8(
        FormatIntegers(pattern[0] != L'\0' ? pattern : L"%d .. %d", {low, high}));
}

// The DC's own pen and brush selected for the scope's life, each colour then set on the DC: a
// dial and its wedge or needle take no GDI object of their own.
class DcPenAndBrush {
public:
    explicit DcPenAndBrush(HDC dc)
        : dc_(dc), pen_(dc, GetStockObject(DC_PEN)), brush_(dc, GetStockObject(DC_BRUSH)) {}
    void Set(TColor penColor, TColor brushColor) {
        SetDCPenColor(dc_, ColorToRGB(penColor));
        SetDCBrushColor(dc_, ColorToRGB(brushColor));
    }

private:
    HDC dc_;
    ScopedSelect pen_;
    ScopedSelect brush_;
};

// ROP3 that keeps the destination where the source is black and blackens it elsewhere (DSna).
constexpr DWORD kDestinationWhereBlack = 0x00220326;

// Nearest integer, halves to even.
int Round(double value) {
    return static_cast<int>(std::nearbyint(value));
}

constexpr EnumName kKindNames[] = {
    {"gkText", TGaugeKind::gkText},
    {"gkHorizontalBar", TGaugeKind::gkHorizontalBar},
    {"gkVerticalBar", TGaugeKind::gkVerticalBar},
    {"gkPie", TGaugeKind::gkPie},
    {"gkNeedle", TGaugeKind::gkNeedle},
};
constexpr Enumeration kKinds{"style de jauge", kKindNames};

constexpr EnumName kBorderNames[] = {
    {"bsNone", TBorderStyle::bsNone},
    {"bsSingle", TBorderStyle::bsSingle},
};
constexpr Enumeration kBorders{"style de bordure", kBorderNames};

}  // namespace

void TBltBitmap::MakeLike(const TBitmap& templateBitmap) {
    SetSize(templateBitmap.Width(), templateBitmap.Height());
    Canvas().FillRect({0, 0, Width(), Height()}, clWindowFrame);
}

TGauge::TGauge(TComponent* owner) : TGraphicControl(owner) {
    SetOpaque(true);
    SetBounds(0, 0, 100, 100);
}

int32_t TGauge::Percentage() const {
    // In 64 bits: the bounds may lie further apart than a 32-bit difference can hold.
    return SpanToPercent(int64_t{progress_} - minValue_, int64_t{maxValue_} - minValue_);
}

void TGauge::SetMinValue(int32_t value) {
    if (value == minValue_) {
        return;
    }
    if (value > maxValue_ && !IsLoading()) {
        throw EInvalidOperation(OutOfRangeMessage(-2147483647, int64_t{maxValue_} - 1));
    }
    minValue_ = value;
    if (progress_ < value) {
        progress_ = value;
    }
    Repaint();
}

void TGauge::SetMaxValue(int32_t value) {
    if (value == maxValue_) {
        return;
    }
    if (value < minValue_ && !IsLoading()) {
        throw EInvalidOperation(OutOfRangeMessage(int64_t{minValue_} + 1, 2147483647));
    }
    maxValue_ = value;
    if (progress_ > value) {
        progress_ = value;
    }
    Repaint();
}

void TGauge::SetProgress(int32_t value) {
    if (value < minValue_) {
        value = minValue_;
    } else if (value > maxValue_) {
        value = maxValue_;
    }
    if (value == progress_) {
        return;
    }
    int32_t before = Percentage();
    progress_ = value;
    // The readout writes every second: only a new whole percentage is worth a paint.
    if (Percentage() != before) {
        Repaint();
    }
}

void TGauge::SetKind(TGaugeKind kind) {
    if (kind != kind_) {
        kind_ = kind;
        Repaint();
    }
}

void TGauge::SetShowText(bool show) {
    if (show != showText_) {
        showText_ = show;
        Repaint();
    }
}

void TGauge::SetBorderStyle(TBorderStyle style) {
    if (style != borderStyle_) {
        borderStyle_ = style;
        Repaint();
    }
}

void TGauge::SetForeColor(TColor color) {
    if (color != foreColor_) {
        foreColor_ = color;
        Repaint();
    }
}

void TGauge::SetBackColor(TColor color) {
    if (color != backColor_) {
        backColor_ = color;
        Repaint();
    }
}

RECT TGauge::PaintRect() const {
    RECT area{0, 0, Width(), Height()};
    if (borderStyle_ == TBorderStyle::bsSingle) {
        InflateRect(&area, -1, -1);
    }
    return area;
}

TGauge::Ink TGauge::OwnInk() const {
    if (!Screen().HighContrast()) {
        return {foreColor_, backColor_, Color()};
    }
    // The theme's colours for a selection over a face: the share reads as a selected part.
    return {clHighlight, clBtnFace, IsSystemColor(Color()) ? Color() : clBtnFace};
}

void TGauge::Paint(HDC dc) {
    TBitmap image(Width(), Height());
    image.Blacken();
    RECT area = PaintRect();
    const Ink ink = OwnInk();
    TBltBitmap overlay;
    overlay.MakeLike(image);
    overlay.Blacken();
    DrawKind(overlay, area, ink);
    // The image is black, so it takes the overlay as it is; outside the paint rectangle it
    // stays black, which is the single border.
    BitBlt(image.Dc(), 0, 0, Width(), Height(), overlay.Dc(), 0, 0, SRCINVERT);
    const bool contrast = Screen().HighContrast();
    if (contrast && borderStyle_ == TBorderStyle::bsSingle) {
        RECT frame{0, 0, Width(), Height()};
        FrameRect(image.Dc(), &frame, GetSysColorBrush(COLOR_WINDOWFRAME));
    }
    if (showText_) {
        TBltBitmap text;
        DrawPercentText(text, image, area);
        if (contrast) {
            PutContrastText(image, text, area);
        } else {
            // Black leaves the image as it is; white turns each pixel beneath into its
            // complement.
            BitBlt(image.Dc(), 0, 0, Width(), Height(), text.Dc(), 0, 0, SRCINVERT);
        }
    }
    BitBlt(dc, 0, 0, Width(), Height(), image.Dc(), 0, 0, SRCCOPY);
}

void TGauge::DrawKind(TBitmap& overlay, const RECT& area, const Ink& ink) const {
    switch (kind_) {
        case TGaugeKind::gkText:
            overlay.Canvas().FillRect(area, ink.back);
            break;
        case TGaugeKind::gkHorizontalBar:
            DrawHorizontalBar(overlay, area, ink);
            break;
        case TGaugeKind::gkVerticalBar:
            DrawVerticalBar(overlay, area, ink);
            break;
        case TGaugeKind::gkPie:
            DrawPie(overlay, area, ink);
            break;
        case TGaugeKind::gkNeedle:
            DrawNeedle(overlay, area, ink);
            break;
    }
}

void TGauge::DrawHorizontalBar(TBitmap& overlay, const RECT& area, const Ink& ink) const {
    int width = area.right - area.left + 1;
    int height = area.bottom - area.top + 1;
    overlay.Canvas().FillRect(area, ink.back);
    int length = PercentToSpan(Percentage(), width);
    if (length > width) {
        length = width;
    }
    if (length >= 1) {
        overlay.Canvas().FillRect({area.left, area.top, length, height}, ink.fore);
    }
}

void TGauge::DrawVerticalBar(TBitmap& overlay, const RECT& area, const Ink& ink) const {
    int width = area.right - area.left + 1;
    int height = area.bottom - area.top + 1;
    overlay.Canvas().FillRect(area, ink.back);
    int length = PercentToSpan(Percentage(), height);
    if (length >= height) {
        length = height - 1;
    }
    overlay.Canvas().FillRect({area.left, height - length, width, height}, ink.fore);
}

void TGauge::DrawPie(TBitmap& overlay, const RECT& area, const Ink& ink) const {
    int extra = borderStyle_ == TBorderStyle::bsSingle ? 1 : 0;
    int width = area.right - area.left + extra;
    int height = area.bottom - area.top + extra;
    HDC dc = overlay.Dc();
    overlay.Canvas().FillRect(area, ink.around);
    DcPenAndBrush pen(dc);
    pen.Set(ink.fore, ink.back);
    // The area starts at the overlay's origin: its width and height are its right and bottom.
    // NOLINTNEXTLINE(readability-suspicious-call-argument)
    Ellipse(dc, area.left, area.top, width, height);
    if (Percentage() > 0) {
        int middleX = width / 2;
        int middleY = height / 2;
        double angle = std::numbers::pi * (Percentage() / 50.0 + 0.5);
        // Pie runs counterclockwise from its first radial point to its second, twelve o'clock:
        // the wedge grows clockwise from the top.
        pen.Set(ink.fore, ink.fore);
        // NOLINTNEXTLINE(readability-suspicious-call-argument)
        Pie(dc, area.left, area.top, width, height, Round(middleX * (1 - std::cos(angle))),
            Round(middleY * (1 - std::sin(angle))), middleX, 0);
    }
}

void TGauge::DrawNeedle(TBitmap& overlay, const RECT& area, const Ink& ink) const {
    int extra = borderStyle_ == TBorderStyle::bsSingle ? 1 : 0;
    int x = area.left;
    int y = area.top;
    int width = area.right - area.left + extra;
    int height = area.bottom - area.top + extra;
    HDC dc = overlay.Dc();
    overlay.Canvas().FillRect(area, ink.around);
    DcPenAndBrush pen(dc);
    // The upper half of an ellipse whose horizontal axis lies on the last row: a half dial.
    pen.Set(ink.fore, ink.back);
    Pie(dc, x, y, width, height * 2 - 1, x + width, area.bottom - 1, x, area.bottom - 1);
    MoveToEx(dc, x, area.bottom, nullptr);
    LineTo(dc, x + width, area.bottom);
    if (Percentage() > 0) {
        int middleX = Width() / 2;
        double angle = std::numbers::pi * Percentage() / 100;
        MoveToEx(dc, middleX, area.bottom - 1, nullptr);
        LineTo(dc, Round(middleX * (1 - std::cos(angle))),
               Round((area.bottom - 1) * (1 - std::sin(angle))));
    }
}

void TGauge::DrawPercentText(TBltBitmap& layer, const TBitmap& image, const RECT& area) const {
    const std::wstring label = FormatIntegers(L"%d%%", {Percentage()});
    layer.MakeLike(image);
    layer.Blacken();
    HDC dc = layer.Dc();
    // A font carries no colour: the control's own is selected as it is, and the layer's text
    // colour makes it white.
    HFONT font = Font().Handle();
    if (font == nullptr) {
        throw EOutOfResources();
    }
    ScopedSelect select(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    SIZE extent = layer.Canvas().TextExtent(label);
    // Bitmap coordinates, centred on the paint rectangle's size plus one.
    int x = (area.right - area.left + 1 - extent.cx) / 2;
    int y = (area.bottom - area.top + 1 - extent.cy) / 2;
    ExtTextOutW(dc, x, y, ETO_CLIPPED, &area, label.c_str(), static_cast<UINT>(label.size()),
                nullptr);
}

void TGauge::PutContrastText(TBitmap& image, const TBitmap& text, const RECT& area) const {
    // The theme gives the text a colour of its own over each part: the gauge is drawn once more
    // in those colours, and that picture shows through the text's pixels.
    TBltBitmap inText;
    inText.MakeLike(image);
    inText.Blacken();
    DrawKind(inText, area, {clHighlightText, clBtnText, clBtnText});
    const int width = image.Width();
    const int height = image.Height();
    BitBlt(inText.Dc(), 0, 0, width, height, text.Dc(), 0, 0, SRCAND);
    BitBlt(image.Dc(), 0, 0, width, height, text.Dc(), 0, 0, kDestinationWhereBlack);
    BitBlt(image.Dc(), 0, 0, width, height, inText.Dc(), 0, 0, SRCPAINT);
}

bool TGauge::SetPublished(const PropertyItem& property, FormReader& reader) {
    static constexpr PublishedProperty kPublished[] = {
        Property<&TGauge::SetMinValue>("MinValue"),
        Property<&TGauge::SetMaxValue>("MaxValue"),
        Property<&TGauge::SetProgress>("Progress"),
        EnumProperty<&TGauge::SetKind, kKinds>("Kind"),
        Property<&TGauge::SetShowText>("ShowText"),
        EnumProperty<&TGauge::SetBorderStyle, kBorders>("BorderStyle"),
        ColorProperty<&TGauge::SetForeColor>("ForeColor"),
        ColorProperty<&TGauge::SetBackColor>("BackColor"),
    };
    return SetFromTable(*this, kPublished, property, reader) ||
           TGraphicControl::SetPublished(property, reader);
}
