#pragma once
// The percentage gauge: where a value stands between two bounds, as a whole percentage, drawn
// off screen in layers so that its text shows over the filled and the empty part alike. It is
// opaque: every paint covers its whole area.

#include "framework/Controls.h"

#include <cstdint>

enum class TGaugeKind { gkText, gkHorizontalBar, gkVerticalBar, gkPie, gkNeedle };
enum class TBorderStyle { bsNone, bsSingle };

// A bitmap that takes another's size: the layers of a gauge's picture.
class TBltBitmap : public TBitmap {
public:
    // The template's width and height, filled with the system window-frame colour.
    void MakeLike(const TBitmap& templateBitmap);
};

class TGauge : public TGraphicControl {
public:
    explicit TGauge(TComponent* owner);

    int32_t MinValue() const { return minValue_; }
    void SetMinValue(int32_t value);
    int32_t MaxValue() const { return maxValue_; }
    void SetMaxValue(int32_t value);
    int32_t Progress() const { return progress_; }
    void SetProgress(int32_t value);
    int32_t Percentage() const;

    TGaugeKind Kind() const { return kind_; }
    void SetKind(TGaugeKind kind);
    bool ShowText() const { return showText_; }
    void SetShowText(bool show);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style);
    TColor ForeColor() const { return foreColor_; }
    void SetForeColor(TColor color);
    TColor BackColor() const { return backColor_; }
    void SetBackColor(TColor color);

    void Paint(HDC dc) override;
    bool SetPublished(const PropertyItem& property, FormReader& reader) override;

private:
    // The colours of one drawing: the filled part and outlines, the unfilled part, and the
    // area around a dial.
    struct Ink {
        TColor fore;
        TColor back;
        TColor around;
    };
    // The gauge's own colours, or the high-contrast theme's.
    Ink OwnInk() const;
    RECT PaintRect() const;
    void DrawKind(TBitmap& overlay, const RECT& area, const Ink& ink) const;
    void DrawHorizontalBar(TBitmap& overlay, const RECT& area, const Ink& ink) const;
    void DrawVerticalBar(TBitmap& overlay, const RECT& area, const Ink& ink) const;
    void DrawPie(TBitmap& overlay, const RECT& area, const Ink& ink) const;
    void DrawNeedle(TBitmap& overlay, const RECT& area, const Ink& ink) const;
    // The percentage text in white on black, on a layer the image's size.
    void DrawPercentText(TBltBitmap& layer, const TBitmap& image, const RECT& area) const;
    // The text in the theme's colour for the part beneath each of its pixels.
    void PutContrastText(TBitmap& image, const TBitmap& text, const RECT& area) const;

    int32_t minValue_ = 0;
    int32_t maxValue_ = 100;
    int32_t progress_ = 0;
    TGaugeKind kind_ = TGaugeKind::gkHorizontalBar;
    bool showText_ = true;
    TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
    TColor foreColor_ = clBlack;
    TColor backColor_ = clWhite;
};
