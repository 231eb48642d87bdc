#include "framework/Buttons.h"

#include "framework/Screen.h"

namespace {

// ROP3 that keeps the destination where the source is white and paints the brush elsewhere.
constexpr DWORD kBrushWhereBlack = 0x00B8074A;

bool Inside(const TControl& control, int x, int y) {
    return x >= 0 && x < control.Width() && y >= 0 && y < control.Height();
}

// A glyph's picture with its transparent colour taken out, as a monochrome mask: white where
// the destination shows through. It draws on `dc`, whose colours it holds while it lasts.
class GlyphMask {
public:
    GlyphMask(HDC dc, const TBitmap& glyph, int left, int width, COLORREF transparent)
        : dc_(dc),
          state_(dc),
          maskDc_(CreateCompatibleDC(dc)),
          mask_(CreateBitmap(width, glyph.Height(), 1, 1, nullptr)),
          selected_(maskDc_.get(), mask_.get()),
          glyph_(glyph),
          left_(left),
          width_(width) {
        // From colour to monochrome, pixels of the background colour turn white.
        COLORREF background = SetBkColor(glyph.Dc(), transparent);
        BitBlt(maskDc_.get(), 0, 0, width, glyph.Height(), glyph.Dc(), left, 0, SRCCOPY);
        SetBkColor(glyph.Dc(), background);
        // From monochrome to colour, white takes the background colour and black the text's.
        SetBkColor(dc, RGB(255, 255, 255));
        SetTextColor(dc, RGB(0, 0, 0));
    }

    // The glyph's own colours where it is opaque.
    void Draw(int x, int y) const {
        const int height = glyph_.Height();
        BitBlt(dc_, x, y, width_, height, glyph_.Dc(), left_, 0, SRCINVERT);
        BitBlt(dc_, x, y, width_, height, maskDc_.get(), 0, 0, SRCAND);
        BitBlt(dc_, x, y, width_, height, glyph_.Dc(), left_, 0, SRCINVERT);
    }

    // One colour where the glyph is opaque.
    void Fill(int x, int y, int systemColor) const {
        ScopedSelect brush(dc_, GetSysColorBrush(systemColor));
        BitBlt(dc_, x, y, width_, glyph_.Height(), maskDc_.get(), 0, 0, kBrushWhereBlack);
    }

private:
    HDC dc_;
    ScopedDcState state_;
    OwnedMemoryDc maskDc_;
    OwnedBitmap mask_;
    ScopedSelect selected_;
    const TBitmap& glyph_;
    int left_;
    int width_;
};

}  // namespace

void TSpeedButton::SetGlyph(std::unique_ptr<TBitmap> glyph) {
    glyph_ = std::move(glyph);
    Repaint();
}

void TSpeedButton::SetNumGlyphs(int count) {
    if (count >= 1 && count <= 4 && count != numGlyphs_) {
        numGlyphs_ = count;
        Repaint();
    }
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button == TMouseButton::mbLeft && Enabled()) {
        state_ = TButtonState::bsDown;
        dragging_ = true;
        Repaint();
    }
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
    TGraphicControl::MouseMove(shift, x, y);
    if (!dragging_) {
        return;
    }
    // Dragged off, the button comes up; brought back, it goes down again.
    TButtonState state = Inside(*this, x, y) ? TButtonState::bsDown : TButtonState::bsUp;
    if (state != state_) {
        state_ = state;
        Repaint();
    }
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseUp(button, shift, x, y);
    if (button != TMouseButton::mbLeft || !dragging_) {
        return;
    }
    dragging_ = false;
    state_ = TButtonState::bsUp;
    Repaint();
    if (Inside(*this, x, y)) {
        Click();
    }
}

void TSpeedButton::MouseCaptureLost() {
    // No release will come: the press ends here, without a click.
    if (dragging_) {
        dragging_ = false;
        state_ = TButtonState::bsUp;
        Repaint();
    }
}

void TSpeedButton::EnabledChanged() {
    if (!Enabled()) {
        dragging_ = false;
        state_ = TButtonState::bsUp;
    }
    Repaint();
}

void TSpeedButton::Paint(HDC dc) {
    const bool down = state_ == TButtonState::bsDown;
    RECT face{0, 0, Width(), Height()};
    DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0));
    if (!glyph_) {
        return;
    }
    const int width = glyph_->Width() / numGlyphs_;
    // A pressed face shows its picture one pixel down and to the right.
    const int offset = down ? 1 : 0;
    const int x = (Width() - width) / 2 + offset;
    const int y = (Height() - glyph_->Height()) / 2 + offset;
    const int image = !Enabled() ? 1 : down ? 2 : 0;
    const bool ownImage = image < numGlyphs_;
    GlyphMask mask(dc, *glyph_, ownImage ? image * width : 0, width,
                   glyph_->Pixel(0, glyph_->Height() - 1));
    if (Screen().HighContrast()) {
        // The theme's text colour in the picture's shape: a picture's own colours may vanish
        // on the theme's face.
        mask.Fill(x, y, Enabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
        return;
    }
    if (Enabled() || ownImage) {
        mask.Draw(x, y);
        return;
    }
    // Without a disabled picture, the shape is drawn etched into the face.
    mask.Fill(x + 1, y + 1, COLOR_BTNHIGHLIGHT);
    mask.Fill(x, y, COLOR_BTNSHADOW);
}
