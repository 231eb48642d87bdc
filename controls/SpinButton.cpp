#include "controls/Spin.h"

#include <algorithm>

namespace {

// The repeat starts this long after the press, then clicks at the shorter interval.
constexpr uint32_t kFirstRepeatMs = 400;
constexpr uint32_t kRepeatMs = 100;
// The dotted focus rectangle stands this far inside the button's edges.
constexpr int kFocusRectInset = 3;
constexpr int kMinWidth = 15;

// One of the program's arrows, each pixel grown into a square of `factor` pixels.
std::unique_ptr<TBitmap> Arrow(const wchar_t* name, int factor) {
    std::unique_ptr<TBitmap> arrow = TBitmap::FromResource(name);
    if (factor == 1) {
        return arrow;
    }
    auto grown = std::make_unique<TBitmap>(arrow->Width() * factor, arrow->Height() * factor);
    SetStretchBltMode(grown->Dc(), COLORONCOLOR);
    StretchBlt(grown->Dc(), 0, 0, grown->Width(), grown->Height(), arrow->Dc(), 0, 0,
               arrow->Width(), arrow->Height(), SRCCOPY);
    return grown;
}

}  // namespace

TTimerSpeedButton::TTimerSpeedButton(TComponent* owner) : TSpeedButton(owner) {}

void TTimerSpeedButton::SetFocusRect(bool focusRect) {
    if (focusRect != focusRect_) {
        focusRect_ = focusRect;
        Repaint();
    }
}

void TTimerSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TSpeedButton::MouseDown(button, shift, x, y);
    // Only the left button presses the face and takes the mouse, so only it can repeat; a
    // timer started for another button would tick for nothing until the next press.
    if (!autoRepeat_ || button != TMouseButton::mbLeft) {
        return;
    }
    if (repeatTimer_ == nullptr) {
        repeatTimer_ = new TTimer(this);
    }
    repeatTimer_->OnTimer = [this](TObject*) { TimerExpired(); };
    repeatTimer_->SetInterval(kFirstRepeatMs);
    repeatTimer_->SetEnabled(true);
}

void TTimerSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    // The repeat stops even when the click of the release fails.
    ScopeExit stop([timer = repeatTimer_] {
        if (timer != nullptr) {
            timer->SetEnabled(false);
        }
    });
    TSpeedButton::MouseUp(button, shift, x, y);
}

void TTimerSpeedButton::MouseCaptureLost() {
    TSpeedButton::MouseCaptureLost();
    // Without the mouse the ticks could never click again: no timer left running for nothing.
    if (repeatTimer_ != nullptr) {
        repeatTimer_->SetEnabled(false);
    }
}

void TTimerSpeedButton::TimerExpired() {
    repeatTimer_->SetInterval(kRepeatMs);
    // Dragged off the button, or robbed of the mouse, it waits without clicking.
    if (State() != TButtonState::bsDown || !MouseCapture()) {
        return;
    }
    try {
        Click();
    } catch (...) {
        repeatTimer_->SetEnabled(false);
        throw;
    }
}

void TTimerSpeedButton::Paint(HDC dc) {
    TSpeedButton::Paint(dc);
    if (!focusRect_) {
        return;
    }
    RECT rect{kFocusRectInset, kFocusRectInset, Width() - kFocusRectInset,
              Height() - kFocusRectInset};
    if (State() == TButtonState::bsDown) {
        OffsetRect(&rect, 1, 1);
    }
    DrawFocusRect(dc, &rect);
}

TSpinButton::TSpinButton(TComponent* owner) : TWinControl(owner) {
    upButton_ = CreateButton();
    downButton_ = CreateButton();
    SetUpGlyph(nullptr);
    SetDownGlyph(nullptr);
    TSpinButton::SetBounds(0, 0, 20, 25);
    focusedButton_ = upButton_;
}

TTimerSpeedButton* TSpinButton::CreateButton() {
    auto* button = new TTimerSpeedButton(this);
    button->OnClick = [this](TObject* sender) { ButtonClick(sender); };
    button->OnMouseDown = [this](TObject* sender, TMouseButton pressed, TShiftState, int, int) {
        ButtonMouseDown(sender, pressed);
    };
    button->SetVisible(true);
    button->SetEnabled(true);
    button->SetAutoRepeat(true);
    button->SetParent(this);
    return button;
}

void TSpinButton::CreateParams(WindowParams& params) {
    params.className = L"TSpinButton";
    params.systemClass = false;
}

void TSpinButton::SetUpGlyph(const TBitmap* glyph) {
    ownUpGlyph_ = glyph == nullptr;
    if (glyph != nullptr) {
        upButton_->SetGlyph(glyph->Copy());
        return;
    }
    upButton_->SetGlyph(Arrow(L"SPINUP", WholeMultiple(dpi_)));
    upButton_->SetNumGlyphs(1);
}

void TSpinButton::SetDownGlyph(const TBitmap* glyph) {
    ownDownGlyph_ = glyph == nullptr;
    if (glyph != nullptr) {
        downButton_->SetGlyph(glyph->Copy());
        return;
    }
    downButton_->SetGlyph(Arrow(L"SPINDOWN", WholeMultiple(dpi_)));
    downButton_->SetNumGlyphs(1);
}

void TSpinButton::ChangeScale(int dpi, int previousDpi) {
    TWinControl::ChangeScale(dpi, previousDpi);
    const bool grown = WholeMultiple(dpi) != WholeMultiple(dpi_);
    dpi_ = dpi;
    if (grown && ownUpGlyph_) {
        SetUpGlyph(nullptr);
    }
    if (grown && ownDownGlyph_) {
        SetDownGlyph(nullptr);
    }
}

void TSpinButton::LayOutButtons(int& width, int height) {
    if (downButton_ == nullptr || IsLoading()) {
        return;
    }
    width = std::max(width, ScaleLength(kMinWidth, dpi_));
    // The two buttons overlap by one pixel row.
    upButton_->SetBounds(0, 0, width, height / 2);
    downButton_->SetBounds(0, upButton_->Height() - 1, width, height - upButton_->Height() + 1);
}

void TSpinButton::SetBounds(int left, int top, int width, int height) {
    LayOutButtons(width, height);
    TWinControl::SetBounds(left, top, width, height);
}

void TSpinButton::Loaded() {
    TWinControl::Loaded();
    int width = Width();
    LayOutButtons(width, Height());
    TWinControl::SetBounds(Left(), Top(), width, Height());
}

void TSpinButton::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == focusControl_) {
        focusControl_ = nullptr;
    }
}

void TSpinButton::SetFocusedButton(TTimerSpeedButton* button) {
    if (button == focusedButton_) {
        return;
    }
    if (Focused()) {
        focusedButton_->SetFocusRect(false);
        button->SetFocusRect(true);
    }
    focusedButton_ = button;
}

void TSpinButton::ButtonClick(TObject* sender) {
    Fire(sender == upButton_ ? OnUpClick : OnDownClick, this);
}

void TSpinButton::ButtonMouseDown(TObject* sender, TMouseButton button) {
    if (button != TMouseButton::mbLeft) {
        return;
    }
    if (TabStop() && CanFocus()) {
        SetFocusedButton(sender == upButton_ ? upButton_ : downButton_);
    }
    // Pressing an arrow puts the focus in the field it steps, not on the arrows.
    if (focusControl_ != nullptr && focusControl_->TabStop() && focusControl_->CanFocus() &&
        !focusControl_->Focused()) {
        focusControl_->SetFocus();
    } else if (TabStop() && !Focused() && CanFocus()) {
        SetFocus();
    }
}

LRESULT TSpinButton::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE: {
            LRESULT result = TWinControl::WndProc(message, wParam, lParam);
            int width = Width();
            LayOutButtons(width, Height());
            if (width != Width()) {
                TWinControl::SetBounds(Left(), Top(), width, Height());
            }
            return result;
        }
        case WM_SETFOCUS:
            focusedButton_->SetFocusRect(true);
            break;
        case WM_KILLFOCUS:
            focusedButton_->SetFocusRect(false);
            break;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS;
        case WM_KEYDOWN:
            if (wParam == VK_SPACE) {
                focusedButton_->Click();
            } else if (wParam == VK_UP || wParam == VK_DOWN) {
                TTimerSpeedButton* button = wParam == VK_UP ? upButton_ : downButton_;
                SetFocusedButton(button);
                button->Click();
            }
            break;
        default:
            break;
    }
    return TWinControl::WndProc(message, wParam, lParam);
}
