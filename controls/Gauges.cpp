#include "controls/Gauges.h"

#include "controls/GaugeMath.h"
#include "framework/Exceptions.h"
#include "framework/FormReader.h"
#include "framework/Numbers.h"
#include "framework/PropertyValues.h"
#include "framework/Text.h"
#include "resources/ResourceIds.h"

#include <string>

namespace {

// The bound message from the program's string table, filled with the two limits.
std::string OutOfRangeMessage(int32_t low, int32_t high) {
    wchar_t pattern[128] = {};
    LoadStringW(GetModuleHandleW(nullptr), IDS_OUT_OF_RANGE, pattern, 128);
    return WideToUtf8(FormatIntegers(pattern[0] != L'\0' ? pattern : L"%d..%d", {low, high}));
}

TGaugeKind KindValue(const PropertyValue& value) {
    static const std::pair<const char*, TGaugeKind> kKinds[] = {
        {"gkText", TGaugeKind::gkText},
        {"gkHorizontalBar", TGaugeKind::gkHorizontalBar},
        {"gkVerticalBar", TGaugeKind::gkVerticalBar},
        {"gkPie", TGaugeKind::gkPie},
        {"gkNeedle", TGaugeKind::gkNeedle},
    };
    return EnumValue(value, kKinds, "style de jauge");
}

TBorderStyle BorderValue(const PropertyValue& value) {
    static const std::pair<const char*, TBorderStyle> kBorders[] = {
        {"bsNone", TBorderStyle::bsNone},
        {"bsSingle", TBorderStyle::bsSingle},
    };
    return EnumValue(value, kBorders, "style de bordure");
}

}  // namespace

TBltBitmap::TBltBitmap(const TBitmap& templateBitmap)
    : TBitmap(templateBitmap.Width(), templateBitmap.Height()) {
    RECT all{0, 0, Width(), Height()};
    Canvas().FillRect(all, clWindowFrame);
}

TGauge::TGauge(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, 100, 100);
}

int32_t TGauge::Percentage() const {
    return SpanToPercent(progress_ - minValue_, maxValue_ - minValue_);
}

void TGauge::SetMinValue(int32_t value) {
    if (value == minValue_) {
        return;
    }
    if (value > maxValue_ && !IsLoading()) {
        throw EInvalidOperation(OutOfRangeMessage(-2147483647, maxValue_ - 1));
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
        throw EInvalidOperation(OutOfRangeMessage(minValue_ + 1, 2147483647));
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

void TGauge::Paint(HDC dc) {
    ++paintCount_;
    TBitmap image(Width(), Height());
    image.Blacken();
    RECT area = PaintRect();
    {
        TBltBitmap overlay(image);
        overlay.Blacken();
        switch (kind_) {
            case TGaugeKind::gkText:
                overlay.Canvas().FillRect(area, backColor_);
                break;
            case TGaugeKind::gkHorizontalBar:
                DrawHorizontalBar(overlay, area);
                break;
            case TGaugeKind::gkVerticalBar:
                DrawVerticalBar(overlay, area);
                break;
            default:
                break;
        }
        BitBlt(image.Dc(), 0, 0, Width(), Height(), overlay.Dc(), 0, 0, SRCINVERT);
    }
    if (showText_) {
        DrawPercentText(image, area);
    }
    BitBlt(dc, 0, 0, Width(), Height(), image.Dc(), 0, 0, SRCCOPY);
}

void TGauge::DrawHorizontalBar(TBitmap& overlay, const RECT& area) const {
    int width = area.right - area.left + 1;
    int height = area.bottom - area.top + 1;
    overlay.Canvas().FillRect(area, backColor_);
    int length = PercentToSpan(Percentage(), width);
    if (length > width) {
        length = width;
    }
    if (length >= 1) {
        overlay.Canvas().FillRect({area.left, area.top, length, height}, foreColor_);
    }
}

void TGauge::DrawVerticalBar(TBitmap& overlay, const RECT& area) const {
    int width = area.right - area.left + 1;
    int height = area.bottom - area.top + 1;
    overlay.Canvas().FillRect(area, backColor_);
    int length = PercentToSpan(Percentage(), height);
    if (length >= height) {
        length = height - 1;
    }
    overlay.Canvas().FillRect({area.left, height - length, width, height}, foreColor_);
}

void TGauge::DrawPercentText(TBitmap& image, const RECT& area) const {
    const std::wstring label = FormatIntegers(L"%d%%", {Percentage()});
    TBltBitmap layer(image);
    layer.Blacken();
    HDC dc = layer.Dc();
    TFont white;
    white.Assign(Font());
    white.SetColor(clWhite);
    ScopedSelect font(dc, white.Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    SIZE extent = layer.Canvas().TextExtent(label);
    int x = (area.right - area.left + 1 - extent.cx) / 2;
    int y = (area.bottom - area.top + 1 - extent.cy) / 2;
    ExtTextOutW(dc, x, y, ETO_CLIPPED, &area, label.c_str(), static_cast<UINT>(label.size()),
                nullptr);
    BitBlt(image.Dc(), 0, 0, image.Width(), image.Height(), dc, 0, 0, SRCINVERT);
}

void TGauge::SetProperty(const PropertyItem& property, FormReader& reader) {
    const std::string& name = property.name;
    const PropertyValue& value = property.value;
    if (name == "MinValue") {
        SetMinValue(value.AsInteger());
    } else if (name == "MaxValue") {
        SetMaxValue(value.AsInteger());
    } else if (name == "Progress") {
        SetProgress(value.AsInteger());
    } else if (name == "Kind") {
        SetKind(KindValue(value));
    } else if (name == "ShowText") {
        SetShowText(value.AsBoolean());
    } else if (name == "BorderStyle") {
        SetBorderStyle(BorderValue(value));
    } else if (name == "ForeColor") {
        SetForeColor(ColorValue(value));
    } else if (name == "BackColor") {
        SetBackColor(ColorValue(value));
    } else {
        TGraphicControl::SetProperty(property, reader);
    }
}
