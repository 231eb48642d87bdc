#pragma once
// Controls: components with a place on a parent. Graphic controls are painted by their parent;
// windowed controls (WinControl.h) have a window of their own.

#include "framework/Component.h"
#include "framework/Graphics.h"

#include <string>

class TWinControl;

enum class TAlign { alNone, alTop, alBottom, alClient };

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    TWinControl* Parent() const { return parent_; }
    void SetParent(TWinControl* parent);

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int left) { SetBounds(left, top_, width_, height_); }
    void SetTop(int top) { SetBounds(left_, top, width_, height_); }
    void SetWidth(int width) { SetBounds(left_, top_, width, height_); }
    void SetHeight(int height) { SetBounds(left_, top_, width_, height); }
    virtual void SetBounds(int left, int top, int width, int height);
    RECT BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }

    // Read when the parent aligns its controls.
    TAlign Align() const { return align_; }
    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);

    TFont& Font() { return font_; }
    const TFont& Font() const { return font_; }
    void SetParentFont(bool parentFont);
    TColor Color() const { return color_; }
    void SetColor(TColor color);

    virtual void Click();
    // Scales the place, size and font that the control holds at previousDpi to dpi.
    virtual void ChangeScale(int dpi, int previousDpi);
    void SetParentComponent(TComponent* parent) override;
    bool HasParent() const override { return true; }

    // The mouse over the control, in the control's own coordinates. A windowed control hears
    // of it from its window; a windowless one from its parent's window.
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton, TShiftState, int, int) {}
    // True while the windowless control receives the mouse wherever the pointer is: from the
    // left button's press on it to its release.
    bool MouseCapture() const;
    // Another window took the mouse while the left button was held on this windowless control:
    // the release will never come here.
    virtual void MouseCaptureLost() {}

    TNotifyEvent OnClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnMouseLeave;

protected:
    bool SetPublished(const PropertyItem& property, FormReader& reader) override;
    virtual void BoundsChanged() {}
    virtual void FontChanged() {}
    virtual void ColorChanged() {}
    virtual void VisibleChanged() {}
    virtual void EnabledChanged() {}
    // The place and size that ChangeScale gives the control.
    virtual RECT ScaledBounds(int dpi, int previousDpi) const;
    // An aligned control that moves, shows or hides has its parent align its controls again.
    void RequestRealign();
    // Records bounds that the window already has, as after the user moved or sized it.
    void StoreBounds(const RECT& bounds);

private:
    friend class TWinControl;
    void ParentFontChanged();
    void ParentColorChanged();
    void SetFontName(const std::string& name) { font_.SetName(name); }
    void SetFontHeight(int height) { font_.SetHeight(height); }
    void SetFontColor(TColor color) { font_.SetColor(color); }
    // Font.Style: a style in brackets sets its attribute, one left out clears it.
    void ReadFontStyle(const PropertyValue& value, FormReader& reader);

    TWinControl* parent_ = nullptr;
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    TAlign align_ = TAlign::alNone;
    bool visible_ = true;
    bool enabled_ = true;
    TFont font_;
    bool parentFont_ = true;
    TColor color_ = clBtnFace;
    bool parentColor_ = true;
    bool followingParent_ = false;
};

// A control without a window, painted on its parent's surface.
class TGraphicControl : public TControl {
public:
    using TControl::TControl;
    ~TGraphicControl() override;

    // Paints with (0, 0) at the control's top-left corner.
    virtual void Paint(HDC dc) = 0;
    // Draws at once on the parent's surface, clipped to the control; nothing while the control
    // is invisible or its parent has no window or a hidden one.
    void Repaint();
    // An opaque control covers every pixel of its area, so its parent erases nothing beneath it.
    bool Opaque() const { return opaque_; }

protected:
    void SetOpaque(bool opaque) { opaque_ = opaque; }
    void BoundsChanged() override;
    void VisibleChanged() override;
    void InvalidateArea(const RECT& area);

private:
    bool opaque_ = false;
};
