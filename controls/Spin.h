#pragma once
// The spin edit: an entry field for a whole number with a pair of arrow buttons inside its right
// edge. The number lives in the text; the arrows, the arrow keys and auto-repeat step it.

#include "framework/Buttons.h"
#include "framework/ExtCtrls.h"
#include "framework/Scale.h"
#include "framework/StdCtrls.h"

#include <cstdint>
#include <memory>

// One of the two arrow buttons. While the mouse button is held on it, it clicks again 400 ms
// after the press and then every 100 ms, as long as it is pressed and holds the mouse.
class TTimerSpeedButton : public TSpeedButton {
public:
    explicit TTimerSpeedButton(TComponent* owner);

    bool AutoRepeat() const { return autoRepeat_; }
    void SetAutoRepeat(bool autoRepeat) { autoRepeat_ = autoRepeat; }
    // Whether the dotted focus rectangle is drawn over the face.
    bool FocusRect() const { return focusRect_; }
    void SetFocusRect(bool focusRect);

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseCaptureLost() override;
    void Paint(HDC dc) override;

private:
    void TimerExpired();

    // Made at the first press, kept until the button goes.
    TTimer* repeatTimer_ = nullptr;
    bool autoRepeat_ = false;
    bool focusRect_ = false;
};

// A window holding the up button over the down button; they share one pixel row.
class TSpinButton : public TWinControl {
public:
    explicit TSpinButton(TComponent* owner);

    TTimerSpeedButton* UpButton() const { return upButton_; }
    TTimerSpeedButton* DownButton() const { return downButton_; }
    // The button that the space key clicks and that shows the focus rectangle.
    TTimerSpeedButton* FocusedButton() const { return focusedButton_; }

    const TBitmap* UpGlyph() const { return upButton_->Glyph(); }
    // nullptr puts back the program's up arrow; a bitmap is copied.
    void SetUpGlyph(const TBitmap* glyph);
    const TBitmap* DownGlyph() const { return downButton_->Glyph(); }
    void SetDownGlyph(const TBitmap* glyph);
    int UpNumGlyphs() const { return upButton_->NumGlyphs(); }
    void SetUpNumGlyphs(int count) { upButton_->SetNumGlyphs(count); }

    // The control that an arrow's press hands the focus to; forgotten when it goes.
    TWinControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(TWinControl* control) { focusControl_ = control; }

    // Raised with the spin button itself as the one clicked.
    TNotifyEvent OnUpClick;
    TNotifyEvent OnDownClick;

    // Never narrower than 15 pixels at 96 dpi; the two buttons follow the new size.
    void SetBounds(int left, int top, int width, int height) override;
    // The program's arrows grow by whole multiples of their pixels.
    void ChangeScale(int dpi, int previousDpi) override;
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void CreateParams(WindowParams& params) override;

private:
    TTimerSpeedButton* CreateButton();
    void LayOutButtons(int& width, int height);
    void SetFocusedButton(TTimerSpeedButton* button);
    void ButtonClick(TObject* sender);
    void ButtonMouseDown(TObject* sender, TMouseButton button);

    TTimerSpeedButton* upButton_ = nullptr;
    TTimerSpeedButton* downButton_ = nullptr;
    TTimerSpeedButton* focusedButton_ = nullptr;
    TWinControl* focusControl_ = nullptr;
    int dpi_ = kDesignDpi;
    bool ownUpGlyph_ = true;
    bool ownDownGlyph_ = true;
};

class TSpinEdit : public TCustomEdit {
public:
    explicit TSpinEdit(TComponent* owner);
    ~TSpinEdit() override;

    // The text as an integer; text that is no number reads as MinValue.
    int32_t Value() const;
    // Shows ClampValue(value) in decimal.
    void SetValue(int32_t value);
    // The bounds are plain fields: the text is checked against them at the next step, write of
    // Value or exit from the field.
    int32_t MinValue() const { return minValue_; }
    void SetMinValue(int32_t value) { minValue_ = value; }
    int32_t MaxValue() const { return maxValue_; }
    void SetMaxValue(int32_t value) { maxValue_ = value; }
    int32_t Increment() const { return increment_; }
    void SetIncrement(int32_t increment) { increment_ = increment; }
    // Whether the text may be changed by typing, pasting or cutting; the arrows step all the same.
    bool EditorEnabled() const { return editorEnabled_; }
    void SetEditorEnabled(bool enabled) { editorEnabled_ = enabled; }
    // Whether the whole text is selected when the focus comes in from elsewhere in the window.
    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool autoSelect) { autoSelect_ = autoSelect; }
    TSpinButton* Button() const { return button_; }

    // Equal bounds mean no bounds at all.
    int32_t ClampValue(int32_t value) const;

    // Whether a typed character may reach the text.
    virtual bool AcceptsChar(wchar_t key) const;
    // Value plus or minus Increment, wrapping in 32 bits; a beep and nothing else when read-only.
    virtual void StepUp(TObject* sender);
    virtual void StepDown(TObject* sender);

    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool SetPublished(const PropertyItem& property, FormReader& reader) override;

protected:
    void CreateParams(WindowParams& params) override;
    void HandleCreated() override;
    void FontChanged() override;

private:
    int MinHeight() const;
    // Keeps the height at least MinHeight, places the arrows and keeps the text off them.
    void LayOut();
    void SetEditRect();
    // Focus coming from, or going to, another window of the same top-level window.
    bool WithinWindow(HWND other) const;

    TSpinButton* button_ = nullptr;
    int32_t minValue_ = 0;
    int32_t maxValue_ = 0;
    int32_t increment_ = 1;
    bool editorEnabled_ = true;
    bool autoSelect_ = true;
    // Whether the field is its window's active control: the last of the window's controls to
    // have had the focus.
    bool active_ = false;
    bool leftButtonDown_ = false;
};
