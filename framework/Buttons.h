#pragma once
// The speed button: a windowless push button with a picture.

#include "framework/Controls.h"

#include <memory>

enum class TButtonState { bsUp, bsDown };

// Pressed while the left button is held on it with the pointer over it; clicks when released
// over it. Its glyph holds NumGlyphs pictures side by side (up, disabled, down, held down), the
// first standing in for a missing one; the colour of its bottom-left pixel is transparent.
class TSpeedButton : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;

    const TBitmap* Glyph() const { return glyph_.get(); }
    void SetGlyph(std::unique_ptr<TBitmap> glyph);
    int NumGlyphs() const { return numGlyphs_; }
    // 1 to 4; other counts are ignored.
    void SetNumGlyphs(int count);
    TButtonState State() const { return state_; }

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseCaptureLost() override;
    void Paint(HDC dc) override;

protected:
    void EnabledChanged() override;

private:
    std::unique_ptr<TBitmap> glyph_;
    int numGlyphs_ = 1;
    TButtonState state_ = TButtonState::bsUp;
    bool dragging_ = false;  // the left button went down on this button and is still held
};
