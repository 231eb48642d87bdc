#pragma once
// Controls: components with a place on a parent. Graphic controls are painted by their parent;
// windowed controls have a window of their own, made by the framework's window procedure or
// subclassed from a standard class, and carry the windowless controls inside it.

#include "framework/Component.h"
#include "framework/Graphics.h"
#include "framework/Window.h"

#include <climits>
#include <string>
#include <vector>

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

    TAlign Align() const { return align_; }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    TFont& Font() { return font_; }
    const TFont& Font() const { return font_; }
    void SetParentFont(bool parentFont);
    TColor Color() const { return color_; }
    void SetColor(TColor color);

    void Click();
    // Scales the place, size and font that the control holds at previousDpi to dpi.
    virtual void ChangeScale(int dpi, int previousDpi);
    void SetParentComponent(TComponent* parent) override;
    bool HasParent() const override { return true; }

    // The mouse over the control, in its own coordinates; a windowless control hears of it
    // from its parent's window.
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton, TShiftState, int, int) {}
    // True from the left button's press on a windowless control to its release.
    bool MouseCapture() const;
    // Another window took the mouse from the windowless control: no release will come.
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
    // Draws at once on the parent's surface, clipped to the control.
    void Repaint();
    // Paints at the control's place on a device context of the parent's surface, clipped to it.
    void PaintClipped(HDC dc);
    // Covers every pixel of its area, so its parent erases nothing beneath it.
    bool Opaque() const { return opaque_; }

protected:
    void SetOpaque(bool opaque) { opaque_ = opaque; }
    void BoundsChanged() override;
    void VisibleChanged() override;
    void InvalidateArea(const RECT& area);

private:
    bool opaque_ = false;
};

class TWinControl : public TControl, public WindowTarget {
public:
    using TControl::TControl;
    ~TWinControl() override;

    HWND Handle() const { return handle_; }
    bool HandleAllocated() const { return handle_ != nullptr; }
    // Creates the window, and those of the windowed children, when the parent has one.
    void CreateHandle();
    static TWinControl* FromHandle(HWND window);
    // A caption, or the contents of an edit: once the window exists, its text, whoever set it.
    std::string Caption() const;
    void SetCaption(const std::string& caption);

    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool tabStop) { tabStop_ = tabStop; }
    // A sibling that this control names for a screen reader, made right after it; none here.
    virtual TWinControl* NamedControl() const { return nullptr; }

    bool CanFocus() const;
    bool Focused() const { return handle_ != nullptr && GetFocus() == handle_; }
    void SetFocus();

    // The area that aligned children share.
    virtual RECT AlignArea() const;
    void Realign();
    RECT ClientRect() const;

    virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    void Attached(HWND window) override { handle_ = window; }
    void Detached() override;
    // A notification that the parent received for this control; true when handled.
    virtual bool HandleNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // The brush of the control's colour, made anew when that colour changes, as a system colour
    // does under its name.
    HBRUSH ColorBrush();

    // The children first, so that none is scaled again after following a scaled parent font.
    void ChangeScale(int dpi, int previousDpi) override;
    // True while the form is laid out for another scale: sizes and fonts are half old, half new.
    bool Scaling() const { return scaling_ || (Parent() != nullptr && Parent()->Scaling()); }
    bool SetPublished(const PropertyItem& property, FormReader& reader) override;

protected:
    // A child window of a standard class, to subclass, unless CreateParams names one of ours.
    using WindowParams = WindowRequest;
    virtual void CreateParams(WindowParams& params) = 0;
    // Gives the new window what the object already holds.
    virtual void HandleCreated();
    virtual void PaintWindow(HDC) {}
    LRESULT DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam);
    void DestroyHandle();

    void BoundsChanged() override;
    virtual void CaptionChanged() {}
    void FontChanged() override;
    void ColorChanged() override;
    void VisibleChanged() override;
    void EnabledChanged() override;
    // A window inside this one took the focus: the form keeps it.
    virtual void ControlFocused(TWinControl*) {}
    void SetScaling(bool scaling) { scaling_ = scaling; }

private:
    friend class TControl;
    void RemoveControl(TControl* control);

    // The background is not erased beneath the opaque windowless controls.
    void ExcludeOpaqueWindowless(HDC dc) const;
    void PaintWindowless(HDC dc, const RECT& area) const;
    TGraphicControl* WindowlessAt(POINT point) const;
    // False when no windowless control holds the mouse or lies under the pointer.
    bool RouteMouseToWindowless(UINT message, WPARAM wParam, LPARAM lParam);

    HWND handle_ = nullptr;
    bool subclassed_ = false;
    bool trackingMouse_ = false;
    bool aligning_ = false;
    bool scaling_ = false;
    // In creation order: of the windowless ones, the last lies on top.
    std::vector<TControl*> controls_;
    int borderWidth_ = 0;
    // Where Tab visits it among its siblings; without one, after those that have one.
    int tabOrder_ = INT_MAX;
    bool tabStop_ = false;
    std::string caption_;  // while there is no window
    // The windowless control that holds the mouse, from a left press on it to its release.
    TGraphicControl* mouseHolder_ = nullptr;
    OwnedBrush brush_;
    COLORREF brushRgb_ = 0;
};
