#pragma once
// The standard controls, as real child windows of the system's classes: labels, buttons,
// check boxes, group boxes and edits.

#include "framework/Controls.h"

// Sized to its text at every change of text or font.
class TLabel : public TWinControl {
public:
    using TWinControl::TWinControl;
    // The control that the label names for a screen reader: its window comes right after.
    TWinControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(TWinControl* control) { focusControl_ = control; }
    TWinControl* NamedControl() const override { return focusControl_; }
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    bool HandleNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool SetPublished(const PropertyItem& property, FormReader& reader) override;

protected:
    void CreateParams(WindowParams& params) override;
    void CaptionChanged() override;
    void FontChanged() override;

private:
    void AdjustSize();
    // Under a high-contrast theme: a system colour of its own, or the theme's for what it is.
    TColor HighContrastTextColor() const;

    TWinControl* focusControl_ = nullptr;
};

// A window of the system's button class in one of its styles: a Tab stop that clicks.
class TButtonControl : public TWinControl {
public:
    TButtonControl(TComponent* owner, DWORD style);
    bool HandleNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

protected:
    void CreateParams(WindowParams& params) override;

private:
    DWORD style_;
};

class TButton : public TButtonControl {
public:
    explicit TButton(TComponent* owner) : TButtonControl(owner, BS_PUSHBUTTON) {}
};

class TCheckBox : public TButtonControl {
public:
    explicit TCheckBox(TComponent* owner) : TButtonControl(owner, BS_AUTOCHECKBOX) {}
    bool Checked() const;
    void SetChecked(bool checked);
    bool SetPublished(const PropertyItem& property, FormReader& reader) override;

protected:
    void HandleCreated() override;

private:
    mutable bool checked_ = false;
};

class TGroupBox : public TWinControl {
public:
    using TWinControl::TWinControl;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void CreateParams(WindowParams& params) override;
};

// A one-line edit whose text is the source of truth once its window exists.
class TCustomEdit : public TWinControl {
public:
    explicit TCustomEdit(TComponent* owner);
    std::string Text() const { return Caption(); }
    void SetText(const std::string& text) { SetCaption(text); }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);
    // The sunken 3D frame; read before the window is made.
    bool Ctl3D() const { return ctl3D_; }
    bool SetPublished(const PropertyItem& property, FormReader& reader) override;
    bool HandleNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

protected:
    void CreateParams(WindowParams& params) override;

private:
    bool readOnly_ = false;
    bool ctl3D_ = true;
};
